#include <gtest/gtest.h>

#include <vector>

#include "core/voucher_support.h"
#include "support/database_error.h"
#include "util/decimal.h"

namespace ledgernova {
namespace {

using testing::add;
using testing::header;
using testing::Ledger;
using testing::line;

class BalanceTest : public ::testing::Test {
  protected:
    BalanceTest() {
        for (const char* account : {"1101", "2101", "7001", "7002"}) {
            ledger.add_account(account);
        }
        ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "0.05");
        ledger.set_param("CON_CUENTA_CONTABLE_AJUSTE_REDONDEO", "7001");
        ledger.set_param("CON_CENTRO_COSTO_AJUSTE_REDONDEO", "CI");
        ledger.set_param("CON_CUENTA_CONTABLE_AJUSTE_REDONDEO_EGRESO", "7002");
        ledger.set_param("CON_CENTRO_COSTO_AJUSTE_REDONDEO_EGRESO", "CE");
        ledger.restart_module();  // the object was created before the parameters were set
    }

    // A voucher with the given charge and credit, then the balance check.
    bool voucher(double cargo, double abono) { return voucher_of({cargo}, {abono}); }

    // A voucher with a line per charge and per credit, then the balance check.
    bool voucher_of(const std::vector<double>& cargos, const std::vector<double>& abonos) {
        polizas.Nuevo();
        polizas.put_Encabezado(header(Date::from_ymd(2024, 3, 15)));
        for (const double cargo : cargos) {
            EXPECT_TRUE(add(polizas, line("1101", eTmCargo, cargo))) << polizas.get_Error();
        }
        for (const double abono : abonos) {
            EXPECT_TRUE(add(polizas, line("2101", eTmAbono, abono))) << polizas.get_Error();
        }
        return polizas.Poliza_Balanceada();
    }

    std::string lines() {
        return ledger.rows(
            "SELECT Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, Pd_Tipo, "
            "Pd_Importe FROM Poliza_Detalle ORDER BY Pd_ID");
    }

    Ledger ledger;
    Polizas polizas;
};

TEST_F(BalanceTest, EqualSumsBalanceWithoutALineAndWithTheExactStatement) {
    EXPECT_TRUE(voucher(100.10, 100.10));
    EXPECT_EQ(
        "SELECT SUM(Cargo) as Cargo, SUM(Abono) as Abono FROM (        SELECT            "
        "SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE 0 END) as Cargo,            "
        "SUM(CASE WHEN Pd_Tipo = 2 THEN Pd_Importe ELSE 0 END) as Abono         FROM "
        "Poliza_Detalle WHERE Pl_Folio = '0000000001') Tmp ",
        ledger.recorder().statements().back());
    EXPECT_EQ(2U, std::stoul(ledger.rows("SELECT COUNT(*) FROM Poliza_Detalle")));
}

TEST_F(BalanceTest, ChargesOverCreditsCreditTheIncomeRoundingAccount) {
    EXPECT_TRUE(voucher(100.03, 100.00)) << polizas.get_Error();
    EXPECT_EQ(
        "0001|1101||Pago|1|100.03\n0002|2101||Pago|2|100\n"
        "0003|7001|CI|Ajuste por redondeo|2|0.03\n",
        lines());
    EXPECT_EQ("0003", polizas.get_Detalle().Pd_ID);
}

TEST_F(BalanceTest, CreditsOverChargesChargeTheExpenseAccountUpToTheLimitInclusive) {
    EXPECT_TRUE(voucher(100.00, 100.05)) << polizas.get_Error();
    EXPECT_EQ("0003|7002|CE|Ajuste por redondeo|1|0.05\n",
              ledger.rows("SELECT Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, "
                          "Pd_Tipo, Pd_Importe FROM Poliza_Detalle WHERE Pd_ID = '0003'"));
}

TEST_F(BalanceTest, ADifferenceOverTheLimitIsUnbalancedAndLeavesErrorAlone) {
    EXPECT_FALSE(voucher(100.00, 100.06));
    EXPECT_EQ("", polizas.get_Error());
    polizas.put_Detalle(line("9999", eTmCargo, 1));
    EXPECT_FALSE(polizas.Add_Poliza_Detalle());
    const std::string earlier = polizas.get_Error();
    EXPECT_FALSE(polizas.Poliza_Balanceada());
    EXPECT_EQ(earlier, polizas.get_Error());
    EXPECT_EQ("2\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Detalle"));
}

TEST_F(BalanceTest, AVoucherWithoutLinesBalances) {
    polizas.put_Folio("NINGUNA");
    EXPECT_TRUE(polizas.Poliza_Balanceada());
}

TEST_F(BalanceTest, WithoutALimitEveryDifferenceIsUnbalanced) {
    ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "0");
    ledger.restart_module();
    EXPECT_FALSE(voucher(100.01, 100.00));
}

TEST_F(BalanceTest, AnUnknownRoundingAccountRefusesTheAdjustment) {
    ledger.set_param("CON_CUENTA_CONTABLE_AJUSTE_REDONDEO", "");
    ledger.restart_module();
    EXPECT_FALSE(voucher(100.03, 100.00));
    EXPECT_EQ("ledgerNova.dll - Add_Poliza_Detalle()\r\nLa cuenta contable:, no existe",
              polizas.get_Error());
}

TEST_F(BalanceTest, ManyCentsSumExactly) {
    polizas.Nuevo();
    polizas.put_Encabezado(header(Date::from_ymd(2024, 3, 15)));
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(add(polizas, line("1101", eTmCargo, 0.1)));
    }
    ASSERT_TRUE(add(polizas, line("2101", eTmAbono, 1.0)));
    EXPECT_TRUE(polizas.Poliza_Balanceada());
    EXPECT_EQ("11\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Detalle"));
}

TEST_F(BalanceTest, ADatabaseFailureIsReported) {
    polizas.put_Folio("X");
    ledger.direct().Execute("DROP TABLE Poliza_Detalle");
    EXPECT_FALSE(polizas.Poliza_Balanceada());
    EXPECT_TRUE(testing::database_error_is("ledgerNova.dll - Poliza_Balanceada()\r\n",
                                           "no such table: Poliza_Detalle", "42P01",
                                           polizas.get_Error()));
}

// ---- large amounts ------------------------------------------------------------------------------

TEST_F(BalanceTest, ChargesReachingATrillionBalanceWithoutAnAdjustment) {
    const std::vector<double> halves(4, 5e11);
    EXPECT_TRUE(voucher_of(halves, halves)) << polizas.get_Error();
    EXPECT_TRUE(voucher_of({1e12, 1e12, 1e12, 1e12}, {3e12, 1e12})) << polizas.get_Error();
    EXPECT_EQ("", polizas.get_Error());
    EXPECT_EQ("0000000001|8|4000000000000\n0000000002|6|8000000000000\n",
              ledger.rows("SELECT Pl_Folio, COUNT(*), SUM(Pd_Importe) FROM Poliza_Detalle GROUP "
                          "BY Pl_Folio ORDER BY Pl_Folio"));
}

TEST_F(BalanceTest, ACentBetweenTheLargestAmountsIsAdjustedExactly) {
    EXPECT_TRUE(voucher_of({5e12, 4'999'999'999'999.99}, {util::kLargestAmount - 0.01}))
        << polizas.get_Error();
    EXPECT_EQ(
        "0001|1101||Pago|1|5000000000000\n0002|1101||Pago|1|4999999999999.99\n"
        "0003|2101||Pago|2|9999999999999.98\n0004|7001|CI|Ajuste por redondeo|2|0.01\n",
        lines());
    ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "0");
    ledger.restart_module();
    EXPECT_FALSE(voucher_of({1e12, 2e12 + 0.01}, {3e12}));
    EXPECT_EQ("", polizas.get_Error());
}

TEST_F(BalanceTest, SumsPastFifteenDigitsBalanceAsTheDatabaseGivesThem) {
    const std::vector<double> largest(150, util::kLargestAmount);  // 1,499,999,999,999,998.50
    EXPECT_TRUE(voucher_of(largest, largest)) << polizas.get_Error();
    EXPECT_EQ("", polizas.get_Error());
    EXPECT_EQ("300\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Detalle"));
}

}  // namespace
}  // namespace ledgernova

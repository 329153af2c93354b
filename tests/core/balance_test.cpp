#include <gtest/gtest.h>

#include <tuple>
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

    Ledger ledger;
    Polizas polizas;
};

// Charges over credits are credited to the income rounding account, credits over charges charged to
// the expense one, up to the limit inclusive and to the cent between the largest amounts.
TEST_F(BalanceTest, ADifferenceUpToTheLimitIsAdjustedOnTheAccountOfItsSide) {
    const std::vector<std::tuple<std::vector<double>, std::vector<double>, std::string>> cases = {
        {{100.03}, {100.00}, "0003"},
        {{100.00}, {100.05}, "0003"},
        {{5e12, 4'999'999'999'999.99}, {util::kLargestAmount - 0.01}, "0004"},
    };
    for (const auto& [cargos, abonos, adjustment] : cases) {
        EXPECT_TRUE(voucher_of(cargos, abonos)) << polizas.get_Error();
        EXPECT_EQ(adjustment, polizas.get_Detalle().Pd_ID)
            << "the voucher is left on its adjustment";
    }
    EXPECT_EQ(
        "0000000001|0001|1101||Pago|1|100.03\n0000000001|0002|2101||Pago|2|100\n"
        "0000000001|0003|7001|CI|Ajuste por redondeo|2|0.03\n"
        "0000000002|0001|1101||Pago|1|100\n0000000002|0002|2101||Pago|2|100.05\n"
        "0000000002|0003|7002|CE|Ajuste por redondeo|1|0.05\n"
        "0000000003|0001|1101||Pago|1|5000000000000\n"
        "0000000003|0002|1101||Pago|1|4999999999999.99\n"
        "0000000003|0003|2101||Pago|2|9999999999999.98\n"
        "0000000003|0004|7001|CI|Ajuste por redondeo|2|0.01\n",
        ledger.rows("SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, "
                    "Pd_Tipo, Pd_Importe FROM Poliza_Detalle ORDER BY Pl_Folio, Pd_ID"));
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

TEST_F(BalanceTest, AnUnknownRoundingAccountRefusesTheAdjustment) {
    ledger.set_param("CON_CUENTA_CONTABLE_AJUSTE_REDONDEO", "");
    ledger.restart_module();
    EXPECT_FALSE(voucher(100.03, 100.00));
    EXPECT_EQ("ledgerNova.dll - Add_Poliza_Detalle()\r\nLa cuenta contable:, no existe",
              polizas.get_Error());
}

TEST_F(BalanceTest, ADatabaseFailureIsReported) {
    polizas.put_Folio("X");
    ledger.direct().Execute("DROP TABLE Poliza_Detalle");
    EXPECT_FALSE(polizas.Poliza_Balanceada());
    EXPECT_TRUE(testing::database_error_is("ledgerNova.dll - Poliza_Balanceada()\r\n",
                                           "no such table: Poliza_Detalle", "42P01",
                                           polizas.get_Error()));
}

// However many or large the amounts, equal sums balance without an adjustment.
TEST_F(BalanceTest, EqualSumsBalanceWithoutALineAndWithTheExactStatement) {
    const std::vector<double> largest(150, util::kLargestAmount);  // 1,499,999,999,999,998.50
    const std::vector<std::pair<std::vector<double>, std::vector<double>>> cases = {
        {{100.10}, {100.10}},
        {std::vector<double>(10, 0.1), {1.0}},
        {std::vector<double>(4, 5e11), std::vector<double>(4, 5e11)},
        {{1e12, 1e12, 1e12, 1e12}, {3e12, 1e12}},
        {largest, largest},  // sums past fifteen digits balance as the database gives them
    };
    for (const auto& [cargos, abonos] : cases) {
        EXPECT_TRUE(voucher_of(cargos, abonos)) << polizas.get_Error();
        EXPECT_EQ("", polizas.get_Error());
    }
    EXPECT_EQ(
        "SELECT SUM(Cargo) as Cargo, SUM(Abono) as Abono FROM (        SELECT            "
        "SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE 0 END) as Cargo,            "
        "SUM(CASE WHEN Pd_Tipo = 2 THEN Pd_Importe ELSE 0 END) as Abono         FROM "
        "Poliza_Detalle WHERE Pl_Folio = '0000000005') Tmp ",
        ledger.recorder().statements().back());
    EXPECT_EQ(
        "0000000001|2|200.2\n0000000002|11|2\n0000000003|8|4000000000000\n"
        "0000000004|6|8000000000000\n",
        ledger.rows("SELECT Pl_Folio, COUNT(*), SUM(Pd_Importe) FROM Poliza_Detalle WHERE "
                    "Pl_Folio < '0000000005' GROUP BY Pl_Folio ORDER BY Pl_Folio"));
    // The sum past fifteen digits is left out: each database writes it its own way.
    EXPECT_EQ("300\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Detalle WHERE Pl_Folio = "
                                   "'0000000005'"));
}

// Without a limit even a cent between the largest amounts is unbalanced, and no error.
TEST_F(BalanceTest, WithoutALimitEveryDifferenceIsUnbalanced) {
    ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "0");
    ledger.restart_module();
    EXPECT_FALSE(voucher_of({1e12, 2e12 + 0.01}, {3e12}));
    EXPECT_EQ("", polizas.get_Error());
}

}  // namespace
}  // namespace ledgernova

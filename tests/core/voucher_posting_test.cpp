#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/voucher_support.h"

namespace ledgernova {
namespace {

using testing::header;
using testing::kPostSource;
using testing::Ledger;
using testing::line;

constexpr const char* kAddSource = "ledgerNova.dll - Add_Poliza_Detalle()\r\n";

class VoucherPostingTest : public ::testing::Test {
  protected:
    VoucherPostingTest() {
        ledger.add_account("1101");
        ledger.add_account("2101");
        ledger.add_account("7001");
    }

    // Everything a voucher leaves in the ledger, counters included.
    std::string stored() {
        return ledger.rows("SELECT Pl_Folio, Pl_Numero, Pl_Tipo, Em_Cve_Empresa FROM Poliza") +
               ledger.rows(
                   "SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Tipo, Pd_Importe "
                   "FROM Poliza_Detalle ORDER BY Pl_Folio, Pd_ID") +
               ledger.rows("SELECT Ft_Tabla, Ft_Ultimo FROM Folio_Tabla") +
               ledger.rows("SELECT Cn_Ultimo FROM Consecutivo");
    }

    Ledger ledger;
    Polizas polizas;
    const Date march15 = Date::from_ymd(2024, 3, 15);
};

TEST_F(VoucherPostingTest, AWholeVoucherIsWrittenNumberedAndBalanced) {
    ASSERT_TRUE(polizas.post_voucher(
        header(march15), {line("1101", eTmCargo, 100.5), line("2101", eTmAbono, 100.5)}))
        << polizas.get_Error();
    EXPECT_EQ("", polizas.get_Error());
    EXPECT_EQ("0000000001", polizas.get_Encabezado().Pl_Folio);
    EXPECT_EQ(
        "0000000001|0000000001|2|001\n"
        "0000000001|0001|1101|1|100.5\n0000000001|0002|2101|2|100.5\n"
        "Poliza|1\n1\n",
        stored());
}

TEST_F(VoucherPostingTest, ARefusedLineLeavesNothingAndSpendsNoFolioOrNumber) {
    EXPECT_FALSE(polizas.post_voucher(header(march15),
                                      {line("1101", eTmCargo, 10), line("9999", eTmAbono, 10)}));
    EXPECT_EQ(std::string(kPostSource) + "Línea 2:\r\n" + kAddSource +
                  "La cuenta contable:9999, no existe",
              polizas.get_Error());
    EXPECT_EQ("", stored());
    EXPECT_EQ("", polizas.get_Encabezado().Pl_Folio) << "the object holds no voucher";

    ASSERT_TRUE(polizas.post_voucher(header(march15),
                                     {line("1101", eTmCargo, 10), line("2101", eTmAbono, 10)}));
    EXPECT_EQ("0000000001", polizas.get_Encabezado().Pl_Folio);
    EXPECT_EQ("0000000001", polizas.get_Encabezado().Pl_Numero);
}

TEST_F(VoucherPostingTest, AnUnbalancedVoucherLeavesNothing) {
    EXPECT_FALSE(polizas.post_voucher(header(march15),
                                      {line("1101", eTmCargo, 100.1), line("2101", eTmAbono, 90)}));
    EXPECT_EQ(std::string(kPostSource) + "Póliza desbalanceada! Cargos: 100.10 Abonos: 90.00",
              polizas.get_Error());
    EXPECT_EQ("", stored());

    // A difference within the rounding limit is booked, and the rounding line is part of it all.
    ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "0.05");
    ledger.set_param("CON_CUENTA_CONTABLE_AJUSTE_REDONDEO", "7001");
    ledger.restart_module();
    Polizas again;
    ASSERT_TRUE(again.post_voucher(header(march15),
                                   {line("1101", eTmCargo, 100.03), line("2101", eTmAbono, 100)}))
        << again.get_Error();
    EXPECT_EQ("0000000001|0003|7001|2|0.03\n",
              ledger.rows("SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Tipo, Pd_Importe "
                          "FROM Poliza_Detalle WHERE Pd_ID = '0003'"));
}

TEST_F(VoucherPostingTest, AVoucherNeedsACompanyAndLines) {
    EXPECT_FALSE(polizas.post_voucher(header(march15, eTp_Egreso, " "),
                                      {line("1101", eTmCargo, 1), line("2101", eTmAbono, 1)}));
    EXPECT_EQ(std::string(kPostSource) + "No se especifico la empresa", polizas.get_Error());
    EXPECT_FALSE(polizas.post_voucher(header(march15), {}));
    EXPECT_EQ(std::string(kPostSource) + "La póliza no tiene líneas", polizas.get_Error());
    EXPECT_EQ("", stored());
}

// Values the enumerations and the ledger cannot hold are refused before anything is written,
// whether the caller adds lines one by one or posts the voucher whole.
TEST_F(VoucherPostingTest, TypesMovementsAmountsAndDatesOutsideTheirRangeAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        tPlEncabezado encabezado;
        tPlDetalle detalle;
        std::string message;
    };
    const std::vector<Case> cases = {
        {header(march15, static_cast<eTipoPoliza>(9)), line("1101", eTmCargo, 1),
         "El tipo de póliza debe ser 1 (ingreso), 2 (egreso) o 3 (diario)"},
        {header(march15, static_cast<eTipoPoliza>(0)), line("1101", eTmCargo, 1),
         "El tipo de póliza debe ser 1 (ingreso), 2 (egreso) o 3 (diario)"},
        {header(march15), line("1101", static_cast<eTipoMovimiento>(3), 1),
         "El tipo de movimiento debe ser 1 (cargo) o 2 (abono)"},
        {header(march15), line("1101", eTmCargo, -0.01), "El importe no puede ser negativo"},
        {header(march15), line("1101", eTmCargo, nan), "El importe no es un número"},
        {header(march15), line("1101", eTmCargo, 1e13),
         "El importe excede el máximo de 9999999999999.99"},
        {header(Date{nan}), line("1101", eTmCargo, 1), "La fecha de la póliza no es válida"},
        {header(Date{1e12}), line("1101", eTmCargo, 1), "La fecha de la póliza no es válida"},
    };
    for (const auto& c : cases) {
        polizas.Nuevo();
        polizas.put_Encabezado(c.encabezado);
        polizas.put_Detalle(c.detalle);
        EXPECT_FALSE(polizas.Add_Poliza_Detalle());
        EXPECT_EQ(kAddSource + c.message, polizas.get_Error());
        EXPECT_FALSE(polizas.post_voucher(c.encabezado, {c.detalle}));
        EXPECT_EQ(std::string(kPostSource) + "Línea 1:\r\n" + kAddSource + c.message,
                  polizas.get_Error());
    }
    EXPECT_EQ("", stored());
    EXPECT_TRUE(polizas.post_voucher(header(march15), {line("1101", eTmCargo, 9999999999999.99),
                                                       line("2101", eTmAbono, 9999999999999.99)}))
        << polizas.get_Error();
}

}  // namespace
}  // namespace ledgernova

#include <gtest/gtest.h>

#include "core/voucher_support.h"

namespace ledgernova {
namespace {

using testing::Ledger;

class HeaderTest : public ::testing::Test {
  protected:
    HeaderTest() {
        given.Pl_Numero = "N-1";
        given.Pl_Configuracion = "CFG";
    }

    Ledger ledger;
    Polizas polizas;
    tPlEncabezado given = testing::header(Date::from_ymd(2024, 3, 15));
};

// A given period is kept: ManualVoucherTest stores the year-end period 13 and refuses a period
// that disagrees with the date.
TEST_F(HeaderTest, YearAndPeriodFollowTheDateAndGivenYearAndFolioAreIgnored) {
    polizas.put_Folio("0000000042");
    given.Pl_Ejercicio = "1999";
    given.Pl_Folio = "XXXX";
    polizas.put_Encabezado(given);
    auto expected = given;
    expected.Pl_Ejercicio = "2024";
    expected.Pl_Periodo = "03";
    expected.Pl_Folio = "0000000042";
    EXPECT_EQ(expected, polizas.get_Encabezado());
}

TEST_F(HeaderTest, NuevoClearsTheVoucherButKeepsNumberReferenceCompanyAndLine) {
    polizas.put_Folio("0000000042");
    given.Pl_Fecha = Date::from_ymd(2023, 1, 2);
    polizas.put_Encabezado(given);
    const tPlDetalle line{"0009", "1101", "Pago", "Ref", eTmAbono, 12.5, "CC1"};
    polizas.put_Detalle(line);
    polizas.Nuevo();
    tPlEncabezado expected = given;
    expected.Pl_Fecha = ledger.now();
    expected.Pl_Tipo_Poliza = static_cast<eTipoPoliza>(0);
    expected.Pl_Tabla = expected.Pl_Documento = expected.Pl_Comentario = "";
    expected.Pl_Ejercicio = "2023";
    expected.Pl_Periodo = "01";
    EXPECT_EQ(expected, polizas.get_Encabezado());
    EXPECT_EQ(line, polizas.get_Detalle());
    EXPECT_EQ("", polizas.get_Error());
}

TEST(Creation, ReadsMandatoryCostCentreAndReportsAHostFailure) {
    Ledger ledger;
    ledger.set_param("CON_CENTRO_COSTO_OBLIGATORIO", "talvez");
    Polizas polizas;
    EXPECT_EQ("ledgerNova.dll - Class_Initialize()\r\nType mismatch", polizas.get_Error());
}

}  // namespace
}  // namespace ledgernova

#include <gtest/gtest.h>

#include "ledgernova/polizas.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

using testing::Ledger;

tPlEncabezado header_on(Date date, const std::string& periodo = "") {
    tPlEncabezado header;
    header.Pl_Fecha = date;
    header.Pl_Periodo = periodo;
    header.Pl_Tipo_Poliza = eTp_Egreso;
    header.Pl_Numero = "N-1";
    header.Pl_Referencia = "R";
    header.Pl_Comentario = "C";
    header.Pl_Tabla = "Compras";
    header.Pl_Documento = "A-17";
    header.Pl_Configuracion = "CFG";
    header.Em_Cve_Empresa = "001";
    return header;
}

class HeaderTest : public ::testing::Test {
  protected:
    Ledger ledger;
    Polizas polizas;
};

TEST_F(HeaderTest, YearAndPeriodFollowTheDateUnlessAPeriodIsGiven) {
    polizas.put_Encabezado(header_on(Date::from_ymd(2024, 3, 15)));
    EXPECT_EQ("2024", polizas.get_Encabezado().Pl_Ejercicio);
    EXPECT_EQ("03", polizas.get_Encabezado().Pl_Periodo);
    polizas.put_Encabezado(header_on(Date::from_ymd(2024, 12, 31), "13"));
    EXPECT_EQ("13", polizas.get_Encabezado().Pl_Periodo);
}

TEST_F(HeaderTest, GivenYearAndFolioAreIgnored) {
    polizas.put_Folio("0000000042");
    auto given = header_on(Date::from_ymd(2024, 3, 15));
    given.Pl_Ejercicio = "1999";
    given.Pl_Folio = "XXXX";
    polizas.put_Encabezado(given);
    auto expected = given;
    expected.Pl_Ejercicio = "2024";
    expected.Pl_Periodo = "03";
    expected.Pl_Folio = "0000000042";
    EXPECT_EQ(expected, polizas.get_Encabezado());
}

TEST_F(HeaderTest, NuevoClearsTheVoucherButKeepsNumberReferenceAndCompany) {
    polizas.put_Folio("0000000042");
    polizas.put_Encabezado(header_on(Date::from_ymd(2023, 1, 2)));
    tPlDetalle line;
    line.Cc_Cve_Cuenta_Contable = "1101";
    polizas.put_Detalle(line);
    polizas.Nuevo();
    const auto header = polizas.get_Encabezado();
    EXPECT_EQ("", header.Pl_Folio);
    EXPECT_EQ(ledger.now(), header.Pl_Fecha);
    EXPECT_EQ(0, header.Pl_Tipo_Poliza);
    EXPECT_EQ("", header.Pl_Tabla);
    EXPECT_EQ("", header.Pl_Documento);
    EXPECT_EQ("", header.Pl_Comentario);
    EXPECT_EQ("N-1", header.Pl_Numero);
    EXPECT_EQ("R", header.Pl_Referencia);
    EXPECT_EQ("CFG", header.Pl_Configuracion);
    EXPECT_EQ("001", header.Em_Cve_Empresa);
    EXPECT_EQ("2023", header.Pl_Ejercicio);
    EXPECT_EQ(line, polizas.get_Detalle());
    EXPECT_EQ("", polizas.get_Error());
}

TEST_F(HeaderTest, DetalleIsCopiedWhole) {
    tPlDetalle line{"0009", "1101", "Pago", "Ref", eTmAbono, 12.5, "CC1"};
    polizas.put_Detalle(line);
    EXPECT_EQ(line, polizas.get_Detalle());
}

TEST(Creation, ReadsMandatoryCostCentreAndReportsAHostFailure) {
    Ledger ledger;
    ledger.set_param("CON_CENTRO_COSTO_OBLIGATORIO", "talvez");
    Polizas polizas;
    EXPECT_EQ("ledgerNova.dll - Class_Initialize()\r\nType mismatch", polizas.get_Error());
}

}  // namespace
}  // namespace ledgernova

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

class CliSqlTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(0, ledger({"init"}).status);
        execute(
            "INSERT INTO Poliza_Configuracion_Tabla(Pc_Tabla, Pc_Modulo, Pc_Campo_Dia, "
            "Pc_Campo_Movimiento, Pc_Contabiliza_Linea) VALUES('Compras', 'COM', 'Compras.Fecha', "
            "'Compras.Folio', 'SI')");
        execute(
            "INSERT INTO Poliza_Configuracion(Pc_Cve_Poliza_Configuracion, Pc_Descripcion, "
            "Pc_Tabla, Pc_Tipo, Pc_Referencia, Pc_Comentario, Pc_Relacion) VALUES('CMP', "
            "'Compras', 'Compras', '2', 'Compras.Folio', '', 'Compras')");
        execute(
            "INSERT INTO Poliza_Configuracion_Condicion(Pc_Cve_Poliza_Configuracion, Pcc_ID, "
            "Pcc_Valor) VALUES('CMP', 1, 'Compras.Empresa = ''<EMPRESA>''')");
    }
};

TEST_F(CliSqlTest, PrintsTheComposedStatements) {
    EXPECT_EQ(ledger({"sql", "condition", "CMP", "--company", "0'1"}),
              cli_ok("Compras.Empresa = '0''1'\n"));
    EXPECT_EQ(
        ledger(
            {"sql", "header", "CMP", "--company", "01", "--value", "A-17", "--date", "2024-03-05"}),
        cli_ok(
            "----------------------------------------\r\n--Compras\r\n"
            "----------------------------------------\r\nSELECT TOP 1 \r\n2 as Pl_Tipo, \r\n"
            "Compras.Folio as Pl_Referencia, \r\n'' as Pl_Comentario \r\nFROM \r\nCompras\r\nWHERE "
            "\r\nCompras.Folio = 'A-17' AND \r\nCompras.Empresa = '01'\r\n"));
}

TEST_F(CliSqlTest, AMissingTemplateOrBadDateIsReported) {
    EXPECT_EQ(ledger({"sql", "detail", "NADA"}),
              cli_error(1, "ledgernova: template NADA does not exist or has no lines\n"));
    EXPECT_EQ(2, ledger({"sql", "header", "CMP", "--date", "05/03/2024"}).status);
    EXPECT_EQ(2, ledger({"sql", "body", "CMP"}).status);
}

}  // namespace
}  // namespace ledgernova::testing

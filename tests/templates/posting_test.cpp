#include <gtest/gtest.h>

#include "support/database_error.h"
#include "templates/generator.h"
#include "templates/purchases_ledger.h"

namespace ledgernova::testing {
namespace {

using PostingTest = PurchasesLedger;

TEST_F(PostingTest, ADocumentUnderTwoTemplatesGivesTwoBalancedLinkedVouchers) {
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ(
        "0000000001|0000000001|2|COMPRAS|A-1|A-1|Compra A-1|CMP|AC\n"
        "0000000002|0000000002|2|COMPRAS|A-1|A-1|IVA|CMP2|AC\n",
        vouchers());
    EXPECT_EQ(
        "0000000001|0001|5101|ADMINI|ACME|1|100\n"
        "0000000001|0002|2101||Proveedor|2|100\n"
        "0000000002|0001|1190||IVA|1|16\n"
        "0000000002|0002|2102||IVA|2|16\n",
        lines());
    EXPECT_EQ("0000000001|COMPRAS|A-1|OPER|AC\n0000000002|COMPRAS|A-1|OPER|AC\n", links());
}

TEST_F(PostingTest, TheDocumentSelectAndTheLinkInsertAreComposedExactly) {
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    const auto& executed = statements();
    const std::string select =
        "SELECT DISTINCT(Compras.Folio) as Folio, Compras.Fecha as Fecha \r\nFROM \r\nCompras "
        "\r\nWHERE Compras.Folio = 'A-1'  AND Compras.Empresa = '01'  AND Compras.Folio NOT IN "
        "(    SELECT DISTINCT        Poliza_Control.Pc_Documento    FROM Poliza_Control        "
        "INNER JOIN Poliza ON Poliza.Pl_Folio = Poliza_Control.Pl_Folio    WHERE        "
        "Poliza.Es_Cve_Estado <> 'CA' AND        Poliza_Control.Pc_Tabla = 'COMPRAS' AND        "
        "Poliza.Pl_Configuracion = 'CMP' AND        Poliza_Control.Pc_Documento = 'A-1') "
        "\r\nORDER BY Compras.Fecha, Compras.Folio";
    const std::string link =
        "INSERT INTO Poliza_Control(    Pl_Folio,    Pc_Tabla,    Pc_Documento,    Oper_Alta,    "
        "Fecha_Alta,    Oper_Ult_Modif,    Fecha_Ult_Modif ) \r\nSELECT DISTINCT    "
        "'0000000001',    'COMPRAS',    Compras.Folio,    'OPER',    GETDATE(),    'OPER',    "
        "GETDATE() \r\nFROM Compras \r\nWHERE Compras.Folio = 'A-1'  AND Compras.Empresa = '01' ";
    EXPECT_NE(executed.end(), std::find(executed.begin(), executed.end(), select));
    EXPECT_NE(executed.end(), std::find(executed.begin(), executed.end(), link));
}

TEST_F(PostingTest, PostingAgainWritesNothingAndCancellingByDocumentOffersItAgain) {
    ASSERT_TRUE(post("A-1"));
    const std::string posted = everything();
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ(posted, everything());
    ASSERT_TRUE(object.Cancelar_Poliza_Documento("Compras", "A-1")) << object.get_Error();
    EXPECT_EQ("0000000001|COMPRAS|A-1|OPER|CA\n0000000002|COMPRAS|A-1|OPER|AC\n", links());
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ("0000000003|0000000003|2|COMPRAS|A-1|A-1|Compra A-1|CMP|AC\n",
              vouchers("WHERE Pl_Folio = '0000000003'"));
    EXPECT_EQ("2\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Control WHERE Es_Cve_Estado = 'AC'"));
}

TEST_F(PostingTest, AVoucherCoveringTwoDocumentsIsNotCancelledByOne) {
    ASSERT_TRUE(post("A-1"));
    execute(
        "INSERT INTO Poliza_Control(Pl_Folio, Pc_Tabla, Pc_Documento) VALUES('0000000001', "
        "'COMPRAS', 'A-2')");
    const std::string before = everything();
    EXPECT_FALSE(object.Cancelar_Poliza_Documento("Compras", "A-2"));
    EXPECT_EQ(before, everything());
}

TEST_F(PostingTest, ANegativeAmountStopsAndLeavesNothingBehind) {
    add_purchase("N-1", "2024-03-07", "-5", "0");
    EXPECT_FALSE(post("N-1"));
    EXPECT_EQ(
        "Error al agregar un registro a la póliza, el importe no puede ser negativo!\r\n"
        "=>Configuración:CMP\r\n=>Fecha:07/03/2024\r\n=>Cuenta:5101\r\n=>Ce.Co.:ADMINISTRA\r\n"
        "=>Concepto:ACME\r\n=>Referencia:\r\n=>Importe:-5\r\n=>Tipo:CARGO",
        object.get_Error());
    EXPECT_EQ("", everything());
    EXPECT_EQ("", ledger.rows("SELECT * FROM Consecutivo"));
    execute("UPDATE Compras SET Importe = 5 WHERE Folio = 'N-1'");
    ASSERT_TRUE(post("N-1")) << object.get_Error();
    EXPECT_EQ("0000000001|0000000001|2|COMPRAS|N-1|N-1|Compra N-1|CMP|AC\n",
              vouchers("WHERE Pl_Configuracion = 'CMP'"));
}

TEST_F(PostingTest, ARefusedLineStopsWithItsTextAndLeavesNothingBehind) {
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Cuenta_Contable = '''9999''' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP' AND Pcd_ID = 3");
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ(
        "Error al agregar un registro a la póliza: \r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
        "La cuenta contable:9999, no existe\r\n=>Configuración:CMP\r\n=>Fecha:05/03/2024\r\n"
        "=>Cuenta:9999\r\n=>Ce.Co.:\r\n=>Concepto:Proveedor\r\n=>Referencia:\r\n=>Importe:100\r\n"
        "=>Tipo:ABONO",
        object.get_Error());
    EXPECT_EQ("", everything());
}

// A purchase recorded on two dates is two documents of one call: the second, in a closed period,
// fails alone, and the first keeps its voucher and its link.
TEST_F(PostingTest, ALaterDocumentOfTheCallFailsAloneAndTheEarlierStaysPosted) {
    add_purchase("D-1", "2024-03-08", "10", "1.6");
    add_purchase("D-1", "2024-04-02", "20", "3.2");
    execute(
        "INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) "
        "VALUES('GEN_VALIDAR_PERIODO_OPERATIVO', 0, '1')");
    execute(
        "INSERT INTO Periodo_Operativo(Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado) "
        "VALUES('CONTABILIDAD', '2024-03-01', '2024-03-31', 'AB')");
    EXPECT_FALSE(post("D-1"));
    EXPECT_EQ(
        "Error al agregar un registro a la póliza: \r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
        "El período operativo correspondiente a la fecha: 02-04-2024, está cerrado o no existe!\r\n"
        "=>Configuración:CMP\r\n=>Fecha:02/04/2024\r\n=>Cuenta:5101\r\n=>Ce.Co.:ADMINISTRA\r\n"
        "=>Concepto:ACME\r\n=>Referencia:\r\n=>Importe:30\r\n=>Tipo:CARGO",
        object.get_Error());
    EXPECT_EQ("0000000001|0000000001|2|COMPRAS|D-1|D-1|Compra D-1|CMP|AC\n", vouchers());
    EXPECT_EQ("0000000001|COMPRAS|D-1|OPER|AC\n", links());
}

// A template line whose texts all come from the purchase, which leaves them out.
class PostingNullTextsTest : public PostingTest {
  protected:
    PostingNullTextsTest() {
        execute(
            "UPDATE Poliza_Configuracion_Detalle SET Pcd_Cuenta_Contable = 'Compras.Centro', "
            "Pcd_Referencia = 'Compras.Proveedor' WHERE Pc_Cve_Poliza_Configuracion = 'CMP' "
            "AND Pcd_ID = 1");
        execute("UPDATE Compras SET Centro = NULL, Proveedor = NULL");
    }
};

TEST_F(PostingNullTextsTest, ANegativeAmountShowsThemAsNothing) {
    add_purchase("N-1", "2024-03-07", "-5", "0");
    execute("UPDATE Compras SET Centro = NULL, Proveedor = NULL WHERE Folio = 'N-1'");
    EXPECT_FALSE(post("N-1"));
    EXPECT_EQ(
        "Error al agregar un registro a la póliza, el importe no puede ser negativo!\r\n"
        "=>Configuración:CMP\r\n=>Fecha:07/03/2024\r\n=>Cuenta:\r\n=>Ce.Co.:\r\n"
        "=>Concepto:\r\n=>Referencia:\r\n=>Importe:-5\r\n=>Tipo:CARGO",
        object.get_Error());
    EXPECT_EQ("", everything());
}

// A line's text must be text: a Null there stops the generation as any other failure does.
TEST_F(PostingNullTextsTest, ANullTextOfAnAddedLineIsAGeneralFailure) {
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ("Genera_Poliza: CMP error: Invalid use of Null", object.get_Error());
    EXPECT_EQ("", everything());
}

TEST_F(PostingTest, ZeroAmountsNeedThePermit) {
    const std::string discounts =
        "SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Importe FROM Poliza_Detalle WHERE "
        "Cc_Cve_Cuenta_Contable = '5102'";
    ASSERT_TRUE(post("A-1"));
    EXPECT_EQ("", ledger.rows(discounts));
    execute("UPDATE Poliza_Configuracion SET Pc_Permitir_Importe_Cero = 'si'");
    ASSERT_TRUE(post("A-2"));
    EXPECT_EQ("", ledger.rows(discounts));
    add_purchase("A-3", "2024-03-08", "10", "1.6");
    execute("UPDATE Poliza_Configuracion SET Pc_Permitir_Importe_Cero = 'SI'");
    ASSERT_TRUE(post("A-3"));
    EXPECT_EQ("0000000005|0002|5102|0\n", ledger.rows(discounts));
}

TEST_F(PostingTest, AnUnbalancedVoucherIsReportedAndNotStored) {
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Abono = 'Compras.Iva + 1' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP2' AND Pcd_ID = 2");
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ("ledgerNova.dll - Genera_Poliza()\r\nPóliza desbalanceada! 0000000002\r\n",
              object.get_Error());
    EXPECT_EQ("0000000001|0000000001|2|COMPRAS|A-1|A-1|Compra A-1|CMP|AC\n", vouchers());
    EXPECT_EQ("0000000001|COMPRAS|A-1|OPER|AC\n", links());
}

TEST_F(PostingTest, TemplatesThatDoNotApplyAutomaticallyGivePendingVouchers) {
    execute(
        "UPDATE Poliza_Configuracion SET Pc_Aplicacion_Automatica = 'NO' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP2'");
    ASSERT_TRUE(post("A-1"));
    EXPECT_EQ("AC\nPD\n", ledger.rows("SELECT Es_Cve_Estado FROM Poliza ORDER BY Pl_Folio"));
}

TEST_F(PostingTest, ABlankCompanyIsRefused) {
    EXPECT_FALSE(post("A-1", "   "));
    EXPECT_EQ("ledgerNova.dll - Genera_Poliza_Tabla()\r\nNo se especifico la empresa",
              object.get_Error());
    EXPECT_EQ("", everything());
}

TEST_F(PostingTest, ADocumentKeyWithAQuotePostsAndCancels) {
    add_purchase("O'B-1", "2024-03-09", "20", "3.2");
    ASSERT_TRUE(post("O'B-1")) << object.get_Error();
    EXPECT_EQ("0000000001|COMPRAS|O'B-1|OPER|AC\n0000000002|COMPRAS|O'B-1|OPER|AC\n", links());
    ASSERT_TRUE(object.Cancelar_Poliza_Documento("COMPRAS", "O'B-1")) << object.get_Error();
    EXPECT_EQ("CA\nAC\n", ledger.rows("SELECT Es_Cve_Estado FROM Poliza ORDER BY Pl_Folio"));
}

TEST_F(PostingTest, AGenerationWithNothingToPostGoesOnWithTheNextTemplate) {
    add_purchase("Z-1", "2024-03-10", "0", "4");
    ASSERT_TRUE(post("Z-1")) << object.get_Error();
    EXPECT_EQ("0000000001|CMP2\n",
              ledger.rows("SELECT Pl_Folio, Pl_Configuracion FROM Poliza ORDER BY Pl_Folio"));
    EXPECT_EQ("0000000001|COMPRAS|Z-1|OPER|AC\n", links());
}

TEST_F(PostingTest, CompanyConditionAndInactiveTemplates) {
    ASSERT_TRUE(post("A-1", "02")) << object.get_Error();
    EXPECT_EQ("0000000001|CMP2\n",
              ledger.rows("SELECT Pl_Folio, Pl_Configuracion FROM Poliza ORDER BY Pl_Folio"));
    execute("UPDATE Poliza_Configuracion SET Es_Cve_Estado = 'BA'");
    ASSERT_TRUE(post("A-2"));
    EXPECT_EQ("1\n", ledger.rows("SELECT COUNT(*) FROM Poliza"));
}

TEST_F(PostingTest, OnLinePosting) {
    ledger.recorder().clear();
    EXPECT_TRUE(object.Contabiliza_En_Linea("compras"));
    EXPECT_EQ("", object.get_Error());
    const std::string from_where =
        "FROM Poliza_Configuracion    INNER JOIN Poliza_Configuracion_Tabla ON "
        "Poliza_Configuracion.Pc_Tabla = Poliza_Configuracion_Tabla.Pc_Tabla WHERE    "
        "Poliza_Configuracion_Tabla.Pc_Tabla = 'compras' AND    "
        "Poliza_Configuracion.Es_Cve_Estado <> 'BA' AND "
        "Poliza_Configuracion_Tabla.Pc_Contabiliza_Linea = 'SI' ";
    EXPECT_EQ(
        "SELECT    Poliza_Configuracion.Pc_Cve_Poliza_Configuracion,    "
        "Poliza_Configuracion.Pc_Descripcion,    Poliza_Configuracion.Pc_Tabla " +
            from_where,
        statements().back());
    EXPECT_TRUE(object.Genera_Poliza_Tabla("compras", "NADA", "01"));
    EXPECT_EQ(
        "SELECT    Poliza_Configuracion.Pc_Cve_Poliza_Configuracion,    "
        "Poliza_Configuracion.Pc_Descripcion,    Poliza_Configuracion.Pc_Tabla,    "
        "Poliza_Configuracion.Pc_Permitir_Importe_Cero,    Poliza_Configuracion.Pc_Relacion,"
        "    Poliza_Configuracion_Tabla.Pc_Campo_Dia,    "
        "Poliza_Configuracion_Tabla.Pc_Campo_Movimiento " +
            from_where + "ORDER BY    Poliza_Configuracion.Pc_Cve_Poliza_Configuracion",
        statements()[Ledger::on_server() ? 2 : 1]);  // a server's configuration version first
    EXPECT_FALSE(object.Contabiliza_En_Linea("Nomina"));
    execute("DROP TABLE Poliza_Configuracion_Tabla");
    EXPECT_FALSE(object.Contabiliza_En_Linea("Compras"));
    EXPECT_TRUE(database_error_is("ledgerNova.dll - Contabiliza_En_Linea() \r\n",
                                  "no such table: Poliza_Configuracion_Tabla", "42P01",
                                  object.get_Error()));
}

TEST_F(PostingTest, HeaderAndLineTextsAreCutByCharacters) {
    execute("UPDATE Compras SET Centro = 'ÁREA_ÑÚ_LARGA', Proveedor = '" + std::string(120, 'x') +
            "' WHERE Folio = 'A-1'");
    execute("UPDATE Poliza_Configuracion SET Pc_Comentario = '''" + std::string(49, 'c') +
            "ñandú''', Pc_Referencia = '''Referencia-número-larga''' WHERE "
            "Pc_Cve_Poliza_Configuracion = 'CMP'");
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ(std::string(49, 'c') + "ñ|Referencia-núme\n",
              ledger.rows("SELECT Pl_Comentario, Pl_Referencia FROM Poliza WHERE Pl_Configuracion "
                          "= 'CMP'"));
    EXPECT_EQ("ÁREA_Ñ|" + std::string(100, 'x') + "\n",
              ledger.rows("SELECT Pd_Centro_Costo, Pd_Concepto FROM Poliza_Detalle WHERE "
                          "Cc_Cve_Cuenta_Contable = '5101'"));
}

TEST_F(PostingTest, GenerationFailuresReadingTheTemplate) {
    std::string folio = "x";
    templates::Generacion generacion{"NADA", Date::from_ymd(2024, 3, 5), "A-1", "", "", "01"};
    EXPECT_FALSE(templates::Genera_Poliza(contexto, generacion, folio));
    EXPECT_EQ("", folio);
    EXPECT_EQ("Genera_Poliza: NADA error: Command text was not set for the command object.",
              contexto.Error);
    generacion = {"CMP", Date::from_ymd(2024, 3, 5), "NO-EXISTE", "Compras", "", "01"};
    EXPECT_FALSE(templates::Genera_Poliza(contexto, generacion, folio));
    EXPECT_EQ(
        "ledgerNova.dll - Genera_Poliza()\r\nNo se encontraron resultados para el "
        "encabezado!",
        contexto.Error);
}

// Sales in a source table whose name has an accented letter, stored upper-cased as FACTURACIÓN in
// the voucher and its links: found again by the name in any case, on either database.
class AccentedTableTest : public TemplateStore {
  protected:
    AccentedTableTest() {
        ledger.add_account("1105");
        ledger.add_account("4101");
        execute("CREATE TABLE Facturación(Folio TEXT, Fecha TEXT, Empresa TEXT, Importe NUMERIC)");
        execute("INSERT INTO Facturación VALUES('V-1', '2024-03-05', '01', 250)");
        add_table({.tabla = "Facturación",
                   .modulo = "VEN",
                   .campo_dia = "Facturación.Fecha",
                   .campo_movimiento = "Facturación.Folio"});
        add_template({.clave = "VTA",
                      .descripcion = "Venta",
                      .tabla = "Facturación",
                      .tipo = "1",
                      .referencia = "Facturación.Folio",
                      .comentario = "'Venta ' || Facturación.Folio",
                      .relacion = "Facturación"});
        add_condition(1, "Facturación.Empresa = '<EMPRESA>'", "VTA");
        add_line({.clave = "VTA",
                  .id = 1,
                  .cuenta = "'1105'",
                  .concepto = "'Cliente'",
                  .cargo = "Facturación.Importe"});
        add_line({.clave = "VTA",
                  .id = 2,
                  .cuenta = "'4101'",
                  .concepto = "'Venta'",
                  .abono = "Facturación.Importe"});
    }

    std::string posted() {
        return ledger.rows(
            "SELECT p.Pl_Folio, p.Pl_Tabla, p.Pl_Documento, p.Es_Cve_Estado, c.Pc_Tabla, "
            "c.Es_Cve_Estado FROM Poliza p JOIN Poliza_Control c ON c.Pl_Folio = p.Pl_Folio "
            "ORDER BY p.Pl_Folio");
    }
};

TEST_F(AccentedTableTest, PostsOnceIsFoundOnLineAndIsCancelledByTheNameInAnyCase) {
    EXPECT_TRUE(object.Contabiliza_En_Linea("FACTURACIÓN")) << object.get_Error();
    EXPECT_TRUE(object.Contabiliza_En_Linea("facturación")) << object.get_Error();
    ASSERT_TRUE(object.Genera_Poliza_Tabla("FACTURACIÓN", "V-1", "01")) << object.get_Error();
    ASSERT_TRUE(object.Genera_Poliza_Tabla("facturación", "V-1", "01")) << object.get_Error();
    EXPECT_EQ("0000000001|FACTURACIÓN|V-1|AC|FACTURACIÓN|AC\n", posted());
    EXPECT_EQ("1\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Control "
                                 "WHERE Pc_Tabla = 'Facturación' AND Pc_Documento = 'v-1'"));
    ASSERT_TRUE(object.Cancelar_Poliza_Documento("Facturación", "V-1")) << object.get_Error();
    EXPECT_EQ("0000000001|FACTURACIÓN|V-1|CA|FACTURACIÓN|CA\n", posted());
}

}  // namespace
}  // namespace ledgernova::testing

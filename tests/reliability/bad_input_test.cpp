// Bad input from every side a posting reads: Null template columns, quotes and non-ASCII text in
// every value that reaches a statement, template SQL that does not parse, amounts that are not
// numbers and a voucher that outgrows its 16-bit line counter. Each must end in a clear error
// text, without a crash, with what was stored before intact and nothing half-written.

#include <gtest/gtest.h>

#include <string>

#include "core/voucher_support.h"
#include "support/database_error.h"
#include "templates/grouping.h"
#include "templates/purchases_ledger.h"
#include "util/text.h"

namespace ledgernova::testing {
namespace {

const Date kMarch5 = Date::from_ymd(2024, 3, 5);

// ---- Null template columns ----------------------------------------------------------------------

using BadInputNullText = PurchasesLedger;

// The detail builder refuses a Null in every column it reads as text, and only it reads them
// (tests/templates/detail_query_test): the posting reports the empty statement it is left with,
// and the failure takes no folio.
TEST_F(BadInputNullText, ANullLineColumnFailsThePostingAndPostsNothingUntilRepaired) {
    const std::string line = " WHERE Pc_Cve_Poliza_Configuracion = 'CMP' AND Pcd_ID = 1";
    execute("UPDATE Poliza_Configuracion_Detalle SET Pcd_Cargo = NULL" + line);
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ("Genera_Poliza: CMP error: Command text was not set for the command object.",
              object.get_Error());
    EXPECT_EQ("", everything());
    execute("UPDATE Poliza_Configuracion_Detalle SET Pcd_Cargo = 'SUM(Compras.Importe)'" + line);
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ("0000000001|CMP|AC\n0000000002|CMP2|AC\n",
              ledger.rows("SELECT Pl_Folio, Pl_Configuracion, Es_Cve_Estado FROM Poliza ORDER BY "
                          "Pl_Folio"));
}

// The condition reader's refusal is pinned in tests/templates/conditions_test.
TEST_F(BadInputNullText, ANullConditionStopsThePostingWithTheConditionReadersText) {
    execute("UPDATE Poliza_Configuracion_Condicion SET Pcc_Valor = NULL");
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ("GetSQL_Condicion_General()\r\nInvalid use of Null", object.get_Error());
    EXPECT_EQ("", everything());
}

TEST_F(BadInputNullText, ANullRelationStopsTheBatchBeforeAnyVoucher) {
    execute(
        "UPDATE Poliza_Configuracion SET Pc_Relacion = NULL WHERE Pc_Cve_Poliza_Configuracion "
        "= 'CMP2'");
    EXPECT_FALSE(post("A-1"));
    EXPECT_EQ("ledgerNova.dll - Genera_Poliza_Tabla()\r\nInvalid use of Null", object.get_Error());
    EXPECT_EQ("", everything());
}

// The builders write these as nothing (tests/templates/header_query_test, detail_query_test); the
// posting goes on as with empty texts.
TEST_F(BadInputNullText, NullDescriptionsAndJoinsPostAsEmptyTexts) {
    execute("UPDATE Poliza_Configuracion SET Pc_Descripcion = NULL");
    execute("UPDATE Poliza_Configuracion_Detalle SET Pcd_Descripcion = NULL, Pcd_Relacion = NULL");
    ASSERT_TRUE(post("A-1")) << object.get_Error();
    EXPECT_EQ(
        "0000000001|0001|5101|ADMINI|ACME|1|100\n"
        "0000000001|0002|2101||Proveedor|2|100\n"
        "0000000002|0001|1190||IVA|1|16\n"
        "0000000002|0002|2102||IVA|2|16\n",
        lines());
}

TEST_F(BadInputNullText, ANullHeaderExpressionGivesAStatementTheDatabaseRefuses) {
    execute(
        "UPDATE Poliza_Configuracion SET Pc_Referencia = NULL WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP'");
    const std::string header = object.GetSQL_Encabezado("CMP", kMarch5, "A-1", "");
    EXPECT_NE(std::string::npos, header.find("\r\n as Pl_Referencia, \r\n")) << header;
    EXPECT_FALSE(post("A-1"));
    EXPECT_TRUE(database_error_is("Genera_Poliza: CMP error: ", "near \"as\": syntax error",
                                  "42601", object.get_Error()));
    EXPECT_EQ("", everything());
}

// The detail text it gives is pinned in tests/templates/detail_query_test.
TEST_F(BadInputNullText, ANullAmountOfAnUngroupedLineGivesAStatementTheDatabaseRefuses) {
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Abono = NULL WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP' AND Pcd_ID = 2");
    EXPECT_FALSE(post("A-1"));
    EXPECT_TRUE(database_error_is("Genera_Poliza: CMP error: ", "near \"as\": syntax error",
                                  "42601", object.get_Error()));
    EXPECT_EQ("", everything());
}

// ---- quotes and non-ASCII text ------------------------------------------------------------------

// Expenses whose every text value carries a quote and letters beyond ASCII, posted under a template
// whose key does too, for a company that does too.
class BadInputText : public TemplateStore {
  protected:
    static constexpr const char* kKey = "GTO'ñ";
    static constexpr const char* kCompany = "0'1ñ";
    static constexpr const char* kDocument = "O'Brien-ñ😀-1";
    static constexpr const char* kAccount = "5101'ñ";
    static constexpr const char* kCreditAccount = "2101-ü😀";

    BadInputText() {
        ledger.add_account(kAccount);
        ledger.add_account(kCreditAccount);
        execute(
            "CREATE TABLE Gastos(Folio TEXT, Fecha TEXT, Empresa TEXT, Cuenta TEXT, Centro TEXT, "
            "Concepto TEXT, Referencia TEXT, Comentario TEXT, Importe NUMERIC)");
        execute("INSERT INTO Gastos VALUES(" + q(kDocument) + ", '2024-03-05', " + q(kCompany) +
                ", " + q(kAccount) + ", " + q(centre) + ", " + q(concepto) + ", " + q(reference) +
                ", " + q(comment) + ", 250.75)");
        add_table({.tabla = "Gastos",
                   .modulo = "GAS",
                   .campo_dia = "Gastos.Fecha",
                   .campo_movimiento = "Gastos.Folio"});
        add_template({.clave = kKey,
                      .descripcion = "Gastos de 'viaje' ñ",
                      .tabla = "Gastos",
                      .referencia = "Gastos.Referencia",
                      .comentario = "Gastos.Comentario",
                      .relacion = "Gastos"});
        add_condition(1, "Gastos.Empresa = '<EMPRESA>'", kKey);
        add_line({.clave = kKey,
                  .id = 1,
                  .descripcion = "Gasto 'ñ'",
                  .cuenta = "Gastos.Cuenta",
                  .centro = "Gastos.Centro",
                  .concepto = "Gastos.Concepto",
                  .referencia = "Gastos.Referencia",
                  .cargo = "Gastos.Importe"});
        add_line({.clave = kKey,
                  .id = 2,
                  .cuenta = q(kCreditAccount),
                  .concepto = "'Proveedor O''Brien ñ'",
                  .abono = "Gastos.Importe"});
    }

    bool post() { return object.Genera_Poliza_Tabla("Gastos", kDocument, kCompany); }

    std::string stored() {
        return ledger.rows(
                   "SELECT Pl_Folio, Em_Cve_Empresa, Pl_Tabla, Pl_Documento, Pl_Referencia, "
                   "Pl_Comentario, Pl_Configuracion, Es_Cve_Estado FROM Poliza ORDER BY "
                   "Pl_Folio") +
               ledger.rows(
                   "SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, "
                   "Pd_Referencia, Pd_Tipo, Pd_Importe FROM Poliza_Detalle ORDER BY Pl_Folio, "
                   "Pd_ID") +
               ledger.rows(
                   "SELECT Pl_Folio, Pc_Tabla, Pc_Documento, Es_Cve_Estado FROM Poliza_Control "
                   "ORDER BY Pl_Folio");
    }

    // Eight characters, of which the first six are kept: a quote and a four-byte emoji among them.
    const std::string centre = "ÑÁ'É😀ÍÓÚ";
    // A concept that tries to end its literal early, longer than the 100 characters kept.
    const std::string concepto =
        "x'); DELETE FROM Cuenta_Contable; --" + std::string(63, 'c') + "ñ😀 sobra";
    // The fifteenth character is a two-byte letter, the tenth a four-byte emoji.
    const std::string reference = "Número'ñ-😀-ÁÉÍÓÚ-larga";
    // Fifty characters end with a two-byte letter; an emoji follows.
    const std::string comment = "Pago de O'Brien " + std::string(33, 'c') + "ñ😀 y más";
};

TEST_F(BadInputText, EveryValueIsStoredIntactAndCutByCharactersAndTheDocumentFoundAgain) {
    ASSERT_TRUE(post()) << object.get_Error();
    const std::string kept_concept =
        "x'); DELETE FROM Cuenta_Contable; --" + std::string(63, 'c') + "ñ";
    const std::string kept_comment = "Pago de O'Brien " + std::string(33, 'c') + "ñ";
    EXPECT_EQ("0000000001|0'1ñ|GASTOS|O'Brien-ñ😀-1|Número'ñ-😀-ÁÉÍÓ|" + kept_comment +
                  "|GTO'ñ|AC\n"
                  "0000000001|0001|5101'ñ|ÑÁ'É😀Í|" +
                  kept_concept +
                  "|Número'ñ-😀-ÁÉÍÓ|1|250.75\n"
                  "0000000001|0002|2101-ü😀||Proveedor O'Brien ñ||2|250.75\n"
                  "0000000001|GASTOS|O'Brien-ñ😀-1|AC\n",
              stored());
    EXPECT_EQ("5101'ñ\n2101-ü😀\n",
              ledger.rows("SELECT Cc_Cve_Cuenta_Contable FROM Cuenta_Contable ORDER BY "
                          "Cc_Cve_Cuenta_Contable DESC"));
    // The document is found again: to skip it, to cancel it and to post it anew.
    const std::string posted = stored();
    ASSERT_TRUE(post()) << object.get_Error();
    EXPECT_EQ(posted, stored());
    ASSERT_TRUE(object.Cancelar_Poliza_Documento("Gastos", kDocument)) << object.get_Error();
    EXPECT_EQ("CA\n", ledger.rows("SELECT Es_Cve_Estado FROM Poliza_Control"));
    ASSERT_TRUE(post()) << object.get_Error();
    EXPECT_EQ("0000000001|CA|0000000001\n0000000002|AC|0000000002\n",
              ledger.rows("SELECT Pl_Folio, Es_Cve_Estado, Pl_Numero FROM Poliza ORDER BY "
                          "Pl_Folio"));
}

TEST_F(BadInputText, AManualVoucherStoresQuotesAndAccentsIntact) {
    tPlEncabezado encabezado = header(kMarch5, eTp_Diario, kCompany);
    encabezado.Pl_Tabla = "Gastos'ñ";
    encabezado.Pl_Documento = kDocument;
    encabezado.Pl_Referencia = "R'ñ😀";
    encabezado.Pl_Comentario = "Comentario 'entre comillas' ñandú 😀";
    object.Nuevo();
    object.put_Encabezado(encabezado);
    ASSERT_TRUE(
        add(object, tPlDetalle{"", kAccount, "Pago O'Brien ñ😀", "Ref'ü", eTmCargo, 10, "Ñ'Á"}))
        << object.get_Error();
    ASSERT_TRUE(add(object, tPlDetalle{"", kCreditAccount, "'; --", "", eTmAbono, 10, ""}))
        << object.get_Error();
    ASSERT_TRUE(object.Poliza_Balanceada()) << object.get_Error();
    EXPECT_EQ(
        "0000000001|0'1ñ|Gastos'ñ|O'Brien-ñ😀-1|R'ñ😀|Comentario 'entre comillas' ñandú 😀||AC\n"
        "0000000001|0001|5101'ñ|Ñ'Á|Pago O'Brien ñ😀|Ref'ü|1|10\n"
        "0000000001|0002|2101-ü😀||'; --||2|10\n",
        stored());
}

TEST(BadInputStrayByte, CaseOfTextWithAStrayLeadByteStillFindsSubSelectsAndSums) {
    // 0xC3 followed by an ASCII letter is not UTF-8 (Latin-1 text, for one): the letter after it
    // is still upper-cased, so neither test is fooled by the letter case.
    EXPECT_EQ("\xC3SELECT", util::to_upper("\xC3select"));
    EXPECT_EQ("", templates::Agrega_Campo_Group_By("\xC3select MAX(x) FROM y", ""));
    EXPECT_TRUE(templates::Es_Campo_Suma("\xC3sum(x)"));
}

// ---- template SQL that does not parse -----------------------------------------------------------

class BadInputSql : public PurchasesLedger {
  protected:
    BadInputSql() {
        EXPECT_TRUE(post("A-1")) << object.get_Error();
        before = everything();
    }
    std::string before;
};

TEST_F(BadInputSql, ARelationThatDoesNotParseStopsThePostingAndKeepsWhatWasStored) {
    execute(
        "UPDATE Poliza_Configuracion SET Pc_Relacion = 'Compras WHERE (' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP'");
    EXPECT_FALSE(post("A-2"));
    EXPECT_TRUE(database_error_is("ledgerNova.dll - Genera_Poliza_Tabla()\r\n",
                                  "near \"WHERE\": syntax error", "42601", object.get_Error()));
    EXPECT_EQ(before, everything());
}

TEST_F(BadInputSql, ALineExpressionThatDoesNotParseStopsThatVoucherOnly) {
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Concepto = '''IVA'' AND AND 1' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP2' AND Pcd_ID = 2");
    const std::string vouchers_before = vouchers(), lines_before = lines(), links_before = links();
    EXPECT_FALSE(post("A-2"));
    EXPECT_TRUE(database_error_is("Genera_Poliza: CMP2 error: ", "near \"AND\": syntax error",
                                  "42601", object.get_Error()));
    // The purchase template's voucher went before, whole and linked; the VAT one left nothing.
    EXPECT_EQ(vouchers_before + "0000000003|0000000003|2|COMPRAS|A-2|A-2|Compra A-2|CMP|AC\n",
              vouchers());
    EXPECT_EQ(lines_before +
                  "0000000003|0001|5101|ADMINI|ACME|1|50.5\n"
                  "0000000003|0002|2101||Proveedor|2|50.5\n",
              lines());
    EXPECT_EQ(links_before + "0000000003|COMPRAS|A-2|OPER|AC\n", links());
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Concepto = '''IVA''' WHERE "
        "Pc_Cve_Poliza_Configuracion = 'CMP2' AND Pcd_ID = 2");
    ASSERT_TRUE(post("A-2")) << object.get_Error();
    EXPECT_EQ("0000000004|CMP2\n",
              ledger.rows("SELECT Pl_Folio, Pl_Configuracion FROM Poliza WHERE Pl_Documento = "
                          "'A-2' AND Pl_Configuracion = 'CMP2'"));
}

// The rewrite of TOP into a limit is neither fooled by a comment opened with "/*/" nor in need of a
// blank after the count.
TEST(BadInputTop, ACommentOpenedWithASlashOrACountAgainstTheNextTokenIsStillRewritten) {
    Ledger ledger;
    const std::string two_accounts = "(SELECT '1101' AS c UNION ALL SELECT '2101') x";
    EXPECT_EQ("1101\n",
              ledger.rows("SELECT TOP 1 c FROM " + two_accounts + " ORDER BY c /*/ the first; */"));
    EXPECT_EQ("1101\n2101\n", ledger.rows("SELECT TOP 2 c FROM " + two_accounts +
                                          " /*/ SELECT TOP 1 c */ ORDER BY c"));
    EXPECT_EQ("1101\n", ledger.rows("SELECT TOP 1* FROM " + two_accounts + " ORDER BY c"));
}

// ---- amounts that are not numbers ---------------------------------------------------------------

// Expenses whose amount column is text, as a source table of another application may keep it.
class BadInputAmount : public TemplateStore {
  protected:
    BadInputAmount() {
        ledger.add_account("5101");
        ledger.add_account("2101");
        execute("CREATE TABLE Gastos(Folio TEXT, Fecha TEXT, Empresa TEXT, Importe TEXT)");
        execute("INSERT INTO Gastos VALUES('G-1', '2024-03-05', '01', 'abc')");
        execute("INSERT INTO Gastos VALUES('G-2', '2024-03-05', '01', '12.50')");
        add_table({.tabla = "Gastos",
                   .modulo = "GAS",
                   .campo_dia = "Gastos.Fecha",
                   .campo_movimiento = "Gastos.Folio"});
        add_template({.clave = "GTO", .tabla = "Gastos", .referencia = "''", .relacion = "Gastos"});
        add_line({.clave = "GTO", .id = 1, .cuenta = "'5101'", .cargo = "Gastos.Importe"});
        add_line({.clave = "GTO", .id = 2, .cuenta = "'2101'", .abono = "Gastos.Importe"});
    }

    bool post(const std::string& folio) {
        return object.Genera_Poliza_Tabla("Gastos", folio, "01");
    }
    std::string stored() {
        return ledger.rows("SELECT Pl_Folio, Pl_Documento, Pl_Tipo FROM Poliza ORDER BY Pl_Folio") +
               ledger.rows(
                   "SELECT Pl_Folio, Pd_ID, Pd_Tipo, Pd_Importe FROM Poliza_Detalle ORDER BY "
                   "Pl_Folio, Pd_ID") +
               ledger.rows("SELECT Pl_Folio, Pc_Documento FROM Poliza_Control ORDER BY Pl_Folio");
    }
};

TEST_F(BadInputAmount, ASourceAmountThatIsNotANumberStopsThePosting) {
    EXPECT_FALSE(post("G-1"));
    EXPECT_EQ("Genera_Poliza: GTO error: Type mismatch", object.get_Error());
    EXPECT_EQ("", stored());
}

TEST_F(BadInputAmount, ASourceAmountWrittenAsANumberInTextIsPosted) {
    ASSERT_TRUE(post("G-2")) << object.get_Error();
    EXPECT_EQ(
        "0000000001|G-2|2\n0000000001|0001|1|12.5\n0000000001|0002|2|12.5\n"
        "0000000001|G-2\n",
        stored());
}

TEST_F(BadInputAmount, AVoucherTypeExpressionYieldingTextStopsThePosting) {
    execute("UPDATE Poliza_Configuracion SET Pc_Tipo = '''egreso'''");
    EXPECT_FALSE(post("G-2"));
    EXPECT_EQ("Genera_Poliza: GTO error: Type mismatch", object.get_Error());
    EXPECT_EQ("", stored());
}

TEST_F(BadInputAmount, ArithmeticOnTextThatIsNotANumberIsZeroOnSQLite) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "SQLite's own typing: a server refuses arithmetic on text";
    }
    // SQLite reads 'abc' as 0 in arithmetic and sums, so the document's lines are all zero and
    // skipped: the posting succeeds without a voucher and the document stays unposted.
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Cargo = 'SUM(Gastos.Importe)' WHERE "
        "Pcd_ID = 1");
    execute(
        "UPDATE Poliza_Configuracion_Detalle SET Pcd_Abono = 'Gastos.Importe * 1' WHERE "
        "Pcd_ID = 2");
    EXPECT_TRUE(post("G-1")) << object.get_Error();
    EXPECT_EQ("", object.get_Error());
    EXPECT_EQ("", stored());
}

// ---- the 16-bit line counter --------------------------------------------------------------------

TEST(BadInputLineCounter, The32768thLineOfAVoucherIsAnOverflowAndNothingIsLost) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "65,000 statements over a network connection; the counter is the same";
    }
    Ledger ledger;
    ledger.add_account("1101");
    Polizas polizas;
    polizas.Nuevo();
    polizas.put_Encabezado(header(Date::from_ymd(2024, 3, 15)));
    const tPlDetalle detalle = line("1101", eTmCargo, 1);
    for (int n = 1; n <= 32767; ++n) {
        ASSERT_TRUE(add(polizas, detalle)) << "line " << n << ": " << polizas.get_Error();
    }
    EXPECT_EQ("32767", polizas.get_Detalle().Pd_ID);
    for (int again = 0; again < 2; ++again) {
        EXPECT_FALSE(add(polizas, detalle));
        EXPECT_EQ("ledgerNova.dll - Add_Poliza_Detalle()\r\n\r\nOverflow", polizas.get_Error());
    }
    EXPECT_EQ("1|0000000001\n", ledger.rows("SELECT COUNT(*), MIN(Pl_Folio) FROM Poliza"));
    EXPECT_EQ("32767|0001|32767|32767\n",
              ledger.rows("SELECT COUNT(*), MIN(Pd_ID), MAX(CAST(Pd_ID AS INTEGER)), "
                          "SUM(Pd_Importe) FROM Poliza_Detalle"));
}

}  // namespace
}  // namespace ledgernova::testing

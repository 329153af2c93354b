// The ODBC backend against the PostgreSQL server of LEDGERNOVA_TEST_ODBC (skipped without one).
// Each test works in the fresh schema of its ledger, which holds every table of the component.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/odbc_text.h"
#include "ledgernova/connection.h"
#include "ledgernova/schema.h"
#include "support/database_error.h"
#include "support/ledger.h"

namespace ledgernova::db {
namespace {

using ledgernova::testing::Ledger;
using ledgernova::testing::render;
using ledgernova::testing::values;

TEST(OdbcText, Utf8AndUtf16RoundTripAndBadInputTurnsIntoReplacements) {
    const std::string text = "Pérez ñandú € 𝄞";
    EXPECT_EQ(u"Pérez ñandú € 𝄞", utf8_to_utf16(text));
    EXPECT_EQ(text, utf16_to_utf8(utf8_to_utf16(text)));
    EXPECT_EQ(u"a\uFFFDb", utf8_to_utf16("a\xC3"
                                         "b"));
    EXPECT_EQ(u"\uFFFD\uFFFD", utf8_to_utf16("\xC0\xAF"));  // an overlong '/'
    EXPECT_EQ(u"SELECT Pd_Concepto FROM ñ WHERE a = '€' AND b = 'x'",
              utf8_to_utf16("SELECT Pd_Concepto FROM ñ WHERE a = '€' AND b = 'x'"));
    EXPECT_EQ("x\xEF\xBF\xBD", utf16_to_utf8(std::u16string(u"x") + char16_t{0xD800}));
}

// The message quotes about 30 bytes either side of the first bad byte, never half a character,
// with every byte that starts no character written \xNN.
TEST(OdbcText, TextBoundForTheServerMustBeUtf8) {
    EXPECT_NO_THROW(require_utf8("SELECT 'Pérez ñandú € 𝄞'"));
    const auto message = [](const std::string& text) -> std::string {
        try {
            require_utf8(text);
        } catch (const Error& error) {
            return error.what();
        }
        return "";
    };
    EXPECT_EQ("Text is not valid UTF-8 (byte 0xE9 at offset 11): SELECT 'Jos\\xE9' AS x",
              message("SELECT 'Jos\xE9' AS x"));
    EXPECT_EQ(
        "Text is not valid UTF-8 (byte 0xC3 at offset 61): ...ón = 'Facturación' AND b = "
        "'\\xC3' AND c = 'ñ\\xFF' AND d = 'aaaaa...",
        message("SELECT * FROM t WHERE Descripción = 'Facturación' AND b = '\xC3' AND c = "
                "'ñ\xFF' AND d = 'aaaaaaaaaaaaaaaaaaaa'"));
    EXPECT_EQ("Text is not valid UTF-8 (byte 0xED at offset 1): '\\xED\\xA0\\x80'",
              message("'\xED\xA0\x80'"));  // a surrogate
}

class OdbcConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Ledger::on_server()) {
            GTEST_SKIP() << "set LEDGERNOVA_TEST_ODBC to an ODBC connection string to run";
        }
        ledger_ = std::make_unique<Ledger>();
    }

    Connection& db() { return ledger_->direct(); }
    std::string rows(const std::string& sql) { return ledger_->rows(sql); }

    std::string failure_of(const std::string& sql) { return testing::failure_of(db(), sql); }

    std::unique_ptr<Ledger> ledger_;
};

TEST_F(OdbcConnectionTest, KeepsNullApartFromEmptyTextAndZero) {
    EXPECT_EQ(
        (std::vector{Variant::null(), Variant(""), Variant(std::int32_t{0}), Variant::null()}),
        values(db().Execute("SELECT NULL AS n, '' AS e, 0 AS z, CAST(NULL AS TEXT) AS t")));
}

TEST_F(OdbcConnectionTest, ConvertsNumbersDatesAndTextFaithfully) {
    db().Execute(
        "CREATE TABLE Valores (Importe NUMERIC(18,2), Cambio NUMERIC(19,6), Entero INTEGER, "
        "Grande BIGINT, Doble DOUBLE PRECISION, Dia DATE, Momento TIMESTAMP, Texto TEXT)");
    db().Execute(
        "INSERT INTO Valores VALUES (1234567890123.45, 17.123456, -2147483648, 5000000000, 0.1, "
        "'2024-02-29', '2024-03-15 23:59:58.9', 'Pérez O''Brien ñ €')");
    EXPECT_EQ(
        (std::vector{
            Variant(1234567890123.45), Variant(17.123456), Variant(std::int32_t{-2147483647 - 1}),
            Variant(5000000000.0),  // beyond 32 bits: a Double
            Variant(0.1), Variant(Date::from_ymd(2024, 2, 29)),
            // Fractions of a second are dropped, never rounded into the next day.
            Variant(Date::from_ymd(2024, 3, 15, 23, 59, 58)), Variant("Pérez O'Brien ñ €")}),
        values(db().Execute("SELECT * FROM Valores")));
    EXPECT_EQ(Variant(0.3), db().Execute("SELECT CAST(0.1 AS NUMERIC) + 0.2 AS s").Fields(0).Value);
}

TEST_F(OdbcConnectionTest, ReadsLongTextWhole) {
    const std::string long_text(10000, 'x');
    EXPECT_EQ(Variant(long_text + "ñ"),
              db().Execute("SELECT repeat('x', 10000) || 'ñ' AS t").Fields("t").Value);
}

TEST_F(OdbcConnectionTest, ErrorsCarrySqlstateMessageAndNativeCode) {
    try {
        (void)db().Execute("SELECT * FROM Missing");
        FAIL() << "the statement ran";
    } catch (const Error& failure) {
        const std::string message = failure.what();
        EXPECT_TRUE(message.starts_with("[SQLSTATE 42P01] ")) << message;
        EXPECT_NE(message.find("\"missing\" does not exist"), std::string::npos) << message;
        EXPECT_NE(message.find("(native error " + std::to_string(failure.code()) + ")"),
                  std::string::npos)
            << message;
    }
}

TEST_F(OdbcConnectionTest, RefusesAnEmptyStatementAndAnUnreachableServer) {
    EXPECT_THROW(db().Execute(""), UsageError);
    EXPECT_THROW(db().Execute("  \r\n ;"), UsageError);
    try {
        (void)open_odbc("Driver=PostgreSQL Unicode;Server=127.0.0.1;Port=1;Database=x;Uid=x;");
        FAIL() << "connected";
    } catch (const Error& failure) {
        EXPECT_TRUE(std::string(failure.what()).starts_with("[SQLSTATE 08001] ")) << failure.what();
    }
}

TEST_F(OdbcConnectionTest, SeveralStatementsReturnTheRowsOfTheLastSelect) {
    EXPECT_EQ("2|a;b\n", rows("CREATE TABLE t(a INTEGER); INSERT INTO t VALUES (1), (2); "
                              "SELECT 'x' AS ignored; SELECT MAX(a), 'a;b' FROM t; "
                              "UPDATE t SET a = a WHERE a = 99"));
}

TEST_F(OdbcConnectionTest, RunsGetdateAndSelectTopAndDerivedTables) {
    db().Execute("CREATE TABLE t(a INTEGER); INSERT INTO t VALUES (3), (1), (2)");
    EXPECT_EQ("3\n", rows("SELECT TOP 1 a FROM t ORDER BY a DESC"));
    EXPECT_EQ("1|2\n", rows("SELECT MIN(x.a), MAX(x.a) FROM (SELECT TOP 2 a FROM t ORDER BY a) x"));
    const Variant now = db().Execute("SELECT GETDATE() AS Ahora").Fields("ahora").Value;
    ASSERT_EQ(Variant::Kind::Date, now.kind());
    EXPECT_GE(now.to_date().year(), 2024);
    // Written into the text time stamps of the ledger, GETDATE() reads as ISO text.
    db().Execute(
        "INSERT INTO Poliza_Control(Pl_Folio, Pc_Tabla, Pc_Documento, Fecha_Alta) "
        "SELECT '1', 'T', 'D', GETDATE()");
    Date stored;
    EXPECT_TRUE(Date::parse_iso(
        db().Execute("SELECT Fecha_Alta FROM Poliza_Control").Fields(0).Value.to_text(), stored));
}

TEST_F(OdbcConnectionTest, TextComparesAndIsUniqueWithoutRegardToCase) {
    db().Execute(
        "INSERT INTO Poliza_Control(Pl_Folio, Pc_Tabla, Pc_Documento) VALUES('F1', 'COMPRAS', "
        "'a-1')");
    EXPECT_EQ("F1\n", rows("SELECT Pl_Folio FROM Poliza_Control WHERE Pc_Tabla = 'Compras' AND "
                           "Pc_Documento IN ('A-1')"));
    EXPECT_EQ("1\n", rows("SELECT COUNT(DISTINCT Pc_Tabla) FROM Poliza_Control "
                          "WHERE Pc_Tabla IN ('compras', 'COMPRAS')"));
    ledger_->add_account("abc");
    EXPECT_TRUE(failure_of("INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable) VALUES('ABC')")
                    .starts_with("[SQLSTATE 23505] "));
}

TEST_F(OdbcConnectionTest, RefusesTextThatIsNotUtf8InsteadOfStoringAReplacement) {
    EXPECT_EQ(
        "Text is not valid UTF-8 (byte 0xE9 at offset 59): ...re, Pa_Valor) VALUES('P', "
        "'Jos\\xE9')",
        failure_of("INSERT INTO Parametro(Pa_Nombre, Pa_Valor) VALUES('P', 'Jos\xE9')"));
    EXPECT_EQ("0\n", rows("SELECT COUNT(*) FROM Parametro"));
}

TEST_F(OdbcConnectionTest, NestedTransactionsKeepWhatTheirLevelsCommitted) {
    db().Execute("CREATE TABLE t(a INTEGER)");
    db().BeginTrans();
    db().Execute("INSERT INTO t VALUES (1)");
    db().BeginTrans();
    db().Execute("INSERT INTO t VALUES (2)");
    db().RollbackTrans();
    db().BeginTrans();
    db().Execute("INSERT INTO t VALUES (3)");
    EXPECT_EQ(2, db().TransactionDepth());
    db().CommitTrans();
    db().CommitTrans();
    EXPECT_EQ(0, db().TransactionDepth());
    EXPECT_EQ("1\n3\n", rows("SELECT a FROM t ORDER BY a"));

    db().BeginTrans();
    db().Execute("INSERT INTO t VALUES (4)");
    db().RollbackTrans();
    EXPECT_EQ("1\n3\n", rows("SELECT a FROM t ORDER BY a"));
    EXPECT_THROW(db().CommitTrans(), UsageError);
    EXPECT_THROW(db().RollbackTrans(), UsageError);
}

TEST_F(OdbcConnectionTest, AFailedStatementLeavesTheTransactionUsable) {
    // PostgreSQL by itself would refuse every later statement of the transaction; the backend
    // gives it the statement-level failure of SQLite and SQL Server.
    db().Execute("CREATE TABLE t(a INTEGER PRIMARY KEY)");
    {
        Transaction transaction(db());
        db().Execute("INSERT INTO t VALUES (1)");
        EXPECT_NE("", failure_of("INSERT INTO t VALUES (1)"));
        db().Execute("INSERT INTO t VALUES (2)");
        transaction.Commit();
    }
    EXPECT_EQ("1\n2\n", rows("SELECT a FROM t ORDER BY a"));
}

TEST_F(OdbcConnectionTest, AFailureAsTheFirstStatementOfALevelLeavesTheLevelsUsable) {
    // The first statement of a transaction or of a savepoint, and a statement that does not even
    // parse, are where psqlODBC on its own would roll the whole transaction back.
    db().Execute("CREATE TABLE t(a INTEGER PRIMARY KEY)");
    db().BeginTrans();
    EXPECT_TRUE(failure_of("SELECT a FROM").starts_with("[SQLSTATE 42601] "));
    db().Execute("INSERT INTO t VALUES (1)");
    db().BeginTrans();
    EXPECT_NE("", failure_of("INSERT INTO Missing VALUES (1)"));
    db().Execute("INSERT INTO t VALUES (2)");
    EXPECT_NE("", failure_of("SELEC 1"));
    db().RollbackTrans();
    db().Execute("INSERT INTO t VALUES (3)");
    db().CommitTrans();
    EXPECT_EQ("1\n3\n", rows("SELECT a FROM t ORDER BY a"));
}

TEST_F(OdbcConnectionTest, AnUncommittedGuardRollsBackAndTheSchemaRunsAgain) {
    {
        Transaction transaction(db());
        ledger_->add_account("1101");
    }
    create_schema(db());  // every object already there: nothing changes
    EXPECT_EQ("0\n", rows("SELECT COUNT(*) FROM Cuenta_Contable"));
}

TEST_F(OdbcConnectionTest, ASecondConnectionSeesOnlyCommittedWork) {
    const auto other = ledger_->connect();
    db().BeginTrans();
    ledger_->add_account("1101");
    EXPECT_EQ("0\n", render(other->Execute("SELECT COUNT(*) FROM Cuenta_Contable")));
    db().CommitTrans();
    EXPECT_EQ("1\n", render(other->Execute("SELECT COUNT(*) FROM Cuenta_Contable")));
}

}  // namespace
}  // namespace ledgernova::db

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "db/top_rewrite.h"
#include "ledgernova/connection.h"
#include "support/ledger.h"

namespace ledgernova::db {
namespace {

using ledgernova::testing::render;

TEST(TopRewrite, MovesTopToLimitAtTheEndOfItsSelect) {
    EXPECT_EQ("SELECT a FROM t\nLIMIT 1", rewrite_select_top("SELECT TOP 1 a FROM t"));
    EXPECT_EQ("--x\r\nSELECT a FROM t\r\n\nLIMIT 1",
              rewrite_select_top("--x\r\nSELECT TOP 1 \r\na FROM t\r\n"));
    EXPECT_EQ("SELECT x FROM (SELECT a AS x FROM t\nLIMIT 5) s",
              rewrite_select_top("SELECT x FROM (SELECT top 5 a AS x FROM t) s"));
    EXPECT_EQ("select a from t\nLIMIT 3", rewrite_select_top("select tOp 3 a from t"));
    EXPECT_EQ("SELECT (SELECT a FROM t\nLIMIT 1), b FROM u\nLIMIT 2",
              rewrite_select_top("SELECT TOP 2 (SELECT TOP 1 a FROM t), b FROM u"));
}

TEST(TopRewrite, LeavesQuotedTextCommentsAndOtherTopsAlone) {
    for (const char* sql :
         {"SELECT 'SELECT TOP 1 x' FROM t", "SELECT a FROM t -- SELECT TOP 1", "SELECT top FROM t",
          "SELECT TOP 10 PERCENT a FROM t", "SELECT [SELECT TOP 1] FROM t", "UPDATE t SET a = 1",
          "SELECT TOPPING FROM t", "SELECT 4 `SELECT TOP 2 b FROM t`", "SELECT \"SELECT TOP 2\""}) {
        EXPECT_EQ(sql, rewrite_select_top(sql));
    }
}

class SqliteConnectionTest : public ::testing::Test {
  protected:
    std::shared_ptr<Connection> connection = open_sqlite(":memory:");
};

TEST_F(SqliteConnectionTest, RunsSqlServerTopAndGetdate) {
    connection->Execute("CREATE TABLE t(a INTEGER)");
    connection->Execute("INSERT INTO t VALUES (3), (1), (2)");
    EXPECT_EQ("1\n", render(connection->Execute("SELECT TOP 1 a FROM t ORDER BY a")));
    const auto now = connection->Execute("SELECT GETDATE() AS Ahora");
    Date parsed;
    EXPECT_TRUE(Date::parse_iso(now.Fields("ahora").Value.to_text(), parsed));
}

TEST_F(SqliteConnectionTest, RefusesAnEmptyStatement) {
    EXPECT_THROW(connection->Execute(""), UsageError);
    EXPECT_THROW(connection->Execute("  \r\n "), UsageError);
}

TEST_F(SqliteConnectionTest, CarriesTheDriversMessageAndCode) {
    try {
        connection->Execute("SELECT * FROM Missing");
        FAIL();
    } catch (const Error& failure) {
        EXPECT_STREQ("no such table: Missing", failure.what());
        EXPECT_EQ(1, failure.code());  // SQLITE_ERROR
    }
}

TEST_F(SqliteConnectionTest, KeepsNullApartFromEmptyTextAndZero) {
    const auto row = connection->Execute("SELECT NULL AS n, '' AS e, 0 AS z, 2.5 AS d");
    EXPECT_TRUE(row.Fields("n").Value.is_null());
    EXPECT_EQ(Variant(""), row.Fields("e").Value);
    EXPECT_EQ(Variant(std::int32_t{0}), row.Fields("z").Value);
    EXPECT_EQ(Variant(2.5), row.Fields("D").Value);
    EXPECT_THROW((void)row.Fields("missing"), UsageError);
}

TEST_F(SqliteConnectionTest, RecordsetIsForwardOnlyAndClosable) {
    auto rows = connection->Execute("SELECT 1 AS a UNION ALL SELECT 2");
    rows.MoveNext();
    EXPECT_EQ("2", rows.Fields(std::size_t{0}).Value.to_text());
    rows.MoveNext();
    EXPECT_TRUE(rows.Eof());
    EXPECT_THROW(rows.MoveNext(), UsageError);
    EXPECT_THROW((void)rows.Fields("a"), UsageError);
    rows.Close();
    EXPECT_TRUE(rows.Eof());
}

// Names that share their length and last letter, names that differ only in case, a name given
// twice, an empty name, and more columns than the look-up has buckets.
TEST_F(SqliteConnectionTest, FieldsAreFoundByNameWithoutRegardToCaseTheFirstOfTwoNamesAlike) {
    std::string select = "SELECT 1 AS Tipo_1, 2 AS Tipo_2, 3 AS tipo_1, 4 AS Tipo_A, 5 AS \"\"";
    for (int column = 0; column < 130; ++column) {
        select += ", " + std::to_string(100 + column) + " AS c" + std::to_string(column);
    }
    const auto row = connection->Execute(select);
    const auto value = [&](std::string_view name) { return row.Fields(name).Value.to_text(); };
    EXPECT_EQ("1", value("TIPO_1"));
    EXPECT_EQ("Tipo_1", row.Fields("TIPO_1").Name);
    EXPECT_EQ("2", value("tipo_2"));
    EXPECT_EQ("4", value("tipo_a"));
    EXPECT_EQ("5", value(""));
    EXPECT_EQ("100", value("C0"));
    EXPECT_EQ("229", value("c129"));
    EXPECT_THROW((void)value("Tipo_3"), UsageError);
    EXPECT_THROW((void)value("c130"), UsageError);
}

TEST_F(SqliteConnectionTest, ACopyOfARecordsetMovesOnItsOwn) {
    auto rows = connection->Execute("SELECT 1 AS a UNION ALL SELECT 2");
    auto copy = rows;
    rows.MoveNext();
    EXPECT_EQ("2", rows.Fields("a").Value.to_text());
    EXPECT_EQ("1", copy.Fields("A").Value.to_text());
    rows.Close();
    EXPECT_EQ(2U, copy.RecordCount());
    EXPECT_FALSE(copy.Eof());
}

// Text is taken from the row as it stands, in UTF-8 whatever the database's own encoding.
TEST_F(SqliteConnectionTest, TextAndDatesReadAlikeFromADatabaseInUtf16) {
    (void)connection->Execute("PRAGMA encoding = 'UTF-16le'");
    EXPECT_EQ("UTF-16le\n", render(connection->Execute("PRAGMA encoding")));
    (void)connection->Execute("CREATE TABLE t (a TEXT, d DATE, e TEXT)");
    (void)connection->Execute(
        "INSERT INTO t VALUES ('ñandú € 𝄞', '2024-03-05', ''), ('x', 'no date', 'y')");
    auto rows = connection->Execute("SELECT a, d, e FROM t");
    EXPECT_EQ(Variant("ñandú € 𝄞"), rows.Fields("a").Value);
    EXPECT_EQ(Variant(Date::from_ymd(2024, 3, 5)), rows.Fields("d").Value);
    EXPECT_EQ(Variant(""), rows.Fields("e").Value);
    rows.MoveNext();
    EXPECT_EQ(Variant("no date"), rows.Fields("d").Value);
}

TEST_F(SqliteConnectionTest, NestedTransactionsRollBackOnlyTheirOwnWrites) {
    connection->Execute("CREATE TABLE t(a INTEGER)");
    {
        Transaction outer(*connection);
        connection->Execute("INSERT INTO t VALUES (1)");
        {
            Transaction inner(*connection);
            connection->Execute("INSERT INTO t VALUES (2)");
        }  // not committed: rolled back to its savepoint
        EXPECT_EQ(1, connection->TransactionDepth());
        outer.Commit();
        EXPECT_THROW(outer.Commit(), UsageError);
    }
    EXPECT_EQ("1\n", render(connection->Execute("SELECT a FROM t")));
    EXPECT_EQ(0, connection->TransactionDepth());
}

TEST_F(SqliteConnectionTest, TextComparesWithoutRegardToCaseInTheSchema) {
    ledgernova::testing::Ledger ledger;
    ledger.direct().Execute(
        "INSERT INTO Poliza_Control(Pl_Folio, Pc_Tabla, Pc_Documento) VALUES('F', 'COMPRAS', 'A')");
    EXPECT_EQ("F\n", ledger.rows("SELECT Pl_Folio FROM Poliza_Control WHERE Pc_Tabla = 'compras'"));
    EXPECT_EQ("AC\n", ledger.rows("SELECT Es_Cve_Estado FROM Poliza_Control"));
}

// Even where the file could be written (as root), a read-only connection refuses every write and
// leaves the file as it was.
TEST(SqliteReadOnly, ReadsTheLedgerAndRefusesEveryWrite) {
    const auto folder = ledgernova::testing::make_temp_folder();
    const std::string path = (folder / "ledger.db").string();
    open_sqlite(path)->Execute("CREATE TABLE t(a TEXT COLLATE NOCASE); INSERT INTO t VALUES('Ó')");
    const auto size = std::filesystem::file_size(path);
    const auto written = std::filesystem::last_write_time(path);

    const auto reader = open_sqlite(path, OpenMode::ReadOnly);
    EXPECT_EQ("Ó\n", render(reader->Execute("SELECT a FROM t WHERE a = 'ó'")));
    try {
        reader->Execute("INSERT INTO t VALUES('x')");
        ADD_FAILURE() << "the write was accepted";
    } catch (const Error& error) {
        EXPECT_EQ(std::string("attempt to write a readonly database"), error.what());
    }
    EXPECT_THROW(reader->Execute("PRAGMA journal_mode = DELETE"), Error);
    EXPECT_EQ(size, std::filesystem::file_size(path));
    EXPECT_EQ(written, std::filesystem::last_write_time(path));
    std::filesystem::remove_all(folder);
}

TEST(SqliteReadOnly, AMissingFileIsNotCreated) {
    const auto folder = ledgernova::testing::make_temp_folder();
    try {
        (void)open_sqlite((folder / "none.db").string(), OpenMode::ReadOnly);
        ADD_FAILURE() << "a missing file was opened";
    } catch (const Error& error) {
        EXPECT_EQ("Cannot open the database " + (folder / "none.db").string() +
                      ": unable to open database file",
                  error.what());
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "none.db"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ledgernova::db

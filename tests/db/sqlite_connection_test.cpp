#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "db/top_rewrite.h"
#include "ledgernova/connection.h"
#include "support/database_error.h"
#include "support/ledger.h"

namespace ledgernova::db {
namespace {

using ledgernova::testing::failure_of;
using ledgernova::testing::render;
using ledgernova::testing::values;

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

TEST_F(SqliteConnectionTest, RunsSqlServerGetdate) {
    const auto now = connection->Execute("SELECT GETDATE() AS Ahora");
    Date parsed;
    EXPECT_TRUE(Date::parse_iso(now.Fields("ahora").Value.to_text(), parsed));
}

TEST_F(SqliteConnectionTest, RefusesAnEmptyStatement) {
    EXPECT_THROW(connection->Execute(""), UsageError);
    EXPECT_THROW(connection->Execute("  \r\n "), UsageError);
}

TEST_F(SqliteConnectionTest, KeepsNullApartFromEmptyTextAndZero) {
    EXPECT_EQ((std::vector{Variant::null(), Variant(""), Variant(std::int32_t{0}), Variant(2.5)}),
              values(connection->Execute("SELECT NULL AS n, '' AS e, 0 AS z, 2.5 AS d")));
}

// A copy of a recordset moves on its own.
TEST_F(SqliteConnectionTest, RecordsetIsForwardOnlyAndClosable) {
    auto rows = connection->Execute("SELECT 1 AS a UNION ALL SELECT 2");
    const auto copy = rows;
    rows.MoveNext();
    EXPECT_EQ("2", rows.Fields(std::size_t{0}).Value.to_text());
    rows.MoveNext();
    EXPECT_TRUE(rows.Eof());
    EXPECT_THROW(rows.MoveNext(), UsageError);
    EXPECT_THROW((void)rows.Fields("a"), UsageError);
    rows.Close();
    EXPECT_TRUE(rows.Eof());
    EXPECT_EQ("1", copy.Fields("A").Value.to_text());
    EXPECT_EQ(2U, copy.RecordCount());
}

// Names that share their length and last letter, names that differ only in case, a name given
// twice, an empty name, and more columns than the look-up has buckets.
TEST_F(SqliteConnectionTest, FieldsAreFoundByNameWithoutRegardToCaseTheFirstOfTwoNamesAlike) {
    std::string select = "SELECT 1 AS Tipo_1, 2 AS Tipo_2, 3 AS tipo_1, 4 AS Tipo_A, 5 AS \"\"";
    for (int column = 0; column < 130; ++column) {
        select += ", " + std::to_string(100 + column) + " AS c" + std::to_string(column);
    }
    const auto row = connection->Execute(select);
    std::string found;
    for (const char* name : {"TIPO_1", "tipo_2", "tipo_a", "", "C0", "c129"}) {
        found += row.Fields(name).Value.to_text() + " ";
    }
    EXPECT_EQ("1 2 4 5 100 229 ", found);
    EXPECT_EQ("Tipo_1", row.Fields("TIPO_1").Name);
    EXPECT_THROW((void)row.Fields("Tipo_3"), UsageError);
    EXPECT_THROW((void)row.Fields("c130"), UsageError);
}

// Text is taken from the row as it stands, in UTF-8 whatever the database's own encoding.
TEST_F(SqliteConnectionTest, TextAndDatesReadAlikeFromADatabaseInUtf16) {
    (void)connection->Execute("PRAGMA encoding = 'UTF-16le'");
    EXPECT_EQ("UTF-16le\n", render(connection->Execute("PRAGMA encoding")));
    (void)connection->Execute("CREATE TABLE t (a TEXT, d DATE, e TEXT)");
    (void)connection->Execute(
        "INSERT INTO t VALUES ('ñandú € 𝄞', '2024-03-05', ''), ('x', 'no date', 'y')");
    auto rows = connection->Execute("SELECT a, d, e FROM t");
    EXPECT_EQ((std::vector{Variant("ñandú € 𝄞"), Variant(Date::from_ymd(2024, 3, 5)), Variant("")}),
              values(rows));
    rows.MoveNext();
    EXPECT_EQ((std::vector{Variant("x"), Variant("no date"), Variant("y")}), values(rows));
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
    EXPECT_EQ("attempt to write a readonly database",
              failure_of(*reader, "INSERT INTO t VALUES('x')"));
    EXPECT_THROW(reader->Execute("PRAGMA journal_mode = DELETE"), Error);
    EXPECT_EQ(size, std::filesystem::file_size(path));
    EXPECT_EQ(written, std::filesystem::last_write_time(path));
    std::filesystem::remove_all(folder);
}

TEST(SqliteReadOnly, AMissingFileIsNotCreated) {
    const auto folder = ledgernova::testing::make_temp_folder();
    const std::string path = (folder / "none.db").string();
    try {
        (void)open_sqlite(path, OpenMode::ReadOnly);
        ADD_FAILURE() << "a missing file was opened";
    } catch (const Error& error) {
        EXPECT_EQ("Cannot open the database " + path + ": unable to open database file",
                  error.what());
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "none.db"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ledgernova::db

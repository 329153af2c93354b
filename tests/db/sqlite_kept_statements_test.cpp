// The SQLite backend keeps statements prepared, keyed by their text with the literal values taken
// out and bound back in. Every result must be the one the text as written gives.

#include <gtest/gtest.h>

#include <string>

#include "ledgernova/connection.h"
#include "support/database_error.h"
#include "support/ledger.h"

namespace ledgernova::db {
namespace {

using ledgernova::testing::failure_of;
using ledgernova::testing::render;

class KeptStatementsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        connection->Execute("CREATE TABLE t(k TEXT, x TEXT, n NUMERIC, i INTEGER)");
        connection->Execute(
            "INSERT INTO t VALUES('a', '1.50', 1.5, 1), ('b', '0001', 2.25, 2), ('O''Brien', "
            "'x', 100.00, 3)");
    }

    std::string rows(const std::string& sql) { return render(connection->Execute(sql)); }

    std::shared_ptr<Connection> connection = open_sqlite(":memory:");
};

TEST_F(KeptStatementsTest, ATextRunAgainWithOtherValuesGivesTheirRows) {
    EXPECT_EQ("1\n", rows("SELECT i FROM t WHERE k = 'a'"));
    EXPECT_EQ("2\n", rows("SELECT i FROM t WHERE k = 'b'"));
    EXPECT_EQ("3\n", rows("SELECT i FROM t WHERE k = 'O''Brien'"));
    EXPECT_EQ("", rows("SELECT i FROM t WHERE k = 'zz'"));
    EXPECT_EQ("2\n", rows("SELECT i FROM t WHERE n = 2.25"));
    EXPECT_EQ("3\n", rows("SELECT i FROM t WHERE n = 100.00"));
}

TEST_F(KeptStatementsTest, WritesTakeTheirOwnValues) {
    for (int i = 0; i < 3; ++i) {
        connection->Execute("INSERT INTO t VALUES('w" + std::to_string(i) + "', 'it''s', " +
                            std::to_string(i) + ".75, 9)");
    }
    EXPECT_EQ("w0|it's|0.75\nw1|it's|1.75\nw2|it's|2.75\n",
              rows("SELECT k, x, n FROM t WHERE i = 9 ORDER BY k"));
}

TEST_F(KeptStatementsTest, ColumnsNamedByTheirExpressionKeepTheWrittenName) {
    const auto row = connection->Execute("SELECT 'a', 1.5, k = 'a', 'b' AS named FROM t LIMIT 1");
    EXPECT_EQ("'a'", row.Fields(std::size_t{0}).Name);
    EXPECT_EQ("1.5", row.Fields(std::size_t{1}).Name);
    EXPECT_EQ("k = 'a'", row.Fields(std::size_t{2}).Name);
    EXPECT_EQ("named", row.Fields(std::size_t{3}).Name);
    EXPECT_EQ("a|1.5|1|b\n",
              render(connection->Execute("SELECT 'a', 1.5, k = 'a', 'b' AS named FROM t LIMIT 1")));
}

TEST_F(KeptStatementsTest, NumbersKeepTheirTypeAndComparisonRules) {
    // A decimal literal has no affinity: against a text column it is compared as text.
    EXPECT_EQ("0\n", rows("SELECT COUNT(*) FROM t WHERE x = 1.50"));
    EXPECT_EQ("real|real|integer\n", rows("SELECT typeof(1735.94), typeof(-5.00), typeof(7)"));
    EXPECT_EQ("-5|1E+300|0.3\n", rows("SELECT -5.00 AS a, 1e300 AS b, 0.1 + 0.2 AS c"));
    // A whole number after '=' is a value: an integer, compared as the literal would be.
    EXPECT_EQ("0|1|0\n", rows("SELECT (SELECT COUNT(*) FROM t WHERE x = 1), (SELECT COUNT(*) FROM "
                              "t WHERE i = 2), (SELECT COUNT(*) FROM t WHERE x = 0001)"));
    for (int value = 7; value <= 9; ++value) {
        connection->Execute("UPDATE t SET i = " + std::to_string(value) + " WHERE k = 'b'");
        EXPECT_EQ(std::to_string(value) + "|integer\n",
                  rows("SELECT i, typeof(i) FROM t WHERE k = 'b'"));
    }
    EXPECT_EQ("1|1|0\n", rows("SELECT 1 = 1, 2 >= 1, 9223372036854775807 = 9223372036854775806"));
    // Whole numbers elsewhere stay as written: ORDER BY 2 is the second column.
    EXPECT_EQ("x|100\n1.50|1.5\n0001|2.25\n", rows("SELECT x, n FROM t ORDER BY 1 DESC"));
    EXPECT_EQ("0001|2.25\n", rows("SELECT x, n FROM t ORDER BY 2 DESC LIMIT 1 OFFSET 1"));
}

TEST_F(KeptStatementsTest, BlobsNamesCommentsAndParametersAreLeftAsWritten) {
    EXPECT_EQ("blob|A\n", rows("SELECT typeof(X'41') AS t, X'41' AS b"));
    EXPECT_EQ("a\n", rows("SELECT \"k\" FROM [t] WHERE `k` = 'a' -- isn't it\n"));
    EXPECT_EQ("a\n", rows("SELECT k /* it's 1.5 */ FROM t WHERE k = 'a'"));
    EXPECT_EQ("NULL|NULL\n", rows("SELECT ? AS p, :name AS q"));
}

TEST_F(KeptStatementsTest, StatementsThatRefuseParametersRunAsWritten) {
    connection->Execute("CREATE TABLE d(a TEXT DEFAULT 'none', b NUMERIC DEFAULT 1.5)");
    connection->Execute("INSERT INTO d(a) VALUES('x')");
    connection->Execute("CREATE VIEW v AS SELECT a, 'view' AS s FROM d WHERE b = 1.5");
    EXPECT_EQ("x|view\n", rows("SELECT * FROM v"));
    EXPECT_EQ("2\n", rows("INSERT INTO d VALUES('y', 2); SELECT COUNT(*) FROM d"));
}

TEST_F(KeptStatementsTest, ErrorsAreTheDatabasesOwn) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            connection->Execute("SELECT * FROM Missing WHERE a = 'x'");
            FAIL();
        } catch (const Error& failure) {
            EXPECT_STREQ("no such table: Missing", failure.what());
            EXPECT_EQ(1, failure.code());  // SQLITE_ERROR
        }
    }
    EXPECT_EQ("unrecognized token: \"'unclosed FROM t\"",
              failure_of(*connection, "SELECT 'unclosed FROM t"));
    connection->Execute("CREATE UNIQUE INDEX u ON t(k)");
    EXPECT_EQ("UNIQUE constraint failed: t.k",
              failure_of(*connection, "INSERT INTO t(k) VALUES('a')"));
    EXPECT_EQ("3\n", rows("SELECT COUNT(*) FROM t"));  // the failed insert left nothing behind
}

TEST_F(KeptStatementsTest, AKeptStatementSeesSchemaChangesAndRollbacks) {
    EXPECT_EQ("a|1.50|1.5|1\n", rows("SELECT * FROM t WHERE k = 'a'"));
    connection->Execute("ALTER TABLE t ADD COLUMN z TEXT DEFAULT 'new'");
    EXPECT_EQ("a|1.50|1.5|1|new\n", rows("SELECT * FROM t WHERE k = 'a'"));
    {
        Transaction transaction(*connection);
        connection->Execute("DELETE FROM t WHERE k = 'a'");
        EXPECT_EQ("", rows("SELECT * FROM t WHERE k = 'a'"));
    }  // rolled back
    EXPECT_EQ("a|1.50|1.5|1|new\n", rows("SELECT * FROM t WHERE k = 'a'"));
}

// Recordsets of one kept statement share its columns' names and types until the schema changes
// them: a renamed column, or a column added as a date, is read as it is now.
TEST_F(KeptStatementsTest, ColumnNamesAndDateTypesFollowTheSchema) {
    const auto first = connection->Execute("SELECT * FROM t WHERE k = 'a'");
    connection->Execute("ALTER TABLE t RENAME COLUMN x TO renamed");
    connection->Execute("ALTER TABLE t ADD COLUMN d DATE DEFAULT '2024-03-05'");
    const auto now = connection->Execute("SELECT * FROM t WHERE k = 'b'");
    EXPECT_EQ(5U, now.Count());
    EXPECT_EQ("0001", now.Fields("RENAMED").Value.to_text());
    EXPECT_EQ(Variant(Date::from_ymd(2024, 3, 5)), now.Fields("d").Value);
    EXPECT_THROW((void)now.Fields("x"), UsageError);
    EXPECT_EQ(4U, first.Count());
    EXPECT_EQ("1.50", first.Fields("X").Value.to_text());
}

TEST_F(KeptStatementsTest, ManyDifferentTextsStayCorrect) {
    for (int i = 0; i < 500; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(n + "|" + n + "\n", rows("SELECT " + n + " AS a, '" + n + "' AS b" +
                                           std::string(static_cast<std::size_t>(i % 7), ' ')));
    }
}

}  // namespace
}  // namespace ledgernova::db

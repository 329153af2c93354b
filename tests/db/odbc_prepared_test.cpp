// The server backend runs a statement composed again with other values prepared, and keeps a
// failed statement from spoiling the transaction without a round trip of its own: against the
// PostgreSQL server of LEDGERNOVA_TEST_ODBC (skipped without one).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/odbc_connection.h"
#include "db/sql_text.h"
#include "support/database_error.h"
#include "support/ledger.h"

namespace ledgernova::db {
namespace {

using ledgernova::testing::Ledger;
using ledgernova::testing::render;

class OdbcPreparedTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Ledger::on_server()) {
            GTEST_SKIP() << "set LEDGERNOVA_TEST_ODBC to an ODBC connection string to run";
        }
        ledger_ = std::make_unique<Ledger>();
        server_ = std::dynamic_pointer_cast<OdbcConnection>(ledger_->connect());
        db().Execute(
            "CREATE TABLE t(k TEXT PRIMARY KEY, n NUMERIC(19,4), b BIGINT, d DATE, "
            "note TEXT)");
    }

    OdbcConnection& db() { return *server_; }
    std::string rows(const std::string& sql) { return render(db().Execute(sql)); }
    void insert(const std::string& key) {
        db().Execute("INSERT INTO t(k) VALUES('" + esc(key) + "')");
    }

    std::string failure_of(const std::string& sql) { return testing::failure_of(db(), sql); }

    std::unique_ptr<Ledger> ledger_;
    std::shared_ptr<OdbcConnection> server_;
};

TEST_F(OdbcPreparedTest, ATextComposedAgainIsPreparedOnceWithItsValuesTakenOut) {
    insert("a");
    insert("O'Brien");
    EXPECT_EQ("a|NULL\n", rows("SELECT k, note FROM t WHERE k = 'a' AND note IS NULL"));
    EXPECT_EQ("O'Brien|NULL\n",
              rows("SELECT k, note FROM t WHERE k = 'O''Brien' AND note IS NULL"));
    EXPECT_EQ("", rows("SELECT k, note FROM t WHERE k = 'x' AND note IS NULL"));
    EXPECT_EQ(
        "PREPARE ln_p1 AS INSERT INTO t(k) VALUES($1)\n"
        "PREPARE ln_p2 AS SELECT k, note FROM t WHERE k = $1 AND note IS NULL\n",
        rows("SELECT statement FROM pg_prepared_statements ORDER BY prepare_time, name"));
}

TEST_F(OdbcPreparedTest, BoundValuesArriveIntact) {
    for (const std::string key : {"O'Brien", "ñandú € 𝄞", "", "x'", "nul"}) {
        insert(key);
    }
    const auto update = [this](const std::string& key, const std::string& values) {
        db().Execute("UPDATE t SET " + values + " WHERE k = '" + esc(key) + "'");
    };
    // The text first runs as written; from the second time on its values are bound.
    update("none", "n = 1, b = 1, d = '2024-01-01', note = 'none'");
    update("O'Brien",
           "n = 123456789012345.6789, b = 922337203685477580, d = '2024-02-29', "
           "note = 'it''s'");
    update("ñandú € 𝄞", "n = 0.0001, b = 1, d = '9999-12-31', note = 'ñandú € 𝄞'");
    update("", "n = 0, b = 0, d = '0100-01-01', note = ''");
    update("x'", "n = 1e3, b = 2, d = '2024-03-01', note = 'a''''b'");
    EXPECT_EQ(
        "|0.0000|0|0100-01-01|\n"
        "O'Brien|123456789012345.6789|922337203685477580|2024-02-29|it's\n"
        "nul|NULL|NULL|NULL|NULL\n"
        "x'|1000.0000|2|2024-03-01|a''b\n"
        "ñandú € 𝄞|0.0001|1|9999-12-31|ñandú € 𝄞\n",
        ledger_->rows("SELECT k, CAST(n AS TEXT), CAST(b AS TEXT), CAST(d AS TEXT), note FROM t "
                      "ORDER BY k COLLATE \"C\""));
}

TEST_F(OdbcPreparedTest, AStatementInATransactionTakesOneRoundTripSavepointsIncluded) {
    const std::int64_t before = db().round_trips();
    db().BeginTrans();
    insert("1");  // as written
    insert("2");  // prepared, then executed
    insert("3");
    db().BeginTrans();
    insert("4");  // the inner level's savepoint goes with it
    db().CommitTrans();
    db().CommitTrans();
    EXPECT_EQ(6, db().round_trips() - before);
    EXPECT_EQ("1\n2\n3\n4\n", ledger_->rows("SELECT k FROM t ORDER BY k"));
}

TEST_F(OdbcPreparedTest, AFailedPreparedStatementUndoesItselfAloneAtEveryLevel) {
    db().BeginTrans();
    EXPECT_TRUE(failure_of("INSERT INTO t(k) VALUES(NULL)").starts_with("[SQLSTATE 23502] "));
    insert("a");  // the transaction's first statement failed: the transaction goes on
    insert("b");
    EXPECT_TRUE(failure_of("INSERT INTO t(k) VALUES('a')").starts_with("[SQLSTATE 23505] "));
    insert("c");
    db().BeginTrans();
    EXPECT_TRUE(failure_of("INSERT INTO t(k) VALUES('b')").starts_with("[SQLSTATE 23505] "));
    insert("d");
    db().BeginTrans();
    insert("e");
    db().RollbackTrans();
    insert("f");
    db().CommitTrans();
    db().BeginTrans();
    insert("g");
    db().RollbackTrans();
    db().CommitTrans();
    db().BeginTrans();
    EXPECT_TRUE(failure_of("INSERT INTO t(k) VALUES('a')").starts_with("[SQLSTATE 23505] "));
    insert("h");
    db().CommitTrans();
    EXPECT_EQ("a\nb\nc\nd\nf\nh\n", ledger_->rows("SELECT k FROM t ORDER BY k"));
}

TEST_F(OdbcPreparedTest, ATextTheServerWillNotPrepareRunsAsWritten) {
    db().BeginTrans();
    insert("a");
    for (const std::string value : {"'x'", "NULL", "'y'"}) {
        // PREPARE cannot tell the type of $1 here; the transaction survives its refusal.
        EXPECT_EQ(value == "NULL" ? "1\n" : "0\n",
                  rows("SELECT COUNT(*) FROM t WHERE " + value + " IS NULL"));
    }
    // A text that ends too soon fails in its own words, as it would alone.
    EXPECT_EQ(
        "[SQLSTATE 42601] ERROR: syntax error at end of input;\nError while executing the "
        "query (native error 1)",
        failure_of("SELECT k FROM"));
    insert("b");
    db().CommitTrans();
    EXPECT_EQ("a\nb\n", ledger_->rows("SELECT k FROM t ORDER BY k"));
}

// The same texts in the select list and in the GROUP BY become the same parameters there.
TEST_F(OdbcPreparedTest, AGroupedSelectOfJoinedTextsIsPrepared) {
    db().Execute("INSERT INTO t(k, note, n) VALUES('a', 'x', 1), ('b', 'x', 2), ('c', 'y', 4)");
    for (const std::string label : {"Nota ", "Note "}) {
        EXPECT_EQ(label + "x - 3.0000|3\n" + label + "y - 4.0000|4\n",
                  rows("SELECT '" + label +
                       "' || note || ' - ' || SUM(n) AS label, SUM(n) FROM t "
                       "WHERE k <> 'z' GROUP BY '" +
                       label + "' || note ORDER BY 1"));
    }
    EXPECT_EQ("1\n", rows("SELECT COUNT(*) FROM pg_prepared_statements WHERE statement LIKE "
                          "'%GROUP BY $1 || note%'"));
}

TEST_F(OdbcPreparedTest, ATableThatChangesShapeIsReadAsItIsNow) {
    insert("a");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(5u, db().Execute("SELECT * FROM t WHERE k = 'a'").Count());
    }
    db().Execute("ALTER TABLE t ADD COLUMN extra TEXT DEFAULT 'e'");
    const auto row = db().Execute("SELECT * FROM t WHERE k = 'a'");
    EXPECT_EQ(6u, row.Count());
    EXPECT_EQ(Variant("e"), row.Fields("extra").Value);
}

}  // namespace
}  // namespace ledgernova::db

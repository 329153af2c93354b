#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/recording_connection.h"
#include "host/kept_reads.h"
#include "support/ledger.h"

namespace ledgernova::host {
namespace {

constexpr const char* kAccounts = "SELECT Nombre FROM Cuenta ORDER BY Nombre";

// One database file, the component's recorded connection to it and a second program's.
class KeptReadsTest : public ::testing::Test {
  protected:
    KeptReadsTest()
        : folder_(testing::make_temp_folder()),
          path_((folder_ / "kept.db").string()),
          connection(std::make_shared<db::RecordingConnection>(db::open_sqlite(path_))) {
        (void)connection->Execute("CREATE TABLE Cuenta(Nombre TEXT)");
        (void)connection->Execute("INSERT INTO Cuenta VALUES('1101')");
    }
    ~KeptReadsTest() override {
        connection.reset();
        std::filesystem::remove_all(folder_);
    }

    // The accounts as one batch call reads them twice.
    std::string call() {
        const KeptReadsScope scope(reads, *connection);
        (void)reads.rows(*connection, kAccounts);
        return testing::render(reads.rows(*connection, kAccounts));
    }
    // How often the accounts' statement reached the database.
    [[nodiscard]] long runs() const {
        return std::count(connection->statements().begin(), connection->statements().end(),
                          kAccounts);
    }

    std::filesystem::path folder_;
    std::string path_;
    std::shared_ptr<db::RecordingConnection> connection;
    KeptReads reads;
};

TEST_F(KeptReadsTest, RowsAreReadOncePerCallAndKeptUntilAnyWriteBetweenCalls) {
    EXPECT_EQ("1101\n", call());
    (void)connection->Execute("INSERT INTO Cuenta VALUES('1102')");  // this connection
    EXPECT_EQ("1101\n1102\n", call());
    EXPECT_EQ(2, runs());

    (void)db::open_sqlite(path_)->Execute("DELETE FROM Cuenta WHERE Nombre = '1101'");  // another
    EXPECT_EQ("1102\n", call());
    EXPECT_EQ(3, runs());

    (void)connection->Execute("CREATE TABLE Otra(x)");  // a table created
    EXPECT_EQ("1102\n", call());
    EXPECT_EQ(4, runs());
    EXPECT_EQ("1102\n", call());
    EXPECT_EQ(4, runs());
    (void)reads.rows(*connection, kAccounts);  // outside a call: always read
    EXPECT_EQ(5, runs());
}

// Composed texts follow the rows they come from: kept from call to call while nothing changes,
// dropped with them, and neither found nor kept outside a call.
TEST_F(KeptReadsTest, ComposedTextsAreKeptAndDroppedWithTheRows) {
    const std::vector<std::string> parts = {"SELECT ", " FROM Cuenta"};
    {
        const KeptReadsScope scope(reads, *connection);
        EXPECT_EQ(nullptr, reads.composed("Cuenta"));
        reads.keep_composed("Cuenta", parts);
        ASSERT_NE(nullptr, reads.composed("Cuenta"));
        EXPECT_EQ(parts, *reads.composed("Cuenta"));
    }
    EXPECT_EQ(nullptr, reads.composed("Cuenta"));  // outside a call
    reads.keep_composed("Otra", parts);
    {
        const KeptReadsScope scope(reads, *connection);
        ASSERT_NE(nullptr, reads.composed("Cuenta"));
        EXPECT_EQ(nullptr, reads.composed("Otra"));
    }
    (void)connection->Execute("INSERT INTO Cuenta VALUES('1102')");
    const KeptReadsScope scope(reads, *connection);
    EXPECT_EQ(nullptr, reads.composed("Cuenta"));
}

TEST_F(KeptReadsTest, ACommitByAnotherConnectionDuringACallIsSeenByTheNext) {
    {
        const KeptReadsScope scope(reads, *connection);
        EXPECT_EQ("1101\n", testing::render(reads.rows(*connection, kAccounts)));
        (void)db::open_sqlite(path_)->Execute("INSERT INTO Cuenta VALUES('1103')");
        EXPECT_EQ("1101\n", testing::render(reads.rows(*connection, kAccounts)));
    }
    EXPECT_EQ("1101\n1103\n", call());
}

// What a call read inside a transaction may still be rolled back without any counter moving.
TEST_F(KeptReadsTest, NothingReadInsideATransactionOutlivesTheCall) {
    connection->BeginTrans();
    (void)connection->Execute("INSERT INTO Cuenta VALUES('1104')");
    EXPECT_EQ("1101\n1104\n", call());
    connection->RollbackTrans();
    EXPECT_EQ("1101\n", call());
    EXPECT_EQ(2, runs());
}

TEST_F(KeptReadsTest, AFailedStatementIsNotKeptAndHostAnswersLastOneCall) {
    {
        const KeptReadsScope scope(reads, *connection);
        EXPECT_THROW((void)reads.rows(*connection, "SELECT * FROM Falta"), db::Error);
        (void)connection->Execute("CREATE TABLE Falta(x)");
        EXPECT_EQ("", testing::render(reads.rows(*connection, "SELECT * FROM Falta")));
    }
    int asked = 0;
    const auto ask = [&] { return Variant(++asked); };
    for (int call = 0; call < 2; ++call) {
        const KeptReadsScope scope(reads, *connection);
        EXPECT_EQ(Variant(call + 1), reads.answer("FIN_MONEDA_LOCAL", false, ask));
        EXPECT_EQ(Variant(call + 1), reads.answer("FIN_MONEDA_LOCAL", false, ask));
    }
    EXPECT_EQ(Variant(3), reads.answer("FIN_MONEDA_LOCAL", false, ask));
    EXPECT_EQ(Variant(4), reads.answer("FIN_MONEDA_LOCAL", false, ask));
    for (int call = 0; call < 2; ++call) {  // the default host's: kept as rows are
        const KeptReadsScope scope(reads, *connection);
        EXPECT_EQ(Variant(5), reads.answer("FIN_MONEDA_LOCAL", true, ask));
    }
    (void)connection->Execute("UPDATE Cuenta SET Nombre = '1101'");
    const KeptReadsScope scope(reads, *connection);
    EXPECT_EQ(Variant(6), reads.answer("FIN_MONEDA_LOCAL", true, ask));
}

}  // namespace
}  // namespace ledgernova::host

#include <filesystem>

#include <gtest/gtest.h>

#include "db/change_counters.h"
#include "db/recording_connection.h"
#include "support/ledger.h"

namespace ledgernova::db {
namespace {

TEST(ChangeCountersTest, EachKindOfWriteMovesItsOwnCounter) {
    const auto folder = testing::make_temp_folder();
    const std::string path = (folder / "counters.db").string();
    {
        RecordingConnection connection(open_sqlite(path));  // read through a wrapper
        (void)connection.Execute("CREATE TABLE T(x)");
        const ChangeCounters start = change_counters(connection).value();
        EXPECT_EQ(start, change_counters(connection));

        (void)connection.Execute("INSERT INTO T VALUES(1), (2)");
        const ChangeCounters written = change_counters(connection).value();
        EXPECT_EQ((ChangeCounters{start.others, start.schema, start.own + 2}), written);
        EXPECT_EQ(written.own, own_changes(connection));

        (void)open_sqlite(path)->Execute("DELETE FROM T");
        const ChangeCounters theirs = change_counters(connection).value();
        EXPECT_NE(written.others, theirs.others);
        EXPECT_EQ(written.own, theirs.own);

        (void)connection.Execute("CREATE INDEX T_x ON T(x)");
        EXPECT_NE(theirs.schema, change_counters(connection)->schema);

        connection.BeginTrans();
        EXPECT_EQ(std::nullopt, change_counters(connection));
        EXPECT_EQ(std::nullopt, own_changes(connection));
        connection.RollbackTrans();
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ledgernova::db

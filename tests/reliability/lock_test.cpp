#include <gtest/gtest.h>

#include "core/voucher_support.h"

namespace ledgernova::testing {
namespace {

TEST(LockedDatabase, AVoucherWaitsThenFailsCleanlyAndSucceedsOnceTheLockIsGone) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "SQLite's database lock and busy timeout; a server locks rows instead";
    }
    Ledger ledger(true);
    ledger.add_account("1101");
    ledger.add_account("2101");
    ledger.recorder().Execute("PRAGMA busy_timeout = 100");  // fail fast instead of in 30 s
    Polizas polizas;
    auto holder = db::open_sqlite(ledger.path().string());
    holder->BeginTrans();  // another program writing
    const std::string refused = balanced_voucher(polizas, header(Date::from_ymd(2024, 3, 15)));
    EXPECT_EQ("failed: ledgerNova.dll - Add_Poliza_Detalle()\r\n\r\ndatabase is locked", refused);
    holder->RollbackTrans();
    EXPECT_EQ("", ledger.rows("SELECT * FROM Poliza"));
    polizas.put_Folio("");
    EXPECT_EQ("0000000001", balanced_voucher(polizas, header(Date::from_ymd(2024, 3, 15))));
}

}  // namespace
}  // namespace ledgernova::testing

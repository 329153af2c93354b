#pragma once

#include <string_view>

#include "ledgernova/connection.h"

namespace ledgernova::db {

// Makes every other transaction that asks for the same `resource` wait until the current
// transaction of `connection` ends (commit or rollback releases it). The caller must have a
// transaction open; UsageError otherwise. On SQLite the write transaction already excludes every
// other writer, so nothing is run. Throws db::Error when the server refuses the lock.
void lock_until_transaction_ends(Connection& connection, std::string_view resource);

}  // namespace ledgernova::db

#pragma once

#include <optional>

#include "db/change_counters.h"
#include "ledgernova/connection.h"

namespace ledgernova::schema {

// The version that the triggers of a PostgreSQL ledger keep of what a posting reads but never
// writes (templates, chart of accounts, host parameters), as change counters: the version row's
// number and a digest of what may move it without a number of its own (a transaction that wrote
// the row and was rolled back, a versioned table dropped, made again or altered, a trigger
// dropped or disabled). Nothing when a transaction is open on the connection, when the ledger is
// not on PostgreSQL or predates the version row, or when a trigger is missing or disabled: then
// nothing vouches for what was read. Throws db::Error when the statement fails.
[[nodiscard]] std::optional<db::ChangeCounters> configuration_version(db::Connection& connection);

// Gives each versioned table of a PostgreSQL ledger its trigger anew, after tables.sql made the
// version row and the trigger's function. Throws db::Error when the server refuses.
void create_version_triggers(db::Connection& connection);

}  // namespace ledgernova::schema

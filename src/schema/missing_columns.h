#pragma once

#include "ledgernova/connection.h"

namespace ledgernova::schema {

// Adds to an SQLite ledger made by an earlier version the columns its tables.sql now declares
// but an existing table lacks (SQLite has no ADD COLUMN IF NOT EXISTS; the server scripts add
// theirs themselves). Rows are kept and take each column's default. Safe to run again. Throws
// db::Error when the database refuses a change; the caller's transaction then undoes it all.
void add_missing_sqlite_columns(db::Connection& connection);

}  // namespace ledgernova::schema

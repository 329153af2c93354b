#pragma once

#include "ledgernova/connection.h"

namespace ledgernova::cli {

// Loads the demo catalogue into a ledger whose tables exist: companies, chart of accounts, cost
// centres, banks and bank accounts, suppliers, cheque types, the host parameters it needs, March
// 2024 purchases and payments of company '01' and the templates that post them. Runs in one
// transaction and may run again: rows already present are kept, the demo's templates replaced.
// Throws db::Error when the database refuses the script (the SQL Server one has not been tried on
// a server yet).
void load_demo_catalogue(db::Connection& connection);

}  // namespace ledgernova::cli

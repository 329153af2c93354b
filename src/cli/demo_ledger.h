#pragma once

#include <string>

#include "ledgernova/connection.h"

namespace ledgernova::cli {

// Marks the ledger as one the demo made, so that a later demo may replace it: a Parametro row no
// other ledger has. `init --demo` does not write it, since the catalogue it loads may then gather
// real work.
void mark_demo_ledger(db::Connection& connection);

// True when the file is an SQLite database that mark_demo_ledger marked; false for anything else:
// a file that is not a database, a ledger without the mark, a file that cannot be read. The file
// is only read, by a connection that sets nothing (the ledger connection would turn on the WAL
// journal and so rewrite a ledger's header), and no file is left beside it.
[[nodiscard]] bool is_demo_ledger(const std::string& path);

}  // namespace ledgernova::cli

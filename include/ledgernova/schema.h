#pragma once

#include <string>

#include "ledgernova/connection.h"
#include "ledgernova/export.h"

namespace ledgernova {

// Creates every table and index the component and its default host use, in the dialect of the
// connection. Safe to run on a database that already has them. Throws db::Error.
LEDGERNOVA_API void create_schema(db::Connection& connection);

}  // namespace ledgernova

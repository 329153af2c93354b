#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::cli {

// Column name and the SQL literal of its value (see sql_literal()).
using ColumnValues = std::vector<std::pair<std::string, std::string>>;

// The text as an SQL literal: between single quotes, every quote inside doubled.
[[nodiscard]] std::string sql_literal(std::string_view text);

// Writes one row of `table` identified by `key`: updates `values` in the row that has that key,
// or inserts key and values when there is none. Runs in one transaction, so a concurrent writer
// never inserts the same key in between. Throws db::Error.
void upsert_row(db::Connection& connection, std::string_view table, const ColumnValues& key,
                const ColumnValues& values);

}  // namespace ledgernova::cli

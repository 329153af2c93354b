#pragma once

#include <string>
#include <string_view>

namespace ledgernova::db {

// Rewrites each "SELECT TOP n" of a statement written for SQL Server into the same select with
// "LIMIT n" at its end (before the parenthesis that closes a sub-select). Text inside quotes,
// brackets and comments is left alone. A statement without TOP comes back unchanged.
[[nodiscard]] std::string rewrite_select_top(std::string_view sql);

}  // namespace ledgernova::db

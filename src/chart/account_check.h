#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ledgernova/chart.h"

namespace ledgernova::chart {

// The level of an account of the chart (or of the same file), nullopt when there is none.
using LevelOf = std::function<std::optional<int>(const std::string& key)>;

// The level the account is to have: its own when given, else its parent's plus one, 1 without a
// parent; 0 when it has a parent that `level_of` does not know.
[[nodiscard]] int expected_level(const Account& account, const LevelOf& level_of);

// Everything that keeps the account out of the chart, each "account KEY: why" (or "an account
// without a key"): key and description present and within the schema's lengths, a grouping code
// of c_CodAgrup, nature D or A, a parent that exists and is not the account itself, and a level
// one more than the parent's (1 without a parent). Empty when the account may be written.
[[nodiscard]] std::vector<std::string> account_problems(const Account& account,
                                                        const LevelOf& level_of);

}  // namespace ledgernova::chart

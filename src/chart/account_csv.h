#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ledgernova/chart.h"

namespace ledgernova::chart {

// An account read from a line of the file, with what kept it from being read as written, each
// "line N: ...". A row whose fields do not match the header is not complete: its account is
// left empty.
struct AccountRow {
    std::size_t line = 0;
    Account account;
    std::vector<std::string> problems;
    bool complete = true;
};

// The accounts of a CSV file, and what keeps the file as a whole from being read (each
// "line N: why", or why the file holds no account: then there are no rows). The header names the
// columns (account, description, grouping_code, nature, parent; optionally level, entry, result),
// in any order and any case; every field is trimmed of blanks. Level 0 stands for a level left
// empty.
struct AccountFile {
    std::vector<AccountRow> rows;
    std::vector<std::string> problems;
};

[[nodiscard]] AccountFile read_account_file(std::string_view csv);

}  // namespace ledgernova::chart

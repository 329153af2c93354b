#pragma once

#include <string>

#include "ledgernova/export_sat.h"

namespace ledgernova::cli {

// "ledgernova: <heading> (N problems):" on standard error, then each problem on a line of its own.
void print_problems(const ExportResult& result, const char* heading);

// The document to the file named, or to standard output when `out` is empty; false when the file
// cannot be written.
[[nodiscard]] bool deliver(const std::string& xml, const std::string& out);

}  // namespace ledgernova::cli

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ledgernova::util {

// One record of a CSV file: its fields, and the line of the file on which it starts (from 1).
struct CsvRecord {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// The records of CSV text as RFC 4180 writes them: fields separated by commas, a field in double
// quotes may hold commas, line breaks and doubled quotes (""), records end in LF or CRLF. A
// leading UTF-8 byte order mark and blank lines are skipped. A quoted field left open runs to the
// end of the text. Never throws.
[[nodiscard]] std::vector<CsvRecord> parse_csv(std::string_view text);

}  // namespace ledgernova::util

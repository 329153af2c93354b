#include <vector>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "ledgernova/export_sat.h"

namespace ledgernova {
namespace {

// The value kept on one line: line breaks, tabs and other control characters are written as
// escapes (\n, \r, \t, \x01).
std::string one_line(const std::string& value) {
    std::string text;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (c == '\t') {
            text += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            text += fmt::format("\\x{:02X}", byte);
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

std::string describe(const ExportProblem& problem) {
    std::vector<std::string> where;
    if (!problem.folio.empty()) {
        where.push_back("folio " + problem.folio);
    }
    if (!problem.line.empty()) {
        where.push_back("line " + problem.line);
    }
    if (!problem.element.empty()) {
        where.push_back(problem.row.empty() ? problem.element
                                            : problem.element + " " + problem.row);
    }
    if (!problem.attribute.empty()) {
        where.push_back(fmt::format("{} \"{}\"", problem.attribute, one_line(problem.value)));
    }
    return where.empty() ? problem.reason
                         : fmt::format("{}: {}", fmt::join(where, ", "), problem.reason);
}

}  // namespace ledgernova

#include "cli/export_output.h"

#include <fstream>
#include <iostream>

#include <fmt/format.h>

namespace ledgernova::cli {

void print_problems(const ExportResult& result, const char* heading) {
    std::cerr << fmt::format("ledgernova: {} ({} problem{}):\n", heading, result.problems.size(),
                             result.problems.size() == 1 ? "" : "s");
    for (const auto& problem : result.problems) {
        std::cerr << "  " << describe(problem) << '\n';
    }
}

bool deliver(const std::string& xml, const std::string& out) {
    if (out.empty()) {
        std::cout << xml;
        return static_cast<bool>(std::cout.flush());
    }
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << xml;
    file.close();
    return !file.fail();
}

}  // namespace ledgernova::cli

#include "cli/refusal.h"

#include <iostream>

#include <fmt/format.h>

#include "cli/exit_status.h"

namespace ledgernova::cli {

int refused(const std::string& doing, const std::string& error) {
    std::cerr << "ledgernova: " << doing << ":\n" << error << '\n';
    return kExitRefused;
}

void print_problems(const std::string& heading, const std::vector<std::string>& problems) {
    std::cerr << fmt::format("ledgernova: {} ({} problem{}):\n", heading, problems.size(),
                             problems.size() == 1 ? "" : "s");
    for (const auto& problem : problems) {
        std::cerr << "  " << problem << '\n';
    }
}

int refused(const std::string& heading, const std::vector<std::string>& problems) {
    print_problems(heading, problems);
    return kExitRefused;
}

}  // namespace ledgernova::cli

#include "cli/refusal.h"

#include <iostream>

#include "cli/exit_status.h"

namespace ledgernova::cli {

int refused(const std::string& doing, const std::string& error) {
    std::cerr << "ledgernova: " << doing << ":\n" << error << '\n';
    return kExitRefused;
}

}  // namespace ledgernova::cli

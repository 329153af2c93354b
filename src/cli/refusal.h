#pragma once

#include <string>

namespace ledgernova::cli {

// Reports a member's refusal on standard error, "ledgernova: " + what the program was doing + ":"
// on one line and the member's own error text below it, and returns kExitRefused.
[[nodiscard]] int refused(const std::string& doing, const std::string& error);

}  // namespace ledgernova::cli

#pragma once

#include <string>
#include <vector>

namespace ledgernova::cli {

// Reports a member's refusal on standard error, "ledgernova: " + what the program was doing + ":"
// on one line and the member's own error text below it, and returns kExitRefused.
[[nodiscard]] int refused(const std::string& doing, const std::string& error);

// Lists problems on standard error under "ledgernova: " + heading + " (N problems):", each on a
// line of its own indented by two blanks.
void print_problems(const std::string& heading, const std::vector<std::string>& problems);

// The problems that refused a command, listed by print_problems; returns kExitRefused.
[[nodiscard]] int refused(const std::string& heading, const std::vector<std::string>& problems);

}  // namespace ledgernova::cli

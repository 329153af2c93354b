#pragma once

#include <optional>
#include <string>

#include "ledgernova/date.h"

namespace CLI {
class Validator;
}

namespace ledgernova::cli {

// A day written "YYYY-MM-DD" that exists in the calendar; nullopt for anything else (a time of
// day included).
[[nodiscard]] std::optional<Date> parse_day(const std::string& text);

// Refuses, as a usage error, a command-line argument that parse_day does not accept.
[[nodiscard]] CLI::Validator day_validator();

}  // namespace ledgernova::cli

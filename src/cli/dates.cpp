#include "cli/dates.h"

#include <cctype>

#include <CLI/CLI.hpp>

namespace ledgernova::cli {
namespace {

// Digits with hyphens at positions 4 and 7: no blanks or signs, which Date::parse_iso lets by.
bool has_day_shape(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool hyphen = i == 4 || i == 7;
        if (hyphen ? text[i] != '-' : std::isdigit(static_cast<unsigned char>(text[i])) == 0) {
            return false;
        }
    }
    return text.size() == 10;
}

}  // namespace

std::optional<Date> parse_day(const std::string& text) {
    Date day;
    if (!has_day_shape(text) || !Date::parse_iso(text, day)) {
        return std::nullopt;
    }
    return day;
}

CLI::Validator day_validator() {
    return CLI::Validator(
        [](const std::string& text) {
            return parse_day(text) ? std::string() : "not a date YYYY-MM-DD: " + text;
        },
        "YYYY-MM-DD", "day");
}

}  // namespace ledgernova::cli

#pragma once

#include <string>
#include <string_view>

namespace ledgernova::db {

// The text as it goes between single quotes in a statement: every quote doubled. Call it exactly
// where the quotes are written, on the raw value, so nothing is escaped twice.
[[nodiscard]] inline std::string esc(std::string_view value) {
    std::string result;
    result.reserve(value.size());
    for (const char c : value) {
        result.push_back(c);
        if (c == '\'') {
            result.push_back('\'');
        }
    }
    return result;
}

}  // namespace ledgernova::db

#pragma once

#include <string>
#include <string_view>

namespace ledgernova::db {

// The text as it goes between single quotes in a statement: every quote doubled. Call it exactly
// where the quotes are written, on the raw value, so nothing is escaped twice.
[[nodiscard]] inline std::string esc(std::string_view value) {
    std::string result;
    result.reserve(value.size());
    for (auto quote = value.find('\''); quote != std::string_view::npos; quote = value.find('\'')) {
        result.append(value.substr(0, quote + 1)).push_back('\'');
        value.remove_prefix(quote + 1);
    }
    result.append(value);
    return result;
}

}  // namespace ledgernova::db

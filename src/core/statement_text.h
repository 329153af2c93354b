#pragma once

#include <string>
#include <string_view>

#include "db/sql_text.h"

namespace ledgernova::core {

// The texts one after the other, composed in one buffer of their whole length: statements put
// together for every voucher and line are built this way rather than by a chain of additions,
// each of which would copy what came before.
template <typename... Texts>
[[nodiscard]] std::string joined(const Texts&... texts) {
    std::string result;
    result.reserve((std::string_view(texts).size() + ...));
    (result.append(texts), ...);
    return result;
}

// Appends "'value', ": a text in a list of values, its quotes doubled here, where it is quoted.
// Most values hold no quote, and go in at once.
inline void append_quoted(std::string& sql, const std::string& value) {
    sql += '\'';
    if (value.find('\'') == std::string::npos) {
        sql += value;
    } else {
        sql += db::esc(value);
    }
    sql += "', ";
}

// The number with zeros in front, after its sign, up to `width` characters: as fmt writes it with
// "{:0<width>}", without parsing a format for every line.
[[nodiscard]] inline std::string zero_padded(long value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) {
        text.insert(value < 0 ? 1 : 0, width - text.size(), '0');
    }
    return text;
}

}  // namespace ledgernova::core

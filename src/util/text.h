#pragma once

#include <string>
#include <string_view>

namespace ledgernova::util {

inline constexpr std::string_view kCrLf = "\r\n";

// Trims leading and trailing blanks (the space character only: tabs and line breaks stay).
[[nodiscard]] std::string trim_blanks(std::string_view text);
[[nodiscard]] bool iequals(std::string_view a, std::string_view b);
// Every occurrence of `from` replaced by `to`, left to right, without rescanning what was put in.
[[nodiscard]] std::string replace_all(std::string_view text, std::string_view from,
                                      std::string_view to);
// Upper case for ASCII and the Latin-1 letters of Spanish (á é í ó ú ü ñ), kept as UTF-8.
[[nodiscard]] std::string to_upper(std::string_view text);
// The first `count` characters of UTF-8 text; a multi-byte character is never split.
[[nodiscard]] std::string left_chars(std::string_view text, std::size_t count);
// Up to 15 significant digits, no trailing zeros, '.' as decimal point, no grouping.
[[nodiscard]] std::string format_double(double value);
// True when the text is a plain SQL identifier: a letter or '_' then letters, digits or '_'.
[[nodiscard]] bool is_identifier(std::string_view text);

}  // namespace ledgernova::util

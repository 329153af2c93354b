#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledgernova::util {

inline constexpr std::string_view kCrLf = "\r\n";

// Whatever the process's locale: only a-z and A-Z change, as in the "C" locale. Keywords and
// the names the component writes are ASCII.
[[nodiscard]] constexpr char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
[[nodiscard]] constexpr char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// Where `word` (in capitals) first stands in `text` in any case of its ASCII letters, npos when
// nowhere; as util::to_upper(text).find(word) tells, since upper-casing moves no byte and makes
// no ASCII letter of any other byte, without upper-casing a copy.
[[nodiscard]] std::size_t find_any_case(std::string_view text, std::string_view word);

// The whole text as a 64-bit whole number (an optional '-' then digits, nothing else); nothing
// when it is not one or does not fit.
[[nodiscard]] std::optional<std::int64_t> whole_number(std::string_view text);

// Trims leading and trailing blanks (the space character only: tabs and line breaks stay).
[[nodiscard]] std::string trim_blanks(std::string_view text);
[[nodiscard]] bool iequals(std::string_view a, std::string_view b);
// Every occurrence of `from` replaced by `to`, left to right, without rescanning what was put in.
[[nodiscard]] std::string replace_all(std::string_view text, std::string_view from,
                                      std::string_view to);
// Upper case of every letter that util::simple_upper maps (ASCII, the Latin, Greek and Cyrillic
// blocks), character by character. The text keeps its length in bytes; a byte that starts no
// well-formed UTF-8 character is kept as it is, and ASCII after it is still upper-cased.
[[nodiscard]] std::string to_upper(std::string_view text);
// The text as case-insensitive comparison sees it (util::simple_fold of every character, bytes
// that start no well-formed character kept): two texts fold alike exactly when compare_folded
// finds them equal.
[[nodiscard]] std::string fold_case(std::string_view text);
// Orders texts without regard to case, as the ledger's text columns compare: by the code points
// of their folded characters (byte order for well-formed UTF-8), a byte that starts no character
// after every character. ASCII-only texts order as SQLite's built-in NOCASE orders them.
// Negative, zero or positive as `a` sorts before, with or after `b`.
[[nodiscard]] int compare_folded(std::string_view a, std::string_view b);
// The first `count` characters of UTF-8 text; a multi-byte character is never split.
[[nodiscard]] std::string left_chars(std::string_view text, std::size_t count);
// Up to 15 significant digits, no trailing zeros, '.' as decimal point, no grouping.
[[nodiscard]] std::string format_double(double value);
// True when the text is a plain SQL identifier: a letter or '_' then letters, digits or '_'.
[[nodiscard]] bool is_identifier(std::string_view text);

}  // namespace ledgernova::util

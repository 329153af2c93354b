#pragma once

#include <cstddef>
#include <string_view>

#include "util/text.h"

// The tokens of a statement text that hold literal values, as SQLite's tokenizer reads them,
// whatever the process's locale.
namespace ledgernova::db::tokens {

inline bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

inline bool is_word_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const auto lower = static_cast<unsigned char>(byte | 0x20U);
    return (lower >= 'a' && lower <= 'z') || is_digit(c) || c == '_' || c == '$' || byte >= 0x80;
}

// Just past the token that opens with `quote` at `at` (a doubled quote inside belongs to it);
// npos when it does not close.
inline std::size_t past_quoted(std::string_view sql, std::size_t at, char quote) {
    for (std::size_t i = sql.find(quote, at + 1); i != std::string_view::npos;
         i = sql.find(quote, i + 2)) {
        if (i + 1 == sql.size() || sql[i + 1] != quote) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

inline std::size_t digits_from(std::string_view sql, std::size_t at) {
    while (at < sql.size() && is_digit(sql[at])) {
        ++at;
    }
    return at;
}

// Where the digits of an exponent that starts at `at` begin ("e5", "E-3"); `at` when there is
// none.
inline std::size_t exponent_digits(std::string_view sql, std::size_t at) {
    if (at >= sql.size() || (sql[at] != 'e' && sql[at] != 'E')) {
        return at;
    }
    const std::size_t sign = at + 1 < sql.size() && (sql[at + 1] == '+' || sql[at + 1] == '-');
    const std::size_t first = at + 1 + sign;
    return first < sql.size() && is_digit(sql[first]) ? first : at;
}

// A number from its first digit at `at`: where it ends, and whether it has a decimal point or an
// exponent.
struct Number {
    std::size_t end;
    bool real;
};

inline Number number_at(std::string_view sql, std::size_t at) {
    Number number{digits_from(sql, at), false};
    if (number.end < sql.size() && sql[number.end] == '.') {
        number = {digits_from(sql, number.end + 1), true};
    }
    if (const std::size_t exponent = exponent_digits(sql, number.end); exponent != number.end) {
        number = {digits_from(sql, exponent), true};
    }
    return number;
}

// A number glued to what follows it is a token SQLite refuses.
inline bool glued(std::string_view sql, std::size_t end) {
    return end < sql.size() && (is_word_byte(sql[end]) || sql[end] == '.');
}

inline bool is_insert(std::string_view sql) {
    const std::size_t start = sql.find_first_not_of(" \t\r\n");
    constexpr std::string_view kInsert = "INSERT";
    return start != std::string_view::npos &&
           util::find_any_case(sql.substr(start, kInsert.size()), kInsert) == 0;
}

// For an INSERT, where the first VALUES of its text ends; npos for any other statement.
inline std::size_t insert_values_end(std::string_view sql) {
    if (!is_insert(sql)) {
        return std::string_view::npos;
    }
    constexpr std::string_view kValues = "VALUES";
    const std::size_t found = util::find_any_case(sql, kValues);
    return found == std::string_view::npos ? found : found + kValues.size();
}

// A whole number of more than this many digits may not fit 64 bits: it stays in the text.
inline constexpr std::size_t kSafeDigits = 18;

}  // namespace ledgernova::db::tokens

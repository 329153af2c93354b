#include "db/parameterizer.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "db/sql_tokens.h"
#include "util/text.h"

namespace ledgernova::db {
namespace {

using tokens::is_digit;
using tokens::is_word_byte;

// Scans a statement the way SQLite's tokenizer splits it (PostgreSQL's agrees on every token that
// is taken out; what it reads otherwise, such as E'a' or $1, leaves the text unusable): names in
// double quotes, backquotes or brackets, comments and blob literals are copied as they are; each
// quoted text becomes the next numbered parameter.
class Parameterizer {
  public:
    // Writes into `result`, which is cleared first.
    Parameterizer(std::string_view sql, ParameterStyle style, Parameterized& result)
        : sql_(sql), style_(style), result_(result) {
        result_.clear();
        result_.text.reserve(sql.size());
    }

    void run() {
        while (result_.usable && at_ < sql_.size()) {
            step();
        }
    }

  private:
    void step() {
        const std::size_t end = plain_code_end();
        result_.text.append(sql_.data() + at_, end - at_);
        at_ = end;
        if (at_ < sql_.size()) {
            special(sql_[at_]);
        }
    }

    // Where the plain code from the current position ends. Most of a statement is plain code:
    // skipped sixteen bytes at a time, then byte by byte from the chunk where something else
    // may start.
    [[nodiscard]] std::size_t plain_code_end() const {
        const std::size_t size = sql_.size();
        const char* const bytes = sql_.data();
        std::size_t at = at_;
        while (at + sizeof(Chunk) <= size && plain_chunk(bytes + at)) {
            at += sizeof(Chunk);
        }
        while (at < size && !kSpecial[static_cast<unsigned char>(bytes[at])]) {
            ++at;
        }
        return at;
    }

    // The bytes that may start something other than plain SQL code, in ranges.
    static constexpr std::array<std::pair<unsigned char, unsigned char>, 7> kSpecialRanges = {{
        {'"', '$'},  // '"', '#', '$'
        {'\'', '\''},
        {'-', '-'},
        {'/', ':'},  // '/', the digits, ':'
        {'?', '@'},
        {'[', '['},
        {'`', '`'},
    }};
    static constexpr std::array<bool, 256> kSpecial = [] {
        std::array<bool, 256> special{};
        for (const auto& [first, last] : kSpecialRanges) {
            for (unsigned c = first; c <= last; ++c) {
                special[c] = true;
            }
        }
        return special;
    }();

    // Sixteen bytes, compared all at once where the machine can (GCC's and Clang's vectors).
    using Chunk = unsigned char __attribute__((vector_size(16)));
    using ChunkMask = signed char __attribute__((vector_size(16)));  // a comparison's: -1 or 0

    // True when none of the sixteen bytes from `bytes` is special.
    static bool plain_chunk(const char* bytes) {
        Chunk chunk;
        std::memcpy(&chunk, bytes, sizeof chunk);
        ChunkMask special{};
        for (const auto& [first, last] : kSpecialRanges) {
            special |=
                static_cast<Chunk>(chunk - first) <= static_cast<unsigned char>(last - first);
        }
        std::array<std::uint64_t, 2> halves{};
        std::memcpy(halves.data(), &special, sizeof halves);
        return (halves[0] | halves[1]) == 0;
    }

    void special(char c) {
        if (c == '\'') {
            text_value();
        } else if (c == '"' || c == '`') {
            copy_to(tokens::past_quoted(sql_, at_, c));
        } else if (c == '[') {
            copy_to(past(sql_.find(']', at_), 1));
        } else if (sql_.substr(at_, 2) == "--") {
            copy_to(past(sql_.find('\n', at_), 1));
        } else if (sql_.substr(at_, 2) == "/*") {
            copy_to(past(sql_.find("*/", at_ + 2), 2));
        } else if (is_digit(c) && !after_word()) {
            number();
        } else if (c == '?' || c == ':' || c == '@' || c == '#' || (c == '$' && !after_word())) {
            result_.usable = false;  // a parameter of the caller's own
        } else {
            result_.text.push_back(c);  // '-', '/', or a digit or '$' inside a name
            ++at_;
        }
    }

    void number() {
        const auto [end, real] = tokens::number_at(sql_, at_);
        if (tokens::glued(sql_, end) || !bound_number(real, end)) {
            copy_to(end);  // a token SQLite refuses, or a number left in the text
            return;
        }
        const std::string_view value = sql_.substr(at_, end - at_);
        const auto token = real ? Parameterized::Token::Real : Parameterized::Token::Whole;
        if (style_ == ParameterStyle::PostgreSQL) {
            add_value(value, end, token);
            return;
        }
        result_.text += "+CAST(";
        add_value(value, end, token);
        result_.text += real ? " AS REAL)" : " AS INTEGER)";
    }

    [[nodiscard]] bool bound_number(bool real, std::size_t end) const {
        if (style_ == ParameterStyle::SQLite) {
            return real || compared(end, real);
        }
        return stands_alone(end) && (compared(end, real) || inserted(end));
    }

    // On PostgreSQL a parameter in arithmetic takes the type of the other operand: 2.5 * n would
    // become a whole number for a whole n. So a number is a value only where nothing follows but
    // a word, a comma, a parenthesis that closes or the end.
    [[nodiscard]] bool stands_alone(std::size_t end) const {
        const std::size_t next = sql_.find_first_not_of(" \t\r\n", end);
        return next == std::string_view::npos || sql_[next] == ',' || sql_[next] == ')' ||
               sql_[next] == ';' || (is_word_byte(sql_[next]) && !is_digit(sql_[next]));
    }

    // On PostgreSQL a number listed in the VALUES of an INSERT is a value too: the column it goes
    // into gives the parameter its type.
    [[nodiscard]] bool inserted(std::size_t end) const {
        if (at_ == 0 || end - at_ > tokens::kSafeDigits) {
            return false;
        }
        const std::size_t before = sql_.find_last_not_of(" \t\r\n", at_ - 1);
        if (before == std::string_view::npos || (sql_[before] != '(' && sql_[before] != ',')) {
            return false;
        }
        if (!values_end_) {
            values_end_ = tokens::insert_values_end(sql_);
        }
        return *values_end_ <= at_;
    }

    // Takes out the value written from the current position to `end` and writes its marker, ?n
    // or $n, in its place.
    void add_value(std::string_view value, std::size_t end, Parameterized::Token token) {
        result_.values.push_back(value);
        result_.sources.push_back({at_, end - at_, token});
        write_marker(result_.values.size());
        at_ = end;
    }

    // A statement has a handful of values: most numbers take a single digit.
    void write_marker(std::size_t number) {
        constexpr std::size_t kOneDigit = 10;
        result_.text += style_ == ParameterStyle::PostgreSQL ? '$' : '?';
        if (number < kOneDigit) {
            result_.text += static_cast<char>('0' + number);
            return;
        }
        std::array<char, std::numeric_limits<std::size_t>::digits10 + 1> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
        result_.text.append(digits.data(), end);
    }

    // A number right after '=' (set or compared: x = 5, y <= 5) is a value, never a column
    // position; a whole one of at most 18 digits is read by SQLite as the integer it casts to.
    [[nodiscard]] bool compared(std::size_t end, bool real) const {
        if (at_ == 0 || (!real && end - at_ > tokens::kSafeDigits)) {
            return false;
        }
        const std::size_t before = sql_.find_last_not_of(" \t\r\n", at_ - 1);
        return before != std::string_view::npos && sql_[before] == '=';
    }

    void text_value() {
        const std::size_t end = tokens::past_quoted(sql_, at_, '\'');
        if (end == std::string_view::npos || after_word() ||
            (end < sql_.size() && is_word_byte(sql_[end]))) {
            result_.usable = false;
            return;
        }
        if (style_ == ParameterStyle::PostgreSQL) {
            server_text(sql_.substr(at_, end - at_), end);
        } else {
            add_value(result_.value_of_text(sql_.substr(at_ + 1, end - at_ - 2)), end,
                      Parameterized::Token::Text);
        }
    }

    // A text joined by || to what stands beside it always reads as text on the server, so the
    // same text joined elsewhere in the statement takes the same parameter: an expression of the
    // select list and the same expression in its GROUP BY stay one expression to the server.
    void server_text(std::string_view written, std::size_t end) {
        if (!joined(end)) {
            add_value(written, end, Parameterized::Token::Text);
            return;
        }
        for (const std::size_t index : result_.joined) {
            if (result_.values[index] == written) {
                write_marker(index + 1);
                at_ = end;
                return;
            }
        }
        result_.joined.push_back(result_.values.size());
        add_value(written, end, Parameterized::Token::Joined);
    }

    // Whether the quoted text from the current position to `end` has || before or after it.
    [[nodiscard]] bool joined(std::size_t end) const {
        const std::size_t before =
            at_ == 0 ? std::string_view::npos : sql_.find_last_not_of(" \t\r\n", at_ - 1);
        const std::size_t after = sql_.find_first_not_of(" \t\r\n", end);
        return (before != std::string_view::npos && before > 0 &&
                sql_.substr(before - 1, 2) == "||") ||
               (after != std::string_view::npos && sql_.substr(after, 2) == "||");
    }

    // Just past a closer found at `found`, or the end of the text when there is none.
    [[nodiscard]] std::size_t past(std::size_t found, std::size_t closer) const {
        return found == std::string_view::npos ? sql_.size() : found + closer;
    }

    void copy_to(std::size_t end) {
        if (end == std::string_view::npos) {
            result_.usable = false;
            return;
        }
        result_.text.append(sql_.substr(at_, end - at_));
        at_ = end;
    }

    [[nodiscard]] bool after_word() const { return at_ > 0 && is_word_byte(sql_[at_ - 1]); }

    std::string_view sql_;
    ParameterStyle style_;
    std::size_t at_ = 0;
    mutable std::optional<std::size_t> values_end_;  // insert_values_end, found when first asked
    Parameterized& result_;
};

}  // namespace

std::string_view Parameterized::value_of_text(std::string_view between_quotes) {
    return between_quotes.find('\'') == std::string_view::npos
               ? between_quotes
               : unquoted.emplace_back(util::replace_all(between_quotes, "''", "'"));
}

void parameterize(std::string_view sql, ParameterStyle style, Parameterized& result) {
    Parameterizer(sql, style, result).run();
}

}  // namespace ledgernova::db

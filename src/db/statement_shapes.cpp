#include "db/statement_shapes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

#include "db/sql_tokens.h"
#include "util/utf8.h"

namespace ledgernova::db {
namespace {

constexpr std::size_t kMaxKinds = 64;
// Lines of one voucher may differ in code too (a number written as it is, such as a line's
// debit or credit type), so a kind keeps a few shapes rather than thrashing between two.
constexpr std::size_t kShapesPerKind = 4;
constexpr std::size_t kMaxKeptText = std::size_t{64} * 1024;
constexpr std::size_t npos = std::string_view::npos;

constexpr bool opens_value(char c) {
    return c == '\'' || tokens::is_digit(c);
}

// Where the first quote or digit stands before `limit`, or `limit`. Statements open with long runs
// of code: eight bytes are checked at once for a quote or a digit among their ASCII bytes, and the
// word that may hold one is then read byte by byte.
std::size_t code_end(std::string_view sql, std::size_t limit) {
    using util::kByteHighBits;
    using util::kEveryByte;
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= limit; at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, sql.data() + at, sizeof word);
        const std::uint64_t low = word & ~kByteHighBits;  // no sum below carries out of its byte
        const std::uint64_t digit =
            (low + kEveryByte * (0x80U - '0')) & ~(low + kEveryByte * (0x80U - '9' - 1));
        const std::uint64_t not_quote = low ^ (kEveryByte * static_cast<unsigned char>('\''));
        const std::uint64_t quote = (not_quote - kEveryByte) & ~not_quote;
        if (((digit | quote) & ~word & kByteHighBits) != 0) {
            break;
        }
    }
    while (at < limit && !opens_value(sql[at])) {
        ++at;
    }
    return at;
}

// Texts of one shape share the code before their first value, whose token opens with a quote or
// a digit: that code, up to a length, tells the kind of a text.
std::uint64_t kind_of(std::string_view sql) {
    constexpr std::size_t kKindLength = 64;
    return std::hash<std::string_view>{}(
        sql.substr(0, code_end(sql, std::min(sql.size(), kKindLength))));
}

// Whether `sql` holds, from `at`, the `length` bytes of `written` from `from`.
bool same_code(std::string_view sql, std::size_t at, std::string_view written, std::size_t from,
               std::size_t length) {
    return sql.size() - at >= length &&
           std::memcmp(sql.data() + at, written.data() + from, length) == 0;
}

// A value's token in a text of the kept shape: where it ends (npos when it is not a token of the
// kept one's kind) and the value it gives.
struct Taken {
    std::size_t end = npos;
    std::string_view value;
};

// A quoted text: on SQLite its value is what stands between its quotes, on the server the token
// as written. Most values hold no quote: the first quote after the opening one closes them, and
// their value is taken as it stands, without a second look for doubled quotes.
Taken quoted_text(std::string_view sql, std::size_t at, ParameterStyle style,
                  Parameterized& result) {
    if (sql[at] != '\'') {
        return {};
    }
    const std::size_t close = sql.find('\'', at + 1);
    const bool plain = close != npos && (close + 1 == sql.size() || sql[close + 1] != '\'');
    const std::size_t end = plain ? close + 1 : tokens::past_quoted(sql, at, '\'');
    if (end == npos) {
        return {};
    }
    if (style == ParameterStyle::PostgreSQL) {
        return {end, sql.substr(at, end - at)};
    }
    const std::string_view between = sql.substr(at + 1, end - at - 2);
    return {end, plain ? between : result.value_of_text(between)};
}

// A number bound as the kept one was: as precise, and short enough to be bound at all.
Taken number(std::string_view sql, std::size_t at, bool real) {
    if (!tokens::is_digit(sql[at])) {
        return {};
    }
    const auto found = tokens::number_at(sql, at);
    if (found.real != real || found.end - at > tokens::kSafeDigits ||
        tokens::glued(sql, found.end)) {
        return {};
    }
    return {found.end, sql.substr(at, found.end - at)};
}

Taken take_token(std::string_view sql, std::size_t at, const Parameterized::Source& kept,
                 std::string_view written, ParameterStyle style, Parameterized& result) {
    using Token = Parameterized::Token;
    if (at >= sql.size()) {
        return {};
    }
    switch (kept.token) {
        case Token::Text:
            return quoted_text(sql, at, style, result);
        case Token::Joined:  // the same joined text must stand here to share the same parameter
            if (!same_code(sql, at, written, kept.offset, kept.length)) {
                return {};
            }
            return {at + kept.length, sql.substr(at, kept.length)};
        case Token::Whole:
        case Token::Real:
            return number(sql, at, kept.token == Token::Real);
    }
    return {};
}

// Fills `result` for `sql` from the shape of `written`, when `sql` has that shape.
bool take_shape(std::string_view written, const std::vector<Parameterized::Source>& sources,
                ParameterStyle style, std::string_view sql, Parameterized& result) {
    result.clear();
    std::size_t from = 0;  // in `written`
    std::size_t at = 0;    // in `sql`
    for (const auto& source : sources) {
        const std::size_t code = source.offset - from;
        if (!same_code(sql, at, written, from, code)) {
            return false;
        }
        at += code;
        const Taken taken = take_token(sql, at, source, written, style, result);
        if (taken.end == npos) {
            return false;
        }
        result.values.push_back(taken.value);
        result.sources.push_back({at, taken.end - at, source.token});
        at = taken.end;
        from = source.offset + source.length;
    }
    return sql.size() - at == written.size() - from &&
           same_code(sql, at, written, from, written.size() - from);
}

}  // namespace

void StatementShapes::parameterize(std::string_view sql, Parameterized& result) {
    const std::uint64_t kind = kind_of(sql);
    if (const auto found = shapes_.find(kind); found != shapes_.end()) {
        for (const Shape& shape : found->second) {
            if (take_shape(shape.written, shape.sources, style_, sql, result)) {
                result.text = shape.text;
                ++reused_;
                return;
            }
        }
    }
    db::parameterize(sql, style_, result);
    if (keepable(sql, result)) {
        keep(kind, sql, result);
    }
}

// On the server a number listed after the VALUES of an INSERT is a value: a text whose first
// VALUES could move with its values is parameterized in full each time.
bool StatementShapes::keepable(std::string_view sql, const Parameterized& result) const {
    if (!result.usable || sql.size() > kMaxKeptText) {
        return false;
    }
    if (style_ != ParameterStyle::PostgreSQL || result.sources.empty() || !tokens::is_insert(sql)) {
        return true;
    }
    const std::size_t values_end = tokens::insert_values_end(sql);
    return values_end != npos && values_end <= result.sources.front().offset;
}

void StatementShapes::keep(std::uint64_t kind, std::string_view sql, const Parameterized& result) {
    if (shapes_.size() >= kMaxKinds && !shapes_.contains(kind)) {
        shapes_.erase(shapes_.begin());
    }
    std::vector<Shape>& kept = shapes_[kind];
    if (kept.size() == kShapesPerKind) {
        kept.pop_back();
    }
    kept.insert(kept.begin(), Shape{std::string(sql), result.text, result.sources});
}

}  // namespace ledgernova::db

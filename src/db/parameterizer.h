#pragma once

#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace ledgernova::db {

// How a backend takes the literal values out of a statement text and binds them back in.
//
// SQLite: a quoted text becomes ?n, its value with doubled quotes made single again. A number with
// a decimal point or an exponent becomes +CAST(?n AS REAL): SQLite turns the bound text into the
// very double it reads from the literal, and the unary plus leaves the expression without
// affinity, as a literal is; a whole number becomes +CAST(?n AS INTEGER) only after '=', since
// ORDER BY 2 names a column.
//
// PostgreSQL: a quoted text, and a number right after '=' or listed in the VALUES of an INSERT,
// becomes $n, its value the literal as written (quotes and all), which the server reads again as
// the argument of EXECUTE. A parameter takes its type from where it stands, as a quoted literal
// does; a number elsewhere would turn into text in a select list, so it stays in the text. A quoted
// text joined by || takes the parameter of the same text joined earlier in the statement, if any.
enum class ParameterStyle { SQLite, PostgreSQL };

// A statement text with its literal values taken out, `values` holding their texts in order.
// Not `usable` when the text has parameters of its own, a quote that does not close, or a quote
// glued to a word (X'0A', N'a', E'a').
struct Parameterized {
    // What a value's token is: a quoted text, a number, or (server) a quoted text joined by ||,
    // whose parameter the same text joined later in the statement takes too.
    enum class Token : unsigned char { Text, Whole, Real, Joined };
    // Where a value's token was written in the statement, quotes included.
    struct Source {
        std::size_t offset;
        std::size_t length;
        Token token;
    };

    // Ready for another statement; what was allocated for the last one is kept for reuse.
    void clear() {
        text.clear();
        values.clear();
        sources.clear();
        unquoted.clear();
        joined.clear();
        usable = true;
    }

    // The value of a quoted text written between its quotes, which may point into them.
    std::string_view value_of_text(std::string_view between_quotes);

    std::string text;
    std::vector<std::string_view> values;  // into the statement, or into `unquoted`
    std::vector<Source> sources;           // one for each value, in the same order
    std::list<std::string> unquoted;       // values whose doubled quotes were made single
    std::vector<std::size_t> joined;       // server: indexes of the values joined by ||
    bool usable = true;
};

// Writes the parameterized form of `sql` into `result` (cleared first); `result` may point into
// `sql`, which must outlive it.
void parameterize(std::string_view sql, ParameterStyle style, Parameterized& result);

}  // namespace ledgernova::db

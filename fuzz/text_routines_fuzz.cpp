// libFuzzer target for the text routines that template text and statements pass through:
// the GROUP BY and sum tests of generated selects, the joining of a template's condition rows,
// the TOP rewrite of the SQLite backend, the statements it keeps prepared with their literal
// values bound back in, the shapes that spare parameterizing a statement composed again, the
// UTF-8 aware text helpers and exact decimals.
// Every input goes through all of them; each routine is checked against properties that hold for
// any input, and a broken property aborts with the input shown.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sqlite3.h>

#include "db/parameterizer.h"
#include "db/statement_shapes.h"
#include "db/top_rewrite.h"
#include "ledgernova/connection.h"
#include "ledgernova/host.h"
#include "ledgernova/module.h"
#include "ledgernova/polizas.h"
#include "ledgernova/schema.h"
#include "templates/grouping.h"
#include "util/decimal.h"
#include "util/text.h"

namespace {

using namespace ledgernova;

std::string shown(std::string_view text) {
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            result.push_back(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            result += escape;
        }
    }
    return result;
}

[[noreturn]] void broken(std::string_view what, std::string_view input, std::string_view got = {},
                         std::string_view expected = {}) {
    std::fprintf(stderr,
                 "broken: %.*s\n  input:    \"%s\"\n  got:      \"%s\"\n  expected: \"%s\"\n",
                 static_cast<int>(what.size()), what.data(), shown(input).c_str(),
                 shown(got).c_str(), shown(expected).c_str());
    std::abort();
}

void require(bool holds, std::string_view what, std::string_view input, std::string_view got = {},
             std::string_view expected = {}) {
    if (!holds) {
        broken(what, input, got, expected);
    }
}

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

std::size_t occurrences(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

std::string ascii_lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string ascii_upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

bool is_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// The length of the well-formed UTF-8 sequence that starts at `at`, 0 when there is none.
std::size_t sequence_length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!is_continuation(text[at + k])) {
            return 0;
        }
    }
    return length;
}

// Code points of well-formed UTF-8 (overlong forms are not told apart: they do not matter to the
// cutting rule), or -1 when the text is not UTF-8.
long code_points(std::string_view text) {
    long count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const std::size_t length = sequence_length(text, at);
        if (length == 0) {
            return -1;
        }
        at += length;
    }
    return count;
}

// ---- GROUP BY list and sum test -----------------------------------------------------------------

void check_group_by(const std::string& X, const std::string& G) {
    const std::string result = templates::Agrega_Campo_Group_By(X, G);
    const std::string x = util::trim_blanks(X);
    const std::string appended = G.empty() ? x : G + ", \r\n" + x;
    require(result == G || result == appended, "GROUP BY list is G or G plus the expression", X,
            result, appended);
    const bool added = result != G;
    require(!(x.empty() && added), "a blank expression is never grouped", X, result, G);
    if (!x.empty() && !contains(x, "'") && !contains(ascii_upper(x), "SELECT ")) {
        require(added, "a column expression is always grouped", X, result, appended);
    }
    const std::string lower = templates::Agrega_Campo_Group_By(ascii_lower(X), G);
    require((lower != G) == (result != G), "grouping ignores letter case", X, lower, result);
}

void check_sum(const std::string& A) {
    const bool sum = templates::Es_Campo_Suma(A);
    const std::string normal = ascii_upper(util::replace_all(A, util::kCrLf, ""));
    if (!contains(normal, "SUM(")) {
        require(!sum, "no SUM( means no sum", A);
    } else if (!contains(normal, "SELECT ")) {
        require(sum, "a SUM( outside any sub-select is a sum", A);
    }
    require(templates::Es_Campo_Suma(ascii_lower(A)) == sum, "the sum test ignores letter case", A);
}

// ---- TOP rewrite --------------------------------------------------------------------------------

// The quoted texts, quoted names and comments of a statement, in order; `closed` tells whether the
// last one was closed before the end of the text.
struct Literals {
    std::vector<std::string> pieces;
    bool closed = true;
};

Literals literals_of(std::string_view sql) {
    Literals result;
    for (std::size_t i = 0; i < sql.size();) {
        std::string_view closer;
        std::size_t opener = 1;
        if (sql[i] == '\'' || sql[i] == '"' || sql[i] == '`') {
            closer = sql.substr(i, 1);
        } else if (sql[i] == '[') {
            closer = "]";
        } else if (sql.substr(i, 2) == "--") {
            closer = "\n";
            opener = 2;
        } else if (sql.substr(i, 2) == "/*") {
            closer = "*/";
            opener = 2;
        } else {
            ++i;
            continue;
        }
        const auto end = sql.find(closer, i + opener);
        result.closed = end != std::string_view::npos;
        const std::size_t stop = result.closed ? end + closer.size() : sql.size();
        result.pieces.emplace_back(sql.substr(i, stop - i));
        i = stop;
    }
    return result;
}

std::string punctuation_of(std::string_view text) {
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) == 0 && std::isspace(byte) == 0) {
            result.push_back(c);
        }
    }
    return result;
}

// "TOP n TOP m": a second TOP that the first rewrite uncovers. SQL Server refuses such a select,
// so the database is left to judge it and the rewrite need not be idempotent there.
bool has_repeated_top(std::string_view sql) {
    const std::string upper = ascii_upper(sql);
    for (auto at = upper.find("TOP"); at != std::string::npos; at = upper.find("TOP", at + 1)) {
        std::size_t i = at + 3;
        while (i < upper.size() && (std::isspace(static_cast<unsigned char>(upper[i])) != 0 ||
                                    std::isdigit(static_cast<unsigned char>(upper[i])) != 0)) {
            ++i;
        }
        if (i > at + 3 && upper.compare(i, 3, "TOP") == 0) {
            return true;
        }
    }
    return false;
}

void check_top_rewrite(const std::string& sql) {
    const std::string rewritten = db::rewrite_select_top(sql);
    if (!contains(ascii_upper(sql), "TOP")) {
        require(rewritten == sql, "a statement without TOP comes back unchanged", sql, rewritten);
        return;
    }
    require(punctuation_of(rewritten) == punctuation_of(sql),
            "the rewrite moves only words, digits and blanks", sql, rewritten);
    const std::size_t tops_removed =
        occurrences(ascii_upper(sql), "TOP") - occurrences(ascii_upper(rewritten), "TOP");
    const std::size_t limits_added = occurrences(rewritten, "LIMIT ") - occurrences(sql, "LIMIT ");
    require(tops_removed == limits_added, "each TOP removed becomes one LIMIT", sql, rewritten);
    const Literals before = literals_of(sql);
    if (before.closed) {
        require(literals_of(rewritten).pieces == before.pieces,
                "quoted text and comments are left alone", sql, rewritten);
    }
    if (!has_repeated_top(sql)) {
        const std::string again = db::rewrite_select_top(rewritten);
        require(again == rewritten, "the rewrite is idempotent", sql, again, rewritten);
    }
}

// ---- text helpers -------------------------------------------------------------------------------

void check_left_chars(const std::string& text, std::size_t count) {
    const std::string cut = util::left_chars(text, count);
    require(text.compare(0, cut.size(), cut) == 0, "left_chars gives a prefix", text, cut);
    require(cut.empty() || cut.size() == text.size() || !is_continuation(text[cut.size()]),
            "left_chars never cuts inside a UTF-8 sequence", text, cut);
    require((cut.empty()) == (count == 0 || text.empty()), "left_chars is empty only for nothing",
            text, cut);
    const long total = code_points(text);
    if (total >= 0) {
        const long expected = std::min(static_cast<long>(count), total);
        require(code_points(cut) == expected, "left_chars counts characters", text, cut);
    }
}

void check_text_helpers(const std::string& text) {
    for (const std::size_t count :
         {std::size_t{0}, std::size_t{1}, std::size_t{6}, std::size_t{15}, std::size_t{50},
          std::size_t{100}, text.size(), text.size() + 1}) {
        check_left_chars(text, count);
    }
    const std::string trimmed = util::trim_blanks(text);
    require(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '),
            "trim_blanks leaves no blank at either end", text, trimmed);
    require(contains(text, trimmed), "trim_blanks gives a piece of the text", text, trimmed);
    const std::string upper = util::to_upper(text);
    require(upper.size() == text.size(), "to_upper keeps the length", text, upper);
    require(util::to_upper(upper) == upper, "to_upper is idempotent", text, upper);
    require(code_points(text) < 0 || code_points(upper) == code_points(text),
            "to_upper keeps UTF-8 text UTF-8", text, upper);
    require(
        util::compare_folded(upper, text) == 0 && util::fold_case(upper) == util::fold_case(text),
        "to_upper compares and folds as the text does", text, upper);
    require(util::iequals(text, ascii_lower(text)), "iequals ignores ASCII case", text);
    require(util::replace_all(text, util::kCrLf, util::kCrLf) == text,
            "replacing a text by itself changes nothing", text);
    const std::string no_breaks = util::replace_all(text, util::kCrLf, "");
    require(no_breaks.size() == text.size() - 2 * occurrences(text, util::kCrLf),
            "replace_all removes every CRLF", text, no_breaks);
}

// ---- decimals -----------------------------------------------------------------------------------

std::size_t significant_digits(const std::string& text) {
    const auto first = text.find_first_of("123456789");
    if (first == std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(
        std::count_if(text.begin() + static_cast<long>(first), text.end(),
                      [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }));
}

void check_fixed(const util::Decimal& value, const std::string& text) {
    const std::string six = value.to_fixed(6);
    require(util::Decimal::parse(six) == value, "to_fixed(6) reads back exactly", text, six,
            value.to_string());
    const std::string two = value.to_fixed(2);
    require(two.size() >= 4 && two[two.size() - 3] == '.', "to_fixed(2) has two decimals", text,
            two);
    if (two.ends_with("100000000000000000000.00")) {
        return;  // rounded past the largest amount: right, but no longer an amount parse accepts
    }
    const util::Decimal rounded = util::Decimal::parse(two);
    const util::Decimal half_cent = util::Decimal::parse("0.005");
    require((rounded - value).abs() <= half_cent, "to_fixed(2) is within half a cent", text, two);
}

void check_decimal(const std::string& text) {
    util::Decimal value;
    try {
        value = util::Decimal::parse(text);
    } catch (const ConversionError&) {
        return;  // "Type mismatch" or "Overflow": the refusal callers turn into their error text
    }
    const std::string written = value.to_string();
    require(util::Decimal::parse(written) == value, "to_string reads back exactly", text, written);
    check_fixed(value, text);
    if (significant_digits(written) <= 15) {
        const util::Decimal back = util::Decimal::from_double(value.to_double());
        require(back == value, "a decimal of 15 digits survives a Double", text, back.to_string(),
                written);
    }
}

void check_double(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) {
        return;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    try {
        const util::Decimal decimal = util::Decimal::from_double(value);
        require(util::Decimal::parse(decimal.to_string()) == decimal,
                "a Double read as decimal writes back", util::format_double(value));
    } catch (const ConversionError&) {
    }
}

// ---- joining condition rows ---------------------------------------------------------------------

// A template key that itself needs its quote doubled and holds a non-ASCII letter.
const std::string kTemplateKey = "CMP'ñ";

// What the conditions of a template join to, as the posting builds its filters from them.
std::string joined(const std::vector<std::string>& rows, const std::string& company) {
    std::string result;
    for (const auto& row : rows) {
        if (!result.empty()) {
            result += " AND \r\n";
        }
        result += util::trim_blanks(util::replace_all(row, util::kCrLf, ""));
    }
    std::string company_in_quotes;
    for (const char c : company) {
        company_in_quotes += c == '\'' ? std::string("''") : std::string(1, c);
    }
    return util::replace_all(result, "<EMPRESA>", company_in_quotes);
}

std::string quoted(const std::string& text) {
    return "'" + util::replace_all(text, "'", "''") + "'";
}

// One in-memory ledger for the whole run: each input replaces the template's condition rows.
class ConditionLedger {
  public:
    ConditionLedger() : connection_(db::open_sqlite(":memory:")) {
        create_schema(*connection_);
        set_host_factory([connection = connection_] {
            DatabaseHostOptions options;
            options.connection = connection;
            options.operador = "FUZZ";
            return make_database_host(std::move(options));
        });
        polizas_ = std::make_unique<Polizas>();
    }

    std::string join(const std::vector<std::string>& rows, const std::string& company) {
        connection_->Execute("DELETE FROM Poliza_Configuracion_Condicion");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            connection_->Execute(
                "INSERT INTO Poliza_Configuracion_Condicion(Pc_Cve_Poliza_Configuracion, Pcc_ID, "
                "Pcc_Valor) VALUES(" +
                quoted(kTemplateKey) + ", " + std::to_string(i + 1) + ", " + quoted(rows[i]) + ")");
        }
        return polizas_->GetSQL_Condicion_General(kTemplateKey, company);
    }

    std::string error() { return polizas_->get_Error(); }

  private:
    std::shared_ptr<db::Connection> connection_;
    std::unique_ptr<Polizas> polizas_;
};

// The input split at each 0x1E into condition rows, the last piece being the company; NUL bytes
// cannot travel inside a statement text and are dropped.
void check_conditions(const std::string& input) {
    static ConditionLedger& ledger = *new ConditionLedger;  // lives until the process ends
    std::string text = input;
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (auto at = text.find('\x1E'); at != std::string::npos && rows.size() < 16;
         at = text.find('\x1E', start)) {
        rows.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    const std::string company = text.substr(start);
    const std::string result = ledger.join(rows, company);
    require(ledger.error().empty(), "condition rows join without an error", input, ledger.error());
    const std::string expected = joined(rows, company);
    require(result == expected, "condition rows join as stored", input, result, expected);
}

// ---- statements kept prepared ----------------------------------------------------------------

// Functions whose result depends on the moment or on earlier statements, or that can be asked to
// build a result too large for a fuzzing run; a recursive WITH may never end.
bool deterministic_and_small(const std::string& sql) {
    const std::string lower = ascii_lower(sql);
    for (const char* word :
         {"random", "now", "current_", "changes", "last_insert", "date", "time", "julianday",
          "unixepoch", "printf", "format", "zeroblob", "with", "sqlite_"}) {
        if (contains(lower, word)) {
            return false;
        }
    }
    return true;
}

// Zero is one value whatever its sign: SQLite negates a bound value as 0 - x, which gives +0 where
// the written literal -0.0 gives -0, and a stored zero keeps no sign (a whole real is stored as an
// integer).
std::string tagged_double(double value) {
    char number[40];
    std::snprintf(number, sizeof number, "%.17g", value == 0.0 ? 0.0 : value);
    return std::string("double:") + number;
}

// A value as the component's recordset gives it: whole numbers that fit 32 bits as Long, other
// numbers as Double, text and blobs as text.
std::string tagged(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return "null";
        case SQLITE_INTEGER: {
            const sqlite3_int64 value = sqlite3_column_int64(statement, column);
            if (value >= INT32_MIN && value <= INT32_MAX) {
                return "long:" + std::to_string(value);
            }
            return tagged_double(static_cast<double>(value));
        }
        case SQLITE_FLOAT:
            return tagged_double(sqlite3_column_double(statement, column));
        default: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
            return "text:" +
                   std::string(bytes == nullptr ? "" : bytes,
                               static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
        }
    }
}

std::string tagged(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Null:
            return "null";
        case Variant::Kind::Long:
            return "long:" + std::to_string(value.to_long());
        case Variant::Kind::Double:
            return tagged_double(value.to_double());
        default:
            return "text:" + value.to_text();
    }
}

// One line per row, its column names then its values; none when the statement fails.
struct Outcome {
    bool failed = false;
    std::vector<std::string> lines;
};

// SQLite running the text as written, on its own connection; nothing when the text is not one
// statement SQLite itself accepts.
std::optional<Outcome> as_written(const std::string& sql) {
    static sqlite3* handle = [] {
        sqlite3* opened = nullptr;
        sqlite3_open(":memory:", &opened);
        return opened;
    }();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, &tail) != SQLITE_OK ||
        statement == nullptr ||
        std::string_view(tail).find_first_not_of(" \t\r\n;") != std::string_view::npos) {
        sqlite3_finalize(statement);
        return std::nullopt;
    }
    Outcome outcome;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        std::string names;
        std::string line;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            names += std::string(sqlite3_column_name(statement, c)) + "|";
            line += tagged(statement, c) + "|";
        }
        outcome.lines.push_back(names + " " + line);
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE) {
        return Outcome{true, {}};
    }
    return outcome;
}

Outcome through_the_component(db::Connection& connection, const std::string& sql) {
    Outcome outcome;
    try {
        for (auto rows = connection.Execute(sql); !rows.Eof(); rows.MoveNext()) {
            std::string names;
            std::string line;
            for (std::size_t c = 0; c < rows.Count(); ++c) {
                names += rows.Fields(c).Name + "|";
                line += tagged(rows.Fields(c).Value) + "|";
            }
            outcome.lines.push_back(names + " " + line);
        }
    } catch (const db::Error&) {
        return Outcome{true, {}};
    }
    return outcome;
}

std::string shown_lines(const Outcome& outcome) {
    std::string text = outcome.failed ? "(failed)" : "";
    for (const auto& line : outcome.lines) {
        text += line + "\n";
    }
    return text;
}

// The input as the columns of a SELECT, run twice through the component (so that the second run
// takes the kept statement) and once by SQLite as written: the same names, rows and types.
void check_kept_statement(const std::string& input) {
    static const auto connection = db::open_sqlite(":memory:");
    if (input.find('\0') != std::string::npos || !deterministic_and_small(input)) {
        return;
    }
    const std::string sql = "SELECT " + input;
    const auto expected = as_written(sql);
    if (!expected) {
        return;
    }
    for (int run = 0; run < 2; ++run) {
        const Outcome got = through_the_component(*connection, sql);
        require(got.failed == expected->failed && got.lines == expected->lines,
                "a kept statement gives what the text as written gives", sql, shown_lines(got),
                shown_lines(*expected));
    }
}

// ---- statement shapes ------------------------------------------------------------------------

std::string shown_parameterized(const db::Parameterized& result) {
    std::string text = result.usable ? result.text : "(unusable)";
    for (const auto value : result.values) {
        text += "\n" + std::string(value);
    }
    return text;
}

// The text with every digit moved on by one: the numbers and the texts that hold digits change,
// and so does the code where a name holds one.
std::string digits_moved(std::string text) {
    for (char& c : text) {
        if (c >= '0' && c <= '9') {
            c = static_cast<char>(c == '9' ? '0' : c + 1);
        }
    }
    return text;
}

// A text parameterized after another (the part of the input after '~', or the input with its
// digits moved) gives what parameterizing it afresh gives, whether or not it takes the first
// one's shape.
void check_statement_shapes(const std::string& input) {
    const std::size_t split = input.find('~');
    const std::string first = input.substr(0, split);
    const std::string second =
        split == std::string::npos ? digits_moved(first) : input.substr(split + 1);
    for (const auto style : {db::ParameterStyle::SQLite, db::ParameterStyle::PostgreSQL}) {
        db::StatementShapes shapes(style);
        db::Parameterized through_shapes;
        shapes.parameterize(first, through_shapes);
        shapes.parameterize(second, through_shapes);
        db::Parameterized fresh;
        db::parameterize(second, style, fresh);
        const std::string got = shown_parameterized(through_shapes);
        const std::string expected = shown_parameterized(fresh);
        require(got == expected, "a statement shape gives what parameterizing afresh gives",
                first + "~" + second, got, expected);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    check_group_by(text, "");
    check_group_by(text, "Compras.Proveedor");
    check_sum(text);
    check_top_rewrite(text);
    check_text_helpers(text);
    check_decimal(text);
    check_double(data, size);
    check_conditions(text);
    check_kept_statement(text);
    check_statement_shapes(text);
    return 0;
}

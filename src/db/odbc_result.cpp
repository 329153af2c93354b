#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>

#include <fmt/format.h>

#include "db/odbc_internal.h"
#include "db/odbc_text.h"
#include "ledgernova/connection.h"

namespace ledgernova::db::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's SQLWCHAR is UTF-16");

namespace {

constexpr SQLSMALLINT kMessageCapacity = 2048;
constexpr SQLLEN kChunkChars = 2048;

bool succeeded(SQLRETURN result) {
    return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;
}

std::string wide_to_utf8(const SQLWCHAR* text, std::size_t length) {
    return utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

std::size_t wide_length(const SQLWCHAR* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != 0) {
        ++length;
    }
    return length;
}

// How the value of a column of this SQL type is fetched and turned into a Variant.
enum class Fetch { Integer, Decimal, Floating, Boolean, Date, Timestamp, Binary, Text };

Fetch fetch_for(SQLSMALLINT type) {
    switch (type) {
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            return Fetch::Integer;
        case SQL_NUMERIC:
        case SQL_DECIMAL:
            return Fetch::Decimal;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return Fetch::Floating;
        case SQL_BIT:
            return Fetch::Boolean;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return Fetch::Date;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return Fetch::Timestamp;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return Fetch::Binary;
        default:
            return Fetch::Text;
    }
}

// One fixed-size value by SQLGetData; false when it is Null.
template <typename Value>
bool get_fixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT c_type, Value& value) {
    SQLLEN indicator = 0;
    check(SQLGetData(statement, column, c_type, &value, sizeof(Value), &indicator), SQL_HANDLE_STMT,
          statement, "SQLGetData");
    return indicator != SQL_NULL_DATA;
}

// A variable-length value read in chunks; false when it is Null. `unit` is the size of one
// character of the C type (the terminator the driver writes into each chunk).
bool get_chunks(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT c_type, std::size_t unit,
                std::string& bytes) {
    // On the stack and left unfilled: the driver writes what is read from it. Most values are
    // read with a single call.
    alignas(SQLWCHAR) std::array<char, static_cast<std::size_t>(kChunkChars) * sizeof(SQLWCHAR)>
        buffer;  // NOLINT(cppcoreguidelines-pro-type-member-init)
    const std::span<char> chunk(buffer.data(), static_cast<std::size_t>(kChunkChars) * unit);
    const std::size_t terminator = c_type == SQL_C_BINARY ? 0 : unit;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN result = SQLGetData(statement, column, c_type, chunk.data(),
                                            static_cast<SQLLEN>(chunk.size()), &indicator);
        if (result == SQL_NO_DATA) {
            return true;
        }
        check(result, SQL_HANDLE_STMT, statement, "SQLGetData");
        if (indicator == SQL_NULL_DATA) {
            return false;
        }
        const bool whole = indicator != SQL_NO_TOTAL &&
                           static_cast<std::size_t>(indicator) + terminator <= chunk.size();
        bytes.append(chunk.data(),
                     whole ? static_cast<std::size_t>(indicator) : chunk.size() - terminator);
        if (whole) {
            return true;
        }
    }
}

Variant integer_value(SQLHSTMT statement, SQLUSMALLINT column) {
    std::int64_t value = 0;
    if (!get_fixed(statement, column, SQL_C_SBIGINT, value)) {
        return Variant::null();
    }
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        return Variant(static_cast<std::int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

// Decimal columns come as their exact decimal text, which strtod turns into the nearest double:
// the driver's own binary conversion could round twice.
Variant decimal_value(SQLHSTMT statement, SQLUSMALLINT column) {
    std::string text;
    if (!get_chunks(statement, column, SQL_C_CHAR, 1, text)) {
        return Variant::null();
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE || !std::isfinite(value)) {
        throw Error(
            fmt::format("The driver returned a decimal value that is not a number: {}", text));
    }
    return Variant(value);
}

Variant floating_value(SQLHSTMT statement, SQLUSMALLINT column) {
    double value = 0.0;
    return get_fixed(statement, column, SQL_C_DOUBLE, value) ? Variant(value) : Variant::null();
}

Variant boolean_value(SQLHSTMT statement, SQLUSMALLINT column) {
    unsigned char value = 0;
    return get_fixed(statement, column, SQL_C_BIT, value) ? Variant(value != 0) : Variant::null();
}

Variant date_value(SQLHSTMT statement, SQLUSMALLINT column) {
    SQL_DATE_STRUCT value{};
    if (!get_fixed(statement, column, SQL_C_TYPE_DATE, value)) {
        return Variant::null();
    }
    return Variant(Date::from_ymd(value.year, value.month, value.day));
}

// Fractions of a second are dropped: the component's dates carry whole seconds.
Variant timestamp_value(SQLHSTMT statement, SQLUSMALLINT column) {
    SQL_TIMESTAMP_STRUCT value{};
    if (!get_fixed(statement, column, SQL_C_TYPE_TIMESTAMP, value)) {
        return Variant::null();
    }
    return Variant(
        Date::from_ymd(value.year, value.month, value.day, value.hour, value.minute, value.second));
}

Variant binary_value(SQLHSTMT statement, SQLUSMALLINT column) {
    std::string bytes;
    return get_chunks(statement, column, SQL_C_BINARY, 1, bytes) ? Variant(std::move(bytes))
                                                                 : Variant::null();
}

Variant text_value(SQLHSTMT statement, SQLUSMALLINT column) {
    std::string bytes;
    if (!get_chunks(statement, column, SQL_C_WCHAR, sizeof(SQLWCHAR), bytes)) {
        return Variant::null();
    }
    return Variant(utf16_to_utf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2)));
}

Variant column_value(SQLHSTMT statement, SQLUSMALLINT column, Fetch fetch) {
    switch (fetch) {
        case Fetch::Integer:
            return integer_value(statement, column);
        case Fetch::Decimal:
            return decimal_value(statement, column);
        case Fetch::Floating:
            return floating_value(statement, column);
        case Fetch::Boolean:
            return boolean_value(statement, column);
        case Fetch::Date:
            return date_value(statement, column);
        case Fetch::Timestamp:
            return timestamp_value(statement, column);
        case Fetch::Binary:
            return binary_value(statement, column);
        case Fetch::Text:
            return text_value(statement, column);
    }
    return text_value(statement, column);
}

std::string column_name(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT& type) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT length = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    check(SQLDescribeColW(statement, column, name, static_cast<SQLSMALLINT>(std::size(name)),
                          &length, &type, &size, &digits, &nullable),
          SQL_HANDLE_STMT, statement, "SQLDescribeCol");
    return wide_to_utf8(name, wide_length(name, std::size(name)));
}

}  // namespace

void fail(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view call) {
    std::string message;
    SQLINTEGER first_native = 0;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR text[kMessageCapacity] = {};
        SQLSMALLINT length = 0;
        if (!succeeded(SQLGetDiagRecW(handle_type, handle, record, state, &native, text,
                                      kMessageCapacity, &length))) {
            break;
        }
        first_native = record == 1 ? native : first_native;
        message += fmt::format("{}[SQLSTATE {}] {} (native error {})", record == 1 ? "" : "\n",
                               wide_to_utf8(state, wide_length(state, 5)),
                               wide_to_utf8(text, wide_length(text, kMessageCapacity)), native);
    }
    if (message.empty()) {
        message = fmt::format("{} failed and the driver gave no diagnostic", call);
    }
    throw Error(message, static_cast<int>(first_native));
}

void check(SQLRETURN result, SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view call) {
    if (!succeeded(result) && result != SQL_NO_DATA) {
        fail(handle_type, handle, call);
    }
}

ResultSet read_result_set(SQLHSTMT statement, SQLSMALLINT columns) {
    ResultSet result;
    std::vector<Fetch> fetches;
    for (SQLUSMALLINT c = 1; c <= static_cast<SQLUSMALLINT>(columns); ++c) {
        SQLSMALLINT type = 0;
        result.names.push_back(column_name(statement, c, type));
        fetches.push_back(fetch_for(type));
    }
    for (;;) {
        const SQLRETURN fetched = SQLFetch(statement);
        if (fetched == SQL_NO_DATA) {
            return result;
        }
        check(fetched, SQL_HANDLE_STMT, statement, "SQLFetch");
        auto& row = result.rows.emplace_back();
        row.reserve(fetches.size());
        for (SQLUSMALLINT c = 1; c <= static_cast<SQLUSMALLINT>(columns); ++c) {
            row.push_back(column_value(statement, c, fetches[c - 1]));
        }
    }
}

}  // namespace ledgernova::db::odbc

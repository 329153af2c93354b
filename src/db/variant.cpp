#include "ledgernova/variant.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "util/text.h"

namespace ledgernova {
namespace {

[[noreturn]] void invalid_use_of_null() {
    throw ConversionError("Invalid use of Null");
}
[[noreturn]] void type_mismatch() {
    throw ConversionError("Type mismatch");
}
[[noreturn]] void overflow() {
    throw ConversionError("Overflow");
}

// Numbers written as text are read in the fixed "C" form this build uses everywhere: '.' decimal
// point, no grouping; blanks around the number are allowed.
double parse_number(const std::string& text) {
    const std::string trimmed = util::trim_blanks(text);
    if (trimmed.empty()) {
        type_mismatch();
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE || !std::isfinite(value)) {
        type_mismatch();
    }
    return value;
}

bool parse_boolean(const std::string& text) {
    const std::string trimmed = util::trim_blanks(text);
    if (util::iequals(trimmed, "True")) {
        return true;
    }
    if (util::iequals(trimmed, "False")) {
        return false;
    }
    return parse_number(trimmed) != 0.0;
}

template <typename Integer>
Integer round_to(double value) {
    const double rounded = std::nearbyint(value);  // default rounding mode: half to even
    if (!(rounded >= static_cast<double>(std::numeric_limits<Integer>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Integer>::max()))) {
        overflow();
    }
    return static_cast<Integer>(rounded);
}

}  // namespace

Variant Variant::null() {
    Variant value;
    value.value_ = NullTag{};
    return value;
}

std::string Variant::to_text() const {
    switch (kind()) {
        case Kind::Empty:
            return {};
        case Kind::Null:
            invalid_use_of_null();
        case Kind::Boolean:
            return std::get<bool>(value_) ? "True" : "False";
        case Kind::Long:
            return std::to_string(std::get<std::int32_t>(value_));
        case Kind::Double:
            return util::format_double(std::get<double>(value_));
        case Kind::Date: {
            const Date& date = std::get<Date>(value_);
            return date.has_time() ? date.short_date() + date.iso_date_time().substr(10)
                                   : date.short_date();
        }
        case Kind::Text:
            return std::get<std::string>(value_);
    }
    type_mismatch();
}

double Variant::to_double() const {
    switch (kind()) {
        case Kind::Empty:
            return 0.0;
        case Kind::Null:
            invalid_use_of_null();
        case Kind::Boolean:
            return std::get<bool>(value_) ? -1.0 : 0.0;
        case Kind::Long:
            return std::get<std::int32_t>(value_);
        case Kind::Double:
            return std::get<double>(value_);
        case Kind::Date:
            return std::get<Date>(value_).serial;
        case Kind::Text:
            return parse_number(std::get<std::string>(value_));
    }
    type_mismatch();
}

bool Variant::to_bool() const {
    switch (kind()) {
        case Kind::Empty:
            return false;
        case Kind::Null:
            invalid_use_of_null();
        case Kind::Boolean:
            return std::get<bool>(value_);
        case Kind::Long:
            return std::get<std::int32_t>(value_) != 0;
        case Kind::Double:
            return std::get<double>(value_) != 0.0;
        case Kind::Date:
            return std::get<Date>(value_).serial != 0.0;
        case Kind::Text:
            return parse_boolean(std::get<std::string>(value_));
    }
    type_mismatch();
}

std::int16_t Variant::to_int16() const {
    return round_to<std::int16_t>(to_double());
}

std::int32_t Variant::to_long() const {
    if (kind() == Kind::Long) {
        return std::get<std::int32_t>(value_);
    }
    return round_to<std::int32_t>(to_double());
}

namespace {

// The short date form of the regional settings this build stands in for, "dd/mm/yyyy", which
// scripting hosts pass as text. Two digits of day and month and four of year, no more, so that a
// month-first date is never read silently as another day.
bool parse_short_date(const std::string& text, Date& out) {
    constexpr std::size_t kLength = 10;
    if (text.size() != kLength || text[2] != '/' || text[5] != '/') {
        return false;
    }
    int parts[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 3, 6};
    const std::size_t lengths[3] = {2, 2, 4};
    for (std::size_t part = 0; part < 3; ++part) {
        for (std::size_t i = starts[part]; i < starts[part] + lengths[part]; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            parts[part] = parts[part] * 10 + (text[i] - '0');
        }
    }
    const int day = parts[0];
    const int month = parts[1];
    const int year = parts[2];
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > 31) {
        return false;
    }
    // from_ymd rolls a day past the month's end into the next month; reading it back tells.
    const Date date = Date::from_ymd(year, month, day);
    if (date.year() != year || date.month() != month || date.day() != day) {
        return false;
    }
    out = date;
    return true;
}

}  // namespace

Date Variant::to_date() const {
    const Date date = any_date();
    if (!date.is_valid()) {
        throw ConversionError("Overflow");  // not a number, or beyond the years 100 to 9999
    }
    return date;
}

Date Variant::any_date() const {
    switch (kind()) {
        case Kind::Null:
            invalid_use_of_null();
        case Kind::Date:
            return std::get<Date>(value_);
        case Kind::Text: {
            Date date;
            const std::string text = util::trim_blanks(std::get<std::string>(value_));
            if (!Date::parse_iso(text, date) && !parse_short_date(text, date)) {
                type_mismatch();
            }
            return date;
        }
        default:
            return Date{to_double()};
    }
}

}  // namespace ledgernova

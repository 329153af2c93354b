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
            if (!Date::parse_iso(util::trim_blanks(std::get<std::string>(value_)), date)) {
                type_mismatch();
            }
            return date;
        }
        default:
            return Date{to_double()};
    }
}

}  // namespace ledgernova

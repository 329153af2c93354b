#include "util/decimal.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include <fmt/format.h>

#include "util/text.h"

namespace ledgernova::util {
namespace {

using Units = Decimal::Units;

[[noreturn]] void type_mismatch() {
    throw ConversionError("Type mismatch");
}

constexpr int kPlaces = 6;
constexpr std::size_t kWholeDigits = 20;

constexpr Units power_of_ten(std::size_t exponent) {
    Units power = 1;
    for (std::size_t i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

constexpr Units kScale = power_of_ten(kPlaces);
constexpr Units kLimit = power_of_ten(kWholeDigits + kPlaces);  // the first magnitude refused

bool all_digits(const std::string& text) {
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

Units value_of(const std::string& digits) {
    Units value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string digits_of(Units magnitude) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

// The whole digits are counted without leading zeros and also after rounding:
// 99999999999999999999.9999995 rounds past the largest decimal and is refused like it.
Units units_of(std::string whole, const std::string& fraction) {
    whole.erase(0, whole.find_first_not_of('0'));
    if (whole.size() > kWholeDigits) {
        throw ConversionError("Overflow");
    }
    std::string places = fraction.substr(0, kPlaces);
    places.resize(kPlaces, '0');
    const bool round_up = fraction.size() > kPlaces && fraction[kPlaces] >= '5';
    return value_of(whole) * kScale + value_of(places) + (round_up ? 1 : 0);
}

// "1.5" moved 3 places gives "1500": the fixed form of what a Double's text writes as 1.5E+3.
std::string shift_point(std::string mantissa, std::size_t places) {
    auto point = mantissa.find('.');
    if (point == std::string::npos) {
        point = mantissa.size();
    } else {
        mantissa.erase(point, 1);
    }
    point += places;
    if (mantissa.size() <= point) {
        mantissa.resize(point, '0');
    } else {
        mantissa.insert(point, ".");
    }
    return mantissa;
}

}  // namespace

Decimal::Units Decimal::checked(Units units) {
    if (units >= kLimit || units <= -kLimit) {
        throw ConversionError("Overflow");
    }
    return units;
}

Decimal Decimal::parse(const std::string& text) {
    std::string body = trim_blanks(text);
    const bool negative = !body.empty() && body.front() == '-';
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
        body.erase(0, 1);
    }
    const auto point = body.find('.');
    const std::string whole = body.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !all_digits(whole) || !all_digits(fraction)) {
        type_mismatch();
    }
    const Units units = checked(units_of(whole, fraction));
    return Decimal(negative ? -units : units);
}

Decimal Decimal::from_double(double value) {
    const std::string text = format_double(value);
    const auto exponent_at = text.find('E');
    if (exponent_at == std::string::npos) {
        return parse(text);
    }
    const int exponent = std::stoi(text.substr(exponent_at + 1));
    if (exponent < 0) {
        return parse(fmt::format("{:.6f}", value));  // a residue far below a cent
    }
    return parse(shift_point(text.substr(0, exponent_at), static_cast<std::size_t>(exponent)));
}

Decimal Decimal::from_variant(const Variant& value) {
    if (value.kind() == Variant::Kind::Text) {
        return parse(value.to_text());
    }
    return from_double(value.to_double());
}

Decimal Decimal::largest() {
    return Decimal(kLimit - 1);
}

double Decimal::to_double() const {
    // Through the text, which from_chars rounds once; dividing a converted count would round twice.
    const std::string text = to_string();
    double value = 0;
    (void)std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string Decimal::to_string() const {
    const Units magnitude = units_ < 0 ? -units_ : units_;
    std::string fraction = digits_of(magnitude % kScale);
    fraction.insert(0, kPlaces - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string text = (units_ < 0 ? "-" : "") + digits_of(magnitude / kScale);
    return fraction.empty() ? text : text + "." + fraction;
}

std::string Decimal::to_fixed(int places) const {
    const auto kept = static_cast<std::size_t>(std::clamp(places, 0, kPlaces));
    const Units step = power_of_ten(kPlaces - kept);
    const Units magnitude = units_ < 0 ? -units_ : units_;
    const Units rounded = (magnitude + step / 2) / step;  // in units of 10^-places
    const Units unit = power_of_ten(kept);
    std::string text = digits_of(rounded / unit);
    if (kept > 0) {
        std::string fraction = digits_of(rounded % unit);
        fraction.insert(0, kept - fraction.size(), '0');
        text += "." + fraction;
    }
    return (units_ < 0 && rounded != 0 ? "-" : "") + text;
}

}  // namespace ledgernova::util

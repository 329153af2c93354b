#include "util/decimal.h"

#include <cctype>
#include <limits>

#include <fmt/format.h>

#include "util/text.h"

namespace ledgernova::util {
namespace {

[[noreturn]] void type_mismatch() {
    throw ConversionError("Type mismatch");
}

constexpr int kPlaces = 6;

bool all_digits(const std::string& text) {
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

// Amounts have at most 12 whole digits, also after rounding: 999999999999.9999995 rounds to
// 1000000000000, which is refused like any other 13-digit amount.
std::int64_t checked_units(const std::string& whole, const std::string& fraction) {
    constexpr std::int64_t kLimit = 1'000'000'000'000 * 1'000'000;
    if (whole.size() > 12) {
        throw ConversionError("Overflow");
    }
    std::int64_t units = whole.empty() ? 0 : std::stoll(whole);
    std::string places = fraction.substr(0, kPlaces);
    places.resize(kPlaces, '0');
    units = units * 1'000'000 + std::stoll(places);
    const bool round_up = fraction.size() > kPlaces && fraction[kPlaces] >= '5';
    units += round_up ? 1 : 0;
    if (units >= kLimit) {
        throw ConversionError("Overflow");
    }
    return units;
}

}  // namespace

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
    const std::int64_t units = checked_units(whole, fraction);
    return Decimal(negative ? -units : units);
}

Decimal Decimal::from_double(double value) {
    const std::string text = format_double(value);
    if (text.find('E') == std::string::npos) {
        return parse(text);
    }
    if (value > -1.0 && value < 1.0) {
        return parse(fmt::format("{:.6f}", value));  // a residue far below a cent
    }
    throw ConversionError("Overflow");  // far beyond any amount a ledger holds
}

Decimal Decimal::from_variant(const Variant& value) {
    if (value.kind() == Variant::Kind::Text) {
        return parse(value.to_text());
    }
    return from_double(value.to_double());
}

double Decimal::to_double() const {
    return static_cast<double>(units_) / static_cast<double>(kScale);
}

std::string Decimal::to_string() const {
    const std::int64_t magnitude = units_ < 0 ? -units_ : units_;
    std::string fraction = std::to_string(magnitude % kScale);
    fraction.insert(0, kPlaces - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string text = (units_ < 0 ? "-" : "") + std::to_string(magnitude / kScale);
    return fraction.empty() ? text : text + "." + fraction;
}

std::string Decimal::to_fixed(int places) const {
    std::int64_t step = 1;
    for (int i = places; i < kPlaces; ++i) {
        step *= 10;
    }
    const std::int64_t magnitude = units_ < 0 ? -units_ : units_;
    const std::int64_t rounded = (magnitude + step / 2) / step;  // in units of 10^-places
    std::int64_t unit = 1;
    for (int i = 0; i < places; ++i) {
        unit *= 10;
    }
    std::string text = std::to_string(rounded / unit);
    if (places > 0) {
        std::string fraction = std::to_string(rounded % unit);
        fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
        text += "." + fraction;
    }
    return (units_ < 0 && rounded != 0 ? "-" : "") + text;
}

}  // namespace ledgernova::util

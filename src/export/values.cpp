#include "export/values.h"

#include "util/decimal.h"
#include "util/text.h"

namespace ledgernova::sat {
namespace {

bool is_missing(const Variant& value) {
    return value.is_null() || value.is_empty();
}

// The value as the ledger holds it, for a value that cannot be converted.
std::string as_stored(const Variant& value) {
    return util::trim_blanks(value.to_text());
}

std::string fixed_text(const Variant& value, int places) {
    try {
        return util::Decimal::from_variant(value).to_fixed(places);
    } catch (const ConversionError&) {
        return as_stored(value);
    }
}

}  // namespace

std::string amount_text(const Variant& value) {
    return is_missing(value) ? std::string() : fixed_text(value, 2);
}

std::string rate_text(const Variant& value) {
    if (is_missing(value)) {
        return {};
    }
    std::string text = fixed_text(value, 5);
    if (text.find('.') != std::string::npos &&
        text.find_first_not_of("-0123456789.") == std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

std::string date_text(const Variant& value) {
    if (is_missing(value)) {
        return {};
    }
    if (value.kind() == Variant::Kind::Date) {
        return value.to_date().iso_date();
    }
    const std::string text = as_stored(value);
    Date date;
    return Date::parse_iso(text, date) ? date.iso_date() : text;
}

}  // namespace ledgernova::sat

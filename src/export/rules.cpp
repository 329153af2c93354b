#include "export/rules.h"

#include <map>
#include <optional>
#include <regex>

#include <fmt/format.h>

#include "export/catalogues.h"
#include "ledgernova/date.h"
#include "util/text.h"

namespace ledgernova::sat {
namespace {

// The next code point of UTF-8 text from `at`, which it moves past it; nullopt when the bytes
// there are not a well-formed sequence.
std::optional<char32_t> next_code_point(const std::string& text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || at + static_cast<std::size_t>(extra) > text.size()) {
        return std::nullopt;
    }
    char32_t point = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at++]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        point = (point << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    if (point < smallest[extra] || surrogate || point > 0x10FFFF) {
        return std::nullopt;
    }
    return point;
}

// The characters XML 1.0 allows in a document.
bool is_xml_char(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000;
}

// Empty when every character can go into the document.
std::string encoding_refusal(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto point = next_code_point(text, at);
        if (!point) {
            return "not valid UTF-8 text";
        }
        if (!is_xml_char(*point)) {
            return fmt::format("holds the control character U+{:04X}, which XML cannot carry",
                               static_cast<unsigned>(*point));
        }
    }
    return {};
}

// The value matches the whole pattern. The expressions are compiled once, on first use.
bool matches(const std::string& value, const char* pattern) {
    static thread_local std::map<const char*, std::regex> compiled;
    auto found = compiled.find(pattern);
    if (found == compiled.end()) {
        found = compiled.emplace(pattern, std::regex(pattern)).first;
    }
    return std::regex_match(value, found->second);
}

std::string text_refusal(const Attribute& attribute) {
    const std::size_t count = char_count(attribute.value);
    if (count > attribute.max_chars) {
        return fmt::format("longer than {} characters (has {})", attribute.max_chars, count);
    }
    return {};
}

// [A-ZÑ&]{3,4}[0-9]{2}[0-1][0-9][0-3][0-9][A-Z0-9]?[A-Z0-9]?[0-9A-Z]?, 12 or 13 characters.
bool is_rfc(const std::string& value) {
    const std::string plain = util::replace_all(value, "Ñ", "&");  // one character either way
    return plain.size() >= 12 && plain.size() <= 13 &&
           matches(plain, "[A-Z&]{3,4}[0-9]{2}[0-1][0-9][0-3][0-9][A-Z0-9]{0,3}");
}

bool is_uuid(const std::string& value) {
    return matches(value,
                   "[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}");
}

// t_Importe: two decimals, below 10^22 either way.
bool is_amount(const std::string& value) {
    return matches(value, "-?(0|[1-9][0-9]{0,21})\\.[0-9]{2}");
}

// From 0, at most five decimals and 19 digits in all.
bool is_exchange_rate(const std::string& value) {
    return matches(value, "(0|[1-9][0-9]{0,13})(\\.[0-9]{1,5})?");
}

bool is_date(const std::string& value) {
    Date date;
    return matches(value, "[0-9]{4}-[0-9]{2}-[0-9]{2}") && Date::parse_iso(value, date);
}

// A whole number from 1 with at most 20 significant digits.
bool is_invoice_folio(const std::string& value) {
    return matches(value, "0*[1-9][0-9]{0,19}");
}

bool is_year(const std::string& value) {
    return matches(value, "20[0-9]{2}") && value >= "2015";
}

std::string grouping_code_refusal(const std::string& value) {
    if (grouping_codes_missing()) {
        return "cannot be checked: the c_CodAgrup catalogue of the schemas cannot be read";
    }
    return is_grouping_code(value) ? "" : "not a grouping code of the c_CodAgrup catalogue";
}

// The reason for a value that is present; empty when the rule accepts it.
std::string rule_refusal(const Attribute& attribute) {
    const std::string& v = attribute.value;
    switch (attribute.rule) {
        case Rule::Text:
            return text_refusal(attribute);
        case Rule::Rfc:
            return is_rfc(v) ? ""
                             : "not a valid RFC: 3 or 4 capitals (A-Z, Ñ, &), a date yymmdd "
                               "and up to 3 capitals or digits, 12 or 13 characters";
        case Rule::Uuid:
            return is_uuid(v) ? "" : "not a UUID: 36 characters, hexadecimal digits 8-4-4-4-12";
        case Rule::Bank:
            return is_bank_code(v) ? "" : "not a bank code of the c_Banco catalogue";
        case Rule::PaymentMethod:
            return is_payment_method(v) ? "" : "not a payment method of the c_MetPagos catalogue";
        case Rule::Currency:
            return is_currency(v) ? "" : "not a currency code of the c_Moneda catalogue";
        case Rule::Amount:
            return is_amount(v) ? "" : "not an amount with two decimals";
        case Rule::ExchangeRate:
            return is_exchange_rate(v) ? "" : "not an exchange rate: from 0, up to five decimals";
        case Rule::Date:
            return is_date(v) ? "" : "not a date YYYY-MM-DD";
        case Rule::InvoiceFolio:
            return is_invoice_folio(v) ? "" : "not a whole number from 1, up to 20 digits";
        case Rule::InvoiceSeries:
            return matches(v, "[A-Z]{1,10}") ? "" : "not a series of 1 to 10 capitals A-Z";
        case Rule::Month:
            return matches(v, "0[1-9]|1[0-2]") ? "" : "not a month from 01 to 12";
        case Rule::BalanceMonth:
            return matches(v, "0[1-9]|1[0-3]") ? "" : "not a month from 01 to 13";
        case Rule::Year:
            return is_year(v) ? "" : "not a year from 2015 to 2099";
        case Rule::RequestType:
            return matches(v, "AF|FC|DE|CO") ? "" : "not a request type: AF, FC, DE or CO";
        case Rule::OrderNumber:
            return matches(v, "[A-Z]{3}[0-9]{7}/[0-9]{2}")
                       ? ""
                       : "not an order number: 3 capitals, 7 digits, '/', 2 digits";
        case Rule::ProcedureNumber:
            return matches(v, "[A-Z]{2}[0-9]{12}")
                       ? ""
                       : "not a procedure number: 2 capitals and 12 digits";
        case Rule::GroupingCode:
            return grouping_code_refusal(v);
        case Rule::Nature:
            return v == "D" || v == "A" ? "" : "not a nature: D (deudora) or A (acreedora)";
        case Rule::Level:
            return matches(v, "[1-9][0-9]{0,8}") ? "" : "not a level: a whole number from 1";
        case Rule::Fixed:
            return {};
    }
    return {};
}

}  // namespace

std::size_t char_count(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

std::string refusal(const Attribute& attribute) {
    if (!attribute.known_problem.empty()) {
        return attribute.known_problem;
    }
    if (attribute.value.empty()) {
        return attribute.required ? "required, but empty" : "";
    }
    const std::string encoding = encoding_refusal(attribute.value);
    return encoding.empty() ? rule_refusal(attribute) : encoding;
}

}  // namespace ledgernova::sat

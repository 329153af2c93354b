#include "export/catalogues.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

#include "export/schema_validation.h"

namespace ledgernova::sat {
namespace {

// The codes as the tax administration's catalogue schema (CatalogosParaEsqContE.xsd, version 1.3)
// enumerates them, in its order. A test compares these lists with the schema file itself.

constexpr std::array<std::string_view, 94> kBancos = {
    "002", "006", "009", "012", "014", "019", "021", "030", "032", "036", "037", "042",
    "044", "058", "059", "060", "062", "072", "102", "103", "106", "108", "110", "112",
    "113", "116", "124", "126", "127", "128", "129", "130", "131", "132", "133", "134",
    "135", "136", "137", "138", "139", "140", "141", "143", "145", "156", "166", "168",
    "600", "601", "602", "605", "606", "607", "608", "610", "614", "615", "616", "617",
    "618", "619", "620", "621", "622", "623", "626", "627", "628", "629", "630", "631",
    "632", "633", "634", "636", "637", "638", "640", "642", "646", "647", "648", "649",
    "651", "652", "653", "655", "656", "659", "901", "902", "670", "999",
};

constexpr std::array<std::string_view, 19> kMetodosPago = {
    "01", "02", "03", "04", "05", "06", "07", "08", "09", "10",
    "11", "12", "13", "14", "15", "16", "17", "98", "99",
};

constexpr std::array<std::string_view, 178> kMonedas = {
    "AED", "AFN", "ALL", "AMD", "ANG", "AOA", "ARS", "AUD", "AWG", "AZN", "BAM", "BBD", "BDT",
    "BGN", "BHD", "BIF", "BMD", "BND", "BOB", "BOV", "BRL", "BSD", "BTN", "BWP", "BYR", "BZD",
    "CAD", "CDF", "CHE", "CHF", "CHW", "CLF", "CLP", "CNY", "COP", "COU", "CRC", "CUC", "CUP",
    "CVE", "CZK", "DJF", "DKK", "DOP", "DZD", "EGP", "ERN", "ETB", "EUR", "FJD", "FKP", "GBP",
    "GEL", "GHS", "GIP", "GMD", "GNF", "GTQ", "GYD", "HKD", "HNL", "HRK", "HTG", "HUF", "IDR",
    "ILS", "INR", "IQD", "IRR", "ISK", "JMD", "JOD", "JPY", "KES", "KGS", "KHR", "KMF", "KPW",
    "KRW", "KWD", "KYD", "KZT", "LAK", "LBP", "LKR", "LRD", "LSL", "LYD", "MAD", "MDL", "MGA",
    "MKD", "MMK", "MNT", "MOP", "MRO", "MUR", "MVR", "MWK", "MXN", "MXV", "MYR", "MZN", "NAD",
    "NGN", "NIO", "NOK", "NPR", "NZD", "OMR", "PAB", "PEN", "PGK", "PHP", "PKR", "PLN", "PYG",
    "QAR", "RON", "RSD", "RUB", "RWF", "SAR", "SBD", "SCR", "SDG", "SEK", "SGD", "SHP", "SLL",
    "SOS", "SRD", "SSP", "STD", "SVC", "SYP", "SZL", "THB", "TJS", "TMT", "TND", "TOP", "TRY",
    "TTD", "TWD", "TZS", "UAH", "UGX", "USD", "USN", "UYI", "UYU", "UZS", "VEF", "VND", "VUV",
    "WST", "XAF", "XAG", "XAU", "XBA", "XBB", "XBC", "XBD", "XCD", "XDR", "XOF", "XPD", "XPF",
    "XPT", "XSU", "XTS", "XUA", "XXX", "YER", "ZAR", "ZMW", "ZWL",
};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& codes, std::string_view code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

template <std::size_t N>
std::vector<std::string> listed(const std::array<std::string_view, N>& codes) {
    return {codes.begin(), codes.end()};
}

const std::set<std::string, std::less<>>& grouping_codes() {
    static const auto codes = [] {
        const auto values = catalogue_values("c_CodAgrup");
        return std::set<std::string, std::less<>>(values.begin(), values.end());
    }();
    return codes;
}

}  // namespace

bool is_bank_code(std::string_view code) {
    return contains(kBancos, code);
}

bool is_payment_method(std::string_view code) {
    return contains(kMetodosPago, code);
}

bool is_currency(std::string_view code) {
    return contains(kMonedas, code);
}

bool is_grouping_code(std::string_view code) {
    return grouping_codes().contains(code);
}

bool grouping_codes_missing() {
    return grouping_codes().empty();
}

std::vector<std::string> catalogue_codes(Catalogue catalogue) {
    switch (catalogue) {
        case Catalogue::Banco:
            return listed(kBancos);
        case Catalogue::MetPagos:
            return listed(kMetodosPago);
        case Catalogue::Moneda:
            return listed(kMonedas);
    }
    return {};
}

}  // namespace ledgernova::sat

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ledgernova::sat {

// The catalogues of the electronic accounting schemas that a voucher export must respect. The
// codes are compared exactly: "2" is not "002", "mxn" is not "MXN".
enum class Catalogue {
    Banco,     // c_Banco: national bank codes, "999" for a foreign bank
    MetPagos,  // c_MetPagos: payment methods, "01" to "17", "98", "99"
    Moneda     // c_Moneda: currency codes (ISO 4217 as the catalogue lists them)
};

[[nodiscard]] bool is_bank_code(std::string_view code);
[[nodiscard]] bool is_payment_method(std::string_view code);
[[nodiscard]] bool is_currency(std::string_view code);

// c_CodAgrup, the SAT's grouping codes ("102.01"), read once from the shipped catalogue schema
// (schema_validation.h): too long a list to keep here. When that schema cannot be read, no code
// is one and grouping_codes_missing() tells why.
[[nodiscard]] bool is_grouping_code(std::string_view code);
[[nodiscard]] bool grouping_codes_missing();

// Every code of a catalogue, in the order the schema lists them.
[[nodiscard]] std::vector<std::string> catalogue_codes(Catalogue catalogue);

}  // namespace ledgernova::sat

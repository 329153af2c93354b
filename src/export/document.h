#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace ledgernova::sat {

// What an attribute's value must look like for the schema to accept it.
enum class Rule {
    Text,             // 1 to max_chars characters
    Rfc,              // a taxpayer code: 3 or 4 letters, a yymmdd date, up to 3 more characters
    Uuid,             // 8-4-4-4-12 hexadecimal digits
    Bank,             // a code of c_Banco
    PaymentMethod,    // a code of c_MetPagos
    Currency,         // a code of c_Moneda
    Amount,           // a decimal with exactly two places (t_Importe)
    ExchangeRate,     // a decimal, not negative, up to five places
    Date,             // YYYY-MM-DD, a day that exists
    InvoiceFolio,     // a whole number from 1, up to 20 digits
    InvoiceSeries,    // 1 to 10 capital letters A-Z
    Month,            // "01" to "12"
    BalanceMonth,     // "01" to "13": a month, or the year-end period 13 (of a trial balance)
    Year,             // 2015 to 2099
    RequestType,      // AF, FC, DE or CO
    OrderNumber,      // three capitals, seven digits, "/", two digits
    ProcedureNumber,  // two capitals, twelve digits
    GroupingCode,     // a code of c_CodAgrup, the SAT's grouping of accounts
    Nature,           // an account's nature: D (deudora, debit) or A (acreedora, credit)
    Level,            // an account's level in the chart: a whole number from 1
    Fixed             // a value the schema fixes (Version); never refused
};

// One attribute of the document as it will be written. An optional attribute whose value is
// empty is left out of the file; a required one is a problem.
struct Attribute {
    std::string name;
    std::string value;
    Rule rule = Rule::Text;
    std::size_t max_chars = 0;  // for Rule::Text
    bool required = true;
    // A problem the builder already knows (an account missing from the chart, a movement that is
    // neither charge nor credit); when set, the rule is not looked at.
    std::string known_problem;
};

// Where an element comes from in the ledger, for the problems it may have.
struct Origin {
    std::string folio;  // Pl_Folio
    std::string line;   // Pd_ID
    std::string row;    // the detail row id
};

// An element of the document before it is written, children in the order the schema's sequence
// demands.
struct Element {
    std::string name;
    Origin origin;
    std::vector<Attribute> attributes;
    std::vector<Element> children;
};

// A schema's namespace, where it is published, and the prefix its elements are written with.
struct Namespace {
    const char* uri;
    const char* schema_location;
    const char* prefix;
};

inline constexpr Namespace kPolizasPeriodo = {
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/PolizasPeriodo",
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/PolizasPeriodo "
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/PolizasPeriodo/PolizasPeriodo_1_3.xsd",
    "PLZ"};

inline constexpr Namespace kCatalogoCuentas = {
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/CatalogoCuentas",
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/CatalogoCuentas "
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/CatalogoCuentas/CatalogoCuentas_1_3.xsd",
    "catalogocuentas"};

inline constexpr Namespace kBalanzaComprobacion = {
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion",
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion "
    "http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/BalanzaComprobacion/"
    "BalanzaComprobacion_1_3.xsd",
    "BCE"};

}  // namespace ledgernova::sat

namespace ledgernova::sat {

// A free text attribute of 1 to `max_chars` characters.
[[nodiscard]] inline Attribute text_attribute(std::string name, std::string value,
                                              std::size_t max_chars, bool required = true) {
    return {std::move(name), std::move(value), Rule::Text, max_chars, required, {}};
}

// An attribute whose value `rule` restricts.
[[nodiscard]] inline Attribute rule_attribute(std::string name, std::string value, Rule rule,
                                              bool required = true) {
    return {std::move(name), std::move(value), rule, 0, required, {}};
}

}  // namespace ledgernova::sat

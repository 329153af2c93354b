#include "export/voucher_elements.h"

#include <fmt/format.h>

#include "export/detail_elements.h"
#include "export/values.h"
#include "ledgernova/records.h"

namespace ledgernova::sat {
namespace {

constexpr std::size_t kIdentifierChars = 50;
constexpr std::size_t kVoucherConceptChars = 300;
constexpr std::size_t kAccountChars = 100;
constexpr std::size_t kLineConceptChars = 200;
constexpr const char* kZero = "0.00";
constexpr const char* kClosingPeriod = "13";

std::string first_of(const std::string& a, const std::string& b) {
    return a.empty() ? b : a;
}

// The voucher type as the fixed concept names it: "ingresos", "egresos", "diario".
std::string type_name(const std::string& tipo) {
    if (tipo == std::to_string(eTp_Ingreso)) {
        return "ingresos";
    }
    if (tipo == std::to_string(eTp_Egreso)) {
        return "egresos";
    }
    return tipo == std::to_string(eTp_Diario) ? "diario" : tipo;
}

std::string concept_of(const LedgerRow& voucher) {
    const std::string fixed = fmt::format("Póliza de {} {}", type_name(voucher.text("Pl_Tipo")),
                                          voucher.text("Pl_Numero"));
    return first_of(first_of(voucher.text("Pl_Comentario"), voucher.text("Pl_Referencia")), fixed);
}

Attribute account_description(const LedgerRow& line) {
    Attribute description = text_attribute("DesCta", line.text("Cc_Descripcion"), kAccountChars);
    if (line.value("Cuenta_Registrada").is_null()) {
        description.known_problem = "the account is not in the chart of accounts (Cuenta_Contable)";
    }
    return description;
}

// Debe and Haber: the amount goes on the side of the line's movement, 0.00 on the other.
void add_amounts(Element& transaccion, const LedgerRow& line) {
    const std::string amount = amount_text(line.value("Pd_Importe"));
    const std::string tipo = line.text("Pd_Tipo");
    const bool charge = tipo == std::to_string(eTmCargo);
    const bool credit = tipo == std::to_string(eTmAbono);
    Attribute debe = rule_attribute("Debe", charge || !credit ? amount : kZero, Rule::Amount);
    if (!charge && !credit) {
        debe.known_problem = fmt::format(
            "the line's movement Pd_Tipo = {} is neither a charge (1) nor a credit (2)", tipo);
    }
    transaccion.attributes.push_back(std::move(debe));
    transaccion.attributes.push_back(
        rule_attribute("Haber", credit ? amount : kZero, Rule::Amount));
}

void add_details(Element& transaccion, const LedgerLine& line) {
    for (std::size_t kind = 0; kind < kDetailKindCount; ++kind) {
        for (const auto& row : line.details[kind]) {
            transaccion.children.push_back(
                detail_element(detail_kinds()[kind], row, transaccion.origin));
        }
    }
}

}  // namespace

std::string voucher_identifier(const LedgerRow& voucher) {
    const std::string identifier = voucher.text("Pl_Tipo") + "-" + voucher.text("Pl_Numero");
    return voucher.text("Pl_Periodo") == kClosingPeriod ? identifier + "-" + kClosingPeriod
                                                        : identifier;
}

Element transaccion_element(const LedgerLine& line, const std::string& fallback_concept) {
    const LedgerRow& row = line.row;
    Element transaccion{"Transaccion", {row.text("Pl_Folio"), row.text("Pd_ID"), {}}, {}, {}};
    transaccion.attributes.push_back(
        text_attribute("NumCta", row.text("Cc_Cve_Cuenta_Contable"), kAccountChars));
    transaccion.attributes.push_back(account_description(row));
    const std::string line_concept =
        first_of(first_of(row.text("Pd_Concepto"), row.text("Pd_Referencia")), fallback_concept);
    transaccion.attributes.push_back(text_attribute("Concepto", line_concept, kLineConceptChars));
    add_amounts(transaccion, row);
    add_details(transaccion, line);
    return transaccion;
}

Element poliza_element(const LedgerVoucher& voucher) {
    const LedgerRow& row = voucher.row;
    Element poliza{"Poliza", {row.text("Pl_Folio"), {}, {}}, {}, {}};
    const std::string poliza_concept = concept_of(row);
    poliza.attributes.push_back(
        text_attribute("NumUnIdenPol", voucher_identifier(row), kIdentifierChars));
    poliza.attributes.push_back(
        rule_attribute("Fecha", date_text(row.value("Pl_Fecha")), Rule::Date));
    poliza.attributes.push_back(text_attribute("Concepto", poliza_concept, kVoucherConceptChars));
    for (const auto& line : voucher.lines) {
        poliza.children.push_back(transaccion_element(line, poliza_concept));
    }
    return poliza;
}

}  // namespace ledgernova::sat

#include "export/document_builder.h"

#include <fmt/format.h>

#include "export/voucher_elements.h"

namespace ledgernova::sat {
namespace {

constexpr const char* kVersion = "1.3";

// NumOrden goes with an audit (AF) or an inspection (FC), NumTramite with a refund (DE) or a
// compensation (CO): each is required by its types and has no place with the others.
Attribute request_number(const char* name, const std::string& value, Rule rule, bool needed,
                         const char* types) {
    Attribute attribute = rule_attribute(name, value, rule, needed);
    if (needed && value.empty()) {
        attribute.known_problem = fmt::format("required with request type {}", types);
    } else if (!needed && !value.empty()) {
        attribute.known_problem = fmt::format("only goes with request type {}", types);
    }
    return attribute;
}

std::vector<Attribute> request_attributes(const ExportRequest& request) {
    const std::string& type = request.request_type;
    const bool audit = type == "AF" || type == "FC";
    const bool refund = type == "DE" || type == "CO";
    return {
        rule_attribute("Version", kVersion, Rule::Fixed),
        rule_attribute("RFC", request.rfc, Rule::Rfc),
        rule_attribute("Mes", fmt::format("{:02}", request.month), Rule::Month),
        rule_attribute("Anio", std::to_string(request.year), Rule::Year),
        rule_attribute("TipoSolicitud", type, Rule::RequestType),
        request_number("NumOrden", request.order_number, Rule::OrderNumber, audit, "AF or FC"),
        request_number("NumTramite", request.procedure_number, Rule::ProcedureNumber, refund,
                       "DE or CO"),
    };
}

}  // namespace

Element build_document(const ExportRequest& request, const std::vector<LedgerVoucher>& vouchers) {
    Element root{"Polizas", {}, request_attributes(request), {}};
    for (const auto& voucher : vouchers) {
        root.children.push_back(poliza_element(voucher));
    }
    return root;
}

}  // namespace ledgernova::sat

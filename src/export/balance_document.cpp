#include "export/balance_document.h"

#include <fmt/format.h>

namespace ledgernova::sat {
namespace {

Attribute amount(const char* name, const util::Decimal& value) {
    return rule_attribute(name, value.to_fixed(2), Rule::Amount);
}

Element ctas(const AccountBalance& row) {
    return {"Ctas",
            {},
            {text_attribute("NumCta", row.account, 100), amount("SaldoIni", row.opening),
             amount("Debe", row.debe), amount("Haber", row.haber), amount("SaldoFin", row.closing)},
            {}};
}

ExportProblem modified_problem(const BalanceRequest& request, const char* reason) {
    return {{}, {}, "Balanza", {}, "FechaModBal", request.modified, reason};
}

}  // namespace

Element balance_document(const BalanceRequest& request,
                         const std::vector<AccountBalance>& accounts) {
    Element root{"Balanza",
                 {},
                 {rule_attribute("Version", "1.3", Rule::Fixed),
                  rule_attribute("RFC", request.rfc, Rule::Rfc),
                  rule_attribute("Mes", fmt::format("{:02}", request.month), Rule::BalanceMonth),
                  rule_attribute("Anio", std::to_string(request.year), Rule::Year),
                  text_attribute("TipoEnvio", request.type, 1),
                  rule_attribute("FechaModBal", request.modified, Rule::Date, false)},
                 {}};
    for (const auto& row : accounts) {
        root.children.push_back(ctas(row));
    }
    return root;
}

std::vector<ExportProblem> check_balance_request(const BalanceRequest& request) {
    std::vector<ExportProblem> problems;
    if (request.rfc.empty()) {
        problems.push_back({{},
                            {},
                            "Balanza",
                            {},
                            "RFC",
                            {},
                            "the company has no RFC (Empresa.Em_R_F_C) and none was given"});
    }
    if (request.type == "C" && request.modified.empty()) {
        problems.push_back(
            modified_problem(request, "required with TipoEnvio C (a complementary delivery)"));
    } else if (request.type != "C" && !request.modified.empty()) {
        problems.push_back(
            modified_problem(request, "only goes with TipoEnvio C (a complementary delivery)"));
    }
    return problems;
}

}  // namespace ledgernova::sat

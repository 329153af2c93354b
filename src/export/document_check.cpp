#include "export/document_check.h"

#include <map>
#include <string_view>

#include <fmt/format.h>

#include "export/rules.h"
#include "util/decimal.h"

namespace ledgernova::sat {
namespace {

class Checker {
  public:
    void check(const Element& element) {
        for (const auto& attribute : element.attributes) {
            check_attribute(element, attribute);
        }
        check_children(element);
        for (const auto& child : element.children) {
            check(child);
        }
    }

    std::vector<ExportProblem> problems;

  private:
    void add(const Element& element, const std::string& attribute, const std::string& value,
             std::string reason) {
        const Origin& o = element.origin;
        problems.push_back(
            {o.folio, o.line, element.name, o.row, attribute, value, std::move(reason)});
    }

    void check_attribute(const Element& element, const Attribute& attribute) {
        std::string reason = refusal(attribute);
        if (reason.empty() && attribute.name == "NumUnIdenPol") {
            reason = repeated_identifier(element, attribute.value);
        }
        if (!reason.empty()) {
            add(element, attribute.name, attribute.value, std::move(reason));
        }
    }

    std::string repeated_identifier(const Element& poliza, const std::string& identifier) {
        const auto [first, fresh] = identifiers_.emplace(identifier, poliza.origin.folio);
        return fresh ? std::string()
                     : fmt::format("the voucher with folio {} has the same identifier",
                                   first->second);
    }

    // The schema wants at least one Poliza in the file and one Transaccion in each Poliza, one
    // Ctas in a Catalogo; the authority, that each Poliza balances.
    void check_children(const Element& element) {
        if (element.name == "Poliza" && !element.children.empty()) {
            check_balance(element);
        }
        if (!element.children.empty()) {
            return;
        }
        if (element.name == "Polizas") {
            add(element, {}, {},
                "no voucher to deliver: the period has none that is not cancelled");
        } else if (element.name == "Catalogo") {
            add(element, {}, {}, "no account to deliver: the chart of accounts is empty");
        } else if (element.name == "Poliza") {
            add(element, {}, {},
                "a voucher without lines: the schema wants one Transaccion at least");
        }
    }

    // Amounts the rules refuse are reported on their own; they count for nothing here.
    static util::Decimal amount_of(const Element& transaccion, std::string_view side) {
        for (const auto& attribute : transaccion.attributes) {
            if (attribute.name == side && refusal(attribute).empty()) {
                return util::Decimal::parse(attribute.value);
            }
        }
        return {};
    }

    void check_balance(const Element& poliza) {
        util::Decimal debe;
        util::Decimal haber;
        for (const auto& child : poliza.children) {
            if (child.name == "Transaccion") {
                debe = debe + amount_of(child, "Debe");
                haber = haber + amount_of(child, "Haber");
            }
        }
        if (debe != haber) {
            add(poliza, {}, {},
                fmt::format("the voucher does not balance: charges {}, credits {}",
                            debe.to_fixed(2), haber.to_fixed(2)));
        }
    }

    std::map<std::string, std::string> identifiers_;  // NumUnIdenPol -> folio of its first voucher
};

}  // namespace

std::vector<ExportProblem> check_document(const Element& root) {
    Checker checker;
    checker.check(root);
    return std::move(checker.problems);
}

}  // namespace ledgernova::sat

#include "export/catalogue_document.h"

#include <map>

#include <fmt/format.h>

#include "util/text.h"

namespace ledgernova::sat {
namespace {

using Levels = std::map<std::string, int>;  // folded key -> level

Attribute level_attribute(const Account& account, const Levels& levels) {
    Attribute nivel = rule_attribute("Nivel", std::to_string(account.level), Rule::Level);
    if (account.parent.empty()) {
        if (account.level != 1) {
            nivel.known_problem = "an account without a parent is at level 1";
        }
        return nivel;
    }
    const auto parent = levels.find(util::fold_case(account.parent));
    if (parent != levels.end() && account.level != parent->second + 1) {
        nivel.known_problem = fmt::format("its parent {} is at level {}, so it must be {}",
                                          account.parent, parent->second, parent->second + 1);
    }
    return nivel;
}

Attribute parent_attribute(const Account& account, const Levels& levels) {
    Attribute parent = text_attribute("SubCtaDe", account.parent, 100, false);
    if (!account.parent.empty() && !levels.contains(util::fold_case(account.parent))) {
        parent.known_problem = "the parent account is not in the chart of accounts";
    }
    return parent;
}

Element ctas(const Account& account, const Levels& levels) {
    return {
        "Ctas",
        {{}, {}, account.key},
        {rule_attribute("CodAgrup", account.grouping_code, Rule::GroupingCode),
         text_attribute("NumCta", account.key, 100),
         text_attribute("Desc", account.description, 400), parent_attribute(account, levels),
         level_attribute(account, levels), rule_attribute("Natur", account.nature, Rule::Nature)},
        {}};
}

}  // namespace

Element build_catalogue(const CatalogueRequest& request, const FilerRfc& filer,
                        const std::vector<Account>& accounts) {
    Attribute rfc = rule_attribute("RFC", filer.rfc, Rule::Rfc);
    rfc.known_problem = filer.problem;
    Element catalogo{"Catalogo",
                     {},
                     {rule_attribute("Version", "1.3", Rule::Fixed), std::move(rfc),
                      rule_attribute("Mes", fmt::format("{:02}", request.month), Rule::Month),
                      rule_attribute("Anio", std::to_string(request.year), Rule::Year)},
                     {}};
    Levels levels;
    for (const auto& account : accounts) {
        levels.emplace(util::fold_case(account.key), account.level);
    }
    for (const auto& account : accounts) {
        catalogo.children.push_back(ctas(account, levels));
    }
    return catalogo;
}

}  // namespace ledgernova::sat

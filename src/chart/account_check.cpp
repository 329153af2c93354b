#include "chart/account_check.h"

#include <fmt/format.h>

#include "export/catalogues.h"
#include "export/rules.h"
#include "util/text.h"

namespace ledgernova::chart {
namespace {

// The schema's limits on NumCta and Desc.
constexpr std::size_t kKeyChars = 100;
constexpr std::size_t kDescriptionChars = 400;

std::string length_problem(const std::string& what, const std::string& text, std::size_t limit) {
    const std::size_t count = sat::char_count(text);
    return count > limit
               ? fmt::format("the {} is longer than {} characters (has {})", what, limit, count)
               : "";
}

std::string description_problem(const Account& account) {
    return account.description.empty()
               ? "no description"
               : length_problem("description", account.description, kDescriptionChars);
}

std::string grouping_code_problem(const Account& account) {
    if (account.grouping_code.empty()) {
        return "no grouping code (a code of the SAT catalogue c_CodAgrup, such as 102.01)";
    }
    if (sat::grouping_codes_missing()) {
        return "the grouping code cannot be checked: the c_CodAgrup catalogue of the schemas "
               "cannot be read";
    }
    return sat::is_grouping_code(account.grouping_code)
               ? ""
               : fmt::format("the grouping code {} is not in the SAT catalogue c_CodAgrup",
                             account.grouping_code);
}

std::string nature_problem(const Account& account) {
    if (account.nature.empty()) {
        return "no nature: D (deudora) or A (acreedora)";
    }
    return account.nature == "D" || account.nature == "A"
               ? ""
               : fmt::format("the nature {} is neither D (deudora) nor A (acreedora)",
                             account.nature);
}

std::string parent_problem(const Account& account, const LevelOf& level_of) {
    if (account.parent.empty()) {
        return account.level > 1
                   ? fmt::format("the level is {}, but an account without a parent is at level 1",
                                 account.level)
                   : "";
    }
    if (util::fold_case(account.parent) == util::fold_case(account.key)) {
        return "the account cannot be its own parent";
    }
    const auto parent_level = level_of(account.parent);
    if (!parent_level) {
        return fmt::format("the parent account {} is not in the chart", account.parent);
    }
    return account.level != 0 && account.level != *parent_level + 1
               ? fmt::format("the level is {}, but its parent {} is at level {}, so it must be {}",
                             account.level, account.parent, *parent_level, *parent_level + 1)
               : "";
}

}  // namespace

int expected_level(const Account& account, const LevelOf& level_of) {
    if (account.level != 0) {
        return account.level;
    }
    if (account.parent.empty()) {
        return 1;
    }
    const auto parent_level = level_of(account.parent);
    return parent_level ? *parent_level + 1 : 0;
}

std::vector<std::string> account_problems(const Account& account, const LevelOf& level_of) {
    if (account.key.empty()) {
        return {"an account without a key"};
    }
    std::vector<std::string> problems;
    for (const std::string& problem :
         {length_problem("key", account.key, kKeyChars), description_problem(account),
          grouping_code_problem(account), nature_problem(account),
          parent_problem(account, level_of)}) {
        if (!problem.empty()) {
            problems.push_back(fmt::format("account {}: {}", account.key, problem));
        }
    }
    return problems;
}

}  // namespace ledgernova::chart

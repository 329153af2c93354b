#include "ledgernova/chart.h"

#include <exception>
#include <map>

#include <fmt/format.h>

#include "chart/account_check.h"
#include "chart/account_csv.h"
#include "chart/account_store.h"
#include "export/document.h"
#include "export/rules.h"
#include "util/text.h"

namespace ledgernova {
namespace {

ChartResult refused(std::vector<std::string> problems) {
    return {false, std::move(problems)};
}

// Runs a change of the chart inside one transaction; a database failure becomes the one problem.
template <typename Change>
ChartResult guarded(db::Connection& connection, Change change) {
    try {
        db::Transaction transaction(connection);
        ChartResult result = change();
        if (result.ok) {
            transaction.Commit();
        }
        return result;
    } catch (const std::exception& error) {
        return refused({std::string("the chart could not be changed: ") + error.what()});
    }
}

// The accounts of an import file by folded key, and the levels they will have, looked up in the
// file first and then in the chart.
class ImportedChart {
  public:
    ImportedChart(db::Connection& connection, const std::vector<chart::AccountRow>& rows)
        : connection_(connection) {
        for (const auto& row : rows) {
            by_key_.emplace(util::fold_case(row.account.key), &row);
        }
    }

    std::optional<int> level_of(const std::string& key, int depth = 0) {
        const auto found = by_key_.find(util::fold_case(key));
        if (found == by_key_.end()) {
            return chart::stored_level(connection_, key);
        }
        if (depth > kDeepest) {
            return std::nullopt;
        }
        const int level = chart::expected_level(
            found->second->account,
            [this, depth](const std::string& parent) { return level_of(parent, depth + 1); });
        return level != 0 ? std::optional<int>(level) : std::nullopt;
    }

    // The line where the key first appears, when it is not `row` itself.
    std::optional<std::size_t> earlier_line(const chart::AccountRow& row) const {
        const auto found = by_key_.find(util::fold_case(row.account.key));
        return found->second != &row ? std::optional(found->second->line) : std::nullopt;
    }

  private:
    static constexpr int kDeepest = 1000;  // a longer chain of parents is a cycle
    db::Connection& connection_;
    std::map<std::string, const chart::AccountRow*> by_key_;
};

std::vector<std::string> row_problems(const chart::AccountRow& row, ImportedChart& imported) {
    std::vector<std::string> problems = row.problems;
    if (!row.complete) {
        return problems;
    }
    std::vector<std::string> found;
    if (const auto line = imported.earlier_line(row); line && !row.account.key.empty()) {
        found.push_back(fmt::format("account {}: already on line {}", row.account.key, *line));
    }
    const chart::LevelOf level_of = [&imported](const std::string& key) {
        return imported.level_of(key);
    };
    for (auto& problem : chart::account_problems(row.account, level_of)) {
        found.push_back(std::move(problem));
    }
    for (const auto& problem : found) {
        problems.push_back(fmt::format("line {}: {}", row.line, problem));
    }
    return problems;
}

ChartResult write_rows(db::Connection& connection, const std::vector<chart::AccountRow>& rows) {
    ImportedChart imported(connection, rows);
    std::vector<std::string> problems;
    for (const auto& row : rows) {
        for (auto& problem : row_problems(row, imported)) {
            problems.push_back(std::move(problem));
        }
    }
    if (!problems.empty()) {
        return refused(std::move(problems));
    }
    for (const auto& row : rows) {
        Account account = row.account;
        const bool exists = chart::stored_level(connection, account.key).has_value();
        account.level = *imported.level_of(account.key);
        chart::write_account(connection, account, exists);
    }
    return {true, {}};
}

ChartResult add_checked(db::Connection& connection, const Account& given, bool replace) {
    const chart::LevelOf level_of = [&connection](const std::string& key) {
        return chart::stored_level(connection, key);
    };
    auto problems = chart::account_problems(given, level_of);
    const bool exists = chart::stored_level(connection, given.key).has_value();
    if (exists && !replace) {
        problems.insert(problems.begin(),
                        fmt::format("account {}: already in the chart", given.key));
    }
    if (!problems.empty()) {
        return refused(std::move(problems));
    }
    Account account = given;
    account.level = chart::expected_level(given, level_of);
    chart::write_account(connection, account, exists);
    return {true, {}};
}

}  // namespace

ChartResult add_account(db::Connection& connection, const Account& account, bool replace) {
    return guarded(connection, [&] { return add_checked(connection, account, replace); });
}

ChartResult import_accounts(db::Connection& connection, const std::string& csv) {
    const chart::AccountFile file = chart::read_account_file(csv);
    if (!file.problems.empty()) {
        return refused(file.problems);
    }
    return guarded(connection, [&] { return write_rows(connection, file.rows); });
}

AccountList list_accounts(db::Connection& connection) {
    try {
        return {true, chart::read_accounts(connection, false), {}};
    } catch (const std::exception& error) {
        return {false, {}, error.what()};
    }
}

ChartResult set_company(db::Connection& connection, const Company& company) {
    if (company.key.empty()) {
        return refused({"a company without a key"});
    }
    const std::string rfc_problem =
        sat::refusal(sat::rule_attribute("RFC", company.rfc, sat::Rule::Rfc));
    if (!rfc_problem.empty()) {
        return refused(
            {fmt::format("company {}, RFC \"{}\": {}", company.key, company.rfc, rfc_problem)});
    }
    return guarded(connection, [&] {
        chart::write_company(connection, company);
        return ChartResult{true, {}};
    });
}

std::string stored_rfc(db::Connection& connection, const std::string& company) {
    try {
        return chart::company_rfc(connection, company).value_or("");
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace ledgernova

#include "export/trial_balance.h"

#include <map>
#include <set>

#include <fmt/format.h>

#include "util/text.h"

namespace ledgernova::sat {
namespace {

// The amounts of one account, before its nature gives them a sign.
struct Totals {
    std::string code;            // as the first row that named it spells it
    std::string opening_period;  // of the latest opening balance; empty without one
    util::Decimal opening;       // that opening balance, by the account's nature
    util::Decimal earlier;       // charges less credits from then up to the period
    util::Decimal debe;
    util::Decimal haber;

    [[nodiscard]] bool reported() const {
        return !opening.is_zero() || !earlier.is_zero() || !debe.is_zero() || !haber.is_zero();
    }
};

// Keys compare as the ledger's collation does: without regard to case.
std::string key(const std::string& code) {
    return util::fold_case(util::trim_blanks(code));
}

util::Decimal negated_unless(bool same, util::Decimal amount) {
    return same ? amount : util::Decimal() - amount;
}

class Calculation {
  public:
    Calculation(const BalanceLedger& ledger, std::string period) : period_(std::move(period)) {
        for (const auto& account : ledger.chart) {
            chart_.emplace(key(account.code), account);
        }
        for (const auto& opening : ledger.openings) {
            take_opening(opening);
        }
        for (const auto& movement : ledger.movements) {
            take_movement(movement);
        }
    }

    TrialBalance result() {
        check_month();
        for (const auto& [account, totals] : totals_) {
            if (totals.reported()) {
                report(account, totals);
            }
        }
        TrialBalance balance;
        for (auto& [account, row] : rows_) {
            balance.accounts.push_back(row);
        }
        if (balance.accounts.empty() && problems_.empty()) {
            problem("Balanza", {},
                    "no account to deliver: nothing has a balance or movement "
                    "up to the month");
        }
        balance.problems = std::move(problems_);
        return balance;
    }

  private:
    Totals& totals_of(const std::string& code) {
        Totals& totals = totals_[key(code)];
        if (totals.code.empty()) {
            totals.code = util::trim_blanks(code);
        }
        return totals;
    }

    // The latest opening balance not after the period counts; earlier ones are in it.
    void take_opening(const OpeningBalance& opening) {
        Totals& totals = totals_of(opening.account);
        if (opening.period > totals.opening_period) {
            totals.opening_period = opening.period;
            totals.opening = opening.amount;
        }
    }

    void take_movement(const Movement& movement) {
        if (movement.kind != 1 && movement.kind != 2) {
            problems_.push_back({movement.folio,
                                 movement.line,
                                 {},
                                 {},
                                 "Pd_Tipo",
                                 std::to_string(movement.kind),
                                 "a line is either a charge (1) or a credit (2)"});
            return;
        }
        if (movement.period == period_) {
            add_to_month(movement);
        } else if (movement.period < period_) {
            add_earlier(movement);
        }
    }

    // Movements before the latest opening balance are already in it.
    void add_earlier(const Movement& movement) {
        Totals& totals = totals_of(movement.account);
        if (movement.period >= totals.opening_period) {
            totals.earlier = totals.earlier + negated_unless(movement.kind == 1, movement.amount);
        }
    }

    void add_to_month(const Movement& movement) {
        Totals& totals = totals_of(movement.account);
        util::Decimal& side = movement.kind == 1 ? totals.debe : totals.haber;
        side = side + movement.amount;
        util::Decimal& month_side = movement.kind == 1 ? month_debe_ : month_haber_;
        month_side = month_side + movement.amount;
    }

    void check_month() {
        if (month_debe_ != month_haber_) {
            problem("Balanza", {},
                    fmt::format("the month does not balance: charges {}, credits {}",
                                month_debe_.to_fixed(2), month_haber_.to_fixed(2)));
        }
    }

    void problem(const char* element, const std::string& account, std::string reason) {
        const std::string attribute = account.empty() ? std::string() : "NumCta";
        if (reported_.insert(account + '\n' + reason).second) {
            problems_.push_back({{}, {}, element, {}, attribute, account, std::move(reason)});
        }
    }

    // The account's chart entry when it has a nature; reports the problem otherwise.
    const ChartAccount* with_nature(const std::string& code) {
        const auto found = chart_.find(key(code));
        if (found == chart_.end()) {
            problem("Ctas", code, "the account is missing from the chart (Cuenta_Contable)");
            return nullptr;
        }
        const std::string& nature = found->second.nature;
        if (nature != "D" && nature != "A") {
            problem("Ctas", found->second.code,
                    "the account has no nature: Cc_Naturaleza must be D (deudora) or A "
                    "(acreedora)");
            return nullptr;
        }
        return &found->second;
    }

    static AccountBalance own_balance(const Totals& totals, bool debit) {
        AccountBalance row{totals.code, {}, totals.debe, totals.haber, {}};
        row.opening = totals.opening + negated_unless(debit, totals.earlier);
        row.closing = row.opening + negated_unless(debit, totals.debe - totals.haber);
        return row;
    }

    void report(const std::string& account, const Totals& totals) {
        const ChartAccount* chart = with_nature(totals.code);
        if (chart == nullptr) {
            return;
        }
        const AccountBalance own = own_balance(totals, chart->nature == "D");
        add_to(*chart, own, true);
        std::set<std::string> visited = {account};
        for (const ChartAccount* child = chart; !child->parent.empty();) {
            const ChartAccount* parent = ancestor(*child, visited);
            if (parent == nullptr) {
                return;
            }
            add_to(*parent, own, parent->nature == chart->nature);
            child = parent;
        }
    }

    // The parent of `child`, when it exists, has a nature and was not met yet on the way up.
    const ChartAccount* ancestor(const ChartAccount& child, std::set<std::string>& visited) {
        if (!visited.insert(key(child.parent)).second) {
            problem("Ctas", child.code,
                    fmt::format("the parent account {} is also beneath it", child.parent));
            return nullptr;
        }
        if (chart_.find(key(child.parent)) == chart_.end()) {
            problem("Ctas", child.code,
                    fmt::format("the parent account {} is missing from the chart", child.parent));
            return nullptr;
        }
        return with_nature(child.parent);
    }

    void add_to(const ChartAccount& account, const AccountBalance& own, bool same_nature) {
        AccountBalance& row = rows_.try_emplace(key(account.code)).first->second;
        row.account = account.code;
        row.opening = row.opening + negated_unless(same_nature, own.opening);
        row.debe = row.debe + own.debe;
        row.haber = row.haber + own.haber;
        row.closing = row.closing + negated_unless(same_nature, own.closing);
    }

    std::string period_;
    std::map<std::string, ChartAccount> chart_;
    std::map<std::string, Totals> totals_;
    std::map<std::string, AccountBalance> rows_;
    util::Decimal month_debe_;
    util::Decimal month_haber_;
    std::vector<ExportProblem> problems_;
    std::set<std::string> reported_;
};

}  // namespace

std::string period_key(int year, int month) {
    return fmt::format("{:04}{:02}", year, month);
}

TrialBalance compute_trial_balance(const BalanceLedger& ledger, const std::string& period) {
    return Calculation(ledger, period).result();
}

}  // namespace ledgernova::sat

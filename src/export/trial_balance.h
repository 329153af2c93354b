#pragma once

#include <string>
#include <vector>

#include "ledgernova/export_sat.h"
#include "util/decimal.h"

namespace ledgernova::sat {

// A period as one sortable text: the fiscal year and the two-digit period, "202403"; the
// year-end period of 2024 is "202413", after December and before "202501".
[[nodiscard]] std::string period_key(int year, int month);

// An account of the chart as the trial balance needs it.
struct ChartAccount {
    std::string code;    // Cc_Cve_Cuenta_Contable
    std::string nature;  // Cc_Naturaleza: "D" (deudora) or "A" (acreedora); anything else is none
    std::string parent;  // Cc_Cuenta_Padre; empty for an account at the top of the chart
};

// The balance of an account at the start of a period, by the account's nature: positive is a
// debit balance for a "D" account, a credit balance for an "A" account.
struct OpeningBalance {
    std::string account;
    std::string period;  // period_key()
    util::Decimal amount;
};

// One line of a voucher in force.
struct Movement {
    std::string account;
    std::string period;  // period_key() of the voucher
    int kind = 0;        // Pd_Tipo: 1 charge, 2 credit
    util::Decimal amount;
    std::string folio;  // Pl_Folio and Pd_ID, for the problems
    std::string line;
};

// What the ledger holds up to the period of a trial balance.
struct BalanceLedger {
    std::vector<ChartAccount> chart;
    std::vector<OpeningBalance> openings;  // none after the period
    std::vector<Movement> movements;       // none after the period
};

// One row of the trial balance.
struct AccountBalance {
    std::string account;
    util::Decimal opening;  // by the account's nature, as the closing
    util::Decimal debe;
    util::Decimal haber;
    util::Decimal closing;  // "D": opening + debe - haber; "A": opening - debe + haber
};

struct TrialBalance {
    std::vector<AccountBalance> accounts;  // ordered by account
    std::vector<ExportProblem> problems;   // what keeps the balance from being delivered
};

// The trial balance of `period`. An account's opening balance is its latest opening balance not
// after the period plus the movements from that opening's period up to the period; without one,
// every earlier movement. Its charges and credits are the movements of the period itself. An
// account is reported when it has an opening balance or movement; every account above it in the
// chart (Cc_Cuenta_Padre) is reported as well, holding the sum of the accounts beneath it (and its
// own), a balance of the other nature counting against it.
//
// Problems: a movement that is neither charge nor credit, an account missing from the chart or
// without nature, a parent missing from the chart or that is its own ancestor, a period whose
// charges differ from its credits, nothing to report.
[[nodiscard]] TrialBalance compute_trial_balance(const BalanceLedger& ledger,
                                                 const std::string& period);

}  // namespace ledgernova::sat

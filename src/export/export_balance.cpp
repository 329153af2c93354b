#include "ledgernova/export_balance.h"

#include "export/balance_document.h"
#include "export/balance_ledger.h"
#include "export/export_outcome.h"
#include "ledgernova/chart.h"

namespace ledgernova {
namespace {

struct BalanceSnapshot {
    BalanceRequest request;  // with the RFC to deliver
    sat::TrialBalance trial;
};

// The RFC and the ledger up to the month, read inside one transaction so that they are one
// consistent picture; it is rolled back, as nothing was written.
BalanceSnapshot read_snapshot(db::Connection& connection, BalanceRequest request) {
    db::Transaction snapshot(connection);
    if (request.rfc.empty()) {
        request.rfc = stored_rfc(connection, request.company);
    }
    const sat::BalanceLedger ledger =
        sat::read_balance_ledger(connection, request.company, request.year, request.month);
    return {request,
            sat::compute_trial_balance(ledger, sat::period_key(request.year, request.month))};
}

ExportResult export_balance(db::Connection& connection, const BalanceRequest& asked) {
    const BalanceSnapshot snapshot = read_snapshot(connection, asked);
    ExportResult result;
    result.problems = sat::check_balance_request(snapshot.request);
    result.problems.insert(result.problems.end(), snapshot.trial.problems.begin(),
                           snapshot.trial.problems.end());
    if (!result.problems.empty()) {
        return result;
    }
    return sat::checked_export(sat::balance_document(snapshot.request, snapshot.trial.accounts),
                               sat::kBalanzaComprobacion, sat::Schema::BalanzaComprobacion, false);
}

}  // namespace

ExportResult export_balanza_comprobacion(db::Connection& connection,
                                         const BalanceRequest& request) {
    return sat::guarded_export([&] { return export_balance(connection, request); });
}

}  // namespace ledgernova

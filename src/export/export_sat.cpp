#include "ledgernova/export_sat.h"

#include "export/document_builder.h"
#include "export/export_outcome.h"
#include "export/period_ledger.h"
#include "ledgernova/chart.h"

namespace ledgernova {
namespace {

// The vouchers of the period, read inside one transaction so that they, their lines and their
// detail rows are one consistent picture; it is rolled back, as nothing was written.
std::vector<sat::LedgerVoucher> read_snapshot(db::Connection& connection,
                                              const ExportRequest& request) {
    db::Transaction snapshot(connection);
    return sat::read_period(connection, request);
}

ExportResult export_period(db::Connection& connection, ExportRequest request) {
    if (request.rfc.empty()) {
        request.rfc = stored_rfc(connection, request.company);
    }
    const sat::Element document = sat::build_document(request, read_snapshot(connection, request));
    return sat::checked_export(document, sat::kPolizasPeriodo, sat::Schema::PolizasPeriodo,
                               request.force);
}

}  // namespace

ExportResult export_polizas_periodo(db::Connection& connection, const ExportRequest& request) {
    return sat::guarded_export([&] { return export_period(connection, request); });
}

}  // namespace ledgernova

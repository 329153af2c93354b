#include "ledgernova/export_sat.h"

#include <exception>

#include "export/document_builder.h"
#include "export/document_check.h"
#include "export/period_ledger.h"
#include "export/xml_writer.h"

namespace ledgernova {
namespace {

// The vouchers of the period, read inside one transaction so that they, their lines and their
// detail rows are one consistent picture; it is rolled back, as nothing was written.
std::vector<sat::LedgerVoucher> read_snapshot(db::Connection& connection,
                                              const ExportRequest& request) {
    db::Transaction snapshot(connection);
    return sat::read_period(connection, request);
}

ExportResult failed(const std::string& message) {
    ExportResult result;
    result.problems.push_back({{}, {}, {}, {}, {}, {}, "the export failed: " + message});
    return result;
}

ExportResult export_period(db::Connection& connection, const ExportRequest& request) {
    const sat::Element document = sat::build_document(request, read_snapshot(connection, request));
    ExportResult result;
    result.problems = sat::check_document(document);
    if (result.problems.empty() || request.force) {
        result.xml = sat::write_xml(document);
        result.ok = true;
    }
    return result;
}

}  // namespace

ExportResult export_polizas_periodo(db::Connection& connection, const ExportRequest& request) {
    try {
        return export_period(connection, request);
    } catch (const std::exception& error) {
        return failed(error.what());
    } catch (...) {
        return failed("an unknown failure");
    }
}

}  // namespace ledgernova

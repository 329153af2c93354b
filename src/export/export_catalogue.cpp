#include "ledgernova/export_catalogue.h"

#include <fmt/format.h>

#include "chart/account_store.h"
#include "export/catalogue_document.h"
#include "export/export_outcome.h"

namespace ledgernova {
namespace {

sat::FilerRfc filer_rfc(db::Connection& connection, const CatalogueRequest& request) {
    if (!request.rfc.empty()) {
        return {request.rfc, {}};
    }
    const auto rfc = chart::company_rfc(connection, request.company);
    if (!rfc) {
        return {{}, fmt::format("the company {} is not in Empresa", request.company)};
    }
    return {*rfc, rfc->empty()
                      ? fmt::format("the company {} has no RFC in Empresa", request.company)
                      : std::string()};
}

sat::Element read_catalogue(db::Connection& connection, const CatalogueRequest& request) {
    db::Transaction snapshot(connection);
    const sat::FilerRfc filer = filer_rfc(connection, request);
    return sat::build_catalogue(request, filer, chart::read_accounts(connection, true));
}

ExportResult export_chart(db::Connection& connection, const CatalogueRequest& request) {
    return sat::checked_export(read_catalogue(connection, request), sat::kCatalogoCuentas,
                               sat::Schema::CatalogoCuentas, false);
}

}  // namespace

ExportResult export_catalogo_cuentas(db::Connection& connection, const CatalogueRequest& request) {
    return sat::guarded_export([&] { return export_chart(connection, request); });
}

}  // namespace ledgernova

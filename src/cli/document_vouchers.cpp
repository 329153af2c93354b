#include "cli/document_vouchers.h"

#include <algorithm>

#include <fmt/format.h>

#include "cli/sql_rows.h"

namespace ledgernova::cli {
namespace {

std::string text_of(const db::Recordset& rows, std::string_view column) {
    return rows.Fields(column).Value.to_text();
}

bool listed(const std::vector<LinkedVoucher>& vouchers, const LinkedVoucher& voucher,
            bool cancelled) {
    return std::any_of(vouchers.begin(), vouchers.end(), [&](const LinkedVoucher& other) {
        return other.folio == voucher.folio && other.cancelled == cancelled;
    });
}

// The vouchers of `after` that were not in `before` in the same status.
std::vector<LinkedVoucher> changed(const std::vector<LinkedVoucher>& before,
                                   const std::vector<LinkedVoucher>& after) {
    std::vector<LinkedVoucher> vouchers;
    std::copy_if(
        after.begin(), after.end(), std::back_inserter(vouchers),
        [&](const LinkedVoucher& voucher) { return !listed(before, voucher, voucher.cancelled); });
    return vouchers;
}

// Runs the member and tells which of the document's vouchers it posted or cancelled.
template <typename Member>
DocumentOutcome change_document(db::Connection& connection, Polizas& poliza,
                                const std::string& table, const std::string& document,
                                Member member) {
    const auto before = linked_vouchers(connection, table, document);
    DocumentOutcome outcome;
    outcome.done = member();
    if (!outcome.done) {
        outcome.error = poliza.get_Error();
    }
    outcome.vouchers = changed(before, linked_vouchers(connection, table, document));
    return outcome;
}

}  // namespace

std::vector<LinkedVoucher> linked_vouchers(db::Connection& connection, const std::string& table,
                                           const std::string& document) {
    std::vector<LinkedVoucher> vouchers;
    for (auto rows = connection.Execute(
             "SELECT DISTINCT Poliza.Pl_Folio, Poliza.Pl_Numero, Poliza.Pl_Configuracion, "
             "Poliza.Es_Cve_Estado "
             "FROM Poliza_Control INNER JOIN Poliza ON Poliza.Pl_Folio = Poliza_Control.Pl_Folio "
             "WHERE Poliza_Control.Pc_Tabla = " +
             sql_literal(table) + " AND Poliza_Control.Pc_Documento = " + sql_literal(document) +
             " ORDER BY Poliza.Pl_Folio");
         !rows.Eof(); rows.MoveNext()) {
        vouchers.push_back({text_of(rows, "Pl_Folio"), text_of(rows, "Pl_Numero"),
                            text_of(rows, "Pl_Configuracion"),
                            text_of(rows, "Es_Cve_Estado") == "CA"});
    }
    return vouchers;
}

DocumentOutcome post_document(db::Connection& connection, Polizas& poliza, const std::string& table,
                              const std::string& document, const std::string& company) {
    DocumentOutcome outcome;
    outcome.done = poliza.Genera_Poliza_Tabla(table, document, company);
    if (!outcome.done) {
        outcome.error = poliza.get_Error();
    }
    // Only what this call committed: another poster's vouchers of the same document are theirs.
    const auto& posted = poliza.posted_folios();
    for (auto& voucher : linked_vouchers(connection, table, document)) {
        if (std::find(posted.begin(), posted.end(), voucher.folio) != posted.end()) {
            outcome.vouchers.push_back(std::move(voucher));
        } else if (!voucher.cancelled) {
            outcome.in_force.push_back(std::move(voucher));
        }
    }
    return outcome;
}

DocumentOutcome cancel_document(db::Connection& connection, Polizas& poliza,
                                const std::string& table, const std::string& document) {
    return change_document(connection, poliza, table, document,
                           [&] { return poliza.Cancelar_Poliza_Documento(table, document); });
}

std::string describe(const LinkedVoucher& voucher) {
    return fmt::format("folio {} number {} template {}", voucher.folio, voucher.numero,
                       voucher.plantilla);
}

}  // namespace ledgernova::cli

#pragma once

#include <string>
#include <vector>

#include "ledgernova/connection.h"
#include "ledgernova/polizas.h"

namespace ledgernova::cli {

// A voucher that covers a source document: linked to it in Poliza_Control.
struct LinkedVoucher {
    std::string folio;
    std::string numero;
    std::string plantilla;   // the template that generated it (Pl_Configuracion)
    bool cancelled = false;  // the voucher's status is CA
};

// The vouchers linked to the document of the source table, in folio order, whatever their status
// or the status of the link. The table compares as the ledger compares text (without regard to
// case). Throws db::Error.
[[nodiscard]] std::vector<LinkedVoucher> linked_vouchers(db::Connection& connection,
                                                         const std::string& table,
                                                         const std::string& document);

// What one call of a posting or cancelling member did to a document.
struct DocumentOutcome {
    bool done = false;                    // the member returned true
    std::string error;                    // its Error text when it returned false
    std::vector<LinkedVoucher> vouchers;  // the vouchers the call posted, or cancelled
    std::vector<LinkedVoucher> in_force;  // posting: the document's other vouchers in force
};

// Genera_Poliza_Tabla for the document under every active template of the table, for the
// company; `vouchers` are those this call generated and committed (none when there was nothing
// to post, or another poster posted the document first), `in_force` the document's vouchers in
// force that it did not write.
// Throws db::Error when the links cannot be read.
[[nodiscard]] DocumentOutcome post_document(db::Connection& connection, Polizas& poliza,
                                            const std::string& table, const std::string& document,
                                            const std::string& company);

// Cancelar_Poliza_Documento for the document; `vouchers` are those the call cancelled (none when
// no voucher in force covered the document). Throws db::Error when the links cannot be read.
[[nodiscard]] DocumentOutcome cancel_document(db::Connection& connection, Polizas& poliza,
                                              const std::string& table,
                                              const std::string& document);

// "folio 0000000001 number 0000000001 template COM-NAC".
[[nodiscard]] std::string describe(const LinkedVoucher& voucher);

}  // namespace ledgernova::cli

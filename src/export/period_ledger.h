#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "export/detail_kinds.h"
#include "ledgernova/connection.h"
#include "ledgernova/export_sat.h"

namespace ledgernova::sat {

// One row as the ledger returned it.
struct LedgerRow {
    std::vector<db::Field> fields;

    // The value of a column (compared without regard to case); Empty when the row has no such
    // column.
    [[nodiscard]] Variant value(std::string_view column) const;
    // The value as text with surrounding blanks removed; Null and Empty give "".
    [[nodiscard]] std::string text(std::string_view column) const;
};

// Every row of a query, in the order the database returns them. Throws db::Error.
[[nodiscard]] std::vector<LedgerRow> read_rows(db::Connection& connection, const std::string& sql);

// A voucher line (Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Cuenta_Registrada, Cc_Descripcion,
// Pd_Concepto, Pd_Referencia, Pd_Tipo, Pd_Importe) and its detail rows, per kind in the order of
// detail_kinds(), each kind ordered by row id. Cuenta_Registrada is Null when the line's account
// is missing from Cuenta_Contable.
struct LedgerLine {
    LedgerRow row;
    std::array<std::vector<LedgerRow>, kDetailKindCount> details;
};

// A voucher header (Pl_Folio, Pl_Periodo, Pl_Tipo, Pl_Numero, Pl_Fecha, Pl_Referencia,
// Pl_Comentario) and its lines ordered by line id.
struct LedgerVoucher {
    LedgerRow row;
    std::vector<LedgerLine> lines;
};

// The vouchers of the request's company, year and month that are not cancelled (December takes
// period 13 as well), ordered by date, type, number and folio. Only reads; throws db::Error when
// a statement fails.
[[nodiscard]] std::vector<LedgerVoucher> read_period(db::Connection& connection,
                                                     const ExportRequest& request);

}  // namespace ledgernova::sat

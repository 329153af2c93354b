#pragma once

#include <vector>

#include "core/contexto.h"
#include "ledgernova/electronic_row.h"

namespace ledgernova::core {

// Per line of a manual voucher, the electronic detail rows it carries: the k-th vector belongs to
// the k-th line; lines past the last vector carry none.
using ElectronicRows = std::vector<std::vector<tPdElectronico>>;

// A whole manual voucher in one transaction: Nuevo, the header, each line through
// Add_Poliza_Detalle followed by its electronic detail rows (checked and written as a template's
// rows are), then Poliza_Balanceada. True when every line and row was written and the voucher
// balances (after at most one rounding line); then the object holds it as Add_Poliza_Detalle
// left it. False with the reason in Error otherwise, and nothing of the voucher stays in the
// database: no header, no line, no detail row, no folio or number spent.
[[nodiscard]] bool post_voucher(Contexto& contexto, const tPlEncabezado& header,
                                const std::vector<tPlDetalle>& lines,
                                const ElectronicRows& electronic);

}  // namespace ledgernova::core

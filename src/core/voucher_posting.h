#pragma once

#include <vector>

#include "core/contexto.h"

namespace ledgernova::core {

// A whole manual voucher in one transaction: Nuevo, the header, each line through
// Add_Poliza_Detalle, then Poliza_Balanceada. True when every line was written and the voucher
// balances (after at most one rounding line); then the object holds it as Add_Poliza_Detalle
// left it. False with the reason in Error otherwise, and nothing of the voucher stays in the
// database: no header, no line, no folio or number spent.
[[nodiscard]] bool post_voucher(Contexto& contexto, const tPlEncabezado& header,
                                const std::vector<tPlDetalle>& lines);

}  // namespace ledgernova::core

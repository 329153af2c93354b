#pragma once

#include <vector>

#include "export/document.h"
#include "export/period_ledger.h"
#include "ledgernova/export_sat.h"

namespace ledgernova::sat {

// The Polizas element of the request (version, RFC, month, year, request type and the order or
// procedure number its type needs) with one Poliza per voucher, in the order given.
[[nodiscard]] Element build_document(const ExportRequest& request,
                                     const std::vector<LedgerVoucher>& vouchers);

}  // namespace ledgernova::sat

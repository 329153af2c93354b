#pragma once

#include "export/detail_kinds.h"
#include "export/document.h"
#include "export/period_ledger.h"

namespace ledgernova::sat {

// The element of one detail row of `kind` under the voucher line `origin` names: each column
// of the kind as its attribute, then Moneda when the row names a currency and TipCamb when that
// currency is not the national one (the schema takes the rate only for foreign currencies).
[[nodiscard]] Element detail_element(const DetailKind& kind, const LedgerRow& row,
                                     const Origin& line);

}  // namespace ledgernova::sat

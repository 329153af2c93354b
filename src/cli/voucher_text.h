#pragma once

#include <string>

#include "core/stored_voucher.h"

namespace ledgernova::cli {

// The voucher for a reader: its header as name and value, one per line; a blank line; its lines
// in a table with the charge and credit columns and their totals; then, when any line has them,
// the electronic detail rows of each line, one block of name and value per row.
[[nodiscard]] std::string render_voucher_text(const core::StoredVoucher& voucher);

// The voucher as JSON: {"header": {...}, "lines": [{..., "electronic": [{"table": ..., ...}]}]},
// numbers as numbers, Null as null, dates in ISO form; every line has its "electronic" array,
// empty when the line has no electronic detail.
[[nodiscard]] std::string render_voucher_json(const core::StoredVoucher& voucher);

}  // namespace ledgernova::cli

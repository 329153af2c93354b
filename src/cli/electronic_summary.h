#pragma once

#include <string>

#include "core/stored_voucher.h"

namespace ledgernova::cli {

// One electronic detail row in a line of text for the printed voucher: its kind, then the
// values that identify it, each after its label, empty ones left out, then the amount with its
// currency, e.g. "CFDI  UUID 6F1A...  RFC AAA010101AAA  Monto 1,160.00 MXN". A row of a table
// that is not one of electronic_detail_tables() gives the table's name alone.
[[nodiscard]] std::string electronic_summary(const core::ElectronicRow& row);

}  // namespace ledgernova::cli

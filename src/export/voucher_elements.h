#pragma once

#include <string>

#include "export/document.h"
#include "export/period_ledger.h"

namespace ledgernova::sat {

// NumUnIdenPol of a voucher: its type and number, "2-0000000015". A voucher of period 13 (the
// year-end closing, delivered with December) ends in "-13", so that it never takes the
// identifier of a December voucher of the same type and number.
[[nodiscard]] std::string voucher_identifier(const LedgerRow& voucher);

// The Poliza element of a voucher: identifier, date and concept (the comment, else the
// reference, else "Póliza de <type> <number>"), with one Transaccion per line.
[[nodiscard]] Element poliza_element(const LedgerVoucher& voucher);

// The Transaccion of a line: account and its description from the chart of accounts, concept
// (the line's, else its reference, else the voucher's), the amount in Debe for a charge or in
// Haber for a credit (the other 0.00), and the line's detail elements in the schema's order.
[[nodiscard]] Element transaccion_element(const LedgerLine& line,
                                          const std::string& fallback_concept);

}  // namespace ledgernova::sat

#include "print/printed_voucher.h"

namespace ledgernova::print {

VoucherTotals totals_of(const PrintedVoucher& voucher) {
    VoucherTotals totals;
    for (const auto& line : voucher.lines) {
        if (line.movement == Movement::Charge) {
            totals.charges = totals.charges + line.amount;
        } else if (line.movement == Movement::Credit) {
            totals.credits = totals.credits + line.amount;
        }
    }
    return totals;
}

}  // namespace ledgernova::print

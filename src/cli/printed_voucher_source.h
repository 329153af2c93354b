#pragma once

#include "core/stored_voucher.h"
#include "ledgernova/connection.h"
#include "print/printed_voucher.h"

namespace ledgernova::cli {

// The stored voucher as the printed form shows it, with the descriptions of its accounts in the
// chart (Cuenta_Contable) and its company's RFC (Empresa), each read once. Only reads; throws
// db::Error.
[[nodiscard]] print::PrintedVoucher printed_voucher(db::Connection& connection,
                                                    const core::StoredVoucher& voucher);

}  // namespace ledgernova::cli

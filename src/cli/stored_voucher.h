#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::cli {

// A voucher as the ledger holds it: every column of its `Poliza` row and of each of its
// `Poliza_Detalle` rows, in column order, the lines ordered by Pd_ID.
struct StoredVoucher {
    std::vector<db::Field> header;
    std::vector<std::vector<db::Field>> lines;
};

// The voucher of that folio; nullopt when there is none. Throws db::Error.
[[nodiscard]] std::optional<StoredVoucher> load_voucher(db::Connection& connection,
                                                        const std::string& folio);

// The value of the named column among the fields (compared without regard to case); throws
// db::UsageError when there is no such column.
[[nodiscard]] const Variant& field_value(const std::vector<db::Field>& fields,
                                         const std::string& name);

}  // namespace ledgernova::cli

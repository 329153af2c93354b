#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::core {

// One electronic detail row of a voucher line: the detail table that keeps it (one per kind:
// invoice, cheque, transfer, ...) and every column of the row, in column order.
struct ElectronicRow {
    std::string table;
    std::vector<db::Field> fields;
};

// A voucher line as the ledger holds it: every column of its `Poliza_Detalle` row, in column
// order, and its electronic detail rows, table by table in a fixed order, each table's rows in
// their own order.
struct StoredLine {
    std::vector<db::Field> fields;
    std::vector<ElectronicRow> electronic;
};

// A voucher as the ledger holds it: every column of its `Poliza` row, in column order, and its
// lines ordered by Pd_ID.
struct StoredVoucher {
    std::vector<db::Field> header;
    std::vector<StoredLine> lines;
};

// The tables of electronic detail rows, in the order a line lists its rows.
[[nodiscard]] const std::vector<std::string>& electronic_detail_tables();

// The voucher of that folio; nullopt when there is none. Throws db::Error.
[[nodiscard]] std::optional<StoredVoucher> load_voucher(db::Connection& connection,
                                                        const std::string& folio);

// Every field of the recordset's current row, in column order.
[[nodiscard]] std::vector<db::Field> current_fields(const db::Recordset& rows);

// The voucher as JSON: {"header": {column: value, ...}, "lines": [{column: value, ...,
// "electronic": [{"table": name, column: value, ...}, ...]}, ...]}; Null values as null, dates in
// ISO form; bytes that are not UTF-8 become U+FFFD. `indent` as nlohmann::json::dump takes it (-1:
// one line).
[[nodiscard]] std::string voucher_json(const StoredVoucher& voucher, int indent);

// The value of the named column among the fields (compared without regard to case); throws
// db::UsageError when there is no such column.
[[nodiscard]] const Variant& field_value(const std::vector<db::Field>& fields,
                                         const std::string& name);

}  // namespace ledgernova::core

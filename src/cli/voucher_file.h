#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledgernova/date.h"
#include "ledgernova/electronic_row.h"
#include "ledgernova/records.h"

namespace ledgernova::cli {

// A manual voucher as its file gives it:
//   {"header": {<tPlEncabezado fields>},
//    "lines": [{<tPlDetalle fields>, "electronic": [{"kind": K, <fields of kind K>}, ...]}, ...]}
// Text fields are JSON strings, Pl_Tipo_Poliza (1 to 3) and Pd_Tipo (1 or 2) whole numbers,
// Pd_Importe a number and Pl_Fecha a "YYYY-MM-DD" string. The header must give Pl_Tipo_Poliza and
// Em_Cve_Empresa; other fields left out keep the record's defaults, and a header without Pl_Fecha
// leaves the date to the voucher object. An electronic detail row gives its
// kind and its fields as strings or numbers (tPdElectronico); which fields a kind has is the
// library's to check.
struct VoucherFile {
    tPlEncabezado header;
    std::optional<Date> date;  // Pl_Fecha, when the file gives it
    std::vector<tPlDetalle> lines;
    std::vector<std::vector<tPdElectronico>> electronic;  // one vector per line, maybe empty
};

// Reads and checks the file. Throws UsageError naming the file and, for a wrong field, the line
// and the key: a file that cannot be read, text that is not JSON, an unknown key, a value of the
// wrong JSON type or out of range, a text holding a NUL character, a required header field
// left out, a voucher without lines.
[[nodiscard]] VoucherFile read_voucher_file(const std::string& path);

}  // namespace ledgernova::cli

#pragma once

#include <string>

#include "ledgernova/export.h"

namespace ledgernova {

// The kinds of monthly electronic accounting file, each with the two letters that end its name.
enum class SatFileKind {
    Catalogue,             // CT: the chart of accounts (CatalogoCuentas)
    NormalBalance,         // BN: the month's trial balance (BalanzaComprobacion, TipoEnvio N)
    ComplementaryBalance,  // BC: a trial balance sent again corrected (TipoEnvio C)
    Vouchers               // PL: the month's vouchers, on request (PolizasPeriodo)
};

// The name the tax administration expects for a file: RFC, year (four digits), month (two) and
// the kind's two letters, then `extension`: "AAA010101AAA202403CT.xml".
[[nodiscard]] LEDGERNOVA_API std::string sat_file_name(const std::string& rfc, int year, int month,
                                                       SatFileKind kind,
                                                       const std::string& extension = ".xml");

// A ZIP archive, as bytes, holding one file `name` with `content`, compressed with deflate: the
// form in which the authority receives each XML. The same content always gives the same bytes.
// Files below 4 GiB (no ZIP64). Never throws; an empty text when zlib fails.
[[nodiscard]] LEDGERNOVA_API std::string zip_one_file(const std::string& name,
                                                      const std::string& content);

}  // namespace ledgernova

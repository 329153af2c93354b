#pragma once

#include <string>

#include "ledgernova/connection.h"
#include "ledgernova/export.h"
#include "ledgernova/export_sat.h"

namespace ledgernova {

// The chart of accounts a company files with the tax administration, as the electronic
// accounting XML "CatalogoCuentas" version 1.3.
struct CatalogueRequest {
    std::string company;  // Em_Cve_Empresa, whose RFC the file carries unless `rfc` is given
    int year = 0;         // Anio, 2015 to 2099
    int month = 0;        // Mes, 1 to 12
    std::string rfc;      // empty: the company's RFC (Empresa.Em_R_F_C)
};

// Builds the CatalogoCuentas document: one Ctas per account of Cuenta_Contable that is not
// cancelled (Es_Cve_Estado <> 'CA'), ordered by key, with its grouping code (CodAgrup), key
// (NumCta), description (Desc), parent (SubCtaDe, left out at the top), level (Nivel) and nature
// (Natur). Every value is checked first, as the voucher export checks its own, along with a parent
// missing from the chart and a level that is not the parent's plus one; the document is then
// validated with libxml2 against the shipped schema. Any problem refuses it: ok false, no xml,
// the problems in document order (describe() writes each on one line). Only reads the ledger;
// never throws.
[[nodiscard]] LEDGERNOVA_API ExportResult export_catalogo_cuentas(db::Connection& connection,
                                                                  const CatalogueRequest& request);

}  // namespace ledgernova

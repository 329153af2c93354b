#pragma once

#include <string>

#include "ledgernova/connection.h"
#include "ledgernova/export.h"
#include "ledgernova/export_sat.h"

namespace ledgernova {

// A month's trial balance for the tax administration: the electronic accounting XML
// "BalanzaComprobacion" version 1.3.
struct BalanceRequest {
    std::string company;     // Em_Cve_Empresa of the vouchers
    int year = 0;            // Anio, 2015 to 2099
    int month = 0;           // Mes: 1 to 12, or 13 for the year-end period (its own balance)
    std::string rfc;         // RFC of the taxpayer; empty: the company's Em_R_F_C
    std::string type = "N";  // TipoEnvio: N the month's first delivery, C a complementary one
    std::string modified;    // FechaModBal, YYYY-MM-DD: when the books were changed; with C only
};

// Builds the BalanzaComprobacion document of the request: one Ctas per account with an opening
// balance (Saldo_Inicial, else the earlier movements) or movement up to the month, and per account
// above it in the chart (Cc_Cuenta_Padre), with its opening balance, charges, credits and closing
// balance by the account's nature (Cc_Naturaleza D: opening + charges - credits; A: opening -
// charges + credits), summed exactly in decimal from the lines of the vouchers in force
// (Es_Cve_Estado <> 'CA'). A month's movements are those of its period; those of the year-end
// period 13 are month 13's, and from then on in the openings of later months.
//
// The document is checked (an account missing from the chart or without nature, a month whose
// charges differ from its credits, FechaModBal without C or C without it, ...) and then validated
// against the schema with libxml2; any problem refuses it, `xml` is then empty and `problems`
// lists each. Only reads the ledger; never throws.
[[nodiscard]] LEDGERNOVA_API ExportResult
export_balanza_comprobacion(db::Connection& connection, const BalanceRequest& request);

}  // namespace ledgernova

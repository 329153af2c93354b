#pragma once

#include <string>
#include <vector>

#include "ledgernova/connection.h"
#include "ledgernova/export.h"

namespace ledgernova {

// An account of the chart (Cuenta_Contable) with what the electronic accounting files need.
struct Account {
    std::string key;            // Cc_Cve_Cuenta_Contable, 1 to 100 characters
    std::string description;    // Cc_Descripcion, 1 to 400 characters
    std::string grouping_code;  // Cc_Codigo_Agrupador: a code of the SAT's c_CodAgrup, "102.01"
    std::string nature;         // Cc_Naturaleza: "D" (deudora) or "A" (acreedora)
    int level = 0;              // Cc_Nivel; 0 when adding: the parent's level + 1, or 1 at the top
    std::string parent;         // Cc_Cuenta_Padre: the account it belongs to; empty at the top
    bool entry = true;          // Cc_Registro 'SI': voucher lines post to it; 'NO': a summary
    bool result = false;        // Cc_Resultado 'SI': an account of the income statement
};

// The outcome of a change to the chart: ok, or the problems that refused it (nothing written).
struct ChartResult {
    bool ok = false;
    std::vector<std::string> problems;  // one line each
};

// Adds the account after checking it: key and description present and not too long, the grouping
// code in c_CodAgrup, the nature D or A, the parent in the chart, the level the parent's plus one
// (1 without a parent). An account already in the chart is refused unless `replace` is set, which
// overwrites it. Never throws; a database failure is one problem carrying its message.
[[nodiscard]] LEDGERNOVA_API ChartResult add_account(db::Connection& connection,
                                                     const Account& account, bool replace = false);

// Adds or overwrites every account of a CSV file (UTF-8, a header row naming the columns in any
// order: account, description, grouping_code, nature, parent, and optionally level, entry and
// result, the last two SI or NO), checked as add_account checks one, a parent found in the chart
// or anywhere in the file. All of it in one transaction, or nothing when any row has a problem:
// each problem then starts with the line of the file, "line 3: account 1102-001: ...".
[[nodiscard]] LEDGERNOVA_API ChartResult import_accounts(db::Connection& connection,
                                                         const std::string& csv);

// Every account of the chart ordered by key, or the database's message.
struct AccountList {
    bool ok = false;
    std::vector<Account> accounts;
    std::string error;
};
[[nodiscard]] LEDGERNOVA_API AccountList list_accounts(db::Connection& connection);

// A company (Empresa) as the files name it.
struct Company {
    std::string key;   // Em_Cve_Empresa
    std::string rfc;   // Em_R_F_C, checked as the schemas check an RFC
    std::string name;  // Em_Nombre; empty keeps the name a company already has
};

// Adds the company or updates its RFC (and name, when given). Never throws.
[[nodiscard]] LEDGERNOVA_API ChartResult set_company(db::Connection& connection,
                                                     const Company& company);

// The company's RFC (Em_R_F_C): empty when Empresa has no such company, it has no RFC, or the
// database cannot be read. Never throws.
[[nodiscard]] LEDGERNOVA_API std::string stored_rfc(db::Connection& connection,
                                                    const std::string& company);

}  // namespace ledgernova

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledgernova/chart.h"

namespace ledgernova::chart {

// The statements that read and write the chart of accounts and the companies. Each throws
// db::Error when the database refuses it.

// The account's level, or nullopt when the chart has no such account (keys compare as the
// ledger's text columns do, without regard to case).
[[nodiscard]] std::optional<int> stored_level(db::Connection& connection, const std::string& key);

// Every account ordered by key; with `live_only`, those not cancelled (Es_Cve_Estado <> 'CA').
[[nodiscard]] std::vector<Account> read_accounts(db::Connection& connection, bool live_only);

// Writes the account: an UPDATE of the row with its key when `exists`, else an INSERT.
void write_account(db::Connection& connection, const Account& account, bool exists);

// The company's RFC (Em_R_F_C, '' when it has none), or nullopt when Empresa has no such company.
[[nodiscard]] std::optional<std::string> company_rfc(db::Connection& connection,
                                                     const std::string& company);

// Adds the company, or updates its RFC and, when `company.name` is not empty, its name.
void write_company(db::Connection& connection, const Company& company);

}  // namespace ledgernova::chart

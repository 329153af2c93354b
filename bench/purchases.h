#pragma once

#include <string>

#include "ledgernova/connection.h"

namespace ledgernova::bench {

// The source table the benchmark posts from and the company it posts for.
inline constexpr const char* kSourceTable = "Compras";
inline constexpr const char* kCompany = "01";

// Lines of every generated voucher, each backed by one invoice row.
inline constexpr int kLinesPerVoucher = 4;

// Creates a ledger database at `path` (which must not exist yet): every table, the demo catalogue
// and templates, an invoice on every line of the national purchase template, and `documents`
// purchases of company "01" in March 2024, each of which posts as one voucher of four lines.
// Throws db::Error when a statement fails.
void build_purchase_ledger(const std::string& path, int documents);

// The same in the database of `connection`, SQLite or PostgreSQL (in the first schema of its
// search path), whose tables are created first. Throws db::Error, and UsageError on SQL Server.
void fill_purchase_ledger(db::Connection& connection, int documents);

// The key of the purchase numbered `index` (1 to documents): "B-0000001", ...
[[nodiscard]] std::string purchase_folio(int index);

}  // namespace ledgernova::bench

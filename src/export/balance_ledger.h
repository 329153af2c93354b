#pragma once

#include <string>

#include "export/trial_balance.h"
#include "ledgernova/connection.h"

namespace ledgernova::sat {

// What the trial balance of `company` for `year` and `month` (13: the year-end period) needs:
// the whole chart, the company's opening balances (Saldo_Inicial) and the lines of its vouchers
// in force (Es_Cve_Estado not 'CA'), both up to that period. Amounts are read line by line and
// added in decimal, never summed by the database. Only reads; throws db::Error when a statement
// fails, ConversionError for an amount that is not a number.
[[nodiscard]] BalanceLedger read_balance_ledger(db::Connection& connection,
                                                const std::string& company, int year, int month);

}  // namespace ledgernova::sat

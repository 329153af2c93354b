#pragma once

#include <string>
#include <vector>

#include "export/document.h"
#include "export/trial_balance.h"
#include "ledgernova/export_balance.h"

namespace ledgernova::sat {

// The Balanza element of the request (whose rfc is already the one to deliver) with one Ctas per
// account of the trial balance, amounts with two decimals.
[[nodiscard]] Element balance_document(const BalanceRequest& request,
                                       const std::vector<AccountBalance>& accounts);

// What the request itself gets wrong that the schema would not explain: no RFC to deliver;
// FechaModBal goes with a complementary delivery (C) and only with it.
[[nodiscard]] std::vector<ExportProblem> check_balance_request(const BalanceRequest& request);

}  // namespace ledgernova::sat

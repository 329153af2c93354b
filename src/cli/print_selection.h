#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::cli {

// The vouchers of one company's month, all types or one.
struct MonthSelection {
    std::string company;
    int year = 0;
    int month = 0;            // 1 to 12; December takes the year-end period 13 too
    std::optional<int> type;  // 1 income, 2 expense, 3 journal; all when none
};

// The folios of the selected vouchers, cancelled ones included, ordered by date, type, number
// and folio. Only reads; throws db::Error.
[[nodiscard]] std::vector<std::string> month_folios(db::Connection& connection,
                                                    const MonthSelection& selection);

// "company 01, 2024-03" (", type 2" when one type is selected), for messages.
[[nodiscard]] std::string describe(const MonthSelection& selection);

}  // namespace ledgernova::cli

#pragma once

#include <string>

#include "util/decimal.h"

namespace ledgernova::print {

// The amount rounded to the cent with a comma between each group of three whole digits, as
// accountants write it: "1,234,567.89", "-1,000.00", "0.50".
[[nodiscard]] std::string grouped_amount(const util::Decimal& amount);

}  // namespace ledgernova::print

#pragma once

#include <string>

#include "ledgernova/variant.h"

namespace ledgernova::sat {

// The text forms the schema reads. Each gives "" for Null, and a value it cannot convert as the
// ledger holds it, so that the check reports it rather than a guess.

// An amount with exactly two decimals, rounded half away from zero: 1500 -> "1500.00".
[[nodiscard]] std::string amount_text(const Variant& value);
// An exchange rate with up to five decimals and no trailing zeros: 17.25 -> "17.25", 1 -> "1".
[[nodiscard]] std::string rate_text(const Variant& value);
// A date as YYYY-MM-DD; a stored time of day is dropped.
[[nodiscard]] std::string date_text(const Variant& value);

}  // namespace ledgernova::sat

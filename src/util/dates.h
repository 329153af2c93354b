#pragma once

#include <string>

#include "ledgernova/date.h"

namespace ledgernova::util {

// "dd/MMM/yyyy" with English month abbreviations ("05/Mar/2024"): the form SQL Server reads under
// its default language, whatever the locale of the machine that composes the statement.
[[nodiscard]] std::string format_dd_mmm_yyyy(Date date);

}  // namespace ledgernova::util

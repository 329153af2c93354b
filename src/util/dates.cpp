#include "util/dates.h"

#include <array>
#include <string_view>

#include <fmt/format.h>

namespace ledgernova::util {

std::string format_dd_mmm_yyyy(Date date) {
    static constexpr std::array<std::string_view, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return fmt::format("{:02}/{}/{:04}", date.day(), kMonths.at(date.month() - 1), date.year());
}

}  // namespace ledgernova::util

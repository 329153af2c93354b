#pragma once

#include <iterator>
#include <string>

#include <fmt/compile.h>
#include <fmt/format.h>

namespace ledgernova::util {

// The text of a compiled format, written first in a buffer on the stack: statements are composed
// for every voucher and line, and a string grown while it is written would be moved each time it
// outgrew itself.
template <typename Format, typename... Args>
[[nodiscard]] std::string compose(const Format& format, const Args&... args) {
    fmt::memory_buffer buffer;
    fmt::format_to(std::back_inserter(buffer), format, args...);
    return fmt::to_string(buffer);
}

}  // namespace ledgernova::util

#pragma once

#include <cstddef>
#include <string_view>

namespace ledgernova::util {

// compare_folded without its ASCII shortcut: character by character from `at`, which starts a
// character in both texts (their bytes before it compared equal). Tests hold the shortcut to it.
[[nodiscard]] int compare_folded_from(std::string_view a, std::string_view b, std::size_t at);

}  // namespace ledgernova::util

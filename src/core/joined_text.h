#pragma once

#include <string>
#include <string_view>

namespace ledgernova::core {

// The texts one after the other, composed in one buffer of their whole length: statements put
// together for every voucher and line are built this way rather than by a chain of additions,
// each of which would copy what came before.
template <typename... Texts>
[[nodiscard]] std::string joined(const Texts&... texts) {
    std::string result;
    result.reserve((std::string_view(texts).size() + ...));
    (result.append(texts), ...);
    return result;
}

}  // namespace ledgernova::core

#pragma once

#include <string>

#include "ledgernova/variant.h"

namespace ledgernova::testing {

// The message of the ConversionError `call` throws; "" when it converts.
template <typename Call>
std::string refusal(Call call) {
    try {
        (void)call();
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "";
}

}  // namespace ledgernova::testing

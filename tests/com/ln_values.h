#pragma once

#include <cstdint>

#include "ledgernova/ledgernova.h"

namespace ledgernova::testing {

// Arguments of the C interface, one value of each type a test passes.

inline ln_variant of_type(std::int32_t type) {
    ln_variant v{};
    v.type = type;
    return v;
}

inline ln_variant text(const char* value) {
    ln_variant v = of_type(LN_TEXT);
    v.text = value;
    return v;
}

inline ln_variant whole(std::int32_t value) {
    ln_variant v = of_type(LN_LONG);
    v.long_value = value;
    return v;
}

inline ln_variant number(double value) {
    ln_variant v = of_type(LN_DOUBLE);
    v.double_value = value;
    return v;
}

inline ln_variant date(double serial) {
    ln_variant v = of_type(LN_DATE);
    v.date_value = serial;
    return v;
}

}  // namespace ledgernova::testing

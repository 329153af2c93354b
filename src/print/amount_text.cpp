#include "print/amount_text.h"

namespace ledgernova::print {

std::string grouped_amount(const util::Decimal& amount) {
    const std::string fixed = amount.to_fixed(2);
    const std::size_t sign = fixed.starts_with('-') ? 1 : 0;
    const std::size_t point = fixed.find('.');
    std::string grouped = fixed.substr(0, sign);
    for (std::size_t at = sign; at < point; ++at) {
        const std::size_t left = point - at;
        if (at > sign && left % 3 == 0) {
            grouped += ',';
        }
        grouped += fixed[at];
    }
    return grouped + fixed.substr(point);
}

}  // namespace ledgernova::print

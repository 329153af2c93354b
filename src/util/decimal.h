#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "ledgernova/variant.h"

namespace ledgernova::util {

// An exact amount with six decimal places, for sums of money that must compare exactly (ledger
// amounts carry two decimals; the extra places keep sums of them exact).
class Decimal {
  public:
    Decimal() = default;
    // Text in the fixed form ("-12.5"); more than six decimals are rounded half away from zero.
    // Throws ConversionError("Type mismatch") on anything else.
    [[nodiscard]] static Decimal parse(const std::string& text);
    // A Double as the database returns a sum: read back through its 15-significant-digit text,
    // which removes binary noise such as 100.03000000000001.
    [[nodiscard]] static Decimal from_double(double value);
    // Null throws "Invalid use of Null"; Empty is zero.
    [[nodiscard]] static Decimal from_variant(const Variant& value);

    [[nodiscard]] Decimal abs() const { return units_ < 0 ? Decimal(-units_) : *this; }
    [[nodiscard]] bool is_zero() const { return units_ == 0; }
    [[nodiscard]] double to_double() const;
    [[nodiscard]] std::string to_string() const;
    // Rounded half away from zero to `places` decimals (0 to 6) and written with exactly that many.
    [[nodiscard]] std::string to_fixed(int places) const;

    friend Decimal operator-(Decimal a, Decimal b) { return Decimal(a.units_ - b.units_); }
    friend Decimal operator+(Decimal a, Decimal b) { return Decimal(a.units_ + b.units_); }
    friend auto operator<=>(Decimal, Decimal) = default;

  private:
    static constexpr std::int64_t kScale = 1'000'000;
    explicit Decimal(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

}  // namespace ledgernova::util

#pragma once

#include <compare>
#include <string>

#include "ledgernova/variant.h"

namespace ledgernova::util {

// The largest amount a voucher line may carry: 15 significant digits, the most a Double holds to
// the cent, so every amount up to it reads back from its Double with its cents intact.
inline constexpr double kLargestAmount = 9'999'999'999'999.99;

// An exact amount with six decimal places, for sums of money that must compare exactly (ledger
// amounts carry two decimals; the extra places keep sums of them exact).
//
// It holds magnitudes up to 99,999,999,999,999,999,999.999999 (20 whole digits, `largest()`):
// ten million lines of kLargestAmount, while a voucher holds at most 32,767 lines, so the sums of
// a voucher's accepted lines never overflow. Anything larger is refused with "Overflow", by the
// readers and by + and - alike. A sum read from a Double keeps the 15 significant digits the
// Double gives (to the cent up to kLargestAmount, to coarser steps beyond it).
class Decimal {
  public:
    // A count of millionths. 64 bits would end at 9,223,372,036,854.775807; 128 bits leave room
    // for every sum of amounts below largest() without overflowing in between.
    __extension__ typedef __int128 Units;

    Decimal() = default;
    // Text in the fixed form ("-12.5"); more than six decimals are rounded half away from zero.
    // Throws ConversionError("Type mismatch") on anything else, ConversionError("Overflow") past
    // largest().
    [[nodiscard]] static Decimal parse(const std::string& text);
    // A Double as the database returns a sum: read back through its 15-significant-digit text,
    // which removes binary noise such as 100.03000000000001. Large values written with an
    // exponent (1.5E+17) are read exactly as those digits say; past largest() "Overflow".
    [[nodiscard]] static Decimal from_double(double value);
    // Null throws "Invalid use of Null"; Empty is zero.
    [[nodiscard]] static Decimal from_variant(const Variant& value);
    [[nodiscard]] static Decimal largest();

    [[nodiscard]] Decimal abs() const { return units_ < 0 ? Decimal(-units_) : *this; }
    [[nodiscard]] bool is_zero() const { return units_ == 0; }
    // The Double nearest to the decimal (so kLargestAmount and every amount below it, to the cent).
    [[nodiscard]] double to_double() const;
    [[nodiscard]] std::string to_string() const;
    // Rounded half away from zero to `places` decimals (0 to 6) and written with exactly that many.
    [[nodiscard]] std::string to_fixed(int places) const;

    friend Decimal operator-(Decimal a, Decimal b) { return Decimal(checked(a.units_ - b.units_)); }
    friend Decimal operator+(Decimal a, Decimal b) { return Decimal(checked(a.units_ + b.units_)); }
    friend auto operator<=>(Decimal, Decimal) = default;

  private:
    explicit Decimal(Units units) : units_(units) {}
    // The units when within largest(); throws ConversionError("Overflow") otherwise.
    static Units checked(Units units);
    Units units_ = 0;
};

}  // namespace ledgernova::util

#include "util/text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "util/decimal.h"

namespace ledgernova::util {
namespace {

TEST(Text, CutsByCharactersNeverInsideOne) {
    EXPECT_EQ("Pól", left_chars("Póliza", 3));
    EXPECT_EQ("Ñ", left_chars("Ñandú", 1));
    EXPECT_EQ("abc", left_chars("abc", 10));
    EXPECT_EQ("", left_chars("€uro", 0));
    EXPECT_EQ("€", left_chars("€uro", 1));
}

TEST(Text, UpperCaseKeepsSpanishLetters) {
    EXPECT_EQ("COMPRAS_ÑANDÚ", to_upper("compras_ñandú"));
    EXPECT_EQ("÷", to_upper("÷"));
}

TEST(Text, TrimsOnlyBlanks) {
    EXPECT_EQ("a b", trim_blanks("  a b  "));
    EXPECT_EQ("\ta\t", trim_blanks(" \ta\t "));
    EXPECT_EQ("", trim_blanks("   "));
}

TEST(Text, DoublesReadAsPrintfWritesThem) {
    const auto printf_form = [](double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
        return std::string(buffer);
    };
    std::vector<double> values = {1e20,
                                  1e-5,
                                  0.000123,
                                  1e15,
                                  999999999999999.0,
                                  1e16,
                                  -2.5e-300,
                                  4.9e-324,
                                  1.7976931348623157e308,
                                  1754.5,
                                  0.1 + 0.2,
                                  std::numeric_limits<double>::infinity(),
                                  -1234.5678901234567};
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 2000; ++i) {
        const double value = std::bit_cast<double>(bits(random));
        if (!std::isnan(value)) {
            values.push_back(value);
        }
    }
    for (const double value : values) {
        EXPECT_EQ(printf_form(value), util::format_double(value)) << value;
    }
    EXPECT_EQ("0", util::format_double(-0.0));
}

TEST(Text, ReplacesWithoutRescanning) {
    EXPECT_EQ("x = 'a<EMPRESA>'", replace_all("x = '<EMPRESA>'", "<EMPRESA>", "a<EMPRESA>"));
}

TEST(Decimal, SubtractsExactly) {
    const Decimal a = Decimal::from_double(100.03);
    const Decimal b = Decimal::from_double(100.00);
    EXPECT_EQ("0.03", (a - b).to_string());
    EXPECT_TRUE((Decimal::from_double(0.1 + 0.2) - Decimal::from_double(0.3)).is_zero());
    EXPECT_EQ("-0.05", (Decimal::parse("100") - Decimal::parse("100.05")).to_string());
}

TEST(Decimal, FixedFormRoundsHalfAwayFromZero) {
    EXPECT_EQ("100.50", Decimal::from_double(100.5).to_fixed(2));
    EXPECT_EQ("100.01", Decimal::from_double(100.005).to_fixed(2));
    EXPECT_EQ("-0.01", Decimal::from_double(-0.005).to_fixed(2));
    EXPECT_EQ("0.00", Decimal::from_double(-0.001).to_fixed(2));
    EXPECT_EQ("3", Decimal::parse("2.5").to_fixed(0));
    EXPECT_THROW((void)Decimal::parse("1,5"), ConversionError);
}

}  // namespace
}  // namespace ledgernova::util

#include "util/text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "util/decimal.h"
#include "util/utf8.h"

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

TEST(TextCase, UpperCaseCoversLatinGreekAndCyrillicLetters) {
    EXPECT_EQ("FACTURACIÓN ŒUVRE ŸVES ǄAR ĞÜŞ ẠỆ ΑΘΉΝΑ ΣΟΦΌΣ Μ МОСКВА ЁЖ",
              to_upper("facturación œuvre ÿves ǆar ğüş ạệ αθήνα σοφός µ москва ёж"));
    // No single capital, or only an ASCII one, which would not take the same bytes.
    EXPECT_EQ("ß ı ſ ŉ", to_upper("ß ı ſ ŉ"));
    EXPECT_EQ("\xC3É\xA9X\xE2\x82", to_upper("\xC3é\xA9x\xE2\x82"));
}

TEST(TextCase, FoldedComparisonIgnoresTheCaseOfEveryLetter) {
    EXPECT_EQ(0, compare_folded("FACTURACIÓN", "Facturación"));
    EXPECT_EQ("facturación σοφόσ москва ß", fold_case("FACTURACIÓN ΣΟΦΌς МОСКВА ẞ"));
    EXPECT_NE(0, compare_folded("FACTURACION", "Facturación"));
    EXPECT_LT(compare_folded("ñandú", "ÓSCAR"), 0);            // ñ U+00F1 before ó U+00F3
    EXPECT_GT(compare_folded("éter", "FIN"), 0);               // é after every ASCII letter
    EXPECT_GT(compare_folded("\xFF", "\xF0\x9F\x98\x80"), 0);  // a bad byte after every character
    EXPECT_LT(compare_folded("ab", "ABC"), 0);
}

TEST(TextCase, AsciiTextOrdersAsSqlitesOwnNocase) {
    const std::vector<std::string> texts = {"",    "a",   "A",  "_",  "a_", "A_B", "Z",  "[",  "`",
                                            "abc", "ABD", "ab", "zz", "@",  "~",   "m9", "M10"};
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            EXPECT_EQ(sign(sqlite3_stricmp(a.c_str(), b.c_str())), sign(compare_folded(a, b)))
                << a << " " << b;
        }
    }
}

// The stored upper-case form of a name must compare equal to the name, and keep its bytes.
TEST(TextCase, UpperCaseAndFoldAgreeForEveryCoveredCharacter) {
    for (char32_t point = 0; point < 0x2000; ++point) {
        if (point >= 0xD800 && point <= 0xDFFF) {
            continue;
        }
        const auto code = static_cast<std::uint32_t>(point);
        std::string text;
        append_utf8(text, point);
        const std::string upper = to_upper(text);
        ASSERT_EQ(0, compare_folded(upper, text)) << std::hex << code;
        ASSERT_EQ(text.size(), upper.size()) << std::hex << code;
        ASSERT_TRUE(point < 0x80 || static_cast<unsigned char>(upper[0]) >= 0x80)
            << std::hex << code;
        ASSERT_EQ(upper, to_upper(upper)) << std::hex << code;
        ASSERT_EQ(fold_case(text), fold_case(fold_case(text))) << std::hex << code;
    }
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

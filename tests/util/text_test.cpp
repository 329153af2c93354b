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

#include "support/refusal.h"
#include "util/decimal.h"
#include "util/text_internal.h"
#include "util/utf8.h"

namespace ledgernova::util {
namespace {

using testing::refusal;

TEST(Text, CutsByCharactersNeverInsideOne) {
    EXPECT_EQ("Pól", left_chars("Póliza", 3));
    EXPECT_EQ("Ñ", left_chars("Ñandú", 1));
    EXPECT_EQ("abc", left_chars("abc", 10));
    EXPECT_EQ("", left_chars("€uro", 0));
    EXPECT_EQ("€", left_chars("€uro", 1));
    EXPECT_EQ("Compra ña", left_chars("Compra ñandú", 9));
    EXPECT_EQ("Compra ñandú", left_chars("Compra ñandú", 12));
    EXPECT_EQ("0123456789abcdef", left_chars("0123456789abcdefé", 16));
    EXPECT_EQ("9\xA0", left_chars("9\xA0~", 1)) << "a stray continuation byte stays with the 9";
    EXPECT_EQ("\xA0\xA0~", left_chars("\xA0\xA0~x", 2));
}

TEST(Text, AnIdentifierIsAsciiLettersDigitsAndUnderscoresNotOpeningWithADigit) {
    for (const char* name : {"Poliza", "_x1", "Pl_Numero", "Z9"}) {
        EXPECT_TRUE(is_identifier(name)) << name;
    }
    for (const char* name : {"", "1a", "a-b", "a b", "Año", "a;", "\xC3"}) {
        EXPECT_FALSE(is_identifier(name)) << name;
    }
}

TEST(Text, FindsAWordInAnyCaseOfItsAsciiLetters) {
    EXPECT_EQ(7u, find_any_case("select Top 1", "TOP"));
    EXPECT_EQ(0u, find_any_case("insert into", "INSERT"));
    EXPECT_EQ(std::string_view::npos, find_any_case("INSER", "INSERT"));
    EXPECT_EQ(std::string_view::npos, find_any_case("valueſ", "VALUES"));  // ſ is no ASCII s
    // Past the first eight bytes, across them, at the very end; bytes that only look like the
    // first letter once their case bit is set ('T' | 0x20, but also 0x54 from '4' | 0x20 = '4').
    EXPECT_EQ(16u, find_any_case("SELECT a, b, c, tOp 1", "TOP"));
    EXPECT_EQ(6u, find_any_case("xxxxx TOP", "TOP"));
    EXPECT_EQ(std::string_view::npos, find_any_case("TTTTTTTTTTTTTTTTTTTO", "TOP"));
    EXPECT_EQ(14u, find_any_case("A = 1 AND b = (SELECT", "(SELECT"));
    EXPECT_EQ(std::string_view::npos, find_any_case("4444444444444444", "TOP"));
    EXPECT_EQ(9u, find_any_case("ttttttttTtOP", "TOP"));  // after a two-byte candidate fails
    EXPECT_EQ(3u, find_any_case("abcT", "T"));
}

TEST(TextCase, UpperCaseCoversLatinGreekAndCyrillicLettersAndLeavesOtherBytes) {
    EXPECT_EQ(
        "FACTURACIÓN ŒUVRE ŸVES ǄAR ĞÜŞ ẠỆ ΑΘΉΝΑ ΣΟΦΌΣ Μ МОСКВА ЁЖ COMPRAS_ÑANDÚ-Z ÷",
        to_upper("facturación œuvre ÿves ǆar ğüş ạệ αθήνα σοφός µ москва ёж compras_ñandú-z ÷"));
    // No single capital, or only an ASCII one, which would not take the same bytes.
    EXPECT_EQ("ß ı ſ ŉ", to_upper("ß ı ſ ŉ"));
    EXPECT_EQ("\xC3É\xA9X\xE2\x82", to_upper("\xC3é\xA9x\xE2\x82"));
    EXPECT_EQ("", to_upper(""));
}

TEST(TextCase, FoldedComparisonIgnoresTheCaseOfEveryLetter) {
    EXPECT_EQ(0, compare_folded("FACTURACIÓN", "Facturación"));
    EXPECT_EQ("facturación σοφόσ москва ß", fold_case("FACTURACIÓN ΣΟΦΌς МОСКВА ẞ"));
    EXPECT_EQ("abc_ñandú-z\xFFé", fold_case("ABC_ÑANDÚ-Z\xFFÉ"));
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

// The ASCII shortcut must order every pair exactly as the character-by-character comparison does,
// also where ASCII and other characters meet, where only the case differs, where one text is a
// prefix of the other and where a difference lies past the first word of eight bytes.
TEST(TextCase, AsciiShortcutOrdersAsComparingCharacterByCharacter) {
    const std::vector<std::string> pieces = {"",  "a", "A", "z",    "_", "[", "~", "\x7F", "é",
                                             "É", "ẞ", "ß", "\xC3", "Ω", "ω", "😀", "\xFF"};
    const std::vector<std::string> stems = {"", "abcdefg", "ABCDEFGH", "1102-001-0001", "Cuenta_"};
    std::vector<std::string> texts;
    for (const auto& stem : stems) {
        for (const auto& first : pieces) {
            for (const auto& second : pieces) {
                texts.push_back(stem + first + second);
            }
        }
    }
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            ASSERT_EQ(compare_folded_from(a, b, 0), compare_folded(a, b)) << a << " | " << b;
        }
    }
}

// Every ASCII byte at every place of two words, against the same text in either case: letters
// fold, the bytes between 'Z' and 'a' and around the letters do not.
TEST(TextCase, AsciiShortcutOrdersEveryByteInEitherWordAsComparingCharacterByCharacter) {
    const std::string base = "Mixed_Case-Tex[9";
    const std::vector<std::string> others = {
        base,           "MIXED_CASE-TEX[9", "mixed_case-tex[9", "mixed_case-tex{9",
        "Mixed_Case-T", "Mixed_Case-Tex[9~"};
    for (int byte = 1; byte < 0x80; ++byte) {
        for (std::size_t at = 0; at < base.size(); ++at) {
            std::string text = base;
            text[at] = static_cast<char>(byte);
            for (const auto& other : others) {
                ASSERT_EQ(compare_folded_from(text, other, 0), compare_folded(text, other))
                    << text << " | " << other;
                ASSERT_EQ(compare_folded_from(other, text, 0), compare_folded(other, text))
                    << other << " | " << text;
            }
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

// What printf writes for a double with "%.15G".
std::string printf_form(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return std::string(buffer);
}

// Any double, and amounts in cents, which take a shortcut: it must write what printf writes, up
// to the last cents of fifteen digits and past them, and leave alone what is near a cent but not
// nearest to it.
TEST(Text, DoublesAndAmountsInCentsReadAsPrintfWritesThem) {
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
                                  -1234.5678901234567,
                                  0.01,
                                  0.05,
                                  0.1,
                                  0.5,
                                  1.0,
                                  10.1,
                                  1480.5,
                                  1e-300,
                                  9999999999999.99,
                                  10000000000000.0,
                                  99999999999999.9,
                                  std::nextafter(1480.5, 2000.0)};
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 2000; ++i) {
        const double value = std::bit_cast<double>(bits(random));
        if (!std::isnan(value)) {
            values.push_back(value);
        }
    }
    for (long long cents = -200000; cents <= 200000; cents += 7) {
        values.push_back(static_cast<double>(cents) / 100.0);
    }
    for (long long cents = 999999999999000; cents <= 1000000000001000; cents += 37) {
        values.push_back(static_cast<double>(cents) / 100.0);
    }
    for (const double value : values) {
        EXPECT_EQ(printf_form(value), util::format_double(value)) << value;
        EXPECT_EQ(printf_form(-value), util::format_double(-value)) << -value;
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

// ---- large amounts ------------------------------------------------------------------------------

TEST(DecimalLarge, TextReadsAndWritesBackUpToTwentyWholeDigits) {
    for (const char* text :
         {"9999999999999.99", "-9999999999999.99", "1000000000000", "12345678901234567890.123456",
          "-99999999999999999999.999999", "327669999999999672.33"}) {
        EXPECT_EQ(text, Decimal::parse(text).to_string());
        EXPECT_EQ(Decimal::parse(text), Decimal::parse(Decimal::parse(text).to_fixed(6))) << text;
    }
    EXPECT_EQ("99999999999999999999.999999", Decimal::largest().to_string());
    EXPECT_EQ("99999999999999999999.999999",
              Decimal::parse("099999999999999999999.9999994").to_string());
    EXPECT_EQ("12345678901234567890.13", Decimal::parse("12345678901234567890.125").to_fixed(2));
    EXPECT_EQ("100000000000000000000.00", Decimal::largest().to_fixed(2));
    EXPECT_EQ("Overflow", refusal([] { return Decimal::parse("100000000000000000000"); }));
    EXPECT_EQ("Overflow", refusal([] { return Decimal::parse("-99999999999999999999.9999995"); }));
}

TEST(DecimalLarge, SumsStayExactUpToTheLargestAndStopThere) {
    const Decimal line = Decimal::from_double(kLargestAmount);
    Decimal charges;
    for (int n = 0; n < 32767; ++n) {  // the most lines a voucher holds
        charges = charges + line;
    }
    EXPECT_EQ("327669999999999672.33", charges.to_string());
    const Decimal credits = charges - Decimal::parse("0.01");
    EXPECT_EQ("0.01", (charges - credits).to_string());
    const Decimal cent = Decimal::parse("0.01");
    const Decimal near = Decimal::parse("99999999999999999999.99");
    EXPECT_EQ("0.01", (near - (near - cent)).to_string());
    EXPECT_EQ("-0.01", ((near - cent) - near).to_string());
    EXPECT_EQ(Decimal::largest(), Decimal::largest() - cent + cent);
    EXPECT_EQ("Overflow", refusal([&] { return Decimal::largest() + Decimal::parse("0.000001"); }));
    EXPECT_EQ("Overflow", refusal([&] { return Decimal() - Decimal::largest() - cent; }));
}

TEST(DecimalLarge, DoublesReadAsTheirFifteenDigitsAlsoWhenWrittenWithAnExponent) {
    EXPECT_EQ("9999999999999.99", Decimal::from_double(kLargestAmount).to_string());
    EXPECT_EQ("0.01",
              (Decimal::from_double(kLargestAmount) - Decimal::from_double(9'999'999'999'999.98))
                  .to_string());
    EXPECT_EQ("1000000000000000", Decimal::from_double(1e15).to_string());
    EXPECT_EQ("2000000000000000", Decimal::from_double(1'999'999'999'999'999.0).to_string());
    EXPECT_EQ("327670000000000000", Decimal::from_double(327'669'999'999'999'672.33).to_string());
    EXPECT_EQ("12345678901234500000", Decimal::from_double(1.23456789012345e19).to_string());
    EXPECT_EQ("-98765432109876500000", Decimal::from_double(-9.87654321098765e19).to_string());
    EXPECT_EQ("Overflow", refusal([] { return Decimal::from_double(1e20); }));
    EXPECT_EQ("Overflow", refusal([] { return Decimal::from_double(-1e300); }));
    for (const double value :
         {kLargestAmount, -kLargestAmount, 1e12 + 0.01, 123456789012.345, 1.23456789012345e19}) {
        EXPECT_EQ(value, Decimal::from_double(value).to_double()) << value;
    }
}

}  // namespace
}  // namespace ledgernova::util

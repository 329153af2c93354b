#include "ledgernova/variant.h"
#include "support/refusal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ledgernova {
namespace {

using testing::refusal;

TEST(Variant, NullNeverReadsAsTextNumberBooleanOrDate) {
    const Variant null = Variant::null();
    EXPECT_EQ(
        std::vector<std::string>(5, "Invalid use of Null"),
        (std::vector{
            refusal([&] { return null.to_text(); }), refusal([&] { return null.to_double(); }),
            refusal([&] { return null.to_bool(); }), refusal([&] { return null.to_int16(); }),
            refusal([&] { return null.to_date(); })}));
}

TEST(Variant, EmptyReadsAsNothing) {
    EXPECT_EQ("", Variant().to_text());
    EXPECT_EQ(0.0, Variant().to_double());
    EXPECT_FALSE(Variant().to_bool());
}

TEST(Variant, TextForms) {
    EXPECT_EQ("100.5", Variant(100.5).to_text());
    EXPECT_EQ("0.1", Variant(0.1).to_text());
    EXPECT_EQ("100.03", Variant(100.03000000000001).to_text());
    EXPECT_EQ("0", Variant(-0.0).to_text());
    EXPECT_EQ("-7", Variant(-7.0).to_text());
    EXPECT_EQ("1E+20", Variant(1e20).to_text());
    EXPECT_EQ("True", Variant(true).to_text());
    EXPECT_EQ("42", Variant(std::int32_t{42}).to_text());
    EXPECT_EQ("05/03/2024", Variant(Date::from_ymd(2024, 3, 5)).to_text());
    EXPECT_EQ("05/03/2024 09:08:07", Variant(Date::from_ymd(2024, 3, 5, 9, 8, 7)).to_text());
}

TEST(Variant, TextToNumbersAndBooleans) {
    EXPECT_EQ(12.5, Variant(" 12.5 ").to_double());
    for (const char* yes : {"1", "-1", "true"}) {
        EXPECT_TRUE(Variant(yes).to_bool()) << yes;
    }
    EXPECT_FALSE(Variant("0").to_bool());
    EXPECT_FALSE(Variant("False").to_bool());
    for (const char* bad : {"", "abc", "12,5", "1.2.3", "SI"}) {
        EXPECT_EQ("Type mismatch", refusal([&] { return Variant(bad).to_double(); })) << bad;
    }
    EXPECT_EQ("Type mismatch", refusal([] { return Variant("maybe").to_bool(); }));
}

TEST(Variant, SixteenBitConversionRoundsHalfToEvenAndOverflows) {
    EXPECT_EQ(2, Variant(2.5).to_int16());
    EXPECT_EQ(4, Variant(3.5).to_int16());
    EXPECT_EQ(2, Variant("2").to_int16());
    EXPECT_EQ(32767, Variant(32767.0).to_int16());
    EXPECT_EQ("Overflow", refusal([] { return Variant(32768.0).to_int16(); }));
    EXPECT_EQ("Type mismatch", refusal([] { return Variant("x").to_int16(); }));
}

TEST(Date, CivilFieldsAndForms) {
    const Date date = Date::from_ymd(2024, 12, 31, 23, 59, 59);
    EXPECT_EQ("2024-12-31 23:59:59", date.iso_date_time());
    EXPECT_EQ("31/12/2024", date.short_date());
    EXPECT_EQ(45291.0, Date::from_ymd(2023, 12, 31).serial);  // the serial COM gives that day
    EXPECT_EQ(2.0, Date::from_ymd(1900, 1, 1).serial);
}

TEST(Date, ParsesIsoTextOnly) {
    Date date;
    ASSERT_TRUE(Date::parse_iso("2024-02-29", date));
    EXPECT_EQ("2024-02-29", date.iso_date());
    ASSERT_TRUE(Date::parse_iso("2024-02-29 08:30:00", date));
    EXPECT_EQ("2024-02-29 08:30:00", date.iso_date_time());
    for (const char* wrong : {"2023-02-29", "29/02/2024", "2024-02-29x", " 2024-03-1", "+024-03-15",
                              "2024-03-15 8:30:00x"}) {
        EXPECT_FALSE(Date::parse_iso(wrong, date)) << wrong;
    }
    EXPECT_EQ("2024-03-05", Variant("2024-03-05").to_date().iso_date());
}

TEST(Date, TextInTheShortDateFormConvertsStrictly) {
    EXPECT_EQ("2024-02-29", Variant("29/02/2024").to_date().iso_date());
    EXPECT_EQ("2024-12-01", Variant(" 01/12/2024 ").to_date().iso_date());
    EXPECT_FALSE(Variant("05/03/2024").to_date().has_time());
    for (const char* wrong :
         {"29/02/2023", "31/04/2024", "00/01/2024", "01/13/2024", "1/3/2024", "01/03/24",
          "01-03-2024", "01/03/2024 08:00", "0a/03/2024", "01/03/0099", "+1/03/2024"}) {
        EXPECT_EQ("Type mismatch", refusal([&] { return Variant(wrong).to_date(); })) << wrong;
    }
}

}  // namespace
}  // namespace ledgernova

#include "ledgernova/variant.h"

#include <gtest/gtest.h>

namespace ledgernova {
namespace {

TEST(Variant, NullNeverReadsAsTextNumberOrBoolean) {
    const Variant null = Variant::null();
    EXPECT_THROW((void)null.to_text(), ConversionError);
    EXPECT_THROW((void)null.to_double(), ConversionError);
    EXPECT_THROW((void)null.to_bool(), ConversionError);
    EXPECT_THROW((void)null.to_int16(), ConversionError);
    EXPECT_THROW((void)null.to_date(), ConversionError);
    try {
        (void)null.to_text();
    } catch (const ConversionError& failure) {
        EXPECT_STREQ("Invalid use of Null", failure.what());
    }
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
    EXPECT_TRUE(Variant("1").to_bool());
    EXPECT_TRUE(Variant("-1").to_bool());
    EXPECT_TRUE(Variant("true").to_bool());
    EXPECT_FALSE(Variant("0").to_bool());
    EXPECT_FALSE(Variant("False").to_bool());
    for (const char* bad : {"", "abc", "12,5", "1.2.3", "SI"}) {
        EXPECT_THROW((void)Variant(bad).to_double(), ConversionError) << bad;
    }
    EXPECT_THROW((void)Variant("maybe").to_bool(), ConversionError);
}

TEST(Variant, SixteenBitConversionRoundsHalfToEvenAndOverflows) {
    EXPECT_EQ(2, Variant(2.5).to_int16());
    EXPECT_EQ(4, Variant(3.5).to_int16());
    EXPECT_EQ(2, Variant("2").to_int16());
    EXPECT_EQ(32767, Variant(32767.0).to_int16());
    EXPECT_THROW((void)Variant(32768.0).to_int16(), ConversionError);
    EXPECT_THROW((void)Variant("x").to_int16(), ConversionError);
}

TEST(Date, CivilFieldsAndForms) {
    const Date date = Date::from_ymd(2024, 12, 31, 23, 59, 59);
    EXPECT_EQ(2024, date.year());
    EXPECT_EQ(12, date.month());
    EXPECT_EQ(31, date.day());
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
    EXPECT_EQ(8, date.hour());
    EXPECT_FALSE(Date::parse_iso("2023-02-29", date));
    EXPECT_FALSE(Date::parse_iso("29/02/2024", date));
    EXPECT_FALSE(Date::parse_iso("2024-02-29x", date));
    EXPECT_FALSE(Date::parse_iso(" 2024-03-1", date));
    EXPECT_FALSE(Date::parse_iso("+024-03-15", date));
    EXPECT_FALSE(Date::parse_iso("2024-03-15 8:30:00x", date));
    EXPECT_EQ("2024-03-05", Variant("2024-03-05").to_date().iso_date());
}

TEST(Date, TextInTheShortDateFormConvertsStrictly) {
    EXPECT_EQ("2024-02-29", Variant("29/02/2024").to_date().iso_date());
    EXPECT_EQ("2024-12-01", Variant(" 01/12/2024 ").to_date().iso_date());
    EXPECT_FALSE(Variant("05/03/2024").to_date().has_time());
    for (const char* wrong :
         {"29/02/2023", "31/04/2024", "00/01/2024", "01/13/2024", "1/3/2024", "01/03/24",
          "01-03-2024", "01/03/2024 08:00", "0a/03/2024", "01/03/0099", "+1/03/2024"}) {
        try {
            (void)Variant(wrong).to_date();
            ADD_FAILURE() << wrong << " converted";
        } catch (const ConversionError& refused) {
            EXPECT_STREQ("Type mismatch", refused.what()) << wrong;
        }
    }
}

}  // namespace
}  // namespace ledgernova

#include <string>

#include <gtest/gtest.h>

#include "core/statement_text.h"

namespace ledgernova::core {
namespace {

// Numbers padded as fmt's "{:04}" pads them: the sign first, wider numbers whole.
TEST(StatementTextTest, ZeroPaddingKeepsTheSignFirstAndWiderNumbersWhole) {
    EXPECT_EQ("0001", zero_padded(1, 4));
    EXPECT_EQ("0000", zero_padded(0, 4));
    EXPECT_EQ("-005", zero_padded(-5, 4));
    EXPECT_EQ("32767", zero_padded(32767, 4));
    EXPECT_EQ("12", zero_padded(12, 2));
    EXPECT_EQ("03", zero_padded(3, 2));
}

TEST(StatementTextTest, QuotedValuesAreEscapedOnceAndJoinedInOrder) {
    std::string values;
    append_quoted(values, "O'Brien");
    append_quoted(values, "");
    append_quoted(values, "'");
    EXPECT_EQ("'O''Brien', '', '''', ", values);
    EXPECT_EQ("INSERT ('O''Brien', '', '''', 1)",
              joined("INSERT (", values, std::string("1"), ")"));
}

}  // namespace
}  // namespace ledgernova::core

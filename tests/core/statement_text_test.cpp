#include <gtest/gtest.h>

#include "core/statement_text.h"

namespace ledgernova::core {
namespace {

// Numbers padded as fmt's "{:04}" pads them: the sign first, wider numbers whole. The quoting and
// joining beside it show in the exact statements and stored quotes of ManualVoucherTest.
TEST(StatementTextTest, ZeroPaddingKeepsTheSignFirstAndWiderNumbersWhole) {
    EXPECT_EQ("0000", zero_padded(0, 4));
    EXPECT_EQ("-005", zero_padded(-5, 4));
    EXPECT_EQ("32767", zero_padded(32767, 4));
    EXPECT_EQ("12", zero_padded(12, 2));
}

}  // namespace
}  // namespace ledgernova::core

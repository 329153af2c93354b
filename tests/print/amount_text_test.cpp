// Amounts as the printed voucher writes them.

#include <gtest/gtest.h>

#include "print/amount_text.h"
#include "print/printed_voucher.h"

namespace ledgernova::print {
namespace {

TEST(AmountTextTest, GroupsWholeDigitsByThreesWithTwoDecimalsRoundingHalfAwayFromZero) {
    for (const auto& [amount, expected] : std::vector<std::pair<const char*, const char*>>{
             {"0", "0.00"},
             {"0.5", "0.50"},
             {"999.99", "999.99"},
             {"1000", "1,000.00"},
             {"100000", "100,000.00"},
             {"1234567.89", "1,234,567.89"},
             {"9999999999999.99", "9,999,999,999,999.99"},
             {"99999999999999999999.99", "99,999,999,999,999,999,999.99"},
             {"-1000", "-1,000.00"},
             {"-123.4", "-123.40"},
             {"999999.995", "1,000,000.00"},  // the rounding carries into a new group
             {"-999999.995", "-1,000,000.00"}}) {
        EXPECT_EQ(grouped_amount(util::Decimal::parse(amount)), expected);
    }
}

TEST(AmountTextTest, TotalsAddChargesAndCreditsExactlyAndSkipOtherMovements) {
    PrintedVoucher voucher;
    for (const auto& [movement, amount] :
         std::vector<std::pair<Movement, const char*>>{{Movement::Charge, "0.1"},
                                                       {Movement::Charge, "0.2"},
                                                       {Movement::Credit, "0.3"},
                                                       {Movement::Other, "5"}}) {
        PrintedLine line;
        line.movement = movement;
        line.amount = util::Decimal::parse(amount);
        voucher.lines.push_back(line);
    }
    const VoucherTotals totals = totals_of(voucher);
    EXPECT_EQ(totals.charges, util::Decimal::parse("0.3"));
    EXPECT_EQ(totals.credits, util::Decimal::parse("0.3"));
}

}  // namespace
}  // namespace ledgernova::print

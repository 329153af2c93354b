// Amounts as the printed voucher writes them.

#include <gtest/gtest.h>

#include "print/amount_text.h"
#include "print/printed_voucher.h"

namespace ledgernova::print {
namespace {

std::string grouped(const char* amount) {
    return grouped_amount(util::Decimal::parse(amount));
}

TEST(AmountTextTest, GroupsWholeDigitsByThreesWithTwoDecimals) {
    EXPECT_EQ(grouped("0"), "0.00");
    EXPECT_EQ(grouped("0.5"), "0.50");
    EXPECT_EQ(grouped("999.99"), "999.99");
    EXPECT_EQ(grouped("1000"), "1,000.00");
    EXPECT_EQ(grouped("100000"), "100,000.00");
    EXPECT_EQ(grouped("1234567.89"), "1,234,567.89");
    EXPECT_EQ(grouped("9999999999999.99"), "9,999,999,999,999.99");
    EXPECT_EQ(grouped("99999999999999999999.99"), "99,999,999,999,999,999,999.99");
}

TEST(AmountTextTest, NegativeAmountsAndRoundingThatCarriesIntoANewGroup) {
    EXPECT_EQ(grouped("-1000"), "-1,000.00");
    EXPECT_EQ(grouped("-123.4"), "-123.40");
    EXPECT_EQ(grouped("999999.995"), "1,000,000.00");
    EXPECT_EQ(grouped("-999999.995"), "-1,000,000.00");
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

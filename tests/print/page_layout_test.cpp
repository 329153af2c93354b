// Pagination of the printed voucher form: which rows go on which page, and where the footer goes.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "print/page_layout.h"

namespace ledgernova::print {
namespace {

// A voucher whose lines carry these numbers of electronic rows.
PrintedVoucher voucher_with(const std::vector<std::size_t>& electronic_rows) {
    PrintedVoucher voucher;
    for (const std::size_t rows : electronic_rows) {
        PrintedLine line;
        line.electronic.assign(rows, "CFDI");
        voucher.lines.push_back(line);
    }
    return voucher;
}

// The pages as one text: "1/2: L0 E0.0 L1 | 2/2: L2 +footer", L a line, E an electronic row.
std::string pages_text(const std::vector<Page>& pages) {
    std::string text;
    for (const auto& page : pages) {
        text += (text.empty() ? "" : " | ") + std::to_string(page.number) + "/" +
                std::to_string(page.count) + ":";
        for (const auto& row : page.rows) {
            text += row.is_electronic
                        ? " E" + std::to_string(row.line) + "." + std::to_string(row.electronic)
                        : " L" + std::to_string(row.line);
        }
        text += page.has_footer ? " +footer" : "";
    }
    return text;
}

// Five body rows a page, of which the footer takes two on the last page.
constexpr PageCapacity kSmall{5, 2};

TEST(PageLayoutTest, LinesStayWithTheirElectronicRowsAndTheFooterEndsTheLastPage) {
    const std::vector<std::pair<std::vector<std::size_t>, std::string>> cases = {
        {{}, "1/1: +footer"},
        {{0, 0, 0}, "1/1: L0 L1 L2 +footer"},
        {{2}, "1/1: L0 E0.0 E0.1 +footer"},
        // The footer moves to a page of its own when the last page lacks room for it.
        {{0, 0, 0, 0}, "1/2: L0 L1 L2 L3 | 2/2: +footer"},
        {{1, 1}, "1/2: L0 E0.0 L1 E1.0 | 2/2: +footer"},
        {{0, 0, 0, 0, 0}, "1/2: L0 L1 L2 L3 L4 | 2/2: +footer"},
        {{0, 0, 0, 0, 0, 0}, "1/2: L0 L1 L2 L3 L4 | 2/2: L5 +footer"},
        // A line and its electronic rows start a new page rather than be split, when they fit on
        // one; a group that fills a page exactly starts the next page.
        {{2, 2}, "1/2: L0 E0.0 E0.1 | 2/2: L1 E1.0 E1.1 +footer"},
        {{0, 4, 0}, "1/3: L0 | 2/3: L1 E1.0 E1.1 E1.2 E1.3 | 3/3: L2 +footer"},
        // A group larger than a page runs on from where the page stands.
        {{0, 7}, "1/3: L0 L1 E1.0 E1.1 E1.2 | 2/3: E1.3 E1.4 E1.5 E1.6 | 3/3: +footer"},
    };
    for (const auto& [rows, expected] : cases) {
        EXPECT_EQ(pages_text(paginate(voucher_with(rows), kSmall)), expected);
    }
}

TEST(PageLayoutTest, LetterPageHoldsFortyFiveRowsAndTheFooterEight) {
    const PageCapacity capacity = capacity_of(PageGeometry{});
    EXPECT_EQ(capacity.rows, 45u);
    EXPECT_EQ(capacity.footer_rows, 8u);
}

}  // namespace
}  // namespace ledgernova::print

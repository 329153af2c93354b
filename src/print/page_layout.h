#pragma once

#include <cstddef>
#include <vector>

#include "print/printed_voucher.h"

namespace ledgernova::print {

// Where the parts of a page go, in points (1/72 inch), on US Letter, the paper Mexican offices
// use. The header (voucher data and column titles) opens every page; the body rows follow; the
// footer (totals and signature boxes) closes the last page only.
struct PageGeometry {
    double width = 612;
    double height = 792;
    double margin = 36;
    double header_height = 124;
    double row_height = 13;
    double footer_height = 104;

    [[nodiscard]] double body_top() const { return margin + header_height; }
    [[nodiscard]] double body_bottom() const { return height - margin; }
};

// How many body rows a page holds, and how many of them the footer takes on the last page.
struct PageCapacity {
    std::size_t rows = 0;
    std::size_t footer_rows = 0;
};
[[nodiscard]] PageCapacity capacity_of(const PageGeometry& geometry);

// One body row: a voucher line, or one electronic detail row of it.
struct BodyRow {
    std::size_t line = 0;
    bool is_electronic = false;
    std::size_t electronic = 0;  // which of the line's electronic rows, when is_electronic

    friend bool operator==(const BodyRow&, const BodyRow&) = default;
};

struct Page {
    std::vector<BodyRow> rows;
    bool has_footer = false;  // the last page
    std::size_t number = 0;   // from 1
    std::size_t count = 0;    // pages of the voucher
};

// The voucher's pages: each line followed by its electronic rows, a line kept on one page with
// its rows unless they fill more than a page, and the footer on a page of its own when the last
// page has no room left for it. A voucher without lines has one page, with the footer. Needs a
// capacity of at least one row and no fewer rows than the footer takes.
[[nodiscard]] std::vector<Page> paginate(const PrintedVoucher& voucher, PageCapacity capacity);

}  // namespace ledgernova::print

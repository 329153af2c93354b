#include "print/page_layout.h"

#include <cmath>

namespace ledgernova::print {
namespace {

// A line with its electronic rows: what is kept together on a page when it fits.
std::vector<BodyRow> line_group(const PrintedVoucher& voucher, std::size_t line) {
    std::vector<BodyRow> group{{line, false, 0}};
    for (std::size_t row = 0; row < voucher.lines[line].electronic.size(); ++row) {
        group.push_back({line, true, row});
    }
    return group;
}

// Fills pages row after row, opening a new page when the current one is full.
class PageFiller {
  public:
    explicit PageFiller(PageCapacity capacity) : capacity_(capacity), pages_(1) {}

    void add_group(const std::vector<BodyRow>& group) {
        if (group.size() > room() && group.size() <= capacity_.rows && !current().rows.empty()) {
            pages_.emplace_back();
        }
        for (const auto& row : group) {
            if (room() == 0) {
                pages_.emplace_back();
            }
            current().rows.push_back(row);
        }
    }

    std::vector<Page> finish() {
        if (room() < capacity_.footer_rows) {
            pages_.emplace_back();
        }
        current().has_footer = true;
        for (std::size_t index = 0; index < pages_.size(); ++index) {
            pages_[index].number = index + 1;
            pages_[index].count = pages_.size();
        }
        return std::move(pages_);
    }

  private:
    Page& current() { return pages_.back(); }
    std::size_t room() { return capacity_.rows - current().rows.size(); }

    PageCapacity capacity_;
    std::vector<Page> pages_;
};

}  // namespace

PageCapacity capacity_of(const PageGeometry& geometry) {
    const double body = geometry.body_bottom() - geometry.body_top();
    return {static_cast<std::size_t>(std::floor(body / geometry.row_height)),
            static_cast<std::size_t>(std::ceil(geometry.footer_height / geometry.row_height))};
}

std::vector<Page> paginate(const PrintedVoucher& voucher, PageCapacity capacity) {
    PageFiller filler(capacity);
    for (std::size_t line = 0; line < voucher.lines.size(); ++line) {
        filler.add_group(line_group(voucher, line));
    }
    return filler.finish();
}

}  // namespace ledgernova::print

#include "cli/text_table.h"

#include <algorithm>

namespace ledgernova::cli {
namespace {

// Characters of UTF-8 text: every byte but the continuation bytes.
std::size_t display_width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

std::string padded(const std::string& text, std::size_t width, TextTable::Align align) {
    const std::string blanks(width - std::min(width, display_width(text)), ' ');
    return align == TextTable::Align::Left ? text + blanks : blanks + text;
}

}  // namespace

void TextTable::add_row(std::vector<std::string> cells) {
    cells.resize(columns_.size());
    rows_.push_back(std::move(cells));
}

void TextTable::add_rule() {
    rows_.emplace_back();
}

std::vector<std::size_t> TextTable::widths() const {
    std::vector<std::size_t> widths(columns_.size(), 0);
    for (const auto& row : rows_) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], display_width(row[i]));
        }
    }
    return widths;
}

std::string TextTable::render_row(const std::vector<std::string>& cells,
                                  const std::vector<std::size_t>& widths) const {
    std::string line;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        line += (i == 0 ? "" : "  ") + (cells.empty() ? std::string(widths[i], '-')
                                                      : padded(cells[i], widths[i], columns_[i]));
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line + '\n';
}

std::string TextTable::render() const {
    const std::vector<std::size_t> column_widths = widths();
    std::string text;
    for (const auto& row : rows_) {
        text += render_row(row, column_widths);
    }
    return text;
}

}  // namespace ledgernova::cli

#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace ledgernova::cli {

// Rows of text cells laid out in columns for a terminal: each column as wide as its widest cell
// (counted in characters, so accented letters do not shift the columns), two blanks between
// columns, no trailing blanks.
class TextTable {
  public:
    enum class Align { Left, Right };

    explicit TextTable(std::vector<Align> columns) : columns_(std::move(columns)) {}

    // A row of cells, one per column; missing cells are blank.
    void add_row(std::vector<std::string> cells);
    // A line of hyphens as wide as each column.
    void add_rule();
    // The table, each row ending in a line feed.
    [[nodiscard]] std::string render() const;

  private:
    [[nodiscard]] std::vector<std::size_t> widths() const;
    [[nodiscard]] std::string render_row(const std::vector<std::string>& cells,
                                         const std::vector<std::size_t>& widths) const;

    std::vector<Align> columns_;
    std::vector<std::vector<std::string>> rows_;  // an empty row stands for a rule
};

}  // namespace ledgernova::cli

#include "chart/account_csv.h"

#include <algorithm>
#include <array>
#include <charconv>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "util/csv.h"
#include "util/text.h"

namespace ledgernova::chart {
namespace {

enum Column { Key, Description, GroupingCode, Nature, Parent, Level, Entry, Result, kColumns };

constexpr std::array<const char*, kColumns> kNames = {
    "account", "description", "grouping_code", "nature", "parent", "level", "entry", "result"};
constexpr int kRequired = Parent + 1;  // the columns before Level must be present

using Positions = std::array<std::size_t, kColumns>;
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

std::string column_list() {
    return fmt::format("{}", fmt::join(kNames, ", "));
}

// Where each column is in the file's records; problems for unknown and missing columns.
Positions read_header(const util::CsvRecord& header, std::vector<std::string>& problems) {
    Positions positions;
    positions.fill(kAbsent);
    for (std::size_t at = 0; at < header.fields.size(); ++at) {
        const std::string name = util::trim_blanks(header.fields[at]);
        const auto known = std::find_if(kNames.begin(), kNames.end(),
                                        [&](const char* n) { return util::iequals(n, name); });
        if (known == kNames.end()) {
            problems.push_back(fmt::format("line {}: unknown column \"{}\" (the columns are {})",
                                           header.line, name, column_list()));
        } else {
            positions.at(static_cast<std::size_t>(known - kNames.begin())) = at;
        }
    }
    for (int column = 0; column < kRequired; ++column) {
        if (positions.at(static_cast<std::size_t>(column)) == kAbsent) {
            problems.push_back(fmt::format("line {}: the column {} is missing", header.line,
                                           kNames.at(static_cast<std::size_t>(column))));
        }
    }
    return positions;
}

class RowReader {
  public:
    RowReader(const util::CsvRecord& record, const Positions& positions, AccountRow& row)
        : record_(record), positions_(positions), row_(row) {}

    void read() {
        Account& a = row_.account;
        a.key = field(Key);
        a.description = field(Description);
        a.grouping_code = field(GroupingCode);
        a.nature = field(Nature);
        a.parent = field(Parent);
        a.level = level(a.key);
        a.entry = yes_no(a.key, Entry, true);
        a.result = yes_no(a.key, Result, false);
    }

  private:
    std::string field(Column column) const {
        const std::size_t at = positions_.at(column);
        return at < record_.fields.size() ? util::trim_blanks(record_.fields[at]) : "";
    }

    void problem(const std::string& key, const std::string& why) {
        row_.problems.push_back(fmt::format("line {}: account {}: {}", record_.line, key, why));
    }

    int level(const std::string& key) {
        const std::string text = field(Level);
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (!text.empty() &&
            (error != std::errc() || end != text.data() + text.size() || value < 1)) {
            problem(key, fmt::format("the level \"{}\" is not a whole number from 1", text));
        }
        return value;
    }

    bool yes_no(const std::string& key, Column column, bool otherwise) {
        const std::string text = field(column);
        if (text.empty() || text == "SI" || text == "NO") {
            return text.empty() ? otherwise : text == "SI";
        }
        problem(key, fmt::format("{} must be SI or NO, not \"{}\"", kNames.at(column), text));
        return otherwise;
    }

    const util::CsvRecord& record_;
    const Positions& positions_;
    AccountRow& row_;
};

std::string field_count_problem(const util::CsvRecord& record, std::size_t header_fields) {
    return record.fields.size() == header_fields
               ? ""
               : fmt::format("line {}: {} fields where the header has {}", record.line,
                             record.fields.size(), header_fields);
}

}  // namespace

AccountFile read_account_file(std::string_view csv) {
    const auto records = util::parse_csv(csv);
    AccountFile file;
    if (records.size() < 2) {
        file.problems.push_back(
            fmt::format("the file holds no account: a header row ({}) and "
                        "one row per account",
                        column_list()));
        return file;
    }
    const Positions positions = read_header(records.front(), file.problems);
    if (!file.problems.empty()) {
        return file;
    }
    for (std::size_t at = 1; at < records.size(); ++at) {
        AccountRow& row = file.rows.emplace_back(AccountRow{records[at].line, {}, {}, true});
        if (auto count = field_count_problem(records[at], records.front().fields.size());
            !count.empty()) {
            row.problems.push_back(std::move(count));
            row.complete = false;
        } else {
            RowReader(records[at], positions, row).read();
        }
    }
    return file;
}

}  // namespace ledgernova::chart

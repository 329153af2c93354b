#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::db {

// The names of a result's columns, with an index to find one by name without regard to case.
// Never changed once made: the recordsets of a statement kept prepared share one as long as the
// statement's columns stay as they are.
class RecordsetColumns {
  public:
    explicit RecordsetColumns(std::vector<std::string> names);

    // The position of the first column named `name`, compared without regard to case; npos when
    // there is none.
    [[nodiscard]] std::size_t find(std::string_view name) const;
    [[nodiscard]] const std::vector<std::string>& names() const { return names_; }

  private:
    static constexpr std::size_t kBuckets = 64;
    static constexpr std::uint32_t kNone = UINT32_MAX;

    [[nodiscard]] static std::size_t bucket(std::string_view name);

    std::vector<std::string> names_;
    std::array<std::uint32_t, kBuckets> first_{};  // per bucket, its first column
    std::vector<std::uint32_t> next_;              // per column, the next one of its bucket
};

// A recordset of `rows` under columns read before; null columns for a result without any.
[[nodiscard]] Recordset make_recordset(std::shared_ptr<const RecordsetColumns> columns,
                                       std::vector<std::vector<Variant>> rows);

// Where Fields(name) finds its column: the first of that name without regard to case; npos when
// the result has none.
[[nodiscard]] std::size_t field_position(const Recordset& rows, std::string_view name);

// What Fields(index) holds, without copying it: the column's name, and its value in the current
// row. Refused as Fields(index) refuses.
[[nodiscard]] const std::string& field_name(const Recordset& rows, std::size_t index);
[[nodiscard]] const Variant& field_value(const Recordset& rows, std::size_t index);
// What Fields(name).Value holds, without copying the column's name or its value.
[[nodiscard]] const Variant& field_value(const Recordset& rows, std::string_view name);

}  // namespace ledgernova::db

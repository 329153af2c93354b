#include "cli/sql_rows.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "db/sql_text.h"

namespace ledgernova::cli {
namespace {

// "A = x<separator>B = y" over the pairs.
std::string assignments(const ColumnValues& pairs, std::string_view separator) {
    std::string text;
    for (const auto& [column, value] : pairs) {
        text += (text.empty() ? "" : std::string(separator)) + column + " = " + value;
    }
    return text;
}

std::string insert_statement(std::string_view table, const ColumnValues& key,
                             const ColumnValues& values) {
    std::vector<std::string> columns;
    std::vector<std::string> literals;
    for (const auto* pairs : {&key, &values}) {
        for (const auto& [column, value] : *pairs) {
            columns.push_back(column);
            literals.push_back(value);
        }
    }
    return fmt::format("INSERT INTO {}({}) VALUES({})", table, fmt::join(columns, ", "),
                       fmt::join(literals, ", "));
}

}  // namespace

std::string sql_literal(std::string_view text) {
    return "'" + db::esc(text) + "'";
}

void upsert_row(db::Connection& connection, std::string_view table, const ColumnValues& key,
                const ColumnValues& values) {
    const std::string where = assignments(key, " AND ");
    db::Transaction transaction(connection);
    const auto existing =
        connection.Execute(fmt::format("SELECT 1 AS Found FROM {} WHERE {}", table, where));
    connection.Execute(existing.Eof() ? insert_statement(table, key, values)
                                      : fmt::format("UPDATE {} SET {} WHERE {}", table,
                                                    assignments(values, ", "), where));
    transaction.Commit();
}

}  // namespace ledgernova::cli

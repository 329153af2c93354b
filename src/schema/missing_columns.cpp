#include "schema/missing_columns.h"

#include <string>

namespace ledgernova::schema {
namespace {

struct AddedColumn {
    const char* table;
    const char* column;
    const char* definition;  // as tables.sql declares it
};

// Columns added to tables after ledgers had been made with them, oldest first.
constexpr AddedColumn kAddedColumns[] = {
    {"Cuenta_Contable", "Cc_Codigo_Agrupador", "TEXT COLLATE NOCASE NOT NULL DEFAULT ''"},
    {"Cuenta_Contable", "Cc_Naturaleza", "TEXT COLLATE NOCASE NOT NULL DEFAULT ''"},
    {"Cuenta_Contable", "Cc_Nivel", "INTEGER NOT NULL DEFAULT 1"},
    {"Cuenta_Contable", "Cc_Cuenta_Padre", "TEXT COLLATE NOCASE NOT NULL DEFAULT ''"},
    {"Empresa", "Em_Nombre", "TEXT COLLATE NOCASE NOT NULL DEFAULT ''"},
};

bool has_column(db::Connection& connection, const AddedColumn& added) {
    const std::string sql = std::string("SELECT COUNT(*) AS N FROM pragma_table_info('") +
                            added.table + "') WHERE name = '" + added.column + "' COLLATE NOCASE";
    return connection.Execute(sql).Fields("N").Value.to_long() > 0;
}

}  // namespace

void add_missing_sqlite_columns(db::Connection& connection) {
    for (const auto& added : kAddedColumns) {
        if (!has_column(connection, added)) {
            connection.Execute(std::string("ALTER TABLE ") + added.table + " ADD COLUMN " +
                               added.column + " " + added.definition);
        }
    }
}

}  // namespace ledgernova::schema

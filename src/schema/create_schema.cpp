#include "ledgernova/schema.h"

#include "schema/configuration_version.h"
#include "schema/missing_columns.h"
#include "schema/scripts.h"

namespace ledgernova {
namespace {

const char* dialect_folder(db::Dialect dialect) {
    switch (dialect) {
        case db::Dialect::SQLite:
            return "sqlite";
        case db::Dialect::PostgreSQL:
            return "postgresql";
        case db::Dialect::SqlServer:
            return "sqlserver";
    }
    return "";
}

const std::string& script_text(const std::string& name) {
    for (const auto& script : schema::all_scripts()) {
        if (script.name == name) {
            return script.text;
        }
    }
    throw db::UsageError("No schema script " + name);
}

}  // namespace

namespace schema {

const std::string& demo_script(db::Dialect dialect) {
    return script_text(std::string(dialect_folder(dialect)) + "/demo.sql");
}

}  // namespace schema

void create_schema(db::Connection& connection) {
    const std::string folder = dialect_folder(connection.dialect());
    db::Transaction transaction(connection);
    connection.Execute(script_text(folder + "/tables.sql"));
    if (connection.dialect() == db::Dialect::SQLite) {
        schema::add_missing_sqlite_columns(connection);
    } else if (connection.dialect() == db::Dialect::PostgreSQL) {
        schema::create_version_triggers(connection);
    }
    transaction.Commit();
}

}  // namespace ledgernova

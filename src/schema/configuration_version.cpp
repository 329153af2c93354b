#include "schema/configuration_version.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "util/text.h"

namespace ledgernova::schema {
namespace {

// The tables whose writes move the version.
constexpr std::array kVersionedTables = {
    "Poliza_Configuracion",
    "Poliza_Configuracion_Tabla",
    "Poliza_Configuracion_Condicion",
    "Poliza_Configuracion_Detalle",
    "Poliza_Configuracion_Detalle_Electronico",
    "Cuenta_Contable",
    "Parametro",
};

// The digest is null unless every versioned table has its trigger, enabled. The tables are those
// of the schema the ledger's tables go into (the first of the search path), looked for by their
// names as the server keeps them, in lower case: a lookup by name this way costs a tenth of
// resolving each name through the search path, and the statement runs at every call. The schema
// is looked up once, in a subquery of its own, so that the prepared statement's plan finds the
// tables through the catalogue's index on name and schema rather than reading the catalogue.
std::string version_statement() {
    std::string tables;
    for (const std::string_view table : kVersionedTables) {
        tables += tables.empty() ? "'" : ", '";
        std::transform(table.begin(), table.end(), std::back_inserter(tables), util::ascii_lower);
        tables += "'";
    }
    return fmt::format(
        "SELECT CAST(Vc_Version AS TEXT) AS Vc_Version, "
        "(SELECT CAST(hashtextextended(CAST(Version_Configuracion.xmin AS TEXT) || '/' || "
        "string_agg(CAST(c.oid AS TEXT) || '.' || CAST(c.xmin AS TEXT), ',' ORDER BY c.oid), 0) "
        "AS TEXT) "
        "FROM pg_class AS c JOIN pg_trigger AS t ON t.tgrelid = c.oid "
        "WHERE t.tgname = 'ln_version_configuracion' AND t.tgenabled <> 'D' "
        "AND c.relnamespace = (SELECT n.oid FROM pg_namespace AS n WHERE n.nspname = "
        "current_schema()) "
        "AND c.relname IN ({}) "
        "HAVING COUNT(*) = {}) AS Vc_Digesto "
        "FROM Version_Configuracion",
        tables, kVersionedTables.size());
}

// Both columns come as text: 64-bit whole numbers that no other type of a result holds exactly.
std::int64_t whole(const db::Recordset& rows, const char* column) {
    const std::string text = rows.Fields(column).Value.to_text();
    const std::optional<std::int64_t> value = util::whole_number(text);
    if (!value) {
        throw db::Error(fmt::format("The configuration version reads {} as {}.", column, text));
    }
    return *value;
}

}  // namespace

void create_version_triggers(db::Connection& connection) {
    std::string statements;
    for (const char* table : kVersionedTables) {
        statements += fmt::format(
            "DROP TRIGGER IF EXISTS ln_version_configuracion ON {0}; "
            "CREATE TRIGGER ln_version_configuracion "
            "AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON {0} "
            "FOR EACH STATEMENT EXECUTE FUNCTION ln_version_configuracion(); ",
            table);
    }
    connection.Execute(statements);
}

std::optional<db::ChangeCounters> configuration_version(db::Connection& connection) {
    if (connection.dialect() != db::Dialect::PostgreSQL || connection.TransactionDepth() > 0) {
        return std::nullopt;
    }
    static const std::string statement = version_statement();
    auto rows = connection.Execute(statement, -1);
    if (rows.Eof() || rows.Fields("Vc_Digesto").Value.is_null()) {
        return std::nullopt;
    }
    // The connection's own writes move the version row too: they need no counter of their own.
    return db::ChangeCounters{whole(rows, "Vc_Version"), whole(rows, "Vc_Digesto"), 0};
}

}  // namespace ledgernova::schema

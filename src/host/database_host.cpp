#include "host/database_host.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <iostream>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "db/recordset_columns.h"
#include "db/sql_text.h"
#include "host/message_box.h"
#include "util/compose.h"
#include "util/decimal.h"
#include "util/text.h"

namespace ledgernova {
namespace host {
namespace {

Date local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date::from_ymd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec);
}

// A Boolean parameter may be stored the way an administrator would write it.
Variant boolean_value(const std::string& text) {
    const std::string value = util::trim_blanks(text);
    for (const char* yes : {"1", "-1", "True", "SI", "S", "Yes"}) {
        if (util::iequals(value, yes)) {
            return Variant(true);
        }
    }
    for (const char* no : {"0", "", "False", "NO", "N"}) {
        if (util::iequals(value, no)) {
            return Variant(false);
        }
    }
    return Variant(text);  // the caller's conversion reports the bad value
}

Variant number_value(const std::string& text) {
    try {
        return Variant(Variant(text).to_double());
    } catch (const ConversionError&) {
        return Variant(text);  // the caller's conversion reports the bad value
    }
}

Variant typed_value(const std::string& text, const std::string& tipo) {
    if (tipo == "N") {
        return number_value(text);
    }
    if (tipo == "B") {
        return boolean_value(text);
    }
    return Variant(text);
}

// A column and the value it must hold.
using KeyPair = std::pair<std::string_view, std::string_view>;

// "A = 'x' AND B = 'y'" from the (column, value) pairs whose column is not empty.
std::string pairs_condition(std::span<const KeyPair> pairs) {
    std::string condition;
    for (const auto& [column, value] : pairs) {
        if (column.empty()) {
            continue;
        }
        require_identifier(column);
        if (!condition.empty()) {
            condition += " AND ";
        }
        condition.append(column).append(" = '").append(db::esc(value)).push_back('\'');
    }
    return condition.empty() ? "1 = 1" : condition;
}

// A whole number the statement returned as text, so that no 64-bit value passes through a
// double; Null (no row, no value) reads as 0.
std::int64_t whole_or_zero(const db::Recordset& rows, const char* column) {
    if (rows.Eof()) {
        return 0;
    }
    const Variant& stored = db::field_value(rows, column);
    if (stored.is_null()) {
        return 0;
    }
    const std::string text = util::trim_blanks(stored.to_text());
    const std::optional<std::int64_t> value = util::whole_number(text);
    if (!value) {
        throw db::Error("Not a whole number of 64 bits: " + text);
    }
    return *value;
}

// The value after `last`; a counter is never wrapped past the largest 64-bit number.
std::int64_t after(std::int64_t last, const std::string& what) {
    if (last == std::numeric_limits<std::int64_t>::max()) {
        throw db::Error(
            util::compose(FMT_COMPILE("The consecutive number of {} cannot pass {}"), what, last));
    }
    return last + 1;
}

// The largest number stored in `campo` among the rows of `condicion`, as text so that no 64-bit
// value passes through a double; the maximum stays a query of its own so that the database reads
// it from the numbering index. On a server only a value written in digits counts: a cast of other
// text (a number shaped by a pattern such as "P-0000", a number given by hand) would fail the
// statement and stop all numbering. SQLite reads such text as its leading digits, and its schema
// indexes that very expression.
std::string stored_maximum(db::Dialect dialect, const std::string& campo, const std::string& tabla,
                           const std::string& condicion) {
    switch (dialect) {
        case db::Dialect::PostgreSQL:
            // ln_entero (made by init) rather than its expression: the ledger's indexes are on
            // the call, and so is the prepared statement.
            return util::compose(
                FMT_COMPILE("SELECT CAST((SELECT MAX(ln_entero({0})) FROM {1} WHERE "
                            "{2}) AS TEXT) AS Ultimo"),
                campo, tabla, condicion);
        case db::Dialect::SqlServer:
            return util::compose(
                FMT_COMPILE(
                    "SELECT CAST((SELECT MAX(TRY_CAST({0} AS BIGINT)) FROM {1} WHERE {2}) AS "
                    "VARCHAR(20)) AS Ultimo"),
                campo, tabla, condicion);
        case db::Dialect::SQLite:
            break;
    }
    return util::compose(
        FMT_COMPILE(
            "SELECT CAST((SELECT MAX(CAST({0} AS INTEGER)) FROM {1} WHERE {2}) AS TEXT) AS Ultimo"),
        campo, tabla, condicion);
}

// A counter row: the table, its key columns with their values, and the column that counts.
struct Counter {
    std::string_view table;
    std::vector<KeyPair> key;
    std::string_view column;
};

// The key's columns, or its quoted values, joined by ", ".
template <typename Part>
std::string key_list(const Counter& counter, Part part) {
    std::string joined;
    for (const auto& [column, value] : counter.key) {
        if (!joined.empty()) {
            joined += ", ";
        }
        joined += part(column, value);
    }
    return joined;
}

std::string key_columns(const Counter& counter) {
    return key_list(counter,
                    [](std::string_view column, std::string_view) { return std::string(column); });
}

std::string key_values(const Counter& counter) {
    return key_list(counter, [](std::string_view, std::string_view value) {
        return "'" + db::esc(value) + "'";
    });
}

// One statement that creates the counter row at `first`, or moves an existing one to the larger
// of its next value and `first`, and on a server returns the value taken. Being one statement, it
// cannot interleave with another session's reservation, whether or not the row existed: the
// database serializes the insert and the update on the row's key.
std::string counter_upsert(db::Dialect dialect, const Counter& c, std::int64_t first) {
    if (dialect == db::Dialect::SqlServer) {
        std::string match;
        for (const KeyPair& pair : c.key) {
            match += util::compose(FMT_COMPILE("{}t.{} = s.{}"), match.empty() ? "" : " AND ",
                                   pair.first, pair.first);
        }
        return util::compose(
            FMT_COMPILE("MERGE {0} WITH (HOLDLOCK) AS t USING (SELECT {2}) AS s({1}) ON {5} "
                        "WHEN MATCHED THEN UPDATE SET {3} = "
                        "CASE WHEN t.{3} + 1 > {4} THEN t.{3} + 1 ELSE {4} END "
                        "WHEN NOT MATCHED THEN INSERT({1}, {3}) VALUES({2}, {4}) "
                        "OUTPUT CAST(inserted.{3} AS VARCHAR(20)) AS Ultimo;"),
            c.table, key_columns(c), key_values(c), c.column, first, match);
    }
    if (dialect == db::Dialect::SQLite) {
        // The first value is written as text, which the column's integer affinity stores as the
        // number: a quoted value is bound as a parameter, so the statement is prepared once for
        // every value instead of once per value.
        return util::compose(
            FMT_COMPILE(
                "INSERT INTO {0}({1}, {3}) VALUES({2}, '{4}') ON CONFLICT({1}) DO UPDATE SET {3} = "
                "MAX({0}.{3} + 1, excluded.{3})"),
            c.table, key_columns(c), key_values(c), c.column, first);
    }
    return util::compose(
        FMT_COMPILE(
            "INSERT INTO {0}({1}, {3}) VALUES({2}, {4}) ON CONFLICT({1}) DO UPDATE SET {3} = "
            "GREATEST({0}.{3} + 1, excluded.{3}) RETURNING CAST({3} AS TEXT) AS Ultimo"),
        c.table, key_columns(c), key_values(c), c.column, first);
}

// The counter's value as the upsert left it.
std::string counter_value(const Counter& c) {
    return util::compose(FMT_COMPILE("SELECT CAST({0} AS TEXT) AS Ultimo FROM {1} WHERE {2}"),
                         c.column, c.table, pairs_condition(c.key));
}

// Moves the counter and returns the value it took. SQLite would keep a RETURNING row in a
// temporary table of its own, which costs more than reading the row back; it may read it back
// because the transaction's write lock keeps every other session out until the reservation ends.
std::int64_t take_counter(db::Connection& connection, const Counter& counter, std::int64_t first) {
    auto taken = connection.Execute(counter_upsert(connection.dialect(), counter, first));
    if (connection.dialect() == db::Dialect::SQLite) {
        taken = connection.Execute(counter_value(counter));
    }
    return whole_or_zero(taken, "Ultimo");
}

}  // namespace

void require_identifier(std::string_view name) {
    if (!util::is_identifier(name)) {
        throw db::UsageError("Not a plain table or column name: " + std::string(name));
    }
}

Variant DatabaseSistema::Get_Parametro(const std::string& Nombre, std::int32_t Ambito,
                                       const std::string& Tipo, const std::string& Valor_Default) {
    auto rows = context_->connection->Execute(util::compose(
        FMT_COMPILE("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = '{}' AND Pa_Ambito = {}"),
        db::esc(Nombre), Ambito));
    if (rows.Eof() || rows.Fields("Pa_Valor").Value.is_null()) {
        return typed_value(Valor_Default, Tipo);
    }
    return typed_value(rows.Fields("Pa_Valor").Value.to_text(), Tipo);
}

// A message box on the display when the user-interface library installed one and a display can
// be opened; standard error otherwise.
void DatabaseSistema::Mostrar_Mensaje(const std::string& Mensaje, std::int32_t /*Estilo*/,
                                      const std::string& Titulo, std::intptr_t /*Ventana*/,
                                      const std::string& Aplicacion, const std::string& Id_Error) {
    if (show_message_box(Titulo, Mensaje)) {
        return;
    }
    std::cerr << Titulo << " - " << Aplicacion << " (" << Id_Error << "): " << Mensaje << '\n';
}

std::string DatabaseDatos::Get_Valor_Campo(const std::string& Tabla, const std::string& Campo_Llave,
                                           const std::string& Valor_Llave,
                                           const std::string& Campo_Resultado,
                                           std::int32_t /*Ambito*/, const std::string& /*Texto1*/,
                                           const std::string& /*Texto2*/,
                                           const std::string& /*Texto3*/) {
    require_identifier(Tabla);
    require_identifier(Campo_Llave);
    require_identifier(Campo_Resultado);
    auto rows = connection().Execute(util::compose(FMT_COMPILE("SELECT {} FROM {} WHERE {} = '{}'"),
                                                   Campo_Resultado, Tabla, Campo_Llave,
                                                   db::esc(Valor_Llave)));
    if (rows.Eof() || rows.Fields(0).Value.is_null()) {
        return {};
    }
    return rows.Fields(0).Value.to_text();
}

std::int64_t DatabaseDatos::reserve_next(const std::string& tabla, const std::string& campo,
                                         const std::string& condicion) {
    require_identifier(tabla);
    require_identifier(campo);
    const std::string what = tabla + "." + campo;
    // Its own transaction, so that a failure after the counter moved leaves it where it was.
    db::Transaction transaction(connection());
    const auto stored =
        connection().Execute(stored_maximum(connection().dialect(), campo, tabla, condicion));
    const Counter counter{"Consecutivo",
                          {{"Cn_Tabla", tabla}, {"Cn_Campo", campo}, {"Cn_Llave", condicion}},
                          "Cn_Ultimo"};
    const std::int64_t next =
        take_counter(connection(), counter, after(whole_or_zero(stored, "Ultimo"), what));
    transaction.Commit();
    return next;
}

std::int64_t DatabaseDatos::Get_Consecutivo(const std::string& Tabla, const std::string& Campo,
                                            const std::string& Llave1, const std::string& Valor1,
                                            const std::string& Llave2, const std::string& Valor2,
                                            const std::string& Llave3, const std::string& Valor3,
                                            const std::string& /*Formato*/) {
    const std::array<KeyPair, 3> pairs{{{Llave1, Valor1}, {Llave2, Valor2}, {Llave3, Valor3}}};
    const std::string condition = pairs_condition(pairs);
    return reserve_next(Tabla, Campo, condition);
}

std::string DatabaseDatos::Get_Consecutivo_Condicion(const std::string& Tabla,
                                                     const std::string& Campo,
                                                     const std::string& Condicion,
                                                     const std::string& /*Formato*/) {
    return std::to_string(reserve_next(Tabla, Campo, Condicion));
}

std::string DatabaseDatos::Get_Consecutivo_Detalle(
    const std::string& Tabla, const std::string& Campo, const std::string& Llave1,
    const std::string& Valor1, const std::string& Llave2, const std::string& Valor2) {
    // The rows of one voucher line are written only by the caller that holds the voucher, so the
    // stored maximum is enough here; no reservation is kept.
    require_identifier(Tabla);
    require_identifier(Campo);
    const std::array<KeyPair, 2> pairs{{{Llave1, Valor1}, {Llave2, Valor2}}};
    const std::string condition = pairs_condition(pairs);
    const auto stored =
        connection().Execute(stored_maximum(connection().dialect(), Campo, Tabla, condition));
    return std::to_string(after(whole_or_zero(stored, "Ultimo"), Tabla + "." + Campo));
}

Variant DatabaseDatos::Get_Folio(const std::string& Prefijo, const std::string& Tabla,
                                 std::int32_t Longitud, bool /*Reservar*/) {
    // Inside a transaction of its own so that a folio that does not fit spends no number.
    db::Transaction transaction(connection());
    const Counter counter{"Folio_Tabla", {{"Ft_Tabla", Tabla}}, "Ft_Ultimo"};
    const std::string digits = std::to_string(take_counter(connection(), counter, 1));
    const auto width = static_cast<std::size_t>(std::max(Longitud, 0));
    if (Prefijo.size() + digits.size() > width) {
        return Variant(std::string());  // would not fit: no folio
    }
    transaction.Commit();
    return Variant(Prefijo + std::string(width - Prefijo.size() - digits.size(), '0') + digits);
}

bool DatabaseDatos::Valida_Periodo_Operativo(Date Fecha, const std::string& Modulo,
                                             std::int32_t /*Ambito*/) {
    const std::string day = Fecha.iso_date();
    const auto rows = connection().Execute(util::compose(
        FMT_COMPILE(
            "SELECT SUM(CASE WHEN Es_Cve_Estado = 'AB' THEN 1 ELSE 0 END) AS Abiertos, "
            "SUM(CASE WHEN Es_Cve_Estado = 'AB' THEN 0 ELSE 1 END) AS Cerrados "
            "FROM Periodo_Operativo WHERE Po_Modulo = '{}' AND Po_Fecha_Inicial <= '{}' AND "
            "Po_Fecha_Final >= '{}'"),
        db::esc(Modulo), day, day));
    // A closed range inside an open one (a month closed within an open year) wins.
    return whole_or_zero(rows, "Abiertos") > 0 && whole_or_zero(rows, "Cerrados") == 0;
}

std::string DatabaseDatos::Formato_Numero_SQL(const Variant& Valor, std::int32_t Decimales) {
    return util::Decimal::from_variant(Valor).to_fixed(std::clamp(Decimales, 0, 6));
}

}  // namespace host

HostObjects make_database_host(DatabaseHostOptions options) {
    auto context = std::make_shared<host::HostContext>();
    context->connection = std::move(options.connection);
    context->operador = options.operador.empty() ? login_name() : std::move(options.operador);
    context->clock = options.clock ? std::move(options.clock) : Clock(&host::local_now);
    return {std::make_shared<host::DatabaseSistema>(context),
            std::make_shared<host::DatabaseDatos>(context)};
}

std::string login_name() {
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr) {
        return entry->pw_name;
    }
    return "ledgernova";
}

}  // namespace ledgernova

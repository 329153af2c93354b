#include "host/database_host.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <iostream>

#include <fmt/format.h>

#include "db/sql_text.h"
#include "host/message_box.h"
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

// "A = 'x' AND B = 'y'" from the (column, value) pairs whose column is not empty.
std::string pairs_condition(
    std::initializer_list<std::pair<const std::string*, const std::string*>> pairs) {
    std::string condition;
    for (const auto& [column, value] : pairs) {
        if (column->empty()) {
            continue;
        }
        require_identifier(*column);
        condition += (condition.empty() ? "" : " AND ") + *column + " = '" + db::esc(*value) + "'";
    }
    return condition.empty() ? "1 = 1" : condition;
}

std::int64_t whole_or_zero(const db::Recordset& rows, const char* column) {
    if (rows.Eof()) {
        return 0;
    }
    const Variant value = rows.Fields(column).Value;
    return value.is_null() ? 0 : static_cast<std::int64_t>(value.to_double());
}

// The largest number stored in `campo` among the rows of `condicion`. On a server only a value
// written in digits counts: a cast of other text (a number shaped by a pattern such as "P-0000",
// a number given by hand) would fail the statement and stop all numbering. SQLite reads such text
// as its leading digits, and its schema indexes that very expression.
std::string stored_maximum(db::Dialect dialect, const std::string& campo, const std::string& tabla,
                           const std::string& condicion) {
    switch (dialect) {
        case db::Dialect::PostgreSQL:
            return fmt::format(
                "SELECT MAX(CASE WHEN {0} COLLATE \"C\" ~ '^[0-9]+$' AND char_length({0}) <= 18 "
                "THEN CAST({0} AS BIGINT) END) AS Ultimo FROM {1} WHERE {2}",
                campo, tabla, condicion);
        case db::Dialect::SqlServer:
            return fmt::format("SELECT MAX(TRY_CAST({0} AS BIGINT)) AS Ultimo FROM {1} WHERE {2}",
                               campo, tabla, condicion);
        case db::Dialect::SQLite:
            break;
    }
    return fmt::format("SELECT MAX(CAST({0} AS INTEGER)) AS Ultimo FROM {1} WHERE {2}", campo,
                       tabla, condicion);
}

}  // namespace

void require_identifier(const std::string& name) {
    if (!util::is_identifier(name)) {
        throw db::UsageError("Not a plain table or column name: " + name);
    }
}

Variant DatabaseSistema::Get_Parametro(const std::string& Nombre, std::int32_t Ambito,
                                       const std::string& Tipo, const std::string& Valor_Default) {
    auto rows = context_->connection->Execute(
        fmt::format("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = '{}' AND Pa_Ambito = {}",
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
    auto rows =
        connection().Execute(fmt::format("SELECT {} FROM {} WHERE {} = '{}'", Campo_Resultado,
                                         Tabla, Campo_Llave, db::esc(Valor_Llave)));
    if (rows.Eof() || rows.Fields(0).Value.is_null()) {
        return {};
    }
    return rows.Fields(0).Value.to_text();
}

template <typename Reservation>
auto DatabaseDatos::retrying(Reservation reservation) {
    // On a server, two sessions reserving the first value of a counter both find no row to lock
    // and both insert it; the loser's insert fails on the key and is simply tried again, when the
    // row exists and can be locked. SQLite's write transaction never lets that happen.
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            return reservation();
        } catch (const db::Error&) {
            if (connection().dialect() == db::Dialect::SQLite || attempt == kAttempts) {
                throw;
            }
        }
    }
}

std::int64_t DatabaseDatos::reserve_next(const std::string& tabla, const std::string& campo,
                                         const std::string& condicion) {
    require_identifier(tabla);
    require_identifier(campo);
    return retrying([&] { return reserve_once(tabla, campo, condicion); });
}

std::int64_t DatabaseDatos::reserve_once(const std::string& tabla, const std::string& campo,
                                         const std::string& condicion) {
    const std::string key = fmt::format("Cn_Tabla = '{}' AND Cn_Campo = '{}' AND Cn_Llave = '{}'",
                                        db::esc(tabla), db::esc(campo), db::esc(condicion));
    db::Transaction transaction(connection());
    lock_rows("Consecutivo", "Cn_Ultimo", key);
    const auto stored =
        connection().Execute(stored_maximum(connection().dialect(), campo, tabla, condicion));
    auto reserved =
        connection().Execute("SELECT Cn_Ultimo AS Ultimo FROM Consecutivo WHERE " + key);
    const std::int64_t next =
        std::max(whole_or_zero(stored, "Ultimo"), whole_or_zero(reserved, "Ultimo")) + 1;
    if (reserved.Eof()) {
        connection().Execute(fmt::format(
            "INSERT INTO Consecutivo(Cn_Tabla, Cn_Campo, Cn_Llave, Cn_Ultimo) VALUES('{}', '{}', "
            "'{}', {})",
            db::esc(tabla), db::esc(campo), db::esc(condicion), next));
    } else {
        connection().Execute(
            fmt::format("UPDATE Consecutivo SET Cn_Ultimo = {} WHERE {}", next, key));
    }
    transaction.Commit();
    return next;
}

std::int32_t DatabaseDatos::Get_Consecutivo(const std::string& Tabla, const std::string& Campo,
                                            const std::string& Llave1, const std::string& Valor1,
                                            const std::string& Llave2, const std::string& Valor2,
                                            const std::string& Llave3, const std::string& Valor3,
                                            const std::string& /*Formato*/) {
    const std::string condition =
        pairs_condition({{&Llave1, &Valor1}, {&Llave2, &Valor2}, {&Llave3, &Valor3}});
    return static_cast<std::int32_t>(reserve_next(Tabla, Campo, condition));
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
    const std::string condition = pairs_condition({{&Llave1, &Valor1}, {&Llave2, &Valor2}});
    const auto stored =
        connection().Execute(stored_maximum(connection().dialect(), Campo, Tabla, condition));
    return std::to_string(whole_or_zero(stored, "Ultimo") + 1);
}

void DatabaseDatos::lock_rows(const std::string& tabla, const std::string& columna,
                              const std::string& condicion) {
    // SQLite's write transaction already excludes every other writer; a server database needs the
    // counter's row locked before it is read, or two sessions read the same last value.
    if (connection().dialect() != db::Dialect::SQLite) {
        connection().Execute(
            fmt::format("UPDATE {0} SET {1} = {1} WHERE {2}", tabla, columna, condicion));
    }
}

Variant DatabaseDatos::Get_Folio(const std::string& Prefijo, const std::string& Tabla,
                                 std::int32_t Longitud, bool /*Reservar*/) {
    return retrying([&] { return take_folio(Prefijo, Tabla, Longitud); });
}

Variant DatabaseDatos::take_folio(const std::string& Prefijo, const std::string& Tabla,
                                  std::int32_t Longitud) {
    db::Transaction transaction(connection());
    lock_rows("Folio_Tabla", "Ft_Ultimo", "Ft_Tabla = '" + db::esc(Tabla) + "'");
    auto last = connection().Execute(
        fmt::format("SELECT Ft_Ultimo FROM Folio_Tabla WHERE Ft_Tabla = '{}'", db::esc(Tabla)));
    const std::int64_t next = whole_or_zero(last, "Ft_Ultimo") + 1;
    connection().Execute(
        last.Eof() ? fmt::format("INSERT INTO Folio_Tabla(Ft_Tabla, Ft_Ultimo) VALUES('{}', {})",
                                 db::esc(Tabla), next)
                   : fmt::format("UPDATE Folio_Tabla SET Ft_Ultimo = {} WHERE Ft_Tabla = '{}'",
                                 next, db::esc(Tabla)));
    const std::string digits = std::to_string(next);
    const auto width = static_cast<std::size_t>(std::max(Longitud, 0));
    if (Prefijo.size() + digits.size() > width) {
        return Variant(std::string());  // would not fit: no folio (and no number spent on it)
    }
    transaction.Commit();
    return Variant(Prefijo + std::string(width - Prefijo.size() - digits.size(), '0') + digits);
}

bool DatabaseDatos::Valida_Periodo_Operativo(Date Fecha, const std::string& Modulo,
                                             std::int32_t /*Ambito*/) {
    const std::string day = Fecha.iso_date();
    const auto rows = connection().Execute(fmt::format(
        "SELECT SUM(CASE WHEN Es_Cve_Estado = 'AB' THEN 1 ELSE 0 END) AS Abiertos, "
        "SUM(CASE WHEN Es_Cve_Estado = 'AB' THEN 0 ELSE 1 END) AS Cerrados "
        "FROM Periodo_Operativo WHERE Po_Modulo = '{}' AND Po_Fecha_Inicial <= '{}' AND "
        "Po_Fecha_Final >= '{}'",
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

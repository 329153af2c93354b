#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ledgernova/connection.h"
#include "ledgernova/date.h"
#include "ledgernova/export.h"
#include "ledgernova/variant.h"

namespace ledgernova {

// System services of the host application: its connection, its operator, its parameters and its
// way of telling the user something. Any operation may throw; the component's member that called
// it then fails with the exception's text.
class LEDGERNOVA_API ServiciosSistema {
  public:
    virtual ~ServiciosSistema() = default;

    // The open connection; it stays owned by the host and outlives every call.
    virtual db::Connection& Get_Conexion() = 0;
    // Code of the operator written into the audit columns.
    virtual std::string Get_Operador() = 0;
    // The parameter's value, typed by `Tipo` ("N" number, "T" text, "B" Boolean, "" as stored),
    // or `Valor_Default` when the parameter is not set. The caller converts the result.
    virtual Variant Get_Parametro(const std::string& Nombre, std::int32_t Ambito,
                                  const std::string& Tipo, const std::string& Valor_Default) = 0;
    virtual void Mostrar_Mensaje(const std::string& Mensaje, std::int32_t Estilo,
                                 const std::string& Titulo, std::intptr_t Ventana,
                                 const std::string& Aplicacion, const std::string& Id_Error) = 0;
};

// Data services of the host application: look-ups, consecutive numbers, folios, the operating
// period and the text forms in which values are written into SQL statements.
class LEDGERNOVA_API ServiciosDatos {
  public:
    virtual ~ServiciosDatos() = default;

    // `Campo_Resultado` of the row of `Tabla` whose `Campo_Llave` equals `Valor_Llave`; "" when
    // there is no such row or the value is Null.
    virtual std::string Get_Valor_Campo(const std::string& Tabla, const std::string& Campo_Llave,
                                        const std::string& Valor_Llave,
                                        const std::string& Campo_Resultado, std::int32_t Ambito,
                                        const std::string& Texto1, const std::string& Texto2,
                                        const std::string& Texto3) = 0;
    virtual Date Get_Fecha_Servidor() = 0;
    // The next free value of `Campo` among the rows of `Tabla` matching the three (column, value)
    // pairs; a pair with an empty column is left out. Never the same value twice for one key,
    // never wrapped: a value past the 64-bit range is refused by throwing.
    virtual std::int64_t Get_Consecutivo(const std::string& Tabla, const std::string& Campo,
                                         const std::string& Llave1, const std::string& Valor1,
                                         const std::string& Llave2, const std::string& Valor2,
                                         const std::string& Llave3, const std::string& Valor3,
                                         const std::string& Formato) = 0;
    // A new folio for `Tabla`: `Prefijo` followed by a number, zero-padded to `Longitud`
    // characters in all; unique for the table. An empty text means none could be given.
    virtual Variant Get_Folio(const std::string& Prefijo, const std::string& Tabla,
                              std::int32_t Longitud, bool Reservar) = 0;
    virtual std::string Get_Consecutivo_Detalle(const std::string& Tabla, const std::string& Campo,
                                                const std::string& Llave1,
                                                const std::string& Valor1,
                                                const std::string& Llave2,
                                                const std::string& Valor2) = 0;
    virtual bool Valida_Periodo_Operativo(Date Fecha, const std::string& Modulo,
                                          std::int32_t Ambito) = 0;
    // Text forms written into statements: an amount without quotes, a date and a time stamp to be
    // placed between quotes.
    virtual std::string Formato_Numero_SQL(const Variant& Valor, std::int32_t Decimales) = 0;
    virtual std::string Formato_Fecha_SQL(Date Fecha) = 0;
    virtual std::string Formato_Fecha_Hora_SQL(Date Fecha) = 0;
    // Like Get_Consecutivo, with an SQL search condition (without WHERE) instead of the pairs.
    virtual std::string Get_Consecutivo_Condicion(const std::string& Tabla,
                                                  const std::string& Campo,
                                                  const std::string& Condicion,
                                                  const std::string& Formato) = 0;
};

struct HostObjects {
    std::shared_ptr<ServiciosSistema> sistema;
    std::shared_ptr<ServiciosDatos> datos;
};

// Creates the host objects of one thread. Called once per thread by the module start-up.
using HostFactory = std::function<HostObjects()>;

// The clock of the default host; tests set a fixed one.
using Clock = std::function<Date()>;

struct DatabaseHostOptions {
    std::shared_ptr<db::Connection> connection;
    std::string operador;  // empty: the login name of the process
    Clock clock;           // empty: the local time of the machine
};

// The host that ships with the library: keeps parameters, folios, consecutive numbers and
// operating periods in tables of the same database.
[[nodiscard]] LEDGERNOVA_API HostObjects make_database_host(DatabaseHostOptions options);

// The login name of the process, or "ledgernova" when the system does not tell.
[[nodiscard]] LEDGERNOVA_API std::string login_name();

}  // namespace ledgernova

#pragma once

#include <string>

#include "core/contexto.h"
#include "ledgernova/connection.h"

namespace ledgernova::electronic {

// One electronic detail entry of a generated voucher line: the kind of detail and the command
// whose result rows become that kind's detail rows.
struct tPlDetalleElectronico {
    std::string Tipo;  // CHEQUE, TRANSFERENCIA, COMPROBANTE, ... in any letter case
    std::string Comando;
    bool Ejecutado = false;  // true once the command's rows were all gone through
};

// Runs the entry's command for the voucher line (Pl_Folio, Pd_ID) and writes one detail row of the
// entry's kind per result row, after checking the values the kind needs and completing the payment
// kinds from the cheque register and the taxpayer lookups. Rows are written as they are read and
// nothing is undone: a stop on row k leaves rows 1 to k-1 written.
//
// A failed check leaves its message (prefix, the column, and the voucher, line, kind and command)
// in the error text. With the module's validation switch on, a stopping check ends the call with
// false; otherwise the row is written with the value as it was and the call goes on.
//
// True: the entry was carried out; `Ejecutado` is true when every row was read, false when the
// command found nothing (a row with default values was then written, the switch being off). The
// error text holds the last warning left on the way, or is empty.
// False: the entry stopped; the error text says why. A failure that no check foresees (a database
// error, a Null, a value that is not a number or a date) gives "Ejecutar_Consulta() - ", the kind
// as received, a line break and the failure's description. Never throws.
// Refreshes the object's Moneda_Local from the host parameter FIN_MONEDA_LOCAL.
[[nodiscard]] bool Ejecutar_Consulta(core::Contexto& contexto, const std::string& Pl_Folio,
                                     const std::string& Pd_ID, tPlDetalleElectronico& Detalle);

// Checks and writes detail rows that the caller holds rather than a command yields (the rows a
// manual voucher line carries): `filas` stands for the command's result, its columns named as
// Valida_Campos_SQL recognises them. Every row goes through the checks, lookups and writer of the
// kind `Tipo`, under the validation switch, exactly as Ejecutar_Consulta takes a command's rows,
// with the same results and texts; the diagnostic block's command is empty. Nothing is executed
// for the rows themselves, and a result without rows writes nothing. Never throws.
[[nodiscard]] bool Escribir_Filas(core::Contexto& contexto, const std::string& Pl_Folio,
                                  const std::string& Pd_ID, const std::string& Tipo,
                                  db::Recordset filas);

}  // namespace ledgernova::electronic

#pragma once

#include <string>

#include "core/contexto.h"

namespace ledgernova::electronic {

// The bank code and the account number of the company account that the cheque register record
// `Folio` was paid from; with `Transferencia` only a record marked as a transfer counts. Deleted
// accounts and banks are still found.
// True when the lookup ran. Found: `Banco` and `Cuenta` hold the first match and the error text is
// untouched. Not found: both become empty and the error text says which cheque or transfer
// lacked its origin account. False on a failure (a database error, a Null code or account): the
// error text becomes " Get_Info_Banco() - " and the description; outputs not yet written keep
// what the caller passed. The statement is composed in the module's Texto_SQL.
[[nodiscard]] bool Get_Info_Banco(core::Contexto& contexto, const std::string& Folio,
                                  bool Transferencia, std::string& Banco, std::string& Cuenta);

// The taxpayer code of the third party of a cheque or transfer. The cheque type's Tc_Solicitar
// says whom `Solicitar_Valor` names: "01"/"05" a supplier, "02"/"04" a customer of kind DE, "03"
// one of kind CL; an empty one means the company owning the bank account whose number is
// `Cuenta_Destino`. Deleted rows are not found. The code is returned untrimmed.
// True when the lookup ran. Found: `RFC` holds it and the error text is untouched. Not found, or
// found empty: `RFC` becomes empty and the error text says so. False on a failure (an unknown
// Tc_Solicitar, a database error, a Null code, a failing host): the error text becomes
// " Get_RFC() - " and the description, and `RFC` keeps what the caller passed.
// Runs its statement without touching the module's Texto_SQL, which callers may still hold.
[[nodiscard]] bool Get_RFC(core::Contexto& contexto, const std::string& Solicitar_Valor,
                           const std::string& Cuenta_Destino, const std::string& Tipo_Cheque,
                           std::string& RFC);

}  // namespace ledgernova::electronic

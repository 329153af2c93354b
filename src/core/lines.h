#pragma once

#include "core/contexto.h"

namespace ledgernova::core {

// Adds the object's current line to its voucher. For the first line of a new voucher (no folio
// yet) it first checks the date against year and period and the operating period, obtains folio
// and number and writes the header; when that insert fails, folio and number go back to what they
// were, so the voucher stays new. Then it checks the account and the cost centre, numbers the
// line and writes it. False with the error text on any refusal or failure.
[[nodiscard]] bool Add_Poliza_Detalle(Contexto& contexto);

}  // namespace ledgernova::core

#pragma once

#include "core/contexto.h"

namespace ledgernova::core {

// Takes a header as the Encabezado property does: folio kept, year from the date, period from
// the date unless the given one is not empty.
void poner_encabezado(Contexto& contexto, const tPlEncabezado& given);

// Starts a new voucher in the object: no folio, the host's current date, no table, document,
// comment or type. Throws when the host cannot tell the date.
void nuevo(Contexto& contexto);

}  // namespace ledgernova::core

#pragma once

#include <string>

#include "core/contexto.h"

namespace ledgernova::core {

// A new folio for a voucher from the host; empty when the host could give none.
[[nodiscard]] std::string solicitar_folio();

// The number of the object's current voucher within year, period and type (and company when
// "CON_NUMERO_POLIZA_X_EMPRESA" is on), written with the "FTO_POLIZA" pattern. Reads both
// parameters anew on every call. Empty when the host gave no number. Throws on host failures.
[[nodiscard]] std::string Genera_Numero_Poliza(Contexto& contexto);

// A whole number written with a numeric pattern: each '0' a digit (leading zeros kept), each '#'
// a digit when there is one, anything else copied; digits beyond the positions are all written.
[[nodiscard]] std::string formatear_numero(const std::string& digits, const std::string& pattern);

}  // namespace ledgernova::core

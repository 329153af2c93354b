#pragma once

#include "core/contexto.h"

namespace ledgernova::core {

// Writes the object's header into Poliza, with status "PD" when its template does not apply
// automatically and "AC" otherwise. False with the error text when the insert fails.
[[nodiscard]] bool Inserta_Poliza_Encabezado(Contexto& contexto);

// Writes the object's current line into Poliza_Detalle. False with the error text on failure.
[[nodiscard]] bool Inserta_Poliza_Detalle(Contexto& contexto);

}  // namespace ledgernova::core

#pragma once

#include <string>

#include "core/contexto.h"
#include "ledgernova/electronic_row.h"

namespace ledgernova::electronic {

// Writes one electronic detail row that a manual voucher line carries under that line (Pl_Folio,
// Pd_ID): its fields become the columns of a one-row result, so the row is checked, completed by
// the lookups and written by its kind's writer exactly as a template command's row would be
// (Escribir_Filas). The results and texts are Ejecutar_Consulta's; besides, a kind that is none of
// the six, or a field that its kind does not have, is refused before anything is written, with
// "Tipo de detalle electrónico desconocido: " and the kind, or "El detalle electrónico " and the
// kind upper-cased, " no tiene el campo " and the field. Never throws.
[[nodiscard]] bool Insertar_Detalle_Manual(core::Contexto& contexto, const std::string& Pl_Folio,
                                           const std::string& Pd_ID, const tPdElectronico& Fila);

}  // namespace ledgernova::electronic

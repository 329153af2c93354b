#pragma once

#include <array>

#include "core/contexto.h"
#include "electronic/execution.h"
#include "templates/detail_row.h"

namespace ledgernova::templates {

// The six electronic detail entries of a generation, refilled from each detail row.
using EntradasElectronicas = std::array<electronic::tPlDetalleElectronico, 6>;

// Runs the electronic detail of the line just added (the object's header and line) from the
// twelve detail columns of its row. True to go on with the next row (also when failed entries are
// forgiven because a completed entry of the same kind covers them); false to stop the generation,
// with the accumulated failure texts in the error text. Throws when a column is Null.
[[nodiscard]] bool Detalle_Electronico_Linea(core::Contexto& contexto, const FilaDetalle& row,
                                             EntradasElectronicas& entradas);

}  // namespace ledgernova::templates

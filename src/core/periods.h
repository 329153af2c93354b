#pragma once

#include <string>

#include "ledgernova/date.h"

namespace ledgernova::core {

// True unless "GEN_VALIDAR_PERIODO_OPERATIVO" is on and the host says the accounting period that
// holds the date is closed or missing. Throws on host failures.
[[nodiscard]] bool periodo_operativo_abierto(Date fecha);

// "El período operativo correspondiente a la fecha: dd-mm-yyyy, está cerrado o no existe!"
[[nodiscard]] std::string mensaje_periodo_cerrado(Date fecha);

}  // namespace ledgernova::core

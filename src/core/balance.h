#pragma once

#include "core/contexto.h"

namespace ledgernova::core {

// True when the stored lines of the object's voucher balance. A difference no larger than the
// module's rounding limit is booked as one "Ajuste por redondeo" line (through the object's own
// Add_Poliza_Detalle) to the income or expense rounding account by its sign. An unbalanced voucher
// gives false without a message; the error text is not cleared.
[[nodiscard]] bool Poliza_Balanceada(Contexto& contexto);

}  // namespace ledgernova::core

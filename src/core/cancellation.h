#pragma once

#include <string>

#include "core/contexto.h"

namespace ledgernova::core {

// Marks the voucher and every document link of it cancelled ("CA"), with who and when, in one
// transaction. Refuses an unknown folio, a voucher already cancelled, and (when operating periods
// are checked) a voucher whose period is closed; nothing is changed then.
[[nodiscard]] bool Cancelar_Poliza(Contexto& contexto, const std::string& folio);

// Cancels the voucher that covers one source document, through the object's own
// Cancelar_Poliza. True when no voucher covers it; refused when the covering voucher also covers
// other documents.
[[nodiscard]] bool Cancelar_Poliza_Documento(Contexto& contexto, const std::string& tabla,
                                             const std::string& documento);

}  // namespace ledgernova::core

#pragma once

#include <string>

#include "core/contexto.h"

namespace ledgernova::templates {

// Posts one source document under every active on-line template of its table: for each template,
// each row of the document not yet covered by a voucher of that template becomes one voucher,
// written together with its document links in one transaction (a failed generation leaves
// nothing behind). True when every generation succeeded or had nothing to post; false with the
// first failure's text otherwise. A blank company is refused.
[[nodiscard]] bool Genera_Poliza_Tabla(core::Contexto& contexto, const std::string& tabla,
                                       const std::string& folio, const std::string& empresa);

// True when the table has at least one active template that posts on line.
[[nodiscard]] bool Contabiliza_En_Linea(core::Contexto& contexto, const std::string& tabla);

}  // namespace ledgernova::templates

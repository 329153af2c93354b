#pragma once

#include <string>

#include "core/contexto.h"
#include "ledgernova/date.h"

namespace ledgernova::templates {

// The statement that selects the voucher header (Pl_Tipo, Pl_Referencia, Pl_Comentario; at most
// one row) of the documents that `sValor` identifies, for template `key`: the template's
// expressions copied verbatim, filtered by the voucher condition and `CondicionG` (left out when
// empty), with "<FECHA>" replaced by `iFecha` as "dd/MMM/yyyy". Composes text only.
// The empty text, error untouched, when the template does not exist. On failure the object's error
// text becomes "ledgerNova.dll - GetSQL_Encabezado()", CRLF and the description, and the result
// is the empty text; a failed voucher condition only leaves its own error and an empty condition.
[[nodiscard]] std::string GetSQL_Encabezado(core::Contexto& contexto, const std::string& key,
                                            Date iFecha, const std::string& sValor,
                                            const std::string& CondicionG);

}  // namespace ledgernova::templates

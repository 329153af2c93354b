#pragma once

#include <string>

#include "core/contexto.h"
#include "ledgernova/date.h"

namespace ledgernova::templates {

// The statement that selects the voucher lines of the documents that `sValor` identifies, for
// template `key`: one select per template line in Pcd_ID order, joined by UNION ALL, each with the
// line's account, cost centre, concept, reference, the twelve electronic-detail columns, Pd_Tipo
// and Pd_Importe, filtered by the voucher condition, `CondicionG` (left out when empty) and the
// line's own condition, grouped when its amount is a sum; "<FECHA>" replaced by `iFecha` as
// "dd/MMM/yyyy". Composes text only. The empty text, error untouched, when the template has no
// lines. On failure (a database error; a Null in a line column that is read as text) the object's
// error text becomes "ledgerNova.dll - GetSQL_Detalle()", CRLF and the description, and the result
// is the empty text. Failures of the voucher condition and of a line's electronic detail only
// leave their own error text and what they returned.
[[nodiscard]] std::string GetSQL_Detalle(core::Contexto& contexto, const std::string& key,
                                         Date iFecha, const std::string& sValor,
                                         const std::string& CondicionG);

}  // namespace ledgernova::templates

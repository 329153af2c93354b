#pragma once

#include <vector>

#include "export/document.h"
#include "ledgernova/export_sat.h"

namespace ledgernova::sat {

// Everything in the document the schema would refuse, in document order: each attribute by its
// rule, a Polizas without any Poliza, a Poliza without any Transaccion, a Catalogo without any
// Ctas, and a voucher identifier (NumUnIdenPol) that an earlier voucher already has. Empty when
// the document is valid.
[[nodiscard]] std::vector<ExportProblem> check_document(const Element& root);

}  // namespace ledgernova::sat

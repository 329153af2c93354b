#pragma once

#include <string>

#include "core/contexto.h"

namespace ledgernova::templates {

// What one generation is asked for: a template and the documents it selects.
struct Generacion {
    std::string clave;    // template key
    Date fecha;           // voucher date
    std::string valor;    // the value that selects the voucher's documents
    std::string tabla;    // source table; may be empty
    std::string folio;    // source document key; may be empty
    std::string empresa;  // company key
};

// Builds one voucher of the template in the object: header from the template's header statement,
// one line per detail row (Null amounts skipped, zero amounts kept only when the template permits
// them, a negative amount stopping), the electronic detail of each line, then the balance check.
// `folio_poliza` receives the voucher's folio (empty when no line was added). False with the error
// text on any refusal or failure; what was written before a failure is not undone here.
[[nodiscard]] bool Genera_Poliza(core::Contexto& contexto, const Generacion& generacion,
                                 std::string& folio_poliza);

}  // namespace ledgernova::templates

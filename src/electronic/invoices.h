#pragma once

#include "electronic/checks.h"

namespace ledgernova::electronic {

// The invoice kinds of electronic detail: a fiscal invoice with its UUID, another national invoice
// (series and folio) and a foreign invoice. They read no dates, banks or payees and look nothing
// up; a missing payment method, series or tax id only warns.
extern const Clase kClaseComprobante;
extern const Clase kClaseComprobanteOtro;
extern const Clase kClaseComprobanteExtranjero;

}  // namespace ledgernova::electronic

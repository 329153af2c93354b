#pragma once

#include "electronic/checks.h"

namespace ledgernova::electronic {

// The payment kinds of electronic detail: a cheque from one of the company's accounts, a bank
// transfer, and any other payment method. Every check of theirs stops the entry (with the
// validation switch on). A cheque or transfer takes its origin bank and account from the cheque
// register when the command gives a folio, stands "999" for a missing national bank (which then
// requires a foreign one), and may look the payee's taxpayer code up. All three require a date,
// stored as the host's date text.
extern const Clase kClaseCheque;
extern const Clase kClaseTransferencia;
extern const Clase kClaseOtroMetodoPago;

}  // namespace ledgernova::electronic

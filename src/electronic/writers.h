#pragma once

#include <string>

#include "core/contexto.h"
#include "electronic/records.h"

namespace ledgernova::electronic {

// Each writer inserts one row of its kind under the voucher line (Pl_Folio, Pd_ID), numbered
// within that line and table by the host's Get_Consecutivo_Detalle and written with four digits
// at least (0001, 0002, ...). Values go in as given; texts between quotes are stored intact.
// The statement is composed in the module's Texto_SQL, which holds it afterwards.
//
// True when the row was inserted; the error text is then left as it was, so warnings of the
// caller survive. False when the host call, the number or the insert failed: the error text
// becomes the writer's name followed by a blank ("Insertar_Cheque() "), a line break and the
// failure's description, and no row was written.

[[nodiscard]] bool Insertar_Comprobante(core::Contexto& contexto, const std::string& Pl_Folio,
                                        const std::string& Pd_ID,
                                        const tPdComprobante& Comprobante);

[[nodiscard]] bool Insertar_Comprobante_Otro(core::Contexto& contexto, const std::string& Pl_Folio,
                                             const std::string& Pd_ID,
                                             const tPdComprobanteOtro& Comprobante);

[[nodiscard]] bool Insertar_Comprobante_Extranjero(core::Contexto& contexto,
                                                   const std::string& Pl_Folio,
                                                   const std::string& Pd_ID,
                                                   const tPdComprobanteExtranjero& Comprobante);

[[nodiscard]] bool Insertar_Cheque(core::Contexto& contexto, const std::string& Pl_Folio,
                                   const std::string& Pd_ID, const tPdCheque& Cheque);

[[nodiscard]] bool Insertar_Transferencia(core::Contexto& contexto, const std::string& Pl_Folio,
                                          const std::string& Pd_ID,
                                          const tPdTransferencia& Transferencia);

[[nodiscard]] bool Insertar_Otro_Metodo_Pago(core::Contexto& contexto, const std::string& Pl_Folio,
                                             const std::string& Pd_ID,
                                             const tPdOtroMetodoPago& Pago);

}  // namespace ledgernova::electronic

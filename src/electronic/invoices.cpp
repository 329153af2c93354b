#include "electronic/invoices.h"

#include "electronic/writers.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

bool revisa_comprobante(Ejecucion& e, Valores& v) {
    return e.revisa_valor(v.UUID, col::TimbreUUID, kPrefijoE, "=> COLUMNA: UUID") &&
           e.monto(v, kPrefijoM) && e.revisa_valor(v.RFC, col::RFC, kPrefijoE, kEtiquetaRfc) &&
           e.revisa_valor(v.Metodo_Pago, col::MetodoPago, kPrefijoE, kEtiquetaMetodoPago,
                          Efecto::avisa);
}

bool escribe_comprobante(Ejecucion& e, const Valores& v) {
    return e.escribe(Insertar_Comprobante,
                     tPdComprobante{.Pdc_UUID = v.UUID,
                                    .Pdc_Monto = v.Monto,
                                    .Pdc_RFC = v.RFC,
                                    .Pdc_Moneda = v.Moneda,
                                    .Pdc_Tipo_Cambio = util::format_double(v.Tipo_Cambio),
                                    .Pdc_Metodo_Pago = v.Metodo_Pago});
}

bool revisa_comprobante_otro(Ejecucion& e, Valores& v) {
    return e.revisa_valor(v.Serie, col::Serie, kPrefijoE, "=> COLUMNA: SERIE", Efecto::avisa) &&
           e.revisa_valor(v.Folio_Factura, col::Folio, kPrefijoE, "=> COLUMNA: FOLIO") &&
           e.revisa_valor(v.RFC, col::RFC, kPrefijoE, kEtiquetaRfc) && e.monto(v, kPrefijoM) &&
           e.revisa_valor(v.Metodo_Pago, col::MetodoPago, kPrefijoE, kEtiquetaMetodoPago,
                          Efecto::avisa);
}

bool escribe_comprobante_otro(Ejecucion& e, const Valores& v) {
    return e.escribe(Insertar_Comprobante_Otro,
                     tPdComprobanteOtro{.Pdco_Serie = v.Serie,
                                        .Pdco_Folio = v.Folio_Factura,
                                        .Pdco_RFC = v.RFC,
                                        .Pdco_Monto = v.Monto,
                                        .Pdco_Moneda = v.Moneda,
                                        .Pdco_Tipo_Cambio = v.Tipo_Cambio,
                                        .Pdco_Metodo_Pago = v.Metodo_Pago});
}

bool revisa_comprobante_extranjero(Ejecucion& e, Valores& v) {
    return e.revisa_valor(v.Numero_Factura, col::NumeroFactura, kPrefijoE,
                          "=> COLUMNA: NUMERO_FACTURA") &&
           e.revisa_valor(v.Tax_Id, col::TaxId, kPrefijoE, "=> COLUMNA: TAX_ID", Efecto::avisa) &&
           e.monto(v, kPrefijoM) &&
           e.revisa_valor(v.Metodo_Pago, col::MetodoPago, kPrefijoE, kEtiquetaMetodoPago,
                          Efecto::avisa);
}

bool escribe_comprobante_extranjero(Ejecucion& e, const Valores& v) {
    return e.escribe(Insertar_Comprobante_Extranjero,
                     tPdComprobanteExtranjero{.Pdce_Numero_Factura = v.Numero_Factura,
                                              .Pdce_Tax_Id = v.Tax_Id,
                                              .Pdce_Monto = v.Monto,
                                              .Pdce_Moneda = v.Moneda,
                                              .Pdce_Tipo_Cambio = v.Tipo_Cambio,
                                              .Pdce_Metodo_Pago = v.Metodo_Pago});
}

}  // namespace

const Clase kClaseComprobante{"COMPROBANTE", revisa_comprobante, escribe_comprobante};
const Clase kClaseComprobanteOtro{"COMPROBANTE OTRO", revisa_comprobante_otro,
                                  escribe_comprobante_otro};
const Clase kClaseComprobanteExtranjero{"COMPROBANTE EXTRANJERO", revisa_comprobante_extranjero,
                                        escribe_comprobante_extranjero};

}  // namespace ledgernova::electronic

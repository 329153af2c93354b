#include "export/detail_kinds.h"

namespace ledgernova::sat {
namespace {

// The payment method columns of the three invoice tables have no place in version 1.3 of the
// schema (it dropped MetPago from CompNal, CompNalOtr and CompExt): they are not exported.
std::array<DetailKind, kDetailKindCount> make_kinds() {
    return {{
        {"CompNal",
         "Poliza_Detalle_Comprobante",
         "Pdc_Id",
         {{"UUID_CFDI", "Pdc_UUID", Rule::Uuid, 0, true},
          {"RFC", "Pdc_RFC", Rule::Rfc, 0, true},
          {"MontoTotal", "Pdc_Monto", Rule::Amount, 0, true}},
         "Pdc_Moneda",
         "Pdc_Tipo_Cambio"},
        {"CompNalOtr",
         "Poliza_Detalle_Comprobante_Nacional_Otro",
         "Pdco_Id",
         {{"CFD_CBB_Serie", "Pdco_Serie", Rule::InvoiceSeries, 0, false},
          {"CFD_CBB_NumFol", "Pdco_Folio", Rule::InvoiceFolio, 0, true},
          {"RFC", "Pdco_RFC", Rule::Rfc, 0, true},
          {"MontoTotal", "Pdco_Monto", Rule::Amount, 0, true}},
         "Pdco_Moneda",
         "Pdco_Tipo_Cambio"},
        {"CompExt",
         "Poliza_Detalle_Comprobante_extranjero",
         "Pdce_Id",
         {{"NumFactExt", "Pdce_Numero_Factura", Rule::Text, 36, true},
          {"TaxID", "Pdce_Tax_Id", Rule::Text, 30, false},
          {"MontoTotal", "Pdce_Monto", Rule::Amount, 0, true}},
         "Pdce_Moneda",
         "Pdce_Tipo_Cambio"},
        {"Cheque",
         "Poliza_Detalle_Cheque",
         "Pdc_Id",
         {{"Num", "Pdc_Numero", Rule::Text, 20, true},
          {"BanEmisNal", "Pdc_Banco_Emisor_Nacional", Rule::Bank, 0, true},
          {"BanEmisExt", "Pdc_Banco_Emisor_Extranjero", Rule::Text, 150, false},
          {"CtaOri", "Pdc_Cuenta_Origen", Rule::Text, 50, true},
          {"Fecha", "Pdc_Fecha", Rule::Date, 0, true},
          {"Benef", "Pdc_Beneficiario", Rule::Text, 300, true},
          {"RFC", "Pdc_RFC", Rule::Rfc, 0, true},
          {"Monto", "Pdc_Monto", Rule::Amount, 0, true}},
         "Pdc_Moneda",
         "Pdc_Tipo_Cambio"},
        {"Transferencia",
         "Poliza_Detalle_Transferencia",
         "Pdt_Id",
         {{"CtaOri", "Pdt_Cuenta_Origen", Rule::Text, 50, false},
          {"BancoOriNal", "Pdt_Banco_Origen_Nacional", Rule::Bank, 0, true},
          {"BancoOriExt", "Pdt_Banco_Origen_Extranjero", Rule::Text, 150, false},
          {"CtaDest", "Pdt_Cuenta_Destino", Rule::Text, 50, true},
          {"BancoDestNal", "Pdt_Banco_Destino_Nacional", Rule::Bank, 0, true},
          {"BancoDestExt", "Pdt_Banco_Destino_Extranjero", Rule::Text, 150, false},
          {"Fecha", "Pdt_Fecha", Rule::Date, 0, true},
          {"Benef", "Pdt_Beneficiario", Rule::Text, 300, true},
          {"RFC", "Pdt_RFC", Rule::Rfc, 0, true},
          {"Monto", "Pdt_Monto", Rule::Amount, 0, true}},
         "Pdt_Moneda",
         "Pdt_Tipo_Cambio"},
        {"OtrMetodoPago",
         "Poliza_Detalle_Otro_Metodo_Pago",
         "Pdo_Id",
         {{"MetPagoPol", "Pdo_Metodo_Pago", Rule::PaymentMethod, 0, true},
          {"Fecha", "Pdo_Fecha", Rule::Date, 0, true},
          {"Benef", "Pdo_Beneficiario", Rule::Text, 300, true},
          {"RFC", "Pdo_RFC", Rule::Rfc, 0, true},
          {"Monto", "Pdo_Monto", Rule::Amount, 0, true}},
         "Pdo_Moneda",
         "Pdo_Tipo_Cambio"},
    }};
}

}  // namespace

const std::array<DetailKind, kDetailKindCount>& detail_kinds() {
    static const auto kinds = make_kinds();
    return kinds;
}

}  // namespace ledgernova::sat

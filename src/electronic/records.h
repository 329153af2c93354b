#pragma once

#include <string>

namespace ledgernova::electronic {

// One electronic detail row of each kind, as the detail execution fills it and hands it to its
// writer. Fields are named after the columns they fill. Dates are already the text to be written
// between quotes. The writers store every value as given and check none.
//
// The exchange rate is a text in tPdComprobante and tPdOtroMetodoPago (the text of the number,
// written into the statement unquoted) and a number in the other four; it starts as 1 in all.

// A fiscal invoice identified by its UUID.
struct tPdComprobante {
    std::string Pdc_UUID;
    double Pdc_Monto = 0.0;
    std::string Pdc_RFC;
    std::string Pdc_Moneda;
    std::string Pdc_Tipo_Cambio = "1";
    std::string Pdc_Metodo_Pago;
};

// Another national invoice, identified by series and folio.
struct tPdComprobanteOtro {
    std::string Pdco_Serie;
    std::string Pdco_Folio;
    std::string Pdco_RFC;
    double Pdco_Monto = 0.0;
    std::string Pdco_Moneda;
    double Pdco_Tipo_Cambio = 1.0;
    std::string Pdco_Metodo_Pago;
};

// A foreign invoice, identified by its number and the issuer's tax id.
struct tPdComprobanteExtranjero {
    std::string Pdce_Numero_Factura;
    std::string Pdce_Tax_Id;
    double Pdce_Monto = 0.0;
    std::string Pdce_Moneda;
    double Pdce_Tipo_Cambio = 1.0;
    std::string Pdce_Metodo_Pago;
};

// A cheque paid from one of the company's bank accounts. Pdc_Numero is the cheque number.
struct tPdCheque {
    std::string Pdc_Numero;
    std::string Pdc_Banco_Emisor_Nacional;
    std::string Pdc_Cuenta_Origen;
    std::string Pdc_Fecha;
    double Pdc_Monto = 0.0;
    std::string Pdc_Beneficiario;
    std::string Pdc_RFC;
    std::string Pdc_Banco_Emisor_Extranjero;
    std::string Pdc_Moneda;
    double Pdc_Tipo_Cambio = 1.0;
};

// A bank transfer.
struct tPdTransferencia {
    std::string Pdt_Banco_Origen_Nacional;
    std::string Pdt_Cuenta_Origen;
    std::string Pdt_Banco_Destino_Nacional;
    std::string Pdt_Cuenta_Destino;
    std::string Pdt_Fecha;
    double Pdt_Monto = 0.0;
    std::string Pdt_Beneficiario;
    std::string Pdt_RFC;
    std::string Pdt_Banco_Origen_Extranjero;
    std::string Pdt_Banco_Destino_Extranjero;
    std::string Pdt_Moneda;
    double Pdt_Tipo_Cambio = 1.0;
};

// A payment by any other method.
struct tPdOtroMetodoPago {
    std::string Pdo_Metodo_Pago;
    std::string Pdo_Fecha;
    std::string Pdo_Beneficiario;
    std::string Pdo_RFC;
    double Pdo_Monto = 0.0;
    std::string Pdo_Moneda;
    std::string Pdo_Tipo_Cambio = "1";
};

}  // namespace ledgernova::electronic

#include "electronic/writers.h"

#include <exception>

#include "core/statement_text.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

using core::Contexto;

// Where a writer puts its row and the name its failures carry.
struct Destino {
    const char* rutina;  // ends in a blank, as callers expect
    const char* tabla;
    const char* columna_id;
};

constexpr Destino kComprobante{"Insertar_Comprobante() ", "Poliza_Detalle_Comprobante", "Pdc_Id"};
constexpr Destino kComprobanteOtro{"Insertar_Comprobante_Otro() ",
                                   "Poliza_Detalle_Comprobante_Nacional_Otro", "Pdco_Id"};
constexpr Destino kComprobanteExtranjero{"Insertar_Comprobante_Extranjero() ",
                                         "Poliza_Detalle_Comprobante_extranjero", "Pdce_Id"};
constexpr Destino kCheque{"Insertar_Cheque() ", "Poliza_Detalle_Cheque", "Pdc_Id"};
constexpr Destino kTransferencia{"Insertar_Transferencia() ", "Poliza_Detalle_Transferencia",
                                 "Pdt_Id"};
constexpr Destino kOtroMetodoPago{"Insertar_Otro_Metodo_Pago() ", "Poliza_Detalle_Otro_Metodo_Pago",
                                  "Pdo_Id"};

// "'value', ": a text in a list of values, its quotes doubled.
std::string Q(const std::string& value) {
    std::string quoted;
    quoted.reserve(value.size() + 4);
    core::append_quoted(quoted, value);
    return quoted;
}

// An amount or rate, unquoted: no trailing zeros, '.' as decimal point.
std::string N(double value) {
    return util::format_double(value);
}

// The host numbers the rows of one line per table; the id is stored with four digits at least.
std::string row_id(const Destino& destino, const std::string& Pl_Folio, const std::string& Pd_ID) {
    const std::string next = Contexto::datos().Get_Consecutivo_Detalle(
        destino.tabla, destino.columna_id, "Pl_Folio", Pl_Folio, "Pd_ID", Pd_ID);
    return core::zero_padded(Variant(next).to_long(), 4);
}

// Each statement below receives `llave`, the first three values (folio, line, row id) quoted.

std::string comprobante_sql(const std::string& llave, const tPdComprobante& r) {
    return core::joined(
        "INSERT INTO Poliza_Detalle_Comprobante"
        " ( "
        "   Pl_Folio , "
        "   Pd_ID , "
        "   Pdc_Id , "
        "   Pdc_UUID , "
        "   Pdc_Monto , "
        "   Pdc_RFC, "
        "   Pdc_Moneda, "
        "   Pdc_Metodo_Pago, "
        "   Pdc_Tipo_Cambio "
        ") "
        "Values "
        "( ",
        llave, Q(r.Pdc_UUID), N(r.Pdc_Monto), " , ", Q(r.Pdc_RFC), Q(r.Pdc_Moneda),
        Q(r.Pdc_Metodo_Pago), r.Pdc_Tipo_Cambio, "  ", ")");
}

std::string comprobante_otro_sql(const std::string& llave, const tPdComprobanteOtro& r) {
    return core::joined(
        "INSERT INTO Poliza_Detalle_Comprobante_Nacional_Otro "
        " ( "
        "   Pl_Folio , "
        "   Pd_ID , "
        "   Pdco_Id , "
        "   Pdco_Serie , "
        "   Pdco_Folio , "
        "   Pdco_RFC, "
        "   Pdco_Monto , "
        "   Pdco_Moneda, "
        "   Pdco_Metodo_Pago, "
        "   Pdco_Tipo_Cambio "
        ") "
        "Values "
        "( ",
        llave, Q(r.Pdco_Serie), Q(r.Pdco_Folio), Q(r.Pdco_RFC), N(r.Pdco_Monto), " , ",
        Q(r.Pdco_Moneda), Q(r.Pdco_Metodo_Pago), N(r.Pdco_Tipo_Cambio), "  ", ")");
}

std::string comprobante_extranjero_sql(const std::string& llave,
                                       const tPdComprobanteExtranjero& r) {
    return core::joined(
        "INSERT INTO Poliza_Detalle_Comprobante_extranjero "
        " ( "
        "   Pl_Folio , "
        "   Pd_ID , "
        "   Pdce_Id , "
        "   Pdce_Numero_Factura , "
        "   Pdce_Tax_Id , "
        "   Pdce_Monto , "
        "   Pdce_Moneda, "
        "   Pdce_Metodo_Pago, "
        "   Pdce_Tipo_Cambio "
        ") "
        "Values "
        "( ",
        llave, Q(r.Pdce_Numero_Factura), Q(r.Pdce_Tax_Id), N(r.Pdce_Monto), " , ", Q(r.Pdce_Moneda),
        Q(r.Pdce_Metodo_Pago), N(r.Pdce_Tipo_Cambio), "  ", ")");
}

std::string cheque_sql(const std::string& llave, const tPdCheque& r) {
    return core::joined(
        "INSERT INTO Poliza_Detalle_Cheque "
        "("
        "   Pl_Folio, "
        "   Pd_ID, "
        "   Pdc_Id, "
        "   Pdc_Numero, "
        "   Pdc_Banco_Emisor_Nacional, "
        "   Pdc_Cuenta_Origen, "
        "   Pdc_Fecha, "
        "   Pdc_Monto, "
        "   Pdc_Beneficiario, "
        "   Pdc_RFC, "
        "   Pdc_Banco_Emisor_Extranjero, "
        "   Pdc_Moneda, "
        "   Pdc_Tipo_Cambio "
        " ) "
        "Values "
        " ( ",
        llave, Q(r.Pdc_Numero), Q(r.Pdc_Banco_Emisor_Nacional), Q(r.Pdc_Cuenta_Origen),
        Q(r.Pdc_Fecha), N(r.Pdc_Monto), ", ", Q(r.Pdc_Beneficiario), Q(r.Pdc_RFC),
        Q(r.Pdc_Banco_Emisor_Extranjero), Q(r.Pdc_Moneda), N(r.Pdc_Tipo_Cambio), " ", ")");
}

std::string transferencia_sql(const std::string& llave, const tPdTransferencia& r) {
    return core::joined(
        "INSERT INTO Poliza_Detalle_Transferencia "
        " ( "
        "   Pl_Folio, "
        "   Pd_ID, "
        "   Pdt_Id, "
        "   Pdt_Banco_Origen_Nacional, "
        "   Pdt_Cuenta_Origen, "
        "   Pdt_Banco_Destino_Nacional, "
        "   Pdt_Cuenta_Destino, "
        "   Pdt_Fecha, "
        "   Pdt_Monto, "
        "   Pdt_Beneficiario, "
        "   Pdt_RFC, "
        "   Pdt_Banco_Origen_Extranjero, "
        "   Pdt_Banco_Destino_Extranjero, "
        "   Pdt_Moneda, "
        "   Pdt_Tipo_Cambio "
        ") "
        "Values "
        "( ",
        llave, Q(r.Pdt_Banco_Origen_Nacional), Q(r.Pdt_Cuenta_Origen),
        Q(r.Pdt_Banco_Destino_Nacional), Q(r.Pdt_Cuenta_Destino), Q(r.Pdt_Fecha), N(r.Pdt_Monto),
        ",   ", Q(r.Pdt_Beneficiario), Q(r.Pdt_RFC), Q(r.Pdt_Banco_Origen_Extranjero),
        Q(r.Pdt_Banco_Destino_Extranjero), Q(r.Pdt_Moneda), N(r.Pdt_Tipo_Cambio), " ", ")");
}

std::string otro_metodo_pago_sql(const std::string& llave, const tPdOtroMetodoPago& r) {
    return core::joined(
        "INSERT INTO Poliza_Detalle_Otro_Metodo_Pago "
        " ( "
        "   Pl_Folio , "
        "   Pd_ID , "
        "   Pdo_Id , "
        "   Pdo_Metodo_Pago , "
        "   Pdo_Fecha , "
        "   Pdo_Beneficiario , "
        "   Pdo_RFC , "
        "   Pdo_Monto , "
        "   Pdo_Moneda, "
        "   Pdo_Tipo_Cambio "
        ") "
        "Values "
        "( ",
        llave, Q(r.Pdo_Metodo_Pago), Q(r.Pdo_Fecha), Q(r.Pdo_Beneficiario), Q(r.Pdo_RFC),
        N(r.Pdo_Monto), " , ", Q(r.Pdo_Moneda), r.Pdo_Tipo_Cambio, "  ", ")");
}

// The steps every writer shares: number the row, compose its statement, run it. The insert runs
// last and alone, so a failure anywhere leaves no row.
template <typename Registro>
bool write_row(Contexto& contexto, const Destino& destino, const std::string& Pl_Folio,
               const std::string& Pd_ID, const Registro& registro,
               std::string (*statement)(const std::string&, const Registro&)) {
    try {
        const std::string ID = row_id(destino, Pl_Folio, Pd_ID);
        Contexto::ejecutar(statement(core::joined(Q(Pl_Folio), Q(Pd_ID), Q(ID)), registro));
        return true;
    } catch (const std::exception& failure) {
        contexto.Error = destino.rutina + std::string(util::kCrLf) + failure.what();
        return false;
    }
}

}  // namespace

bool Insertar_Comprobante(Contexto& contexto, const std::string& Pl_Folio, const std::string& Pd_ID,
                          const tPdComprobante& Comprobante) {
    return write_row(contexto, kComprobante, Pl_Folio, Pd_ID, Comprobante, comprobante_sql);
}

bool Insertar_Comprobante_Otro(Contexto& contexto, const std::string& Pl_Folio,
                               const std::string& Pd_ID, const tPdComprobanteOtro& Comprobante) {
    return write_row(contexto, kComprobanteOtro, Pl_Folio, Pd_ID, Comprobante,
                     comprobante_otro_sql);
}

bool Insertar_Comprobante_Extranjero(Contexto& contexto, const std::string& Pl_Folio,
                                     const std::string& Pd_ID,
                                     const tPdComprobanteExtranjero& Comprobante) {
    return write_row(contexto, kComprobanteExtranjero, Pl_Folio, Pd_ID, Comprobante,
                     comprobante_extranjero_sql);
}

bool Insertar_Cheque(Contexto& contexto, const std::string& Pl_Folio, const std::string& Pd_ID,
                     const tPdCheque& Cheque) {
    return write_row(contexto, kCheque, Pl_Folio, Pd_ID, Cheque, cheque_sql);
}

bool Insertar_Transferencia(Contexto& contexto, const std::string& Pl_Folio,
                            const std::string& Pd_ID, const tPdTransferencia& Transferencia) {
    return write_row(contexto, kTransferencia, Pl_Folio, Pd_ID, Transferencia, transferencia_sql);
}

bool Insertar_Otro_Metodo_Pago(Contexto& contexto, const std::string& Pl_Folio,
                               const std::string& Pd_ID, const tPdOtroMetodoPago& Pago) {
    return write_row(contexto, kOtroMetodoPago, Pl_Folio, Pd_ID, Pago, otro_metodo_pago_sql);
}

}  // namespace ledgernova::electronic

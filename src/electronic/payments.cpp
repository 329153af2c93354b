#include "electronic/payments.h"

#include <optional>
#include <string>
#include <string_view>

#include "electronic/lookups.h"
#include "electronic/writers.h"
#include "ledgernova/date.h"
#include "ledgernova/variant.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

using core::Contexto;

// Stands for "no national bank": the foreign bank of the same side must then be given.
constexpr std::string_view kSinBancoNacional = "999";

// One side of a payment's banks (the issuer of a cheque, the origin or the destination of a
// transfer) and the labels of its two checks.
struct Lado {
    Columna nacional;
    Columna extranjero;
    std::string_view sin_columna;  // a foreign bank is needed and the command has no column for it
    std::string_view sin_banco;    // neither a national nor a foreign bank
};

constexpr Lado kEmisor{col::BancoEmisorNacional, col::BancoEmisorExtranjero,
                       "=> COLUMNAS: BANCO_EMISOR_NACIONAL, FOLIO, BANCO_EMISOR_EXTRANJERO",
                       "=> COLUMNA(S): BANCO_EMISOR_NACIONAL, BANCO_EMISOR_EXTRANJERO"};
constexpr Lado kOrigen{col::BancoOrigenNacional, col::BancoOrigenExtranjero,
                       "=> COLUMNA(S): BANCO_ORIGEN_NACIONAL, FOLIO, BANCO_ORIGEN_EXTRANJERO",
                       "=> COLUMNA(S): BANCO_ORIGEN_NACIONAL, BANCO_ORIGEN_EXTRANJERO"};
constexpr Lado kDestino{col::BancoDestinoNacional, col::BancoDestinoExtranjero,
                        "=> COLUMNA(S): BANCO_DESTINO_EXTRANJERO",
                        "=> COLUMNA(S): BANCO_DESTINO_NACIONAL, BANCO_DESTINO_EXTRANJERO"};

// The command gives no taxpayer code and nothing to look it up by. The transfer's label has always
// ended in a blank.
constexpr std::string_view kSinRfcCheque =
    "=> COLUMNA(S): SOLICITAR_VALOR, CUENTA_DESTINO, TIPO_CHEQUE, RFC_TERCERO";
constexpr std::string_view kSinRfcTransferencia =
    "=> COLUMNA(S): SOLICITAR_VALOR, CUENTA_DESTINO, TIPO_CHEQUE, RFC_TERCERO ";

constexpr std::string_view kEtiquetaFecha = "=> COLUMNA: FECHA";

// A date as a date value reads as text ("dd/mm/yyyy") or as this build stores dates
// ("yyyy-mm-dd"), either with an optional time of day. Nothing else, the empty text included.
std::optional<Date> fecha_de(const std::string& texto) {
    const std::string t = util::trim_blanks(texto);
    const bool corta = t.size() >= 10 && t[2] == '/' && t[5] == '/';
    const std::string iso =
        corta ? t.substr(6, 4) + "-" + t.substr(3, 2) + "-" + t.substr(0, 2) + t.substr(10) : t;
    Date fecha;
    if (!Date::parse_iso(iso, fecha)) {
        return std::nullopt;
    }
    return fecha;
}

// The date as the host writes it into statements; nothing when the command gave none. A text that
// is no date cannot be converted: only a run with the validation switch off gets here with one.
std::string fecha_sql(const std::string& texto) {
    if (texto.empty()) {
        return {};
    }
    const std::optional<Date> fecha = fecha_de(texto);
    if (!fecha) {
        throw ConversionError("Type mismatch");
    }
    return Contexto::datos().Formato_Fecha_SQL(*fecha);
}

bool revisa_fecha(Ejecucion& e, Valores& v, std::string_view prefijo) {
    e.lee(v.Fecha, col::Fecha);
    return e.revisa(fecha_de(v.Fecha).has_value(), prefijo, kEtiquetaFecha);
}

// When the command names a record of the cheque register, its account gives the national bank
// and the origin account; a record that is not found leaves both to the command's columns.
bool datos_de_folio(Ejecucion& e, Valores& v, bool transferencia, std::string& banco) {
    e.lee(v.Folio_Documento, col::Folio);
    return v.Folio_Documento.empty() ||
           Get_Info_Banco(e.contexto, v.Folio_Documento, transferencia, banco, v.Cuenta_Origen) ||
           e.detiene("Ejecutar_Consulta()");
}

// The national bank comes from the register, else from its column, else it is "999"; the foreign
// bank is read only for "999", which it must then accompany.
bool revisa_bancos(Ejecucion& e, const Lado& lado, std::string& nacional, std::string& extranjero) {
    if (nacional.empty()) {
        e.lee(nacional, lado.nacional);
    }
    if (nacional.empty()) {
        nacional = kSinBancoNacional;
    }
    if (nacional == kSinBancoNacional) {
        if (!e.revisa(e.tiene(lado.extranjero), kPrefijoA, lado.sin_columna)) {
            return false;
        }
        e.lee(extranjero, lado.extranjero);
    }
    return e.revisa(nacional != kSinBancoNacional || !extranjero.empty(), kPrefijoA,
                    lado.sin_banco);
}

bool revisa_cuenta_origen(Ejecucion& e, Valores& v) {
    if (v.Cuenta_Origen.empty()) {
        e.lee(v.Cuenta_Origen, col::CuentaOrigen);
    }
    return e.revisa(!v.Cuenta_Origen.empty(), kPrefijoE2, "=> COLUMNA: CUENTA_ORIGEN");
}

// The payee's code by what the command says of the payee: the value to look up, and the cheque
// type that tells whose code it is or the destination account whose owner is the payee.
bool busca_rfc(Ejecucion& e, Valores& v) {
    e.lee(v.Solicitar_Valor, col::SolicitarValor);
    e.lee(v.Cuenta_Destino, col::CuentaDestino);
    e.lee(v.Tipo_Cheque, col::TipoCheque);
    return Get_RFC(e.contexto, v.Solicitar_Valor, v.Cuenta_Destino, v.Tipo_Cheque, v.RFC) ||
           e.detiene("Ejecutar_Consulta() ");
}

bool revisa_rfc(Ejecucion& e, Valores& v, std::string_view sin_columnas, std::string_view prefijo) {
    if (e.tiene(col::RFC)) {
        e.lee(v.RFC, col::RFC);
    } else if (e.tiene(col::SolicitarValor) &&
               (e.tiene(col::TipoCheque) || e.tiene(col::CuentaDestino))) {
        if (!busca_rfc(e, v)) {
            return false;
        }
    } else if (!e.revisa(false, kPrefijoS, sin_columnas)) {
        return false;
    }
    return e.revisa(!v.RFC.empty(), prefijo, kEtiquetaRfc);
}

bool revisa_cheque(Ejecucion& e, Valores& v) {
    e.lee(v.Referencia, col::Referencia);  // the cheque number may be empty, its column not
    return e.revisa(e.tiene(col::Referencia), kPrefijoM2, "=> COLUMNA: REFERENCIA") &&
           datos_de_folio(e, v, false, v.Banco_Emisor_Nacional) &&
           revisa_bancos(e, kEmisor, v.Banco_Emisor_Nacional, v.Banco_Emisor_Extranjero) &&
           revisa_cuenta_origen(e, v) && revisa_fecha(e, v, kPrefijoV) && e.monto(v, kPrefijoM) &&
           e.revisa_valor(v.Beneficiario, col::Beneficiario, kPrefijoM, kEtiquetaBeneficiario) &&
           revisa_rfc(e, v, kSinRfcCheque, kPrefijoM);
}

bool escribe_cheque(Ejecucion& e, const Valores& v) {
    return e.escribe(Insertar_Cheque,
                     tPdCheque{.Pdc_Numero = v.Referencia,
                               .Pdc_Banco_Emisor_Nacional = v.Banco_Emisor_Nacional,
                               .Pdc_Cuenta_Origen = v.Cuenta_Origen,
                               .Pdc_Fecha = fecha_sql(v.Fecha),
                               .Pdc_Monto = v.Monto,
                               .Pdc_Beneficiario = v.Beneficiario,
                               .Pdc_RFC = v.RFC,
                               .Pdc_Banco_Emisor_Extranjero = v.Banco_Emisor_Extranjero,
                               .Pdc_Moneda = v.Moneda,
                               .Pdc_Tipo_Cambio = v.Tipo_Cambio});
}

bool revisa_transferencia(Ejecucion& e, Valores& v) {
    return datos_de_folio(e, v, true, v.Banco_Origen_Nacional) &&
           revisa_bancos(e, kOrigen, v.Banco_Origen_Nacional, v.Banco_Origen_Extranjero) &&
           revisa_cuenta_origen(e, v) &&
           revisa_bancos(e, kDestino, v.Banco_Destino_Nacional, v.Banco_Destino_Extranjero) &&
           e.revisa_valor(v.Cuenta_Destino, col::CuentaDestino, kPrefijoE2,
                          "=> COLUMNA: CUENTA_DESTINO") &&
           revisa_fecha(e, v, kPrefijoV2) && e.monto(v, kPrefijoM2) &&
           e.revisa_valor(v.Beneficiario, col::Beneficiario, kPrefijoE2, kEtiquetaBeneficiario) &&
           revisa_rfc(e, v, kSinRfcTransferencia, kPrefijoE);
}

bool escribe_transferencia(Ejecucion& e, const Valores& v) {
    return e.escribe(Insertar_Transferencia,
                     tPdTransferencia{.Pdt_Banco_Origen_Nacional = v.Banco_Origen_Nacional,
                                      .Pdt_Cuenta_Origen = v.Cuenta_Origen,
                                      .Pdt_Banco_Destino_Nacional = v.Banco_Destino_Nacional,
                                      .Pdt_Cuenta_Destino = v.Cuenta_Destino,
                                      .Pdt_Fecha = fecha_sql(v.Fecha),
                                      .Pdt_Monto = v.Monto,
                                      .Pdt_Beneficiario = v.Beneficiario,
                                      .Pdt_RFC = v.RFC,
                                      .Pdt_Banco_Origen_Extranjero = v.Banco_Origen_Extranjero,
                                      .Pdt_Banco_Destino_Extranjero = v.Banco_Destino_Extranjero,
                                      .Pdt_Moneda = v.Moneda,
                                      .Pdt_Tipo_Cambio = v.Tipo_Cambio});
}

bool revisa_otro_metodo_pago(Ejecucion& e, Valores& v) {
    return e.revisa_valor(v.Metodo_Pago, col::MetodoPago, kPrefijoE, kEtiquetaMetodoPago) &&
           revisa_fecha(e, v, kPrefijoM) &&
           e.revisa_valor(v.Beneficiario, col::Beneficiario, kPrefijoE, kEtiquetaBeneficiario) &&
           e.revisa_valor(v.RFC, col::RFC, kPrefijoE, kEtiquetaRfc) && e.monto(v, kPrefijoM);
}

bool escribe_otro_metodo_pago(Ejecucion& e, const Valores& v) {
    return e.escribe(Insertar_Otro_Metodo_Pago,
                     tPdOtroMetodoPago{.Pdo_Metodo_Pago = v.Metodo_Pago,
                                       .Pdo_Fecha = fecha_sql(v.Fecha),
                                       .Pdo_Beneficiario = v.Beneficiario,
                                       .Pdo_RFC = v.RFC,
                                       .Pdo_Monto = v.Monto,
                                       .Pdo_Moneda = v.Moneda,
                                       .Pdo_Tipo_Cambio = util::format_double(v.Tipo_Cambio)});
}

}  // namespace

const Clase kClaseCheque{"CHEQUE", revisa_cheque, escribe_cheque};
const Clase kClaseTransferencia{"TRANSFERENCIA", revisa_transferencia, escribe_transferencia};
const Clase kClaseOtroMetodoPago{"OTRO METODO PAGO", revisa_otro_metodo_pago,
                                 escribe_otro_metodo_pago};

}  // namespace ledgernova::electronic

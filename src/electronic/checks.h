#pragma once

#include <string>
#include <string_view>

#include "core/contexto.h"
#include "electronic/columns.h"
#include "ledgernova/connection.h"

// What the six kinds of electronic detail share while one command runs: how a row's values are
// read, how a failed check is reported, and how a filled record reaches its writer.

namespace ledgernova::electronic {

// Prefixes of the check messages, as those who configure templates know them; the trailing blank
// of some of them is part of the text.
inline constexpr std::string_view kPrefijoM =
    "No se encontró la columna en el comando especificado:";
inline constexpr std::string_view kPrefijoM2 =
    "No se encontró la columna en el comando especificado: ";
inline constexpr std::string_view kPrefijoE =
    "No se encontró la columna en el comando especificado o esta vacía:";
inline constexpr std::string_view kPrefijoE2 =
    "No se encontró la columna en el comando especificado o esta vacía: ";
inline constexpr std::string_view kPrefijoV =
    "No se encontró la columna en el comando especificado o tiene un valor invalido para su tipo:";
inline constexpr std::string_view kPrefijoV2 =
    "No se encontró la columna en el comando especificado o tiene un valor invalido para su tipo: ";
inline constexpr std::string_view kPrefijoA =
    "No se encontró alguna de la(s) columna(s) en el comando especificado o están vacías: ";
inline constexpr std::string_view kPrefijoS =
    "No se encontró la(s) columna(s) en el comando especificado:";

// Labels that several kinds use.
inline constexpr std::string_view kEtiquetaMonto = "=> COLUMNA: MONTO";
inline constexpr std::string_view kEtiquetaRfc = "=> COLUMNA: RFC_TERCERO";
inline constexpr std::string_view kEtiquetaMetodoPago = "=> COLUMNA: METODO_PAGO";
inline constexpr std::string_view kEtiquetaBeneficiario = "=> COLUMNA: BENEFICIARIO";

// A canonical result column: where tCamposSQL keeps whether the result has it and its name there.
struct Columna {
    bool tCamposSQL::*presente;
    std::string tCamposSQL::*nombre;
};

namespace col {
using C = tCamposSQL;
inline constexpr Columna BancoEmisorNacional{&C::bBancoEmisorNacional, &C::sBancoEmisorNacional};
inline constexpr Columna CuentaOrigen{&C::bCuentaOrigen, &C::sCuentaOrigen};
inline constexpr Columna Fecha{&C::bFecha, &C::sFecha};
inline constexpr Columna Monto{&C::bMonto, &C::sMonto};
inline constexpr Columna Beneficiario{&C::bBeneficiario, &C::sBeneficiario};
inline constexpr Columna RFC{&C::bRFC, &C::sRFC};
inline constexpr Columna BancoEmisorExtranjero{&C::bBancoEmisorExtranjero,
                                               &C::sBancoEmisorExtranjero};
inline constexpr Columna Referencia{&C::bReferencia, &C::sReferencia};
inline constexpr Columna CuentaDestino{&C::bCuentaDestino, &C::sCuentaDestino};
inline constexpr Columna TipoCheque{&C::bTipoCheque, &C::sTipoCheque};
inline constexpr Columna Folio{&C::bFolio, &C::sFolio};
inline constexpr Columna BancoOrigenNacional{&C::bBancoOrigenNacional, &C::sBancoOrigenNacional};
inline constexpr Columna BancoOrigenExtranjero{&C::bBancoOrigenExtranjero,
                                               &C::sBancoOrigenExtranjero};
inline constexpr Columna BancoDestinoExtranjero{&C::bBancoDestinoExtranjero,
                                                &C::sBancoDestinoExtranjero};
inline constexpr Columna BancoDestinoNacional{&C::bBancoDestinoNacional, &C::sBancoDestinoNacional};
inline constexpr Columna TimbreUUID{&C::bTimbreUUID, &C::sTimbreUUID};
inline constexpr Columna SolicitarValor{&C::bSolicitarValor, &C::sSolicitarValor};
inline constexpr Columna Serie{&C::bSerie, &C::sSerie};
inline constexpr Columna NumeroFactura{&C::bNumeroFactura, &C::sNumeroFactura};
inline constexpr Columna TaxId{&C::bTaxId, &C::sTaxId};
inline constexpr Columna MetodoPago{&C::bMetodoPago, &C::sMetodoPago};
inline constexpr Columna Moneda{&C::bMoneda, &C::sMoneda};
inline constexpr Columna TipoCambio{&C::bTipoCambio, &C::sTipoCambio};
}  // namespace col

// The values one result row yields, fresh for every row: texts empty, no amount, the local
// currency, an exchange rate of 1. A kind fills the ones it needs and builds its record from them,
// so an untouched set is the all-default row.
struct Valores {
    std::string Fecha;  // as the command gives it; the record gets the host's date text
    std::string RFC;
    std::string Metodo_Pago;
    std::string UUID;
    std::string Serie;
    std::string Folio_Factura;
    std::string Numero_Factura;
    std::string Tax_Id;
    std::string Beneficiario;
    std::string Referencia;
    std::string Folio_Documento;  // a folio of the cheque register
    std::string Banco_Emisor_Nacional;
    std::string Banco_Emisor_Extranjero;
    std::string Banco_Origen_Nacional;
    std::string Banco_Origen_Extranjero;
    std::string Banco_Destino_Nacional;
    std::string Banco_Destino_Extranjero;
    std::string Cuenta_Origen;
    std::string Cuenta_Destino;
    std::string Solicitar_Valor;
    std::string Tipo_Cheque;
    double Monto = 0.0;
    std::string Moneda;
    double Tipo_Cambio = 1.0;
};

// Whether a failed check ends the entry (when the validation switch is on) or only warns.
enum class Efecto { detiene, avisa };

// One run of an entry's command: the voucher line, the command, its result and column map. The
// texts it is made from must outlive it.
struct Ejecucion {
    Ejecucion(core::Contexto& objeto, const std::string& folio, const std::string& id,
              const std::string& tipo, const std::string& comando);

    core::Contexto& contexto;
    const std::string& Pl_Folio;
    const std::string& Pd_ID;
    const std::string& Tipo;
    const std::string& Comando;
    const bool validar;  // the module's validation switch, as it was when the run started
    db::Recordset rs;
    tCamposSQL campos;

    // The diagnostic block that every check message ends with: voucher, line, kind and command.
    [[nodiscard]] std::string diagnostico() const;
    // The values a row starts from, before anything is read.
    [[nodiscard]] Valores valores_iniciales() const;
    // The values of the current row with its currency and exchange rate read.
    [[nodiscard]] Valores valores_de_fila() const;

    [[nodiscard]] bool tiene(Columna columna) const { return campos.*columna.presente; }
    // Puts the column's value in the current row, as text, into `valor`; an absent column leaves
    // `valor` as it was. A Null throws.
    void lee(std::string& valor, Columna columna) const;

    // A check: when `cumple` is false, the error text becomes the check's message (prefix,
    // label, diagnostic block). False when the entry must stop for it.
    [[nodiscard]] bool revisa(bool cumple, std::string_view prefijo, std::string_view etiqueta,
                              Efecto efecto = Efecto::detiene);
    // Reads `columna` into `valor` and checks that it is not empty.
    [[nodiscard]] bool revisa_valor(std::string& valor, Columna columna, std::string_view prefijo,
                                    std::string_view etiqueta, Efecto efecto = Efecto::detiene);
    // The amount: its column is required; an empty value is 0, one that is no number throws.
    // False when the entry must stop.
    [[nodiscard]] bool monto(Valores& valores, std::string_view prefijo);

    // Puts `fuente` and a line break before what a callee left in the error text. Returns false,
    // the entry's result.
    bool detiene(std::string_view fuente);

    template <typename Registro>
    using Escritor = bool (*)(core::Contexto&, const std::string&, const std::string&,
                              const Registro&);

    // Writes the record under the voucher line; false, with the writer's reason, when it failed.
    template <typename Registro>
    [[nodiscard]] bool escribe(Escritor<Registro> escritor, const Registro& registro) {
        return escritor(contexto, Pl_Folio, Pd_ID, registro) || detiene("Ejecutar_Consulta()");
    }

  private:
    // The column's value as a number; `si_vacio` when it reads as the empty text.
    [[nodiscard]] double numero(Columna columna, double si_vacio) const;
};

// A kind of electronic detail: its name after upper-casing, the checks of one row (they fill the
// values; false stops the entry) and the writing of a row from its values (false stops too).
struct Clase {
    std::string_view nombre;
    bool (*revisa)(Ejecucion&, Valores&);
    bool (*escribe)(Ejecucion&, const Valores&);
};

}  // namespace ledgernova::electronic

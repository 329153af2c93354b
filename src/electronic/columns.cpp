#include "electronic/columns.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string_view>
#include <utility>
#include <vector>

#include "db/recordset_columns.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

// A canonical column, the places of its flag and name in tCamposSQL, and the upper-case names a
// result may give it. Commands are written against the source tables, so their own column names
// (CH_*, CD_*, keys) are accepted next to the canonical one.
struct Columna {
    bool tCamposSQL::*presente;
    std::string tCamposSQL::*nombre;
    std::array<std::string_view, 4> reconocidos;  // unused places stay empty
};

using C = tCamposSQL;

// Every name appears once, so a result column stands for one canonical column at most.
const std::array<Columna, 23> kColumnas = {{
    {&C::bBancoEmisorNacional, &C::sBancoEmisorNacional, {"BANCO_EMISOR_NACIONAL"}},
    {&C::bCuentaOrigen, &C::sCuentaOrigen, {"CUENTA_ORIGEN", "BC_CVE_BANCO_CUENTA"}},
    {&C::bFecha, &C::sFecha, {"FECHA", "CH_FECHA"}},
    {&C::bMonto, &C::sMonto, {"MONTO", "CD_MONTO", "CH_IMPORTE"}},
    {&C::bBeneficiario, &C::sBeneficiario, {"BENEFICIARIO", "CH_BENEFICIARIO"}},
    {&C::bRFC, &C::sRFC, {"RFC_TERCERO", "CD_RFC_EMISOR", "CD_RFC_RECEPTOR", "RFC"}},
    {&C::bBancoEmisorExtranjero, &C::sBancoEmisorExtranjero, {"BANCO_EMISOR_EXTRANJERO"}},
    {&C::bReferencia, &C::sReferencia, {"REFERENCIA", "CH_REFERENCIA"}},
    {&C::bCuentaDestino, &C::sCuentaDestino, {"CUENTA_DESTINO", "CH_CUENTA_DESTINO"}},
    {&C::bTipoCheque, &C::sTipoCheque, {"TIPO_CHEQUE", "TC_CVE_TIPO_CHEQUE"}},
    {&C::bFolio, &C::sFolio, {"FOLIO", "CH_FOLIO"}},
    {&C::bBancoOrigenNacional, &C::sBancoOrigenNacional, {"BANCO_ORIGEN_NACIONAL"}},
    {&C::bBancoOrigenExtranjero, &C::sBancoOrigenExtranjero, {"BANCO_ORIGEN_EXTRANJERO"}},
    {&C::bBancoDestinoExtranjero, &C::sBancoDestinoExtranjero, {"BANCO_DESTINO_EXTRANJERO"}},
    {&C::bBancoDestinoNacional,
     &C::sBancoDestinoNacional,
     {"BANCO_DESTINO_NACIONAL", "CH_BANCO_DESTINO"}},
    {&C::bTimbreUUID, &C::sTimbreUUID, {"TIMBRE_UUID", "CD_TIMBRE_UUID"}},
    {&C::bSolicitarValor, &C::sSolicitarValor, {"SOLICITAR_VALOR", "CH_SOLICITAR_VALOR"}},
    {&C::bSerie, &C::sSerie, {"SERIE"}},
    {&C::bNumeroFactura, &C::sNumeroFactura, {"NUMERO_FACTURA"}},
    {&C::bTaxId, &C::sTaxId, {"TAX_ID"}},
    {&C::bMetodoPago, &C::sMetodoPago, {"METODO_PAGO"}},
    {&C::bMoneda, &C::sMoneda, {"MONEDA"}},
    {&C::bTipoCambio, &C::sTipoCambio, {"TIPO_CAMBIO"}},
}};

// The recognised names by their length, so that a result column is compared with the few of its
// own length only: this runs for every column of every command result.
constexpr std::size_t kLargoMaximo = 24;
using Reconocido = std::pair<std::string_view, const Columna*>;
using PorLargo = std::array<std::vector<Reconocido>, kLargoMaximo + 1>;

const PorLargo& por_largo() {
    static const PorLargo tabla = [] {
        PorLargo grupos;
        for (const Columna& columna : kColumnas) {
            for (const std::string_view nombre : columna.reconocidos) {
                if (!nombre.empty()) {  // would otherwise match the unused places of the table
                    grupos.at(nombre.size()).emplace_back(nombre, &columna);
                }
            }
        }
        return grupos;
    }();
    return tabla;
}

// The canonical column a result column stands for, or nullptr. The names are upper-case ASCII,
// and upper-casing makes no ASCII letter out of any other byte: a name is recognised exactly when
// it equals one but for the case of its ASCII letters.
const Columna* canonica(const std::string& nombre) {
    if (nombre.size() > kLargoMaximo) {
        return nullptr;
    }
    for (const auto& [reconocido, columna] : por_largo()[nombre.size()]) {
        if (util::iequals(nombre, reconocido)) {
            return columna;
        }
    }
    return nullptr;
}

}  // namespace

bool Valida_Campos_SQL(core::Contexto& contexto, const db::Recordset& rs, tCamposSQL& Campos) {
    try {
        for (const Columna& columna : kColumnas) {
            Campos.*columna.presente = false;
        }
        if (rs.Eof()) {
            return true;
        }
        for (std::size_t i = 0; i < rs.Count(); ++i) {
            const std::string& nombre = db::field_name(rs, i);  // the value is not needed
            if (const Columna* columna = canonica(nombre)) {
                Campos.*columna->presente = true;
                Campos.*columna->nombre = nombre;
            }
        }
        return true;
    } catch (const std::exception& failure) {
        contexto.Error = "Valida_Campos_SQL()" + std::string(util::kCrLf) + failure.what();
        return false;
    }
}

}  // namespace ledgernova::electronic

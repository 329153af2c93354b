#pragma once

#include <string>

#include "core/contexto.h"
#include "ledgernova/connection.h"

namespace ledgernova::electronic {

// The columns that the result of one electronic detail command offers, per canonical column:
// whether the result has it (flag) and its name exactly as the result spells it (text), so that
// its value can be read by that name. A text whose flag is false is stale: it may still hold a
// name from an earlier result and must not be used.
struct tCamposSQL {
    bool bBancoEmisorNacional = false;
    bool bCuentaOrigen = false;
    bool bFecha = false;
    bool bMonto = false;
    bool bBeneficiario = false;
    bool bRFC = false;
    bool bBancoEmisorExtranjero = false;
    bool bReferencia = false;
    bool bCuentaDestino = false;
    bool bTipoCheque = false;
    bool bFolio = false;
    bool bBancoOrigenNacional = false;
    bool bBancoOrigenExtranjero = false;
    bool bBancoDestinoExtranjero = false;
    bool bBancoDestinoNacional = false;
    bool bTimbreUUID = false;
    bool bSolicitarValor = false;
    bool bSerie = false;
    bool bNumeroFactura = false;
    bool bTaxId = false;
    bool bMetodoPago = false;
    bool bMoneda = false;
    bool bTipoCambio = false;

    std::string sBancoEmisorNacional;
    std::string sCuentaOrigen;
    std::string sFecha;
    std::string sMonto;
    std::string sBeneficiario;
    std::string sRFC;
    std::string sBancoEmisorExtranjero;
    std::string sReferencia;
    std::string sCuentaDestino;
    std::string sTipoCheque;
    std::string sFolio;
    std::string sBancoOrigenNacional;
    std::string sBancoOrigenExtranjero;
    std::string sBancoDestinoExtranjero;
    std::string sBancoDestinoNacional;
    std::string sTimbreUUID;
    std::string sSolicitarValor;
    std::string sSerie;
    std::string sNumeroFactura;
    std::string sTaxId;
    std::string sMetodoPago;
    std::string sMoneda;
    std::string sTipoCambio;
};

// Records in `Campos` which canonical columns the result `rs` has, before its rows are read.
// Every flag is cleared first; the texts are not. A result without rows recognises nothing.
// A column counts when its name, upper-cased but not trimmed, is the canonical name or one of its
// accepted aliases (source-table names such as CH_IMPORTE or CD_RFC_EMISOR); when two columns
// stand for the same canonical column, the later one wins. Other columns are ignored.
// Reads only the column names: the cursor is neither moved nor closed.
// False on an unexpected failure, with "Valida_Campos_SQL()", a line break and its description in
// the error text; what was recorded before it stays. The error text is untouched otherwise.
[[nodiscard]] bool Valida_Campos_SQL(core::Contexto& contexto, const db::Recordset& rs,
                                     tCamposSQL& Campos);

}  // namespace ledgernova::electronic

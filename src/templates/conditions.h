#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/contexto.h"
#include "ledgernova/connection.h"
#include "ledgernova/date.h"
#include "ledgernova/variant.h"

namespace ledgernova::templates {

// The template's condition rows in Pcc_ID order, each with its line breaks removed and trimmed of
// blanks, joined by " AND " and CRLF; "<EMPRESA>" replaced by `empresa` with its quotes doubled
// (the marker stands between quotes). The empty text when the template has no condition rows.
// On failure (a database error, a Null Pcc_Valor) the object's error text becomes
// "GetSQL_Condicion_General()", CRLF and the description, and the result is the empty text.
// Composes its reading statement in Texto_SQL.
[[nodiscard]] std::string GetSQL_Condicion_General(core::Contexto& contexto, const std::string& key,
                                                   const std::string& empresa);

// The filter of one voucher's source rows: field = 'sValor' (quotes doubled), the field being the
// table's movement field, or its day field when the posting mode is 1 and the table does not post
// line by line. The mode is the parameter "CON_MODO_CONEXION_" + module unless the table overrides
// it with "1" or "2". The empty text, with no error, when the template or its table row is missing.
// On failure the error text becomes "ledgerNova.dll - GetSQL_Condicion_Poliza()", CRLF and the
// description, and the result is the empty text. Composes its reading statement in Texto_SQL.
[[nodiscard]] std::string GetSQL_Condicion_Poliza(core::Contexto& contexto, const std::string& key,
                                                  const std::string& sValor);

// Pieces that the header and detail statements share.

// A template column that is only concatenated: Null is written as the empty text.
[[nodiscard]] std::string texto_concatenado(const Variant& column);
[[nodiscard]] std::string campo_concatenado(const db::Recordset& rows, std::string_view column);

// The FROM and WHERE with which the template and its source table are read by key.
[[nodiscard]] std::string plantilla_y_tabla(const std::string& key);

// The comment block that opens a generated select: 40 hyphens, "--" + description, 40 hyphens,
// each line ended by CRLF.
[[nodiscard]] std::string bloque_comentario(const std::string& descripcion);

// The lines after "WHERE ": the voucher condition P, " AND " and the general condition. Without a
// general condition only P + CRLF, so the statement stays valid.
[[nodiscard]] std::string condiciones_where(const std::string& P, const std::string& CondicionG);

// A statement apart around its WHERE conditions, which alone depend on the voucher's document:
// the parts come from the template alone, so a batch call keeps them (host::KeptReads::composed).
using Partes = std::vector<std::string>;

// The statement: the parts with condiciones_where(P, CondicionG) between every two, then
// "<FECHA>" replaced by `iFecha` as "dd/MMM/yyyy". The empty text for no parts.
[[nodiscard]] std::string con_condiciones(const Partes& partes, const std::string& P,
                                          const std::string& CondicionG, Date iFecha);

}  // namespace ledgernova::templates

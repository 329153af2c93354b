#pragma once

#include <string>

#include "core/contexto.h"

namespace ledgernova::electronic {

// Appends to `sSelect` the twelve electronic-detail columns of template line `pcd_id` (for each of
// the six kinds, in their fixed order: the kind as configured, quotes removed and letter case kept,
// as a text constant, then the configured command expression as stored; " '' " where the line has
// none) and offers each column to the line's GROUP BY list `sGroupBy`. When two rows name one kind,
// the later Pcde_Id wins.
// Returns false with the object's error text set when it fails: a kind outside the six stops it
// before anything is appended ("Get_Detalle_Electronico()", CRLF, "Detalle electrónico no
// programado: " and the kind); any other failure (a database error, a Null kind or command) gives
// "Get_Detalle_Electronico()", CRLF and the description, leaving what was already appended.
// Never clears the error text. Composes its reading statement in Texto_SQL.
[[nodiscard]] bool Get_Detalle_Electronico(core::Contexto& contexto, const std::string& key,
                                           const std::string& pcd_id, std::string& sSelect,
                                           std::string& sGroupBy);

}  // namespace ledgernova::electronic

#pragma once

#include <string>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::cli {

// A document of a source table, as its table's document key and date expressions give it.
struct SourceDocument {
    std::string table;  // as Poliza_Configuracion_Tabla names it
    std::string key;
    std::string date;
};

// Every document of the source tables that post on line (Pc_Contabiliza_Linea 'SI'), oldest
// first; documents of one day in table order, then by key. The table's key and date expressions
// are read over the table alone, so they may name only its own columns. Throws db::Error.
[[nodiscard]] std::vector<SourceDocument> source_documents(db::Connection& connection);

}  // namespace ledgernova::cli

#include "cli/source_documents.h"

#include <algorithm>
#include <tuple>

namespace ledgernova::cli {
namespace {

std::string text_of(const db::Recordset& rows, std::string_view column) {
    return rows.Fields(column).Value.to_text();
}

void add_documents(db::Connection& connection, const db::Recordset& source,
                   std::vector<SourceDocument>& documents) {
    const std::string table = text_of(source, "Pc_Tabla");
    for (auto rows = connection.Execute(
             "SELECT DISTINCT " + text_of(source, "Pc_Campo_Movimiento") + " AS Documento, " +
             text_of(source, "Pc_Campo_Dia") + " AS Fecha FROM " + table);
         !rows.Eof(); rows.MoveNext()) {
        documents.push_back({table, text_of(rows, "Documento"), text_of(rows, "Fecha")});
    }
}

}  // namespace

std::vector<SourceDocument> source_documents(db::Connection& connection) {
    std::vector<SourceDocument> documents;
    for (auto sources = connection.Execute(
             "SELECT Pc_Tabla, Pc_Campo_Movimiento, Pc_Campo_Dia FROM Poliza_Configuracion_Tabla "
             "WHERE Pc_Contabiliza_Linea = 'SI' ORDER BY Pc_Tabla");
         !sources.Eof(); sources.MoveNext()) {
        add_documents(connection, sources, documents);
    }
    std::sort(documents.begin(), documents.end(),
              [](const SourceDocument& a, const SourceDocument& b) {
                  return std::tie(a.date, a.table, a.key) < std::tie(b.date, b.table, b.key);
              });
    return documents;
}

}  // namespace ledgernova::cli

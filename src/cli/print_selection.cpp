#include "cli/print_selection.h"

#include <fmt/format.h>

#include "cli/sql_rows.h"

namespace ledgernova::cli {

std::vector<std::string> month_folios(db::Connection& connection, const MonthSelection& selection) {
    // Periods are stored with two digits ("03"), as the numbering writes them.
    const std::string periods =
        selection.month == 12 ? "'12', '13'" : fmt::format("'{:02}'", selection.month);
    const std::string type =
        selection.type ? fmt::format(" AND Pl_Tipo = {}", *selection.type) : std::string();
    std::vector<std::string> folios;
    for (auto rows = connection.Execute(fmt::format(
             "SELECT Pl_Folio FROM Poliza WHERE Em_Cve_Empresa = {} AND Pl_Ejercicio = '{}' "
             "AND Pl_Periodo IN ({}){} ORDER BY Pl_Fecha, Pl_Tipo, Pl_Numero, Pl_Folio",
             sql_literal(selection.company), selection.year, periods, type));
         !rows.Eof(); rows.MoveNext()) {
        folios.push_back(rows.Fields(0).Value.to_text());
    }
    return folios;
}

std::string describe(const MonthSelection& selection) {
    return fmt::format("company {}, {}-{:02}{}", selection.company, selection.year, selection.month,
                       selection.type ? fmt::format(", type {}", *selection.type) : "");
}

}  // namespace ledgernova::cli

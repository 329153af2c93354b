#include "export/balance_ledger.h"

#include <fmt/format.h>

#include "db/sql_text.h"
#include "export/period_ledger.h"

namespace ledgernova::sat {
namespace {

// Rows of `year_column` and `period_column` up to the period: years and two-digit periods are
// fixed-width texts, so they compare as the period does.
std::string up_to(const char* year_column, const char* period_column, int year, int month) {
    return fmt::format("({0} < '{2:04}' OR ({0} = '{2:04}' AND {1} <= '{3:02}'))", year_column,
                       period_column, year, month);
}

std::vector<ChartAccount> read_chart(db::Connection& connection) {
    std::vector<ChartAccount> chart;
    for (const auto& row :
         read_rows(connection,
                   "SELECT Cc_Cve_Cuenta_Contable, Cc_Naturaleza, Cc_Cuenta_Padre "
                   "FROM Cuenta_Contable")) {
        chart.push_back({row.text("Cc_Cve_Cuenta_Contable"), row.text("Cc_Naturaleza"),
                         row.text("Cc_Cuenta_Padre")});
    }
    return chart;
}

std::vector<OpeningBalance> read_openings(db::Connection& connection, const std::string& company,
                                          int year, int month) {
    std::vector<OpeningBalance> openings;
    for (const auto& row : read_rows(
             connection,
             "SELECT Cc_Cve_Cuenta_Contable, Si_Ejercicio, Si_Periodo, Si_Saldo "
             "FROM Saldo_Inicial WHERE Em_Cve_Empresa = '" +
                 db::esc(company) + "' AND " + up_to("Si_Ejercicio", "Si_Periodo", year, month))) {
        openings.push_back({row.text("Cc_Cve_Cuenta_Contable"),
                            row.text("Si_Ejercicio") + row.text("Si_Periodo"),
                            util::Decimal::from_variant(row.value("Si_Saldo"))});
    }
    return openings;
}

std::vector<Movement> read_movements(db::Connection& connection, const std::string& company,
                                     int year, int month) {
    std::vector<Movement> movements;
    for (const auto& row :
         read_rows(connection,
                   "SELECT d.Cc_Cve_Cuenta_Contable, p.Pl_Ejercicio, p.Pl_Periodo, d.Pd_Tipo, "
                   "d.Pd_Importe, d.Pl_Folio, d.Pd_ID FROM Poliza_Detalle d "
                   "JOIN Poliza p ON p.Pl_Folio = d.Pl_Folio WHERE p.Em_Cve_Empresa = '" +
                       db::esc(company) + "' AND p.Es_Cve_Estado <> 'CA' AND " +
                       up_to("p.Pl_Ejercicio", "p.Pl_Periodo", year, month))) {
        movements.push_back({row.text("Cc_Cve_Cuenta_Contable"),
                             row.text("Pl_Ejercicio") + row.text("Pl_Periodo"),
                             static_cast<int>(row.value("Pd_Tipo").to_long()),
                             util::Decimal::from_variant(row.value("Pd_Importe")),
                             row.text("Pl_Folio"), row.text("Pd_ID")});
    }
    return movements;
}

}  // namespace

BalanceLedger read_balance_ledger(db::Connection& connection, const std::string& company, int year,
                                  int month) {
    return {read_chart(connection), read_openings(connection, company, year, month),
            read_movements(connection, company, year, month)};
}

}  // namespace ledgernova::sat

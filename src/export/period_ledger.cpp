#include "export/period_ledger.h"

#include <algorithm>
#include <map>
#include <utility>

#include <fmt/format.h>

#include "db/sql_text.h"
#include "util/text.h"

namespace ledgernova::sat {
namespace {

// The vouchers of the period, as a condition on the header aliased "p". Periods are stored with
// two digits ("03"), as the numbering writes them.
std::string period_condition(const ExportRequest& request) {
    const std::string month = fmt::format("{:02}", request.month);
    const std::string periods = request.month == 12 ? "'12', '13'" : "'" + db::esc(month) + "'";
    return fmt::format(
        "p.Em_Cve_Empresa = '{}' AND p.Pl_Ejercicio = '{}' AND p.Pl_Periodo IN ({}) "
        "AND p.Es_Cve_Estado <> 'CA'",
        db::esc(request.company), request.year, periods);
}

std::vector<LedgerRow> read_vouchers(db::Connection& connection, const std::string& condition) {
    return read_rows(connection,
                     "SELECT p.Pl_Folio, p.Pl_Periodo, p.Pl_Tipo, p.Pl_Numero, p.Pl_Fecha, "
                     "p.Pl_Referencia, p.Pl_Comentario FROM Poliza p WHERE " +
                         condition + " ORDER BY p.Pl_Fecha, p.Pl_Tipo, p.Pl_Numero, p.Pl_Folio");
}

std::vector<LedgerRow> read_lines(db::Connection& connection, const std::string& condition) {
    return read_rows(
        connection,
        "SELECT d.Pl_Folio, d.Pd_ID, d.Cc_Cve_Cuenta_Contable, "
        "c.Cc_Cve_Cuenta_Contable AS Cuenta_Registrada, c.Cc_Descripcion, d.Pd_Concepto, "
        "d.Pd_Referencia, d.Pd_Tipo, d.Pd_Importe FROM Poliza_Detalle d "
        "JOIN Poliza p ON p.Pl_Folio = d.Pl_Folio "
        "LEFT JOIN Cuenta_Contable c ON c.Cc_Cve_Cuenta_Contable = d.Cc_Cve_Cuenta_Contable "
        "WHERE " +
            condition + " ORDER BY d.Pl_Folio, d.Pd_ID");
}

std::vector<LedgerRow> read_details(db::Connection& connection, const DetailKind& kind,
                                    const std::string& condition) {
    return read_rows(connection,
                     fmt::format("SELECT t.* FROM {0} t JOIN Poliza p ON p.Pl_Folio = t.Pl_Folio "
                                 "WHERE {1} ORDER BY t.Pl_Folio, t.Pd_ID, t.{2}",
                                 kind.table, condition, kind.row_id));
}

// Keys compare as the ledger's collation does: without regard to case.
std::string key(const LedgerRow& row, std::string_view column) {
    return util::fold_case(row.text(column));
}

using LineIndex = std::map<std::pair<std::string, std::string>, LedgerLine*>;

void attach_lines(std::vector<LedgerVoucher>& vouchers, std::vector<LedgerRow> lines,
                  LineIndex& index) {
    std::map<std::string, LedgerVoucher*> by_folio;
    for (auto& voucher : vouchers) {
        by_folio[key(voucher.row, "Pl_Folio")] = &voucher;
    }
    for (auto& line : lines) {
        LedgerVoucher* voucher = by_folio.at(key(line, "Pl_Folio"));
        voucher->lines.push_back(LedgerLine{std::move(line), {}});
    }
    for (auto& voucher : vouchers) {  // pointers taken once every vector has its final size
        for (auto& line : voucher.lines) {
            index[{key(line.row, "Pl_Folio"), key(line.row, "Pd_ID")}] = &line;
        }
    }
}

// A detail row whose line does not exist is not part of any voucher line and stays out.
void attach_details(std::size_t kind, std::vector<LedgerRow> rows, const LineIndex& index) {
    for (auto& row : rows) {
        const auto line = index.find({key(row, "Pl_Folio"), key(row, "Pd_ID")});
        if (line != index.end()) {
            line->second->details[kind].push_back(std::move(row));
        }
    }
}

// Ids are numbers written as text with four digits at least: 10000 comes after 9999.
bool id_before(const std::string& x, const std::string& y) {
    return x.size() != y.size() ? x.size() < y.size() : x < y;
}

void order_by(std::vector<LedgerRow>& rows, std::string_view id) {
    std::stable_sort(rows.begin(), rows.end(), [id](const LedgerRow& a, const LedgerRow& b) {
        return id_before(a.text(id), b.text(id));
    });
}

void order_lines(std::vector<LedgerVoucher>& vouchers) {
    for (auto& voucher : vouchers) {
        std::stable_sort(voucher.lines.begin(), voucher.lines.end(),
                         [](const LedgerLine& a, const LedgerLine& b) {
                             return id_before(a.row.text("Pd_ID"), b.row.text("Pd_ID"));
                         });
        for (auto& line : voucher.lines) {
            for (std::size_t kind = 0; kind < kDetailKindCount; ++kind) {
                order_by(line.details[kind], detail_kinds()[kind].row_id);
            }
        }
    }
}

}  // namespace

std::vector<LedgerRow> read_rows(db::Connection& connection, const std::string& sql) {
    std::vector<LedgerRow> rows;
    for (auto records = connection.Execute(sql); !records.Eof(); records.MoveNext()) {
        LedgerRow row;
        for (std::size_t i = 0; i < records.Count(); ++i) {
            row.fields.push_back(records.Fields(i));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Variant LedgerRow::value(std::string_view column) const {
    for (const auto& field : fields) {
        if (util::iequals(field.Name, column)) {
            return field.Value;
        }
    }
    return Variant();
}

std::string LedgerRow::text(std::string_view column) const {
    const Variant found = value(column);
    if (found.is_null() || found.is_empty()) {
        return {};
    }
    return util::trim_blanks(found.kind() == Variant::Kind::Date ? found.to_date().iso_date()
                                                                 : found.to_text());
}

std::vector<LedgerVoucher> read_period(db::Connection& connection, const ExportRequest& request) {
    const std::string condition = period_condition(request);
    std::vector<LedgerVoucher> vouchers;
    for (auto& row : read_vouchers(connection, condition)) {
        vouchers.push_back(LedgerVoucher{std::move(row), {}});
    }
    LineIndex index;
    attach_lines(vouchers, read_lines(connection, condition), index);
    for (std::size_t kind = 0; kind < kDetailKindCount; ++kind) {
        attach_details(kind, read_details(connection, detail_kinds()[kind], condition), index);
    }
    order_lines(vouchers);
    return vouchers;
}

}  // namespace ledgernova::sat

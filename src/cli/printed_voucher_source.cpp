#include "cli/printed_voucher_source.h"

#include <map>

#include "cli/electronic_summary.h"
#include "chart/account_store.h"
#include "cli/sql_rows.h"
#include "ledgernova/records.h"
#include "util/text.h"

namespace ledgernova::cli {

using core::field_value;
using core::stored_text;
using core::StoredLine;
using core::StoredVoucher;
namespace {

// Account descriptions keyed by the account folded to compare without regard to case, as the
// ledger compares keys.
using Descriptions = std::map<std::string, std::string>;

std::string text_of(const std::vector<db::Field>& fields, const char* column) {
    return util::trim_blanks(stored_text(field_value(fields, column)));
}

// Both texts with a separator, or the one that is not empty.
std::string joined(const std::string& first, const char* separator, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + separator + second;
}

std::string type_name(const Variant& tipo) {
    switch (tipo.to_long()) {
        case eTp_Ingreso:
            return "Ingreso";
        case eTp_Egreso:
            return "Egreso";
        case eTp_Diario:
            return "Diario";
        default:
            return "tipo " + stored_text(tipo);
    }
}

// The date as accountants in Mexico write it, dd/mm/yyyy; a text that is no date as it stands.
std::string short_date(const std::string& stored) {
    Date date;
    return Date::parse_iso(stored, date) ? date.short_date() : stored;
}

std::string company_text(db::Connection& connection, const std::string& company) {
    return joined(company, "  RFC ",
                  util::trim_blanks(chart::company_rfc(connection, company).value_or("")));
}

Descriptions account_descriptions(db::Connection& connection, const std::string& folio) {
    Descriptions descriptions;
    for (auto rows = connection.Execute(
             "SELECT c.Cc_Cve_Cuenta_Contable, c.Cc_Descripcion FROM Cuenta_Contable c "
             "WHERE c.Cc_Cve_Cuenta_Contable IN (SELECT d.Cc_Cve_Cuenta_Contable "
             "FROM Poliza_Detalle d WHERE d.Pl_Folio = " +
             sql_literal(folio) + ")");
         !rows.Eof(); rows.MoveNext()) {
        descriptions[util::fold_case(stored_text(rows.Fields(0).Value))] =
            util::trim_blanks(stored_text(rows.Fields(1).Value));
    }
    return descriptions;
}

print::Movement movement_of(const Variant& tipo) {
    switch (tipo.to_long()) {
        case eTmCargo:
            return print::Movement::Charge;
        case eTmAbono:
            return print::Movement::Credit;
        default:
            return print::Movement::Other;
    }
}

print::PrintedLine printed_line(const StoredLine& line, const Descriptions& descriptions) {
    print::PrintedLine printed;
    printed.account = text_of(line.fields, "Cc_Cve_Cuenta_Contable");
    if (const auto found = descriptions.find(util::fold_case(printed.account));
        found != descriptions.end()) {
        printed.description = found->second;
    }
    printed.cost_centre = text_of(line.fields, "Pd_Centro_Costo");
    printed.concept_reference =
        joined(text_of(line.fields, "Pd_Concepto"), " / ", text_of(line.fields, "Pd_Referencia"));
    printed.movement = movement_of(field_value(line.fields, "Pd_Tipo"));
    printed.amount = util::Decimal::from_variant(field_value(line.fields, "Pd_Importe"));
    for (const auto& row : line.electronic) {
        printed.electronic.push_back(electronic_summary(row));
    }
    return printed;
}

}  // namespace

print::PrintedVoucher printed_voucher(db::Connection& connection, const StoredVoucher& voucher) {
    const auto& header = voucher.header;
    print::PrintedVoucher printed;
    printed.folio = text_of(header, "Pl_Folio");
    printed.company = company_text(connection, text_of(header, "Em_Cve_Empresa"));
    printed.type = type_name(field_value(header, "Pl_Tipo"));
    printed.number = text_of(header, "Pl_Numero");
    printed.date = short_date(text_of(header, "Pl_Fecha"));
    printed.comment = text_of(header, "Pl_Comentario");
    printed.reference = text_of(header, "Pl_Referencia");
    printed.source = joined(text_of(header, "Pl_Tabla"), " ", text_of(header, "Pl_Documento"));
    printed.cancelled = util::iequals(text_of(header, "Es_Cve_Estado"), "CA");
    const Descriptions descriptions = account_descriptions(connection, printed.folio);
    for (const auto& line : voucher.lines) {
        printed.lines.push_back(printed_line(line, descriptions));
    }
    return printed;
}

}  // namespace ledgernova::cli

#include "cli/voucher_text.h"

#include <algorithm>
#include <cstdint>

#include <fmt/format.h>

#include "cli/text_table.h"
#include "ledgernova/records.h"
#include "util/decimal.h"

namespace ledgernova::cli {
namespace {

using core::ElectronicRow;
using core::field_value;
using core::StoredLine;
using core::StoredVoucher;

// The first three columns of a detail row: the voucher's folio, the line and the row's number.
constexpr std::size_t kElectronicKeyColumns = 3;

std::string iso_text(const Date& date) {
    return date.has_time() ? date.iso_date_time() : date.iso_date();
}

// A stored value as a table cell: Null blank, dates in ISO form.
std::string cell(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            return {};
        case Variant::Kind::Date:
            return iso_text(value.to_date());
        default:
            return value.to_text();
    }
}

std::string render_header(const std::vector<db::Field>& header) {
    TextTable table({TextTable::Align::Left, TextTable::Align::Left});
    for (const auto& field : header) {
        table.add_row({field.Name, cell(field.Value)});
    }
    return table.render();
}

// Charges and credits of the lines, added up as they are listed.
struct Totals {
    util::Decimal charges;
    util::Decimal credits;

    void add(std::int32_t tipo, util::Decimal amount) {
        if (tipo == eTmCargo) {
            charges = charges + amount;
        } else if (tipo == eTmAbono) {
            credits = credits + amount;
        }
    }
};

// The amount with two decimals in the column of its movement, blank in the other.
std::string amount_cell(std::int32_t tipo, eTipoMovimiento column, util::Decimal amount) {
    return tipo == column ? amount.to_fixed(2) : std::string();
}

// The line's row of the table; its amount goes to the charge or the credit column by Pd_Tipo.
std::vector<std::string> line_row(const std::vector<db::Field>& line, Totals& totals) {
    const util::Decimal amount = util::Decimal::from_variant(field_value(line, "Pd_Importe"));
    const std::int32_t tipo = field_value(line, "Pd_Tipo").to_long();
    totals.add(tipo, amount);
    return {cell(field_value(line, "Pd_ID")),
            cell(field_value(line, "Cc_Cve_Cuenta_Contable")),
            cell(field_value(line, "Pd_Centro_Costo")),
            cell(field_value(line, "Pd_Concepto")),
            cell(field_value(line, "Pd_Referencia")),
            amount_cell(tipo, eTmCargo, amount),
            amount_cell(tipo, eTmAbono, amount)};
}

std::string render_lines(const std::vector<StoredLine>& lines) {
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Left, Align::Left, Align::Left, Align::Left, Align::Right,
                     Align::Right});
    table.add_row({"ID", "Account", "Cost centre", "Concept", "Reference", "Charge", "Credit"});
    table.add_rule();
    Totals totals;
    for (const auto& line : lines) {
        table.add_row(line_row(line.fields, totals));
    }
    table.add_rule();
    table.add_row(
        {"", "", "", "", "Totals", totals.charges.to_fixed(2), totals.credits.to_fixed(2)});
    return table.render();
}

// "Line 0004: Poliza_Detalle_Comprobante 0001", then the row's own columns, indented.
std::string render_electronic_row(const std::string& pd_id, const ElectronicRow& row) {
    std::string text = fmt::format("Line {}: {} {}\n", pd_id, row.table,
                                   cell(row.fields.at(kElectronicKeyColumns - 1).Value));
    TextTable table({TextTable::Align::Left, TextTable::Align::Left, TextTable::Align::Left});
    for (std::size_t i = kElectronicKeyColumns; i < row.fields.size(); ++i) {
        table.add_row({"", row.fields[i].Name, cell(row.fields[i].Value)});
    }
    return text + table.render();
}

std::string render_electronic(const std::vector<StoredLine>& lines) {
    const bool any = std::any_of(lines.begin(), lines.end(),
                                 [](const StoredLine& line) { return !line.electronic.empty(); });
    if (!any) {
        return {};
    }
    std::string text = "\nElectronic detail\n";
    for (const auto& line : lines) {
        for (const auto& row : line.electronic) {
            text += render_electronic_row(cell(field_value(line.fields, "Pd_ID")), row);
        }
    }
    return text;
}

}  // namespace

std::string render_voucher_text(const StoredVoucher& voucher) {
    return render_header(voucher.header) + '\n' + render_lines(voucher.lines) +
           render_electronic(voucher.lines);
}

std::string render_voucher_json(const StoredVoucher& voucher) {
    return voucher_json(voucher, 2) + '\n';
}

}  // namespace ledgernova::cli

// `ledgernova show FOLIO [--json]`: a voucher's header and lines as the ledger holds them.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/stored_voucher.h"
#include "cli/text_table.h"
#include "ledgernova/records.h"
#include "util/decimal.h"

namespace ledgernova::cli {
namespace {

using json = nlohmann::ordered_json;

struct ShowArguments {
    std::string folio;
    bool as_json = false;
};

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

json json_value(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            return nullptr;
        case Variant::Kind::Boolean:
            return value.to_bool();
        case Variant::Kind::Long:
            return value.to_long();
        case Variant::Kind::Double:
            return value.to_double();
        case Variant::Kind::Date:
            return iso_text(value.to_date());
        case Variant::Kind::Text:
            return value.to_text();
    }
    return nullptr;
}

json json_object(const std::vector<db::Field>& fields) {
    json object = json::object();
    for (const auto& field : fields) {
        object[field.Name] = json_value(field.Value);
    }
    return object;
}

std::string render_json(const StoredVoucher& voucher) {
    json lines = json::array();
    for (const auto& line : voucher.lines) {
        lines.push_back(json_object(line));
    }
    return json{{"header", json_object(voucher.header)}, {"lines", std::move(lines)}}.dump(2) +
           '\n';
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

std::string render_lines(const std::vector<std::vector<db::Field>>& lines) {
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Left, Align::Left, Align::Left, Align::Left, Align::Right,
                     Align::Right});
    table.add_row({"ID", "Account", "Cost centre", "Concept", "Reference", "Charge", "Credit"});
    table.add_rule();
    Totals totals;
    for (const auto& line : lines) {
        table.add_row(line_row(line, totals));
    }
    table.add_rule();
    table.add_row(
        {"", "", "", "", "Totals", totals.charges.to_fixed(2), totals.credits.to_fixed(2)});
    return table.render();
}

int show_voucher(const GlobalOptions& options, const ShowArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    const auto voucher = load_voucher(*connection, arguments.folio);
    if (!voucher) {
        std::cerr << fmt::format("ledgernova: there is no voucher with folio {}\n",
                                 arguments.folio);
        return kExitRefused;
    }
    std::cout << (arguments.as_json
                      ? render_json(*voucher)
                      : render_header(voucher->header) + '\n' + render_lines(voucher->lines));
    return kExitOk;
}

}  // namespace

void add_show_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand("show", "print a voucher's header and lines");
    auto arguments = std::make_shared<ShowArguments>();
    command->add_option("FOLIO", arguments->folio, "the voucher's folio")->required();
    command->add_flag("--json", arguments->as_json,
                      "as JSON: {\"header\": {...}, \"lines\": [...]}");
    on_chosen(*command, program, [arguments](const GlobalOptions& options) {
        return show_voucher(options, *arguments);
    });
}

}  // namespace ledgernova::cli

#include "core/stored_voucher.h"

#include <nlohmann/json.hpp>

#include "db/sql_text.h"
#include "util/text.h"

namespace ledgernova::core {
namespace {

using json = nlohmann::ordered_json;

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
        case Variant::Kind::Date: {
            const Date date = value.to_date();
            return date.has_time() ? date.iso_date_time() : date.iso_date();
        }
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

json json_line(const StoredLine& line) {
    json object = json_object(line.fields);
    json electronic = json::array();
    for (const auto& row : line.electronic) {
        json detail = {{"table", row.table}};
        detail.update(json_object(row.fields));
        electronic.push_back(std::move(detail));
    }
    object["electronic"] = std::move(electronic);
    return object;
}

// Hands each detail row of `table` to the line it hangs from (rows of lines the voucher does not
// have are left out). The third column of every detail table is the row's number within its line.
void attach_electronic_rows(db::Connection& connection, const std::string& table,
                            const std::string& condition, std::vector<StoredLine>& lines) {
    for (auto rows =
             connection.Execute("SELECT * FROM " + table + " " + condition + " ORDER BY Pd_ID, 3");
         !rows.Eof(); rows.MoveNext()) {
        const std::string pd_id = rows.Fields("Pd_ID").Value.to_text();
        for (auto& line : lines) {
            if (field_value(line.fields, "Pd_ID").to_text() == pd_id) {
                line.electronic.push_back({table, current_fields(rows)});
            }
        }
    }
}

}  // namespace

const std::vector<std::string>& electronic_detail_tables() {
    static const std::vector<std::string> tables = {"Poliza_Detalle_Comprobante",
                                                    "Poliza_Detalle_Comprobante_Nacional_Otro",
                                                    "Poliza_Detalle_Comprobante_extranjero",
                                                    "Poliza_Detalle_Cheque",
                                                    "Poliza_Detalle_Transferencia",
                                                    "Poliza_Detalle_Otro_Metodo_Pago"};
    return tables;
}

std::optional<StoredVoucher> load_voucher(db::Connection& connection, const std::string& folio) {
    const std::string condition = "WHERE Pl_Folio = '" + db::esc(folio) + "'";
    const auto header = connection.Execute("SELECT * FROM Poliza " + condition);
    if (header.Eof()) {
        return std::nullopt;
    }
    StoredVoucher voucher{current_fields(header), {}};
    for (auto lines =
             connection.Execute("SELECT * FROM Poliza_Detalle " + condition + " ORDER BY Pd_ID");
         !lines.Eof(); lines.MoveNext()) {
        voucher.lines.push_back({current_fields(lines), {}});
    }
    for (const auto& table : electronic_detail_tables()) {
        attach_electronic_rows(connection, table, condition, voucher.lines);
    }
    return voucher;
}

std::vector<db::Field> current_fields(const db::Recordset& rows) {
    std::vector<db::Field> fields;
    for (std::size_t i = 0; i < rows.Count(); ++i) {
        fields.push_back(rows.Fields(i));
    }
    return fields;
}

std::string voucher_json(const StoredVoucher& voucher, int indent) {
    json lines = json::array();
    for (const auto& line : voucher.lines) {
        lines.push_back(json_line(line));
    }
    return json{{"header", json_object(voucher.header)}, {"lines", std::move(lines)}}.dump(
        indent, ' ', false, json::error_handler_t::replace);
}

const Variant& field_value(const std::vector<db::Field>& fields, const std::string& name) {
    for (const auto& field : fields) {
        if (util::iequals(field.Name, name)) {
            return field.Value;
        }
    }
    throw db::UsageError("No column " + name);
}

}  // namespace ledgernova::core

#include "cli/stored_voucher.h"

#include "cli/sql_rows.h"
#include "util/text.h"

namespace ledgernova::cli {

std::optional<StoredVoucher> load_voucher(db::Connection& connection, const std::string& folio) {
    const std::string condition = "WHERE Pl_Folio = " + sql_literal(folio);
    const auto header = connection.Execute("SELECT * FROM Poliza " + condition);
    if (header.Eof()) {
        return std::nullopt;
    }
    StoredVoucher voucher{current_fields(header), {}};
    for (auto lines =
             connection.Execute("SELECT * FROM Poliza_Detalle " + condition + " ORDER BY Pd_ID");
         !lines.Eof(); lines.MoveNext()) {
        voucher.lines.push_back(current_fields(lines));
    }
    return voucher;
}

const Variant& field_value(const std::vector<db::Field>& fields, const std::string& name) {
    for (const auto& field : fields) {
        if (util::iequals(field.Name, name)) {
            return field.Value;
        }
    }
    throw db::UsageError("No column " + name);
}

}  // namespace ledgernova::cli

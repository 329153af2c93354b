#include "core/voucher_posting.h"

#include <fmt/format.h>

#include "electronic/manual_rows.h"
#include "util/compose.h"
#include "util/decimal.h"
#include "util/text.h"

namespace ledgernova::core {
namespace {

constexpr std::string_view kMember = "post_voucher";

bool fail(Contexto& contexto, const std::string& message) {
    return refuse(contexto, kMember, message);
}

// Charges and credits as the caller gave them, for the message of a voucher that does not balance.
std::string sums_of(const std::vector<tPlDetalle>& lines) {
    util::Decimal cargos;
    util::Decimal abonos;
    for (const auto& line : lines) {
        util::Decimal& sum = line.Pd_Tipo == eTmCargo ? cargos : abonos;
        sum = sum + util::Decimal::from_double(line.Pd_Importe);
    }
    return util::compose(FMT_COMPILE("Cargos: {} Abonos: {}"), cargos.to_fixed(2),
                         abonos.to_fixed(2));
}

// The electronic detail rows of the line just added, under its folio and line number; false at
// the first one refused, named by its place.
bool add_electronic(Contexto& contexto, std::size_t line, const std::vector<tPdElectronico>& rows) {
    for (std::size_t j = 0; j < rows.size(); ++j) {
        if (!electronic::Insertar_Detalle_Manual(contexto, contexto.header.Pl_Folio,
                                                 contexto.line.Pd_ID, rows[j])) {
            return fail(contexto, util::compose(FMT_COMPILE("Línea {}, comprobante {}:{}{}"),
                                                line + 1, j + 1, util::kCrLf, contexto.Error));
        }
    }
    return true;
}

// Every line through the object's own member, then its electronic detail; false at the first
// one refused, its text kept.
bool add_lines(Contexto& contexto, const std::vector<tPlDetalle>& lines,
               const ElectronicRows& electronic) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        contexto.self.put_Detalle(lines[i]);
        if (!contexto.self.Add_Poliza_Detalle()) {
            return fail(contexto, util::compose(FMT_COMPILE("Línea {}:{}{}"), i + 1, util::kCrLf,
                                                contexto.Error));
        }
        if (i < electronic.size() && !add_electronic(contexto, i, electronic[i])) {
            return false;
        }
    }
    return true;
}

bool balance(Contexto& contexto, const std::vector<tPlDetalle>& lines) {
    contexto.Error.clear();
    if (contexto.self.Poliza_Balanceada()) {
        return true;
    }
    return fail(contexto, contexto.Error.empty() ? "Póliza desbalanceada! " + sums_of(lines)
                                                 : contexto.Error);
}

bool write_voucher(Contexto& contexto, const tPlEncabezado& header,
                   const std::vector<tPlDetalle>& lines, const ElectronicRows& electronic) {
    db::Transaction transaction(Contexto::conexion());
    contexto.self.Nuevo();
    contexto.self.put_Encabezado(header);
    if (!contexto.Error.empty()) {
        return fail(contexto, contexto.Error);  // Nuevo reports only through Error
    }
    if (!add_lines(contexto, lines, electronic) || !balance(contexto, lines)) {
        return false;
    }
    transaction.Commit();
    return true;
}

}  // namespace

bool post_voucher(Contexto& contexto, const tPlEncabezado& header,
                  const std::vector<tPlDetalle>& lines, const ElectronicRows& electronic) {
    contexto.Error.clear();
    if (util::trim_blanks(header.Em_Cve_Empresa).empty()) {
        return fail(contexto, "No se especifico la empresa");
    }
    if (lines.empty()) {
        return fail(contexto, "La póliza no tiene líneas");
    }
    if (electronic.size() > lines.size()) {
        return fail(contexto, "Hay detalle electrónico para más líneas de las que tiene la póliza");
    }
    const bool posted = guarded(contexto, kMember, 1,
                                [&] { return write_voucher(contexto, header, lines, electronic); });
    if (!posted) {
        // Rolled back: the folio and number the object was given no longer exist.
        contexto.header.Pl_Folio.clear();
        contexto.header.Pl_Numero = header.Pl_Numero;
    }
    return posted;
}

}  // namespace ledgernova::core

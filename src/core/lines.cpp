#include "core/lines.h"

#include <cmath>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "core/numbering.h"
#include "core/periods.h"
#include "core/persistence.h"
#include "core/statement_text.h"
#include "db/sql_text.h"
#include "util/compose.h"
#include "util/decimal.h"
#include "util/text.h"

namespace ledgernova::core {
namespace {

constexpr std::string_view kMember = "Add_Poliza_Detalle";

bool refuse_line(Contexto& contexto, std::string_view message) {
    return refuse(contexto, kMember, message);
}

// Empty when the line's movement and amount can be booked, else the refusal's message. A line
// that would not be refused here could still never balance or be read back as written.
std::string line_values_refusal(const tPlDetalle& line) {
    if (line.Pd_Tipo != eTmCargo && line.Pd_Tipo != eTmAbono) {
        return "El tipo de movimiento debe ser 1 (cargo) o 2 (abono)";
    }
    if (std::isnan(line.Pd_Importe)) {
        return "El importe no es un número";
    }
    if (line.Pd_Importe < 0) {
        return "El importe no puede ser negativo";
    }
    if (line.Pd_Importe > util::kLargestAmount) {
        return util::compose(FMT_COMPILE("El importe excede el máximo de {:.2f}"),
                             util::kLargestAmount);
    }
    return {};
}

// Empty when the header can open a voucher (a valid date and type, the date agreeing with fiscal
// year and period), else the refusal's message.
std::string header_refusal(const tPlEncabezado& header) {
    if (!header.Pl_Fecha.is_valid()) {
        return "La fecha de la póliza no es válida";
    }
    if (header.Pl_Tipo_Poliza < eTp_Ingreso || header.Pl_Tipo_Poliza > eTp_Diario) {
        return "El tipo de póliza debe ser 1 (ingreso), 2 (egreso) o 3 (diario)";
    }
    const std::string year = std::to_string(header.Pl_Fecha.year());
    if (header.Pl_Periodo == "13") {
        if (header.Pl_Ejercicio != year) {
            return "La fecha de la póliza no coincide con el ejercicio ";
        }
        if (header.Pl_Fecha.month() != 12 || header.Pl_Fecha.day() != 31) {
            return "La fecha de la póliza debe ser el último día del año (31/12/YYYY) ";
        }
        return {};
    }
    if (header.Pl_Ejercicio != year ||
        header.Pl_Periodo != zero_padded(header.Pl_Fecha.month(), 2)) {
        return "La fecha de la póliza no coincide con el ejercicio y/o periodo especificados";
    }
    return {};
}

// Steps for the first line of a new voucher: checks, folio, number, header row.
bool open_voucher(Contexto& contexto) {
    auto& header = contexto.header;
    if (const std::string refusal = header_refusal(header); !refusal.empty()) {
        return refuse_line(contexto, refusal);
    }
    if (!periodo_operativo_abierto(header.Pl_Fecha)) {
        return refuse_line(contexto, mensaje_periodo_cerrado(header.Pl_Fecha));
    }
    const std::string folio = solicitar_folio();
    const std::string numero =
        header.Pl_Numero.empty() ? Genera_Numero_Poliza(contexto) : header.Pl_Numero;
    if (folio.empty()) {
        return refuse_line(contexto, "Imposible obtener el folio de la póliza");
    }
    if (numero.empty()) {
        return refuse_line(contexto, "Imposible obtener el número de la póliza");
    }
    contexto.Contador_Detalle = 0;
    contexto.Fecha_Movimiento =
        Contexto::datos().Formato_Fecha_Hora_SQL(Contexto::datos().Get_Fecha_Servidor());
    const std::string numero_anterior = header.Pl_Numero;
    header.Pl_Numero = numero;
    header.Pl_Folio = folio;
    if (!Inserta_Poliza_Encabezado(contexto)) {
        header.Pl_Folio.clear();  // no header row: the voucher is still new
        header.Pl_Numero = numero_anterior;
        return false;
    }
    return true;
}

// What the catalogue says of an account: whether it takes entries ("SI" for a Null, which does not
// refuse) and whether it is a result account (trimmed, "" for a Null); nothing when the account
// does not exist.
enum DatoCuenta : std::size_t { kRegistro, kResultado };

std::vector<std::string> catalogo(const std::string& cuenta) {
    auto rows = Contexto::leer_estable(
        "SELECT Cc_Registro,Cc_Resultado "
        "FROM Cuenta_Contable "
        "WHERE Cc_Cve_Cuenta_Contable = '" +
        db::esc(cuenta) + "' ");
    if (rows.Eof()) {
        return {};
    }
    const Variant registro = rows.Fields("Cc_Registro").Value;
    const Variant resultado = rows.Fields("Cc_Resultado").Value;
    return {registro.is_null() ? "SI" : registro.to_text(),
            resultado.is_null() ? std::string() : util::trim_blanks(resultado.to_text())};
}

// Empty when the account accepts the line, else the refusal's message.
std::string account_refusal(const Contexto& contexto) {
    const std::string& cuenta = contexto.line.Cc_Cve_Cuenta_Contable;
    const std::vector<std::string> datos =
        Contexto::compuesto("Cuenta_Contable\x1f" + cuenta, [&] { return catalogo(cuenta); });
    if (datos.empty()) {
        return "La cuenta contable:" + cuenta + ", no existe";
    }
    if (datos[kRegistro] != "SI") {
        return "La cuenta contable:" + cuenta + ", no es de registro";
    }
    if (contexto.Centro_Costo_Obligatorio && datos[kResultado] == "SI" &&
        util::trim_blanks(contexto.line.Pd_Centro_Costo).empty()) {
        return "Debe especificar un centro de costo para la cuenta " + cuenta +
               " es una cuenta de resultado";
    }
    return {};
}

void number_line(Contexto& contexto) {
    if (contexto.Contador_Detalle == INT16_MAX) {
        throw ConversionError("Overflow");
    }
    ++contexto.Contador_Detalle;
    contexto.line.Pd_ID = zero_padded(contexto.Contador_Detalle, 4);
}

}  // namespace

bool Add_Poliza_Detalle(Contexto& contexto) {
    return guarded(contexto, kMember, 2, [&] {
        contexto.Error.clear();
        if (const std::string refusal = line_values_refusal(contexto.line); !refusal.empty()) {
            return refuse_line(contexto, refusal);
        }
        if (contexto.header.Pl_Folio.empty() && !open_voucher(contexto)) {
            return false;
        }
        if (const std::string refusal = account_refusal(contexto); !refusal.empty()) {
            return refuse_line(contexto, refusal);
        }
        number_line(contexto);
        return Inserta_Poliza_Detalle(contexto);
    });
}

}  // namespace ledgernova::core

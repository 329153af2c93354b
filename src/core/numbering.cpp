#include "core/numbering.h"

#include <algorithm>

#include "db/sql_text.h"

namespace ledgernova::core {
namespace {

bool is_digit_position(char c) {
    return c == '0' || c == '#';
}

// The values are quoted: company keys keep their leading zeros and need not be numeric.
std::string numbering_condition(const tPlEncabezado& header) {
    return "Pl_Ejercicio = '" + db::esc(header.Pl_Ejercicio) + "' AND Pl_Periodo = '" +
           db::esc(header.Pl_Periodo) + "' AND Pl_Tipo = " + std::to_string(header.Pl_Tipo_Poliza) +
           " AND Em_Cve_Empresa = '" + db::esc(header.Em_Cve_Empresa) + "'";
}

}  // namespace

std::string solicitar_folio() {
    return Contexto::datos().Get_Folio("", "Poliza", 10, true).to_text();
}

std::string Genera_Numero_Poliza(Contexto& contexto) {
    auto& datos = Contexto::datos();
    const auto& header = contexto.header;
    contexto.Formato_Poliza = Contexto::parametro("FTO_POLIZA", 0, "T", "0000000000").to_text();
    contexto.Numero_Poliza_X_Empresa =
        Contexto::parametro("CON_NUMERO_POLIZA_X_EMPRESA", 0, "B", "0").to_bool();
    const std::string tipo = std::to_string(header.Pl_Tipo_Poliza);
    const std::string raw =
        contexto.Numero_Poliza_X_Empresa
            ? datos.Get_Consecutivo_Condicion("Poliza", "Pl_Numero", numbering_condition(header),
                                              contexto.Formato_Poliza)
            : std::to_string(datos.Get_Consecutivo(
                  "Poliza", "Pl_Numero", "Pl_Ejercicio", header.Pl_Ejercicio, "Pl_Periodo",
                  header.Pl_Periodo, "Pl_Tipo", tipo, contexto.Formato_Poliza));
    return formatear_numero(raw, contexto.Formato_Poliza);
}

std::string formatear_numero(const std::string& digits, const std::string& pattern) {
    if (digits.empty()) {
        return {};
    }
    const auto positions =
        static_cast<std::size_t>(std::count_if(pattern.begin(), pattern.end(), is_digit_position));
    if (positions == 0) {
        return pattern + digits;
    }
    std::string result;
    std::size_t next = digits.size();  // digits still to place, taken from the right
    std::size_t seen = 0;
    for (auto it = pattern.rbegin(); it != pattern.rend(); ++it) {
        if (!is_digit_position(*it)) {
            result.push_back(*it);
            continue;
        }
        ++seen;
        if (seen == positions && next > 0) {
            result.append(digits.rbegin() + static_cast<std::ptrdiff_t>(digits.size() - next),
                          digits.rend());  // the leftmost position takes every digit left
            next = 0;
        } else if (next > 0) {
            result.push_back(digits[--next]);
        } else if (*it == '0') {
            result.push_back('0');
        }
    }
    return {result.rbegin(), result.rend()};
}

}  // namespace ledgernova::core

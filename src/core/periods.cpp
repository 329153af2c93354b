#include "core/periods.h"

#include <fmt/format.h>

#include "core/contexto.h"
#include "util/compose.h"
#include "util/text.h"

namespace ledgernova::core {

bool parametro_booleano(const Variant& value) {
    if (value.is_null() || value.is_empty()) {
        return false;
    }
    if (value.kind() == Variant::Kind::Text) {
        // Administrators write Spanish yes/no as readily as 1/0.
        const std::string text = util::trim_blanks(value.to_text());
        if (text.empty() || util::iequals(text, "NO")) {
            return false;
        }
        if (util::iequals(text, "SI")) {
            return true;
        }
    }
    return value.to_bool();
}

bool periodo_operativo_abierto(Date fecha) {
    const Variant validar = Contexto::parametro("GEN_VALIDAR_PERIODO_OPERATIVO", 0, "", "");
    if (!parametro_booleano(validar)) {
        return true;
    }
    return Contexto::datos().Valida_Periodo_Operativo(fecha, "CONTABILIDAD", 0);
}

std::string mensaje_periodo_cerrado(Date fecha) {
    return util::compose(
        FMT_COMPILE(
            "El período operativo correspondiente a la fecha: {:02}-{:02}-{:04}, está cerrado o no "
            "existe!"),
        fecha.day(), fecha.month(), fecha.year());
}

}  // namespace ledgernova::core

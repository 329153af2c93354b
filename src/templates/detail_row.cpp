#include "templates/detail_row.h"

#include <algorithm>
#include <vector>

#include "util/text.h"

namespace ledgernova::templates {

FilaDetalle::FilaDetalle(const db::Recordset& detalle) : detalle_(detalle) {
    std::vector<std::string> nombres;
    nombres.reserve(detalle.Count());
    for (std::size_t i = 0; i < detalle.Count(); ++i) {
        nombres.push_back(detalle.Fields(i).Name);
    }
    for (std::size_t columna = 0; columna < kColumnasDetalle.size(); ++columna) {
        const std::string_view buscada = kColumnasDetalle[columna];
        const auto igual = [&](const std::string& nombre) {
            return nombre.size() == buscada.size() && util::iequals(nombre, buscada);
        };
        const auto encontrada = std::ranges::find_if(nombres, igual);  // the first of equal names
        posiciones_[columna] = encontrada == nombres.end()
                                   ? kFalta
                                   : static_cast<std::size_t>(encontrada - nombres.begin());
    }
}

Variant FilaDetalle::valor(std::size_t columna) const {
    const std::size_t posicion = posiciones_[columna];
    if (posicion == kFalta) {
        return detalle_.Fields(kColumnasDetalle[columna]).Value;
    }
    return detalle_.Fields(posicion).Value;
}

}  // namespace ledgernova::templates

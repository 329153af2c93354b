#include "templates/detail_row.h"

#include "util/text.h"

namespace ledgernova::templates {

FilaDetalle::FilaDetalle(const db::Recordset& detalle) : detalle_(detalle) {
    posiciones_.fill(kFalta);
    for (std::size_t i = detalle.Count(); i-- > 0;) {  // backwards: the first of equal names wins
        const std::string nombre = detalle.Fields(i).Name;
        for (std::size_t columna = 0; columna < kColumnasDetalle.size(); ++columna) {
            const std::string_view buscada = kColumnasDetalle[columna];
            if (nombre.size() == buscada.size() && util::iequals(nombre, buscada)) {
                posiciones_[columna] = i;
            }
        }
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

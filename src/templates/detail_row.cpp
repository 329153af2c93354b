#include "templates/detail_row.h"

#include "db/recordset_columns.h"
#include "util/text.h"

namespace ledgernova::templates {

FilaDetalle::FilaDetalle(const db::Recordset& detalle) : detalle_(detalle) {
    for (std::size_t columna = 0; columna < kColumnasDetalle.size(); ++columna) {
        posiciones_[columna] = posicion(detalle, kColumnasDetalle[columna]);
    }
}

// The first column of that name, or kFalta.
std::size_t FilaDetalle::posicion(const db::Recordset& detalle, std::string_view buscada) {
    for (std::size_t i = 0; i < detalle.Count(); ++i) {
        const std::string& nombre = db::field_name(detalle, i);
        if (nombre.size() == buscada.size() && util::iequals(nombre, buscada)) {
            return i;
        }
    }
    return kFalta;
}

Variant FilaDetalle::valor(std::size_t columna) const {
    const std::size_t posicion = posiciones_[columna];
    if (posicion == kFalta) {
        return detalle_.Fields(kColumnasDetalle[columna]).Value;
    }
    return db::field_value(detalle_, posicion);
}

}  // namespace ledgernova::templates

#include "templates/detail_row.h"

#include "db/recordset_columns.h"

namespace ledgernova::templates {

FilaDetalle::FilaDetalle(const db::Recordset& detalle) : detalle_(detalle) {
    for (std::size_t columna = 0; columna < kColumnasDetalle.size(); ++columna) {
        const std::size_t posicion = db::field_position(detalle, kColumnasDetalle[columna]);
        posiciones_[columna] = posicion == std::string_view::npos ? kFalta : posicion;
    }
}

Variant FilaDetalle::valor(std::size_t columna) const {
    const std::size_t posicion = posiciones_[columna];
    if (posicion == kFalta) {
        return detalle_.Fields(kColumnasDetalle[columna]).Value;
    }
    return db::field_value(detalle_, posicion);
}

}  // namespace ledgernova::templates

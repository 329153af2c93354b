#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "ledgernova/connection.h"

namespace ledgernova::templates {

// The columns of the detail statement's result that a generation reads from every row.
inline constexpr std::array<std::string_view, 18> kColumnasDetalle = {
    "Cc_Cve_Cuenta_Contable",
    "Pd_Centro_Costo",
    "Pd_Concepto",
    "Pd_Referencia",
    "Pd_Tipo",
    "Pd_Importe",
    "Pcd_Tipo_Detalle_1",
    "Pcd_Comando_Detalle_1",
    "Pcd_Tipo_Detalle_2",
    "Pcd_Comando_Detalle_2",
    "Pcd_Tipo_Detalle_3",
    "Pcd_Comando_Detalle_3",
    "Pcd_Tipo_Detalle_4",
    "Pcd_Comando_Detalle_4",
    "Pcd_Tipo_Detalle_5",
    "Pcd_Comando_Detalle_5",
    "Pcd_Tipo_Detalle_6",
    "Pcd_Comando_Detalle_6",
};

// Places in kColumnasDetalle. The kind of electronic entry i (from 0) is at kTipoDetalle + 2i,
// its command right after it.
enum ColumnaDetalle : std::size_t {
    kCuenta,
    kCentroCosto,
    kConcepto,
    kReferencia,
    kTipo,
    kImporte,
    kTipoDetalle,
};

// The current row of the detail statement's result, whose columns are found once by name, as a
// read by name finds them (without regard to case, the first of equal names), and then read by
// position in every row. The result must have a current row when this is made, and outlive it.
class FilaDetalle {
  public:
    explicit FilaDetalle(const db::Recordset& detalle);

    // The column's value in the current row. A column the result lacks is read by name, and
    // fails as that read does.
    [[nodiscard]] Variant valor(std::size_t columna) const;
    [[nodiscard]] std::string texto(std::size_t columna) const { return valor(columna).to_text(); }

  private:
    static constexpr std::size_t kFalta = kColumnasDetalle.size();

    const db::Recordset& detalle_;
    std::array<std::size_t, kColumnasDetalle.size()> posiciones_{};
};

}  // namespace ledgernova::templates

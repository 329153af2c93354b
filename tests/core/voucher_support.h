#pragma once

#include <string>

#include "ledgernova/polizas.h"
#include "support/ledger.h"

namespace ledgernova::testing {

// What every refusal of a whole voucher starts with.
inline constexpr const char* kPostSource = "ledgerNova.dll - post_voucher()\r\n";

inline tPlEncabezado header(Date date, eTipoPoliza tipo = eTp_Egreso,
                            const std::string& empresa = "001") {
    tPlEncabezado result;
    result.Pl_Fecha = date;
    result.Pl_Tipo_Poliza = tipo;
    result.Em_Cve_Empresa = empresa;
    result.Pl_Tabla = "Compras";
    result.Pl_Documento = "A-17";
    result.Pl_Referencia = "R";
    result.Pl_Comentario = "C";
    return result;
}

inline tPlDetalle line(const std::string& cuenta, eTipoMovimiento tipo, double importe,
                       const std::string& centro = "") {
    return tPlDetalle{"", cuenta, "Pago", "", tipo, importe, centro};
}

// Puts the line and adds it; the test reads get_Error() when this is false.
inline bool add(Polizas& polizas, const tPlDetalle& detalle) {
    polizas.put_Detalle(detalle);
    return polizas.Add_Poliza_Detalle();
}

// A new voucher of the given header with one charge and one credit of the same amount.
inline std::string balanced_voucher(Polizas& polizas, const tPlEncabezado& encabezado) {
    polizas.Nuevo();
    polizas.put_Encabezado(encabezado);
    if (!add(polizas, line("1101", eTmCargo, 10)) || !add(polizas, line("2101", eTmAbono, 10)) ||
        !polizas.Poliza_Balanceada()) {
        return "failed: " + polizas.get_Error();
    }
    return polizas.get_Encabezado().Pl_Numero;
}

}  // namespace ledgernova::testing

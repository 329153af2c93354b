#pragma once

#include <cstdint>
#include <string>

#include "ledgernova/date.h"

namespace ledgernova {

// Voucher types. A header fresh from Nuevo carries 0, no type yet.
enum eTipoPoliza : std::int32_t {
    eTp_Ingreso = 1,  // income
    eTp_Egreso = 2,   // expense
    eTp_Diario = 3,   // journal
};

// Movement of a voucher line.
enum eTipoMovimiento : std::int32_t {
    eTmCargo = 1,  // charge
    eTmAbono = 2,  // credit
};

// Voucher header, fields in interface order.
struct tPlEncabezado {
    std::string Pl_Folio;      // unique key, given when the first line is added
    std::string Pl_Ejercicio;  // fiscal year, four digits; always follows Pl_Fecha
    std::string Pl_Periodo;    // "01".."12", or "13" for the year-end period
    eTipoPoliza Pl_Tipo_Poliza = static_cast<eTipoPoliza>(0);
    std::string Pl_Numero;  // number within year, period and type
    Date Pl_Fecha;
    std::string Pl_Tabla;      // source table, free text
    std::string Pl_Documento;  // source document key
    std::string Pl_Referencia;
    std::string Pl_Comentario;
    std::string Pl_Configuracion;  // template key; empty for a manual voucher
    std::string Em_Cve_Empresa;

    friend bool operator==(const tPlEncabezado&, const tPlEncabezado&) = default;
};

// One voucher line, fields in interface order.
struct tPlDetalle {
    std::string Pd_ID;  // "0001", "0002", ... given when the line is added
    std::string Cc_Cve_Cuenta_Contable;
    std::string Pd_Concepto;
    std::string Pd_Referencia;
    eTipoMovimiento Pd_Tipo = eTmCargo;
    double Pd_Importe = 0.0;
    std::string Pd_Centro_Costo;

    friend bool operator==(const tPlDetalle&, const tPlDetalle&) = default;
};

}  // namespace ledgernova

#pragma once

#include <string>

#include "ledgernova/date.h"
#include "ledgernova/export.h"
#include "ledgernova/records.h"

namespace ledgernova {

// The interface of the voucher object, members in interface order. No member throws: a member
// that fails returns false (or the empty text) and leaves the reason in get_Error().
// NOLINTNEXTLINE(bugprone-reserved-identifier): the interface's published name
class LEDGERNOVA_API _Polizas {
  public:
    virtual ~_Polizas() = default;

    // Points the object at a voucher: sets the header's folio and nothing else.
    virtual void put_Folio(const std::string& Folio) = 0;
    // Text of the last failure.
    [[nodiscard]] virtual std::string get_Error() = 0;
    [[nodiscard]] virtual tPlEncabezado get_Encabezado() = 0;
    // Takes the header, but the folio stays, the year follows the date and the period follows the
    // date unless one is given ("13").
    virtual void put_Encabezado(const tPlEncabezado& Encabezado) = 0;
    [[nodiscard]] virtual tPlDetalle get_Detalle() = 0;
    virtual void put_Detalle(const tPlDetalle& Detalle) = 0;
    // Starts a new voucher: no folio, today's date, no table, document, comment or type.
    virtual void Nuevo() = 0;
    // Adds the current line; for the first line of a new voucher, also numbers and writes the
    // header.
    [[nodiscard]] virtual bool Add_Poliza_Detalle() = 0;
    [[nodiscard]] virtual bool Cancelar_Poliza(const std::string& Pl_Folio) = 0;
    [[nodiscard]] virtual bool Cancelar_Poliza_Documento(const std::string& Tabla,
                                                         const std::string& Pc_Documento) = 0;
    // True when the stored lines balance, exactly or after one rounding line.
    [[nodiscard]] virtual bool Poliza_Balanceada() = 0;
    [[nodiscard]] virtual bool Genera_Poliza_Tabla(const std::string& sTabla,
                                                   const std::string& sFolio,
                                                   const std::string& Em_Cve_Empresa) = 0;
    [[nodiscard]] virtual std::string GetSQL_Condicion_General(
        const std::string& Pc_Cve_Poliza_Configuracion, const std::string& Empresa) = 0;
    [[nodiscard]] virtual std::string GetSQL_Encabezado(
        const std::string& Pc_Cve_Poliza_Configuracion, const Date& iFecha,
        const std::string& sValor, const std::string& CondicionG) = 0;
    [[nodiscard]] virtual std::string GetSQL_Detalle(const std::string& Pc_Cve_Poliza_Configuracion,
                                                     const Date& iFecha, const std::string& sValor,
                                                     const std::string& CondicionG) = 0;
    [[nodiscard]] virtual bool Contabiliza_En_Linea(const std::string& sTabla) = 0;
};

}  // namespace ledgernova

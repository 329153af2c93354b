#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ledgernova/electronic_row.h"
#include "ledgernova/export.h"
#include "ledgernova/ipolizas.h"

namespace ledgernova {

namespace core {
struct Contexto;
}

// The voucher object. Creating one starts the module state of the calling thread when needed
// (host objects and module parameters) and reads "CON_CENTRO_COSTO_OBLIGATORIO"; a failure there
// is left in get_Error(), and every member that needs the host then fails with its own text.
// An object belongs to the thread that created it.
class LEDGERNOVA_API Polizas final : public _Polizas {
  public:
    Polizas();
    Polizas(const Polizas&) = delete;
    Polizas& operator=(const Polizas&) = delete;
    ~Polizas() override;

    void put_Folio(const std::string& Folio) override;
    std::string get_Error() override;
    tPlEncabezado get_Encabezado() override;
    void put_Encabezado(const tPlEncabezado& Encabezado) override;
    tPlDetalle get_Detalle() override;
    void put_Detalle(const tPlDetalle& Detalle) override;
    void Nuevo() override;
    bool Add_Poliza_Detalle() override;
    bool Cancelar_Poliza(const std::string& Pl_Folio) override;
    bool Cancelar_Poliza_Documento(const std::string& Tabla,
                                   const std::string& Pc_Documento) override;
    bool Poliza_Balanceada() override;
    bool Genera_Poliza_Tabla(const std::string& sTabla, const std::string& sFolio,
                             const std::string& Em_Cve_Empresa) override;
    std::string GetSQL_Condicion_General(const std::string& Pc_Cve_Poliza_Configuracion,
                                         const std::string& Empresa) override;
    std::string GetSQL_Encabezado(const std::string& Pc_Cve_Poliza_Configuracion,
                                  const Date& iFecha, const std::string& sValor,
                                  const std::string& CondicionG) override;
    std::string GetSQL_Detalle(const std::string& Pc_Cve_Poliza_Configuracion, const Date& iFecha,
                               const std::string& sValor, const std::string& CondicionG) override;
    bool Contabiliza_En_Linea(const std::string& sTabla) override;

    // Posts a whole manual voucher atomically: Nuevo, the header as given (put_Encabezado), every
    // line through Add_Poliza_Detalle, then Poliza_Balanceada, all in one transaction of the
    // host's connection. True when every line was written and the voucher balances (after at most
    // one rounding line); get_Encabezado() then gives its folio and number. False with the reason
    // in get_Error() ("ledgerNova.dll - post_voucher()", a line break, then "No se especifico la
    // empresa", "La póliza no tiene líneas", "Línea N:" and the line's refusal, or "Póliza
    // desbalanceada! ..."); nothing of the voucher then stays in the database. Callers that add
    // lines one by one keep Add_Poliza_Detalle, which writes each statement as it goes.
    [[nodiscard]] bool post_voucher(const tPlEncabezado& Encabezado,
                                    const std::vector<tPlDetalle>& Detalles);

    // The same with electronic detail: `Electronicos[k]` holds the rows of line k + 1 (lines past
    // the vector's end carry none; more vectors than lines are refused). After a line is added,
    // each of its rows is checked, completed by the bank and taxpayer lookups and written exactly
    // as a template's detail command row of its kind is, under the module's validation switch
    // (CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA). A row refused makes the whole voucher refused:
    // get_Error() gives "Línea N, comprobante M:", a line break and the check's own text, and
    // nothing of the voucher stays.
    [[nodiscard]] bool post_voucher(const tPlEncabezado& Encabezado,
                                    const std::vector<tPlDetalle>& Detalles,
                                    const std::vector<std::vector<tPdElectronico>>& Electronicos);

    // The folios of the vouchers that the last Genera_Poliza_Tabla of this object wrote and
    // committed, in the order they were generated: none when it found nothing left to post
    // (another caller may have posted the document first) or was refused before posting.
    [[nodiscard]] const std::vector<std::string>& posted_folios() const;

  private:
    std::unique_ptr<core::Contexto> contexto_;
};

}  // namespace ledgernova

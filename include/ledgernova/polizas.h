#pragma once

#include <memory>
#include <string>

#include "ledgernova/ipolizas.h"

namespace ledgernova {

namespace core {
struct Contexto;
}

// The voucher object. Creating one starts the module state of the calling thread when needed
// (host objects and module parameters) and reads "CON_CENTRO_COSTO_OBLIGATORIO"; a failure there
// is left in get_Error(), and every member that needs the host then fails with its own text.
// An object belongs to the thread that created it.
class Polizas final : public _Polizas {
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

  private:
    std::unique_ptr<core::Contexto> contexto_;
};

}  // namespace ledgernova

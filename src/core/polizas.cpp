#include "ledgernova/polizas.h"

#include "core/balance.h"
#include "core/cancellation.h"
#include "core/contexto.h"
#include "core/header.h"
#include "core/lines.h"
#include "core/voucher_posting.h"
#include "templates/batch.h"
#include "templates/conditions.h"
#include "templates/detail_query.h"
#include "templates/header_query.h"

namespace ledgernova {

Polizas::Polizas() : contexto_(std::make_unique<core::Contexto>(*this)) {
    (void)core::guarded(*contexto_, "Class_Initialize", 1, [&] {
        contexto_->Error.clear();
        contexto_->Centro_Costo_Obligatorio =
            core::Contexto::sistema()
                .Get_Parametro("CON_CENTRO_COSTO_OBLIGATORIO", 0, "B", "0")
                .to_bool();
        return true;
    });
}

Polizas::~Polizas() = default;

void Polizas::put_Folio(const std::string& Folio) {
    contexto_->header.Pl_Folio = Folio;
}

std::string Polizas::get_Error() {
    return contexto_->Error;
}

tPlEncabezado Polizas::get_Encabezado() {
    return contexto_->header;
}

void Polizas::put_Encabezado(const tPlEncabezado& Encabezado) {
    core::poner_encabezado(*contexto_, Encabezado);
}

tPlDetalle Polizas::get_Detalle() {
    return contexto_->line;
}

void Polizas::put_Detalle(const tPlDetalle& Detalle) {
    contexto_->line = Detalle;
}

void Polizas::Nuevo() {
    (void)core::guarded(*contexto_, "Nuevo", 1, [&] {
        core::nuevo(*contexto_);
        return true;
    });
}

bool Polizas::Add_Poliza_Detalle() {
    return core::Add_Poliza_Detalle(*contexto_);
}

bool Polizas::Cancelar_Poliza(const std::string& Pl_Folio) {
    return core::Cancelar_Poliza(*contexto_, Pl_Folio);
}

bool Polizas::Cancelar_Poliza_Documento(const std::string& Tabla, const std::string& Pc_Documento) {
    return core::Cancelar_Poliza_Documento(*contexto_, Tabla, Pc_Documento);
}

bool Polizas::Poliza_Balanceada() {
    return core::Poliza_Balanceada(*contexto_);
}

bool Polizas::Genera_Poliza_Tabla(const std::string& sTabla, const std::string& sFolio,
                                  const std::string& Em_Cve_Empresa) {
    return templates::Genera_Poliza_Tabla(*contexto_, sTabla, sFolio, Em_Cve_Empresa);
}

std::string Polizas::GetSQL_Condicion_General(const std::string& Pc_Cve_Poliza_Configuracion,
                                              const std::string& Empresa) {
    return templates::GetSQL_Condicion_General(*contexto_, Pc_Cve_Poliza_Configuracion, Empresa);
}

std::string Polizas::GetSQL_Encabezado(const std::string& Pc_Cve_Poliza_Configuracion,
                                       const Date& iFecha, const std::string& sValor,
                                       const std::string& CondicionG) {
    return templates::GetSQL_Encabezado(*contexto_, Pc_Cve_Poliza_Configuracion, iFecha, sValor,
                                        CondicionG);
}

std::string Polizas::GetSQL_Detalle(const std::string& Pc_Cve_Poliza_Configuracion,
                                    const Date& iFecha, const std::string& sValor,
                                    const std::string& CondicionG) {
    return templates::GetSQL_Detalle(*contexto_, Pc_Cve_Poliza_Configuracion, iFecha, sValor,
                                     CondicionG);
}

bool Polizas::Contabiliza_En_Linea(const std::string& sTabla) {
    return templates::Contabiliza_En_Linea(*contexto_, sTabla);
}

bool Polizas::post_voucher(const tPlEncabezado& Encabezado,
                           const std::vector<tPlDetalle>& Detalles) {
    return core::post_voucher(*contexto_, Encabezado, Detalles, {});
}

bool Polizas::post_voucher(const tPlEncabezado& Encabezado, const std::vector<tPlDetalle>& Detalles,
                           const std::vector<std::vector<tPdElectronico>>& Electronicos) {
    return core::post_voucher(*contexto_, Encabezado, Detalles, Electronicos);
}

const std::vector<std::string>& Polizas::posted_folios() const {
    return contexto_->folios_generados;
}

}  // namespace ledgernova

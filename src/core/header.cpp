#include "core/header.h"

#include "core/statement_text.h"

namespace ledgernova::core {

void poner_encabezado(Contexto& contexto, const tPlEncabezado& given) {
    auto& header = contexto.header;
    header.Pl_Tipo_Poliza = given.Pl_Tipo_Poliza;
    header.Pl_Fecha = given.Pl_Fecha;
    header.Pl_Tabla = given.Pl_Tabla;
    header.Pl_Documento = given.Pl_Documento;
    header.Pl_Comentario = given.Pl_Comentario;
    header.Pl_Numero = given.Pl_Numero;
    header.Pl_Referencia = given.Pl_Referencia;
    header.Pl_Configuracion = given.Pl_Configuracion;
    // A date that is not valid has no year or month; the first line then refuses the voucher.
    const bool dated = given.Pl_Fecha.is_valid();
    header.Pl_Ejercicio = dated ? std::to_string(given.Pl_Fecha.year()) : std::string();
    header.Pl_Periodo = !given.Pl_Periodo.empty() ? given.Pl_Periodo
                        : dated                   ? zero_padded(given.Pl_Fecha.month(), 2)
                                                  : std::string();
    header.Em_Cve_Empresa = given.Em_Cve_Empresa;
}

void nuevo(Contexto& contexto) {
    auto& header = contexto.header;
    header.Pl_Folio.clear();
    header.Pl_Fecha = Contexto::datos().Get_Fecha_Servidor();
    header.Pl_Tabla.clear();
    header.Pl_Documento.clear();
    header.Pl_Comentario.clear();
    header.Pl_Tipo_Poliza = static_cast<eTipoPoliza>(0);
}

}  // namespace ledgernova::core

#include "electronic/checks.h"

#include "db/recordset_columns.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

using core::Contexto;

std::string bloque_diagnostico(const std::string& Pl_Folio, const std::string& Pd_ID,
                               const std::string& Tipo, const std::string& Comando) {
    const std::string crlf(util::kCrLf);
    return "=> POLIZA: " + Pl_Folio + crlf + "=> ID: " + Pd_ID + crlf + "=> TIPO: " + Tipo + crlf +
           "=> SQL: " + Comando;
}

}  // namespace

Ejecucion::Ejecucion(Contexto& objeto, const std::string& folio, const std::string& id,
                     const std::string& tipo, const std::string& comando)
    : contexto(objeto),
      Pl_Folio(folio),
      Pd_ID(id),
      Tipo(tipo),
      Comando(comando),
      validar(Contexto::modulo().Validar_Contabilidad_Electronica) {}

// Composed only for a message: most runs pass every check.
std::string Ejecucion::diagnostico() const {
    return bloque_diagnostico(Pl_Folio, Pd_ID, Tipo, Comando);
}

Valores Ejecucion::valores_iniciales() const {
    Valores valores;
    valores.Moneda = contexto.Moneda_Local;
    return valores;
}

Valores Ejecucion::valores_de_fila() const {
    Valores valores = valores_iniciales();
    lee(valores.Moneda, col::Moneda);  // an empty currency stays empty
    valores.Tipo_Cambio = tiene(col::TipoCambio) ? numero(col::TipoCambio, 1.0) : 1.0;
    return valores;
}

void Ejecucion::lee(std::string& valor, Columna columna) const {
    if (tiene(columna)) {
        valor = db::field_value(rs, campos.*columna.nombre).to_text();
    }
}

double Ejecucion::numero(Columna columna, double si_vacio) const {
    const Variant& valor = db::field_value(rs, campos.*columna.nombre);
    return valor.to_text().empty() ? si_vacio : valor.to_double();
}

bool Ejecucion::revisa(bool cumple, std::string_view prefijo, std::string_view etiqueta,
                       Efecto efecto) {
    if (cumple) {
        return true;
    }
    contexto.Error = std::string(prefijo) + std::string(util::kCrLf) + std::string(etiqueta) +
                     std::string(util::kCrLf) + diagnostico();
    return efecto == Efecto::avisa || !validar;
}

bool Ejecucion::revisa_valor(std::string& valor, Columna columna, std::string_view prefijo,
                             std::string_view etiqueta, Efecto efecto) {
    lee(valor, columna);
    return revisa(!valor.empty(), prefijo, etiqueta, efecto);
}

bool Ejecucion::monto(Valores& valores, std::string_view prefijo) {
    if (!tiene(col::Monto)) {
        return revisa(false, prefijo, kEtiquetaMonto);  // the amount stays 0
    }
    valores.Monto = numero(col::Monto, 0.0);
    return true;
}

bool Ejecucion::detiene(std::string_view fuente) {
    contexto.Error = std::string(fuente) + std::string(util::kCrLf) + contexto.Error;
    return false;
}

}  // namespace ledgernova::electronic

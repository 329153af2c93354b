#include "templates/header_query.h"

#include <utility>

#include "db/sql_text.h"
#include "templates/conditions.h"
#include "util/text.h"

namespace ledgernova::templates {
namespace {

const std::string kCrLf(util::kCrLf);

// An empty expression becomes the literal '' so the column still exists; a Null is not empty and
// is written as nothing.
std::string expresion_o_vacia(const Variant& column) {
    if (!column.is_null() && column.to_text().empty()) {
        return "''";
    }
    return texto_concatenado(column);
}

// The statement up to its conditions (see Partes), from the template alone. No parts when the
// template or its table is missing.
Partes componer(const std::string& key) {
    const auto plantilla = core::Contexto::leer_estable(
        "SELECT "
        "   Poliza_Configuracion.Pc_Descripcion, "
        "   Poliza_Configuracion.Pc_Comentario, "
        "   Poliza_Configuracion.Pc_Referencia, "
        "   Poliza_Configuracion.Pc_Relacion, "
        "   Poliza_Configuracion.Pc_Tipo, "
        "   Poliza_Configuracion_Tabla.Pc_Campo_Dia, "
        "   Poliza_Configuracion_Tabla.Pc_Campo_Movimiento " +
        plantilla_y_tabla(key));
    if (plantilla.Eof()) {
        return {};
    }
    std::string S = bloque_comentario(campo_concatenado(plantilla, "Pc_Descripcion"));
    S += "SELECT TOP 1 " + kCrLf;
    S += campo_concatenado(plantilla, "Pc_Tipo") + " as Pl_Tipo, " + kCrLf;
    S += expresion_o_vacia(plantilla.Fields("Pc_Referencia").Value) + " as Pl_Referencia, " + kCrLf;
    S += expresion_o_vacia(plantilla.Fields("Pc_Comentario").Value) + " as Pl_Comentario " + kCrLf;
    S += "FROM " + kCrLf;
    S += campo_concatenado(plantilla, "Pc_Relacion") + kCrLf;
    S += "WHERE " + kCrLf;
    return {std::move(S), std::string()};
}

std::string con_documento(core::Contexto& contexto, const Partes& partes, const std::string& key,
                          Date iFecha, const std::string& sValor, const std::string& CondicionG) {
    if (partes.empty()) {
        return {};
    }
    const std::string P = GetSQL_Condicion_Poliza(contexto, key, sValor);
    return con_condiciones(partes, P, CondicionG, iFecha);
}

std::string encabezado(core::Contexto& contexto, const std::string& key, Date iFecha,
                       const std::string& sValor, const std::string& CondicionG) {
    const Partes partes =
        core::Contexto::compuesto("GetSQL_Encabezado\x1f" + key, [&] { return componer(key); });
    return con_documento(contexto, partes, key, iFecha, sValor, CondicionG);
}

}  // namespace

std::string GetSQL_Encabezado(core::Contexto& contexto, const std::string& key, Date iFecha,
                              const std::string& sValor, const std::string& CondicionG) {
    std::string result;
    (void)core::guarded(contexto, "GetSQL_Encabezado", 1, [&] {
        result = encabezado(contexto, key, iFecha, sValor, CondicionG);
        return true;
    });
    return result;
}

}  // namespace ledgernova::templates

#include "templates/header_query.h"

#include "db/sql_text.h"
#include "templates/conditions.h"
#include "util/dates.h"
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

std::string componer(const db::Recordset& plantilla, const std::string& P,
                     const std::string& CondicionG) {
    std::string S = bloque_comentario(campo_concatenado(plantilla, "Pc_Descripcion"));
    S += "SELECT TOP 1 " + kCrLf;
    S += campo_concatenado(plantilla, "Pc_Tipo") + " as Pl_Tipo, " + kCrLf;
    S += expresion_o_vacia(plantilla.Fields("Pc_Referencia").Value) + " as Pl_Referencia, " + kCrLf;
    S += expresion_o_vacia(plantilla.Fields("Pc_Comentario").Value) + " as Pl_Comentario " + kCrLf;
    S += "FROM " + kCrLf;
    S += campo_concatenado(plantilla, "Pc_Relacion") + kCrLf;
    S += "WHERE " + kCrLf;
    S += condiciones_where(P, CondicionG);
    return S;
}

std::string encabezado(core::Contexto& contexto, const std::string& key, Date iFecha,
                       const std::string& sValor, const std::string& CondicionG) {
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
    const std::string P = GetSQL_Condicion_Poliza(contexto, key, sValor);
    return util::replace_all(componer(plantilla, P, CondicionG), "<FECHA>",
                             util::format_dd_mmm_yyyy(iFecha));
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

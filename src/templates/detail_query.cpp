#include "templates/detail_query.h"

#include <array>
#include <string_view>

#include "db/sql_text.h"
#include "electronic/configuration.h"
#include "templates/conditions.h"
#include "templates/grouping.h"
#include "util/dates.h"
#include "util/text.h"

namespace ledgernova::templates {
namespace {

const std::string kCrLf(util::kCrLf);

struct ColumnaLinea {
    std::string_view columna;
    std::string_view alias;
};

constexpr std::array<ColumnaLinea, 4> kColumnasLinea = {{
    {"Pcd_Cuenta_Contable", " as Cc_Cve_Cuenta_Contable, "},
    {"Pcd_Centro_Costo", " as Pd_Centro_Costo, "},
    {"Pcd_Concepto", " as Pd_Concepto, "},
    {"Pcd_Referencia", " as Pd_Referencia, "},
}};

// The select list F of one line and its GROUP BY list G.
struct Listas {
    std::string F;
    std::string G;
};

std::string texto(const db::Recordset& linea, std::string_view columna) {
    return linea.Fields(columna).Value.to_text();
}

void agregar_detalle_electronico(core::Contexto& contexto, const std::string& key,
                                 const db::Recordset& linea, Listas& listas) {
    std::string FE;
    std::string GE;
    // A failure leaves its own error text; the line goes on with what was built.
    (void)electronic::Get_Detalle_Electronico(contexto, key, texto(linea, "Pcd_ID"), FE, GE);
    listas.F += FE;
    if (listas.G.empty()) {
        listas.G = GE;
    } else if (!GE.empty()) {
        listas.G += ", " + kCrLf + GE;
    }
}

// A line is a charge exactly when its charge expression is filled.
std::string tipo_e_importe(const db::Recordset& linea) {
    const Variant cargo = linea.Fields("Pcd_Cargo").Value;
    if (!cargo.is_null() && !cargo.to_text().empty()) {
        return "1 as Pd_Tipo, " + kCrLf + cargo.to_text() + " as Pd_Importe " + kCrLf;
    }
    return "2 as Pd_Tipo, " + kCrLf + campo_concatenado(linea, "Pcd_Abono") + " as Pd_Importe " +
           kCrLf;
}

Listas listas_de_linea(core::Contexto& contexto, const std::string& key,
                       const db::Recordset& linea) {
    Listas listas;
    for (const auto& [columna, alias] : kColumnasLinea) {
        const std::string expresion = texto(linea, columna);
        listas.F += (expresion.empty() ? "''" : expresion) + std::string(alias) + kCrLf;
        listas.G = Agrega_Campo_Group_By(expresion, listas.G);
    }
    agregar_detalle_electronico(contexto, key, linea, listas);
    listas.F += tipo_e_importe(linea);
    return listas;
}

std::string filtro_de_linea(const db::Recordset& linea) {
    const std::string condicion = texto(linea, "Pcd_Condicion");
    if (util::trim_blanks(util::replace_all(condicion, kCrLf, "")).empty()) {
        return {};
    }
    return " AND " + condicion + kCrLf;
}

std::string agrupacion(const db::Recordset& linea, const std::string& G) {
    if (G.empty()) {
        return {};
    }
    // Both amounts are tested, also the one the line does not use.
    const bool suma_cargo = Es_Campo_Suma(texto(linea, "Pcd_Cargo"));
    const bool suma_abono = Es_Campo_Suma(texto(linea, "Pcd_Abono"));
    return suma_cargo || suma_abono ? "GROUP BY " + kCrLf + G : std::string();
}

std::string select_de_linea(core::Contexto& contexto, const std::string& key,
                            const db::Recordset& linea, const std::string& P,
                            const std::string& CondicionG) {
    const Listas listas = listas_de_linea(contexto, key, linea);
    std::string S = bloque_comentario(campo_concatenado(linea, "Pcd_Descripcion"));
    S += "SELECT " + kCrLf;
    S += listas.F;
    S += "FROM " + kCrLf;
    S += campo_concatenado(linea, "Pc_Relacion") + kCrLf;
    S += campo_concatenado(linea, "Pcd_Relacion") + kCrLf;
    S += "WHERE " + kCrLf;
    S += condiciones_where(P, CondicionG);
    S += filtro_de_linea(linea);
    S += agrupacion(linea, listas.G);
    return S;
}

std::string detalle(core::Contexto& contexto, const std::string& key, Date iFecha,
                    const std::string& sValor, const std::string& CondicionG) {
    // The voucher condition first: it composes in Texto_SQL, where the lines are read next.
    const std::string P = GetSQL_Condicion_Poliza(contexto, key, sValor);
    auto lineas = core::Contexto::leer_estable(
        "SELECT "
        "   Poliza_Configuracion_Detalle.Pcd_ID, "
        "   Poliza_Configuracion.Pc_Relacion, "
        "   Poliza_Configuracion_Detalle.Pcd_Descripcion, "
        "   Poliza_Configuracion_Detalle.Pcd_Condicion, "
        "   Poliza_Configuracion_Detalle.Pcd_Cuenta_Contable, "
        "   Poliza_Configuracion_Detalle.Pcd_Centro_Costo, "
        "   Poliza_Configuracion_Detalle.Pcd_Concepto, "
        "   Poliza_Configuracion_Detalle.Pcd_Referencia, "
        "   Poliza_Configuracion_Detalle.Pcd_Cargo, "
        "   Poliza_Configuracion_Detalle.Pcd_Abono, "
        "   Poliza_Configuracion_Detalle.Pcd_Relacion, "
        "   Poliza_Configuracion_Detalle.Pcd_Tipo_Detalle, "
        "   Poliza_Configuracion_Detalle.Pcd_Comando_Detalle "
        "FROM "
        "   Poliza_Configuracion_Detalle "
        "   INNER JOIN Poliza_Configuracion ON "
        "Poliza_Configuracion_Detalle.Pc_Cve_Poliza_Configuracion = "
        "Poliza_Configuracion.Pc_Cve_Poliza_Configuracion "
        "WHERE "
        "   Poliza_Configuracion.Pc_Cve_Poliza_Configuracion = '" +
        db::esc(key) + "' " +
        "ORDER BY "
        "   Poliza_Configuracion_Detalle.Pcd_ID");
    std::string S;
    for (; !lineas.Eof(); lineas.MoveNext()) {
        if (!S.empty()) {
            S.append(kCrLf).append(kCrLf).append(" UNION ALL ").append(kCrLf).append(kCrLf);
        }
        S += select_de_linea(contexto, key, lineas, P, CondicionG);
    }
    return util::replace_all(S, "<FECHA>", util::format_dd_mmm_yyyy(iFecha));
}

}  // namespace

std::string GetSQL_Detalle(core::Contexto& contexto, const std::string& key, Date iFecha,
                           const std::string& sValor, const std::string& CondicionG) {
    std::string result;
    (void)core::guarded(contexto, "GetSQL_Detalle", 1, [&] {
        result = detalle(contexto, key, iFecha, sValor, CondicionG);
        return true;
    });
    return result;
}

}  // namespace ledgernova::templates

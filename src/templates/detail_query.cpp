#include "templates/detail_query.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "db/sql_text.h"
#include "electronic/configuration.h"
#include "templates/conditions.h"
#include "templates/grouping.h"
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

// False when the line's electronic detail failed: it left its own error text, which a kept
// composition would not leave again.
bool agregar_detalle_electronico(core::Contexto& contexto, const std::string& key,
                                 const db::Recordset& linea, Listas& listas) {
    std::string FE;
    std::string GE;
    // A failure leaves its own error text; the line goes on with what was built.
    const bool compuesto =
        electronic::Get_Detalle_Electronico(contexto, key, texto(linea, "Pcd_ID"), FE, GE);
    listas.F += FE;
    if (listas.G.empty()) {
        listas.G = std::move(GE);
    } else if (!GE.empty()) {
        listas.G.append(", ").append(kCrLf).append(GE);
    }
    return compuesto;
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

bool listas_de_linea(core::Contexto& contexto, const std::string& key, const db::Recordset& linea,
                     Listas& listas) {
    for (const auto& [columna, alias] : kColumnasLinea) {
        const std::string expresion = texto(linea, columna);
        listas.F.append(expresion.empty() ? "''" : expresion).append(alias).append(kCrLf);
        listas.G = Agrega_Campo_Group_By(expresion, listas.G);
    }
    const bool compuesto = agregar_detalle_electronico(contexto, key, linea, listas);
    listas.F += tipo_e_importe(linea);
    return compuesto;
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

struct Composicion {
    Partes partes;
    bool conservable = true;  // false when a line's electronic detail left its failure
};

// One line's select around the conditions: what precedes them is appended to the last part, what
// follows them becomes a new part.
void agregar_select_de_linea(core::Contexto& contexto, const std::string& key,
                             const db::Recordset& linea, Composicion& composicion) {
    Listas listas;
    composicion.conservable &= listas_de_linea(contexto, key, linea, listas);
    std::string& S = composicion.partes.back();
    S += bloque_comentario(campo_concatenado(linea, "Pcd_Descripcion"));
    S.append("SELECT ").append(kCrLf);
    S += listas.F;
    S.append("FROM ").append(kCrLf);
    S.append(campo_concatenado(linea, "Pc_Relacion")).append(kCrLf);
    S.append(campo_concatenado(linea, "Pcd_Relacion")).append(kCrLf);
    S.append("WHERE ").append(kCrLf);
    composicion.partes.push_back(filtro_de_linea(linea) + agrupacion(linea, listas.G));
}

// The detail statement apart around the conditions (see Partes): part 0 opens the first line's
// select up to its "WHERE "; each part between two conditions closes one line's select (its own
// filter and grouping) and opens the next; the last closes the last line. No parts at all for a
// template without lines.
Composicion componer(core::Contexto& contexto, const std::string& key) {
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
    Composicion composicion;
    for (; !lineas.Eof(); lineas.MoveNext()) {
        if (composicion.partes.empty()) {
            composicion.partes.emplace_back();
        } else {
            composicion.partes.back().append(kCrLf).append(kCrLf).append(" UNION ALL ");
            composicion.partes.back().append(kCrLf).append(kCrLf);
        }
        agregar_select_de_linea(contexto, key, lineas, composicion);
    }
    return composicion;
}

std::string detalle(core::Contexto& contexto, const std::string& key, Date iFecha,
                    const std::string& sValor, const std::string& CondicionG) {
    // The voucher condition first: it composes in Texto_SQL, where the lines are read next.
    const std::string P = GetSQL_Condicion_Poliza(contexto, key, sValor);
    auto& lecturas = core::Contexto::modulo().lecturas;
    const std::string clave = "GetSQL_Detalle\x1f" + key;
    if (const Partes* partes = lecturas.composed(clave)) {
        return con_condiciones(*partes, P, CondicionG, iFecha);
    }
    Composicion composicion = componer(contexto, key);
    std::string S = con_condiciones(composicion.partes, P, CondicionG, iFecha);
    if (composicion.conservable) {
        lecturas.keep_composed(clave, std::move(composicion.partes));
    }
    return S;
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

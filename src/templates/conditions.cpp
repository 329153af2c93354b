#include "templates/conditions.h"

#include <utility>

#include "db/sql_text.h"
#include "util/dates.h"
#include "util/text.h"

namespace ledgernova::templates {
namespace {

const std::string kCrLf(util::kCrLf);

std::string una_linea(const std::string& text) {
    return util::replace_all(text, kCrLf, "");
}

std::string condiciones_unidas(db::Recordset rows) {
    std::string result;
    for (; !rows.Eof(); rows.MoveNext()) {
        if (!result.empty()) {
            result += " AND " + kCrLf;
        }
        result += util::trim_blanks(una_linea(rows.Fields("Pcc_Valor").Value.to_text()));
    }
    return result;
}

std::string leer_condiciones(const std::string& key) {
    auto rows = core::Contexto::leer_estable(
        "SELECT * "
        "FROM Poliza_Configuracion_Condicion "
        "WHERE Pc_Cve_Poliza_Configuracion = '" +
        db::esc(key) + "' " + "ORDER BY Pcc_ID");
    return condiciones_unidas(std::move(rows));
}

std::string con_empresa(const std::string& condiciones, const std::string& empresa) {
    return util::replace_all(condiciones, "<EMPRESA>", db::esc(empresa));
}

// The joined conditions come from the template alone; the company is put in at every call.
std::string condicion_general(const std::string& key, const std::string& empresa) {
    const Partes condiciones = core::Contexto::compuesto(
        "GetSQL_Condicion_General\x1f" + key, [&] { return Partes{leer_condiciones(key)}; });
    return con_empresa(condiciones.front(), empresa);
}

// The columns of the template's table that choose the voucher's field, Null read as nothing; none
// when the template or its table is missing.
enum ColumnaTabla : std::size_t {
    kModulo,
    kModoTabla,
    kContabilizaLinea,
    kCampoMovimiento,
    kCampoDia
};

Partes columnas_de_la_tabla(const std::string& key) {
    const auto tabla = core::Contexto::leer_estable(
        "SELECT "
        "   Poliza_Configuracion_Tabla.Pc_Modulo, "
        "   Poliza_Configuracion_Tabla.Pc_Campo_Dia, "
        "   Poliza_Configuracion_Tabla.Pc_Campo_Movimiento, "
        "   Poliza_Configuracion_Tabla.Pc_Contabiliza_Linea, "
        "Poliza_Configuracion_Tabla.Pc_Modo_Contabiliza " +
        plantilla_y_tabla(key));
    if (tabla.Eof()) {
        return {};
    }
    return {campo_concatenado(tabla, "Pc_Modulo"), campo_concatenado(tabla, "Pc_Modo_Contabiliza"),
            campo_concatenado(tabla, "Pc_Contabiliza_Linea"),
            campo_concatenado(tabla, "Pc_Campo_Movimiento"),
            campo_concatenado(tabla, "Pc_Campo_Dia")};
}

// The posting mode of the template's table: the module's parameter, unless the table says 1 or 2.
std::int16_t modo_contabiliza(const Partes& tabla) {
    const std::int16_t modo_modulo =
        core::Contexto::parametro("CON_MODO_CONEXION_" + tabla[kModulo], 0, "N", "1").to_int16();
    const std::string& modo_tabla = tabla[kModoTabla];
    if (modo_tabla == "1" || modo_tabla == "2") {
        return static_cast<std::int16_t>(modo_tabla == "1" ? 1 : 2);
    }
    return modo_modulo;
}

std::string campo_poliza(const Partes& tabla) {
    const std::int16_t modo = modo_contabiliza(tabla);
    const bool por_movimiento = modo != 1 || tabla[kContabilizaLinea] == "SI";
    return tabla[por_movimiento ? kCampoMovimiento : kCampoDia];
}

// The table's columns come from the template alone; the parameter is asked at every call.
std::string condicion_poliza(const std::string& key, const std::string& sValor) {
    const Partes tabla = core::Contexto::compuesto("GetSQL_Condicion_Poliza\x1f" + key,
                                                   [&] { return columnas_de_la_tabla(key); });
    if (tabla.empty()) {
        return {};
    }
    return campo_poliza(tabla) + " = '" + db::esc(sValor) + "'";
}

}  // namespace

std::string GetSQL_Condicion_General(core::Contexto& contexto, const std::string& key,
                                     const std::string& empresa) {
    try {
        return condicion_general(key, empresa);
    } catch (const std::exception& failure) {
        // This routine's source name carries no library prefix.
        contexto.Error = "GetSQL_Condicion_General()" + kCrLf + failure.what();
        return {};
    }
}

std::string GetSQL_Condicion_Poliza(core::Contexto& contexto, const std::string& key,
                                    const std::string& sValor) {
    std::string result;
    (void)core::guarded(contexto, "GetSQL_Condicion_Poliza", 1, [&] {
        result = condicion_poliza(key, sValor);
        return true;
    });
    return result;
}

std::string texto_concatenado(const Variant& column) {
    return column.is_null() ? std::string() : column.to_text();
}

std::string campo_concatenado(const db::Recordset& rows, std::string_view column) {
    return texto_concatenado(rows.Fields(column).Value);
}

std::string plantilla_y_tabla(const std::string& key) {
    return "FROM "
           "   Poliza_Configuracion "
           "   INNER JOIN Poliza_Configuracion_Tabla ON Poliza_Configuracion.Pc_Tabla = "
           "Poliza_Configuracion_Tabla.Pc_Tabla "
           "WHERE "
           "   Pc_Cve_Poliza_Configuracion = '" +
           db::esc(key) + "'";
}

std::string bloque_comentario(const std::string& descripcion) {
    const std::string guiones(40, '-');
    return guiones + kCrLf + "--" + descripcion + kCrLf + guiones + kCrLf;
}

std::string condiciones_where(const std::string& P, const std::string& CondicionG) {
    if (CondicionG.empty()) {
        return P + kCrLf;
    }
    return P + " AND " + kCrLf + CondicionG + kCrLf;
}

std::string con_condiciones(const Partes& partes, const std::string& P,
                            const std::string& CondicionG, Date iFecha) {
    const std::string condiciones = condiciones_where(P, CondicionG);
    std::size_t largo = partes.empty() ? 0 : condiciones.size() * (partes.size() - 1);
    for (const std::string& parte : partes) {
        largo += parte.size();
    }
    std::string S;
    S.reserve(largo);
    for (std::size_t i = 0; i < partes.size(); ++i) {
        if (i > 0) {
            S += condiciones;
        }
        S += partes[i];
    }
    constexpr std::string_view kFecha = "<FECHA>";
    if (S.find(kFecha) == std::string::npos) {
        return S;
    }
    return util::replace_all(S, kFecha, util::format_dd_mmm_yyyy(iFecha));
}

}  // namespace ledgernova::templates

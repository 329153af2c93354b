#include "electronic/configuration.h"

#include <array>
#include <optional>
#include <string_view>

#include "db/sql_text.h"
#include "templates/grouping.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

const std::string kCrLf(util::kCrLf);

struct Posicion {
    std::string_view tipo;
    std::string_view alias_tipo;
    std::string_view alias_comando;
};

// The six kinds in their column order, with the aliases exactly as the generator reads them back
// (the irregular blanks included).
constexpr std::array<Posicion, 6> kPosiciones = {{
    {"COMPROBANTE", " as Pcd_Tipo_Detalle_1, ", " as Pcd_Comando_Detalle_1,  "},
    {"CHEQUE", " as Pcd_Tipo_Detalle_2, ", " as Pcd_Comando_Detalle_2, "},
    {"TRANSFERENCIA", " as Pcd_Tipo_Detalle_3, ", " as Pcd_Comando_Detalle_3,  "},
    {"COMPROBANTE OTRO", " as Pcd_Tipo_Detalle_4, ", " as Pcd_Comando_Detalle_4,  "},
    {"COMPROBANTE EXTRANJERO", " as Pcd_Tipo_Detalle_5, ", " as Pcd_Comando_Detalle_5, "},
    {"OTRO METODO PAGO", " as Pcd_Tipo_Detalle_6,", " as Pcd_Comando_Detalle_6, "},
}};

struct Detalle {
    std::string tipo;
    std::string comando;
};

using Detalles = std::array<Detalle, kPosiciones.size()>;

std::optional<std::size_t> posicion_de(const std::string& tipo) {
    const std::string mayusculas = util::to_upper(tipo);
    for (std::size_t i = 0; i < kPosiciones.size(); ++i) {
        if (mayusculas == kPosiciones[i].tipo) {
            return i;
        }
    }
    return std::nullopt;
}

// The configured kinds and commands of the line; false, with the error text set, at the first kind
// that is none of the six.
bool leer_detalles(core::Contexto& contexto, const std::string& key, const std::string& pcd_id,
                   Detalles& detalles) {
    auto rows = core::Contexto::leer_estable(
        "SELECT "
        "  Pcde_Id, "
        "  Pcde_Tipo, "
        "  Pcde_Comando "
        "FROM "
        "  Poliza_Configuracion_Detalle_Electronico "
        "WHERE "
        "  Pc_Cve_Poliza_Configuracion = '" +
        db::esc(key) + "' AND " + "  Pcd_Id = '" + db::esc(pcd_id) + "' " + "ORDER BY Pcde_Id ");
    for (; !rows.Eof(); rows.MoveNext()) {
        const std::string tipo =
            util::replace_all(rows.Fields("Pcde_Tipo").Value.to_text(), "'", "");
        const std::string comando = rows.Fields("Pcde_Comando").Value.to_text();
        const auto posicion = posicion_de(tipo);
        if (!posicion) {
            contexto.Error =
                "Get_Detalle_Electronico()" + kCrLf + "Detalle electrónico no programado: " + tipo;
            return false;
        }
        detalles[*posicion] = {tipo, comando};
    }
    return true;
}

// One column of the select list, and the expression offered to the GROUP BY list.
void agregar_columna(const std::string& valor, std::string_view alias, const std::string& agrupar,
                     std::string& sSelect, std::string& sGroupBy) {
    sSelect += valor + std::string(alias) + kCrLf;
    sGroupBy = templates::Agrega_Campo_Group_By(agrupar, sGroupBy);
}

void agregar_columnas(const Detalles& detalles, std::string& sSelect, std::string& sGroupBy) {
    for (std::size_t i = 0; i < kPosiciones.size(); ++i) {
        const std::string tipo = util::trim_blanks(detalles[i].tipo);
        const std::string comando = util::trim_blanks(detalles[i].comando);
        agregar_columna(tipo.empty() ? " '' " : "'" + tipo + "'", kPosiciones[i].alias_tipo,
                        "'" + tipo + "'", sSelect, sGroupBy);
        agregar_columna(comando.empty() ? " '' " : detalles[i].comando,
                        kPosiciones[i].alias_comando, comando, sSelect, sGroupBy);
    }
}

}  // namespace

bool Get_Detalle_Electronico(core::Contexto& contexto, const std::string& key,
                             const std::string& pcd_id, std::string& sSelect,
                             std::string& sGroupBy) {
    try {
        Detalles detalles;
        if (!leer_detalles(contexto, key, pcd_id, detalles)) {
            return false;
        }
        agregar_columnas(detalles, sSelect, sGroupBy);
        return true;
    } catch (const std::exception& failure) {
        // This routine's source name carries no library prefix.
        contexto.Error = "Get_Detalle_Electronico()" + kCrLf + failure.what();
        return false;
    }
}

}  // namespace ledgernova::electronic

#include "core/persistence.h"

#include "db/sql_text.h"

namespace ledgernova::core {
namespace {

// "'value', ": how a text value enters the lists of values below.
std::string quoted(const std::string& value) {
    return "'" + db::esc(value) + "', ";
}

std::string estado_inicial(const tPlEncabezado& header) {
    if (header.Pl_Configuracion.empty()) {
        return "AC";
    }
    const std::string automatica =
        Contexto::valor_campo("Poliza_Configuracion", "Pc_Cve_Poliza_Configuracion",
                              header.Pl_Configuracion, "Pc_Aplicacion_Automatica");
    return automatica == "NO" ? "PD" : "AC";
}

std::string header_statement(const Contexto& contexto, const std::string& estado) {
    const auto& header = contexto.header;
    auto& datos = Contexto::datos();
    auto& sistema = Contexto::sistema();
    std::string sql =
        "INSERT INTO Poliza("
        "   Pl_Folio, "
        "   Em_Cve_Empresa, "
        "   Pl_Ejercicio, "
        "   Pl_Periodo, "
        "   Pl_Tipo, "
        "   Pl_Numero, "
        "   Pl_Fecha, "
        "   Pl_Tabla, "
        "   Pl_Documento, "
        "   Pl_Referencia, "
        "   Pl_Comentario, "
        "   Pl_Configuracion, "
        "   Oper_Alta, "
        "   Fecha_Alta, "
        "   Oper_Ult_Modif, "
        "   Fecha_Ult_Modif, "
        "   Es_Cve_Estado "
        ") VALUES(";
    sql += quoted(header.Pl_Folio);
    sql += quoted(header.Em_Cve_Empresa);
    sql += quoted(header.Pl_Ejercicio);
    sql += quoted(header.Pl_Periodo);
    sql += std::to_string(header.Pl_Tipo_Poliza) + ", ";
    sql += quoted(header.Pl_Numero);
    sql += "'" + datos.Formato_Fecha_SQL(header.Pl_Fecha) + "', ";
    sql += quoted(header.Pl_Tabla);
    sql += quoted(header.Pl_Documento);
    sql += quoted(header.Pl_Referencia);
    sql += quoted(header.Pl_Comentario);
    sql += quoted(header.Pl_Configuracion);
    sql += quoted(sistema.Get_Operador());
    sql += "'" + contexto.Fecha_Movimiento + "', ";
    sql += quoted(sistema.Get_Operador());
    sql += "'" + contexto.Fecha_Movimiento + "', '" + estado + "') ";
    return sql;
}

std::string line_statement(const Contexto& contexto) {
    const auto& line = contexto.line;
    std::string sql =
        "INSERT INTO Poliza_Detalle("
        "   Pl_Folio, "
        "   Pd_ID, "
        "   Cc_Cve_Cuenta_Contable, "
        "   Pd_Centro_Costo, "
        "   Pd_Concepto, "
        "   Pd_Referencia, "
        "   Pd_Tipo, "
        "   Pd_Importe "
        ") VALUES(";
    sql += quoted(contexto.header.Pl_Folio);
    sql += quoted(line.Pd_ID);
    sql += quoted(line.Cc_Cve_Cuenta_Contable);
    sql += quoted(line.Pd_Centro_Costo);
    sql += quoted(line.Pd_Concepto);
    sql += quoted(line.Pd_Referencia);
    sql += std::to_string(line.Pd_Tipo) + ", ";
    sql += Contexto::datos().Formato_Numero_SQL(Variant(line.Pd_Importe), 2) + ")";
    return sql;
}

}  // namespace

bool Inserta_Poliza_Encabezado(Contexto& contexto) {
    return guarded(contexto, "Inserta_Poliza_Encabezado", 2, [&] {
        contexto.Error.clear();
        const std::string estado = estado_inicial(contexto.header);
        Contexto::ejecutar(header_statement(contexto, estado));
        return true;
    });
}

bool Inserta_Poliza_Detalle(Contexto& contexto) {
    return guarded(contexto, "Inserta_Poliza_Detalle", 1, [&] {
        contexto.Error.clear();
        Contexto::ejecutar(line_statement(contexto));
        return true;
    });
}

}  // namespace ledgernova::core

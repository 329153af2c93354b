#include "core/persistence.h"

#include "core/statement_text.h"

namespace ledgernova::core {
namespace {

// A statement's text is appended into one buffer that holds it whole: these are composed for
// every voucher and line.
constexpr std::size_t kLargoSentencia = 512;

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
    std::string sql;
    sql.reserve(kLargoSentencia);
    sql +=
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
    append_quoted(sql, header.Pl_Folio);
    append_quoted(sql, header.Em_Cve_Empresa);
    append_quoted(sql, header.Pl_Ejercicio);
    append_quoted(sql, header.Pl_Periodo);
    sql.append(std::to_string(header.Pl_Tipo_Poliza)).append(", ");
    append_quoted(sql, header.Pl_Numero);
    sql.append("'").append(datos.Formato_Fecha_SQL(header.Pl_Fecha)).append("', ");
    append_quoted(sql, header.Pl_Tabla);
    append_quoted(sql, header.Pl_Documento);
    append_quoted(sql, header.Pl_Referencia);
    append_quoted(sql, header.Pl_Comentario);
    append_quoted(sql, header.Pl_Configuracion);
    append_quoted(sql, sistema.Get_Operador());
    sql.append("'").append(contexto.Fecha_Movimiento).append("', ");
    append_quoted(sql, sistema.Get_Operador());
    sql.append("'").append(contexto.Fecha_Movimiento).append("', '").append(estado).append("') ");
    return sql;
}

std::string line_statement(const Contexto& contexto) {
    const auto& line = contexto.line;
    std::string sql;
    sql.reserve(kLargoSentencia);
    sql +=
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
    append_quoted(sql, contexto.header.Pl_Folio);
    append_quoted(sql, line.Pd_ID);
    append_quoted(sql, line.Cc_Cve_Cuenta_Contable);
    append_quoted(sql, line.Pd_Centro_Costo);
    append_quoted(sql, line.Pd_Concepto);
    append_quoted(sql, line.Pd_Referencia);
    sql.append(std::to_string(line.Pd_Tipo)).append(", ");
    sql.append(Contexto::datos().Formato_Numero_SQL(Variant(line.Pd_Importe), 2)).append(")");
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

#include "core/cancellation.h"

#include "core/periods.h"
#include "db/sql_text.h"

namespace ledgernova::core {
namespace {

constexpr std::string_view kCancelar = "Cancelar_Poliza";

// The same update marks the voucher and its links; only the table differs.
std::string cancel_statement(const char* tabla, const Contexto& contexto,
                             const std::string& folio) {
    auto& sistema = Contexto::sistema();
    std::string sql = std::string("UPDATE ") + tabla + " SET ";
    sql += "     Es_Cve_Estado = 'CA', ";
    sql += "     Oper_Baja = '" + db::esc(sistema.Get_Operador()) + "', ";
    sql += "     Oper_Ult_Modif = '" + db::esc(sistema.Get_Operador()) + "', ";
    sql += "     Fecha_Baja = '" + contexto.Fecha_Movimiento + "',";
    sql += "     Fecha_Ult_Modif = '" + contexto.Fecha_Movimiento + "' ";
    sql += "WHERE ";
    sql += "     Pl_Folio = '" + db::esc(folio) + "' ";
    return sql;
}

// Empty when the stored voucher may be cancelled, else the refusal's message.
std::string cancel_refusal(const std::string& folio) {
    auto stored = Contexto::ejecutar(
        "SELECT Pl_Fecha, Es_Cve_Estado "
        "FROM Poliza "
        "WHERE Pl_Folio = '" +
        db::esc(folio) + "'");
    if (stored.Eof()) {
        return "No se encontró la póliza especificada: " + folio;
    }
    const std::string estado = stored.Fields("Es_Cve_Estado").Value.to_text();
    if (estado == "CA") {
        return "Imposible cancelar póliza desde el estado: " + estado;
    }
    const Date fecha = stored.Fields("Pl_Fecha").Value.to_date();
    stored.Close();
    if (!periodo_operativo_abierto(fecha)) {
        return mensaje_periodo_cerrado(fecha);
    }
    return {};
}

}  // namespace

bool Cancelar_Poliza(Contexto& contexto, const std::string& folio) {
    return guarded(contexto, kCancelar, 1, [&] {
        contexto.Error.clear();
        if (const std::string refusal = cancel_refusal(folio); !refusal.empty()) {
            return refuse(contexto, kCancelar, refusal);
        }
        auto& datos = Contexto::datos();
        contexto.Fecha_Movimiento = datos.Formato_Fecha_Hora_SQL(datos.Get_Fecha_Servidor());
        // A voucher must never stay cancelled while its document links stay active.
        db::Transaction transaction(Contexto::conexion());
        Contexto::ejecutar(cancel_statement("Poliza", contexto, folio));
        Contexto::ejecutar(cancel_statement("Poliza_Control", contexto, folio));
        transaction.Commit();
        return true;
    });
}

bool Cancelar_Poliza_Documento(Contexto& contexto, const std::string& tabla,
                               const std::string& documento) {
    return guarded(contexto, "Cancelar_Poliza_Documento", 1, [&] {
        contexto.Error.clear();
        auto covering = Contexto::ejecutar(
            "SELECT Pl_Folio, Count(*) as Total "
            "FROM Poliza_Control "
            "WHERE Pl_Folio IN "
            "   (SELECT Pl_Folio "
            "    FROM Poliza_Control "
            "    WHERE Pc_Documento = '" +
            db::esc(documento) +
            "' AND "
            "          Pc_Tabla = '" +
            db::esc(tabla) +
            "' AND Es_Cve_Estado <> 'CA') "
            "GROUP BY Pl_Folio");
        if (covering.Eof()) {
            return true;
        }
        const std::string folio = covering.Fields("Pl_Folio").Value.to_text();
        const double total = covering.Fields("Total").Value.to_double();
        covering.Close();
        if (total > 1) {
            contexto.Error = "ledgerNova.dl - Cancelar_Poliza_Documento()" +
                             std::string(util::kCrLf) +
                             "Error al cancelar la póliza. Esta contiene múltiples documentos";
            return false;
        }
        return total <= 0 || contexto.self.Cancelar_Poliza(folio);
    });
}

}  // namespace ledgernova::core

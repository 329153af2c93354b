#include "electronic/lookups.h"

#include <exception>
#include <string_view>

#include "db/sql_text.h"
#include "util/text.h"

namespace ledgernova::electronic {
namespace {

using core::Contexto;

// Runs a lookup's body; a failure inside becomes the lookup's error text, the source name and the
// description on one line, as the payment detail expects to prefix it.
template <typename Body>
bool capturado(Contexto& contexto, std::string_view fuente, Body&& body) {
    try {
        return body();
    } catch (const std::exception& failure) {
        contexto.Error = std::string(fuente) + failure.what();
        return false;
    }
}

std::string info_banco_sql(const std::string& Folio, bool Transferencia) {
    std::string sql =
        "SELECT "
        "   Banco.Bn_Codigo AS Banco, "
        "   Banco_Cuenta.Bc_Cuenta AS Cuenta_Origen "
        "FROM Cheque "
        "   INNER JOIN Banco_Cuenta "
        "ON Cheque.Bc_Cve_Banco_Cuenta = Banco_Cuenta.Bc_Cve_Banco_Cuenta "
        "   INNER JOIN Banco ON Banco_Cuenta.Bn_Cve_Banco = Banco.Bn_Cve_Banco "
        "WHERE "
        "   Ch_Folio = '" +
        db::esc(Folio) + "' ";
    if (Transferencia) {
        sql += " AND Cheque.Ch_Transferencia= 'SI' ";
    }
    return sql;
}

std::string proveedor_sql(const std::string& clave) {
    return "SELECT Pv_R_F_C as RFC "
           "FROM Proveedor "
           "WHERE "
           " Proveedor.Pv_Cve_Proveedor = '" +
           db::esc(clave) +
           "' AND "
           " Proveedor.Es_Cve_Estado <> 'BA' ";
}

// `tipo` is the customer kind, "DE" or "CL".
std::string cliente_sql(const std::string& clave, const std::string& tipo) {
    return "SELECT Cl_R_F_C as RFC "
           "FROM Cliente "
           "WHERE "
           " Cliente.Cl_Cve_Cliente = '" +
           db::esc(clave) +
           "' AND "
           " Cliente.Tc_Cve_Tipo_Cliente = '" +
           tipo +
           "' AND "
           " Cliente.Es_Cve_Estado <> 'BA' ";
}

// The destination account is the number a payment was sent to, so it is matched against the
// account number, not the account's key.
std::string empresa_cuenta_sql(const std::string& cuenta) {
    return "SELECT Em_R_F_C as RFC "
           "FROM Banco_Cuenta "
           " INNER JOIN Empresa ON Banco_Cuenta.Em_Cve_Empresa = Empresa.Em_Cve_Empresa "
           "WHERE "
           " Banco_Cuenta.Bc_Cuenta = '" +
           db::esc(cuenta) +
           "'"
           " AND "
           " Banco_Cuenta.Es_Cve_Estado <> 'BA' AND "
           " Empresa.Es_Cve_Estado <> 'BA' ";
}

// The statement that finds the third party's code, and how the party is named in messages.
struct ConsultaRfc {
    std::string sql;  // empty for a Tc_Solicitar that names no kind of party
    std::string descripcion;
};

ConsultaRfc consulta_rfc(const std::string& solicitar, const std::string& Solicitar_Valor,
                         const std::string& Cuenta_Destino) {
    if (solicitar == "01" || solicitar == "05") {
        return {proveedor_sql(Solicitar_Valor), "Proveedor: " + Solicitar_Valor};
    }
    if (solicitar == "02" || solicitar == "04") {
        return {cliente_sql(Solicitar_Valor, "DE"), "Cliente: " + Solicitar_Valor};
    }
    if (solicitar == "03") {
        return {cliente_sql(Solicitar_Valor, "CL"), "Cliente: " + Solicitar_Valor};
    }
    if (solicitar.empty()) {
        return {empresa_cuenta_sql(Cuenta_Destino), "Empresa cuenta: " + Cuenta_Destino};
    }
    return {};  // the empty statement is refused when run, which fails the lookup
}

std::string rfc_error(std::string_view message) {
    return "Get_RFC()" + std::string(util::kCrLf) + std::string(message);
}

}  // namespace

bool Get_Info_Banco(Contexto& contexto, const std::string& Folio, bool Transferencia,
                    std::string& Banco, std::string& Cuenta) {
    return capturado(contexto, " Get_Info_Banco() - ", [&] {
        const auto rs = Contexto::ejecutar(info_banco_sql(Folio, Transferencia));
        if (rs.Eof()) {
            contexto.Error = "Get_Info_Banco()" + std::string(util::kCrLf) +
                             "No fue posible obtener los datos de la cuenta origen para " +
                             (Transferencia ? "la transferencia: " : "el cheque: ") + Folio;
            Banco.clear();
            Cuenta.clear();
            return true;
        }
        Banco = rs.Fields("Banco").Value.to_text();
        Cuenta = rs.Fields("Cuenta_Origen").Value.to_text();
        return true;
    });
}

bool Get_RFC(Contexto& contexto, const std::string& Solicitar_Valor,
             const std::string& Cuenta_Destino, const std::string& Tipo_Cheque, std::string& RFC) {
    return capturado(contexto, " Get_RFC() - ", [&] {
        const std::string solicitar = Contexto::datos().Get_Valor_Campo(
            "Tipo_Cheque", "Tc_Cve_Tipo_Cheque", Tipo_Cheque, "Tc_Solicitar", 0, "", "", "");
        const ConsultaRfc consulta = consulta_rfc(solicitar, Solicitar_Valor, Cuenta_Destino);
        const auto rs = Contexto::conexion().Execute(consulta.sql, -1);
        if (rs.Eof()) {
            contexto.Error = rfc_error("No se pudo obtener el RFC para la póliza electrónica");
            RFC.clear();
            return true;
        }
        const std::string encontrado = rs.Fields("RFC").Value.to_text();
        if (encontrado.empty()) {
            contexto.Error = rfc_error("No se encontró el RFC(" + consulta.descripcion + ")");
            RFC.clear();
            return true;
        }
        RFC = encontrado;
        return true;
    });
}

}  // namespace ledgernova::electronic

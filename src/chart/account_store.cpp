#include "chart/account_store.h"

#include <fmt/format.h>

#include "db/sql_text.h"

namespace ledgernova::chart {
namespace {

const char* yes_no(bool value) {
    return value ? "SI" : "NO";
}

std::string text_of(const db::Recordset& rows, const char* name) {
    return rows.Fields(name).Value.to_text();
}

Account account_of(const db::Recordset& rows) {
    Account account;
    account.key = text_of(rows, "Cc_Cve_Cuenta_Contable");
    account.description = text_of(rows, "Descripcion");
    account.grouping_code = text_of(rows, "Cc_Codigo_Agrupador");
    account.nature = text_of(rows, "Cc_Naturaleza");
    account.level = rows.Fields("Cc_Nivel").Value.to_long();
    account.parent = text_of(rows, "Cc_Cuenta_Padre");
    account.entry = text_of(rows, "Registro") == "SI";
    account.result = text_of(rows, "Resultado") == "SI";
    return account;
}

}  // namespace

std::optional<int> stored_level(db::Connection& connection, const std::string& key) {
    auto rows =
        connection.Execute("SELECT Cc_Nivel FROM Cuenta_Contable WHERE Cc_Cve_Cuenta_Contable = '" +
                           db::esc(key) + "'");
    if (rows.Eof()) {
        return std::nullopt;
    }
    return rows.Fields("Cc_Nivel").Value.to_long();
}

std::vector<Account> read_accounts(db::Connection& connection, bool live_only) {
    std::vector<Account> accounts;
    auto rows = connection.Execute(
        std::string("SELECT Cc_Cve_Cuenta_Contable, COALESCE(Cc_Descripcion, '') AS Descripcion, "
                    "Cc_Codigo_Agrupador, Cc_Naturaleza, Cc_Nivel, Cc_Cuenta_Padre, "
                    "COALESCE(Cc_Registro, 'SI') AS Registro, "
                    "COALESCE(Cc_Resultado, 'NO') AS Resultado FROM Cuenta_Contable ") +
        (live_only ? "WHERE Es_Cve_Estado <> 'CA' " : "") + "ORDER BY Cc_Cve_Cuenta_Contable");
    for (; !rows.Eof(); rows.MoveNext()) {
        accounts.push_back(account_of(rows));
    }
    return accounts;
}

void write_account(db::Connection& connection, const Account& account, bool exists) {
    const std::string key = db::esc(account.key);
    const std::string description = db::esc(account.description);
    const std::string code = db::esc(account.grouping_code);
    const std::string nature = db::esc(account.nature);
    const std::string parent = db::esc(account.parent);
    connection.Execute(
        exists ? fmt::format("UPDATE Cuenta_Contable SET Cc_Descripcion = '{}', "
                             "Cc_Codigo_Agrupador = '{}', Cc_Naturaleza = '{}', Cc_Nivel = {}, "
                             "Cc_Cuenta_Padre = '{}', Cc_Registro = '{}', Cc_Resultado = '{}' "
                             "WHERE Cc_Cve_Cuenta_Contable = '{}'",
                             description, code, nature, account.level, parent,
                             yes_no(account.entry), yes_no(account.result), key)
               : fmt::format("INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, "
                             "Cc_Codigo_Agrupador, Cc_Naturaleza, Cc_Nivel, Cc_Cuenta_Padre, "
                             "Cc_Registro, Cc_Resultado) VALUES('{}', '{}', '{}', '{}', {}, '{}', "
                             "'{}', '{}')",
                             key, description, code, nature, account.level, parent,
                             yes_no(account.entry), yes_no(account.result)));
}

std::optional<std::string> company_rfc(db::Connection& connection, const std::string& company) {
    auto rows = connection.Execute(
        "SELECT COALESCE(Em_R_F_C, '') AS Rfc FROM Empresa WHERE Em_Cve_Empresa = '" +
        db::esc(company) + "'");
    if (rows.Eof()) {
        return std::nullopt;
    }
    return text_of(rows, "Rfc");
}

void write_company(db::Connection& connection, const Company& company) {
    const std::string key = db::esc(company.key);
    const std::string name =
        company.name.empty() ? "" : ", Em_Nombre = '" + db::esc(company.name) + "'";
    if (company_rfc(connection, company.key)) {
        connection.Execute(
            fmt::format("UPDATE Empresa SET Em_R_F_C = '{}'{} WHERE "
                        "Em_Cve_Empresa = '{}'",
                        db::esc(company.rfc), name, key));
    } else {
        connection.Execute(fmt::format(
            "INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C, Em_Nombre) VALUES('{}', '{}', '{}')",
            key, db::esc(company.rfc), db::esc(company.name)));
    }
}

}  // namespace ledgernova::chart

#include <string>

#include <gtest/gtest.h>

#include "core/contexto.h"
#include "electronic/lookups.h"
#include "host/module_state.h"
#include "ledgernova/polizas.h"
#include "support/database_error.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

using electronic::Get_Info_Banco;
using electronic::Get_RFC;
using testing::Ledger;

std::string info_banco_sql(const std::string& folio) {
    return "SELECT    Banco.Bn_Codigo AS Banco,    Banco_Cuenta.Bc_Cuenta AS Cuenta_Origen "
           "FROM Cheque    INNER JOIN Banco_Cuenta ON Cheque.Bc_Cve_Banco_Cuenta = "
           "Banco_Cuenta.Bc_Cve_Banco_Cuenta    INNER JOIN Banco ON Banco_Cuenta.Bn_Cve_Banco = "
           "Banco.Bn_Cve_Banco WHERE    Ch_Folio = '" +
           folio + "' ";
}

std::string proveedor_sql(const std::string& clave) {
    return "SELECT Pv_R_F_C as RFC FROM Proveedor WHERE  Proveedor.Pv_Cve_Proveedor = '" + clave +
           "' AND  Proveedor.Es_Cve_Estado <> 'BA' ";
}

std::string cliente_sql(const std::string& clave, const std::string& tipo) {
    return "SELECT Cl_R_F_C as RFC FROM Cliente WHERE  Cliente.Cl_Cve_Cliente = '" + clave +
           "' AND  Cliente.Tc_Cve_Tipo_Cliente = '" + tipo +
           "' AND  Cliente.Es_Cve_Estado <> 'BA' ";
}

std::string empresa_sql(const std::string& cuenta) {
    return "SELECT Em_R_F_C as RFC FROM Banco_Cuenta  INNER JOIN Empresa ON "
           "Banco_Cuenta.Em_Cve_Empresa = Empresa.Em_Cve_Empresa WHERE  Banco_Cuenta.Bc_Cuenta = "
           "'" +
           cuenta + "' AND  Banco_Cuenta.Es_Cve_Estado <> 'BA' AND  Empresa.Es_Cve_Estado <> 'BA' ";
}

const std::string kNoRfc = "Get_RFC()\r\nNo se pudo obtener el RFC para la póliza electrónica";

class LookupsTest : public ::testing::Test {
  protected:
    LookupsTest() {
        ledger.direct().Execute(
            "INSERT INTO Banco(Bn_Cve_Banco, Bn_Codigo, Es_Cve_Estado) VALUES"
            " ('B1', '002', 'AC'), ('B2', '072', 'BA');"
            "INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C, Es_Cve_Estado) VALUES"
            " ('E1', 'EMP010101AB1', 'AC'), ('E2', 'EMB010101AB2', 'BA'), ('E3', '', 'AC');"
            "INSERT INTO Banco_Cuenta(Bc_Cve_Banco_Cuenta, Bc_Cuenta, Bn_Cve_Banco, Em_Cve_Empresa,"
            " Es_Cve_Estado) VALUES"
            " ('BC1', '0123456789', 'B1', 'E1', 'AC'), ('BC2', '9876543210', 'B2', 'E1', 'BA'),"
            " ('BC3', NULL, 'B1', 'E1', 'AC'), ('BC4', '5555', 'B1', 'E2', 'AC'),"
            " ('BC5', '6666', 'B1', 'E3', 'AC');"
            "INSERT INTO Cheque(Ch_Folio, Bc_Cve_Banco_Cuenta, Ch_Transferencia) VALUES"
            " ('CH-1', 'BC1', 'NO'), ('TR-1', 'BC1', 'SI'), ('CH-2', 'BC2', 'NO'),"
            " ('CH-3', 'BC3', 'NO'), ('O''1', 'BC1', 'NO');"
            "INSERT INTO Tipo_Cheque(Tc_Cve_Tipo_Cheque, Tc_Solicitar) VALUES"
            " ('T01', '01'), ('T02', '02'), ('T03', '03'), ('T04', '04'), ('T05', '05'),"
            " ('TE', ''), ('T06', '06');"
            "INSERT INTO Proveedor(Pv_Cve_Proveedor, Pv_R_F_C, Es_Cve_Estado) VALUES"
            " ('P1', 'PRO010101AA1', 'AC'), ('P2', 'PRB010101AA2', 'BA'), ('P3', '', 'AC'),"
            " ('P4', 'PRT010101AA4  ', 'AC'), ('P5', NULL, 'AC'), ('O''B', 'OBR010101AA5', 'AC');"
            "INSERT INTO Cliente(Cl_Cve_Cliente, Tc_Cve_Tipo_Cliente, Cl_R_F_C, Es_Cve_Estado) "
            "VALUES"
            " ('C1', 'DE', 'DEU010101AA1', 'AC'), ('C1', 'CL', 'CLI010101AA1', 'AC'),"
            " ('C2', 'CL', 'CLI020202AA2', 'AC'), ('C3', 'DE', 'DEB030303AA3', 'BA');");
    }

    Ledger ledger;
    Polizas polizas;
    core::Contexto contexto{polizas};

    const std::string& last_statement() { return ledger.recorder().statements().back(); }

    // "result|output|error" of one Get_RFC call; the output starts as "previo".
    std::string rfc(const std::string& valor, const std::string& cuenta, const std::string& tipo) {
        contexto.Error = "sin cambio";
        std::string codigo = "previo";
        const bool ok = Get_RFC(contexto, valor, cuenta, tipo, codigo);
        return std::string(ok ? "true" : "false") + "|" + codigo + "|" + contexto.Error;
    }

    // "result|bank|account|error" of one Get_Info_Banco call; the outputs start as "previo".
    std::string banco(const std::string& folio, bool transferencia) {
        contexto.Error = "sin cambio";
        std::string codigo = "previo";
        std::string cuenta = "previo";
        const bool ok = Get_Info_Banco(contexto, folio, transferencia, codigo, cuenta);
        return std::string(ok ? "true" : "false") + "|" + codigo + "|" + cuenta + "|" +
               contexto.Error;
    }
};

TEST_F(LookupsTest, InfoBancoFindsTheChequesAccountAndBank) {
    EXPECT_EQ("true|002|0123456789|sin cambio", banco("CH-1", false));
    EXPECT_EQ(info_banco_sql("CH-1"), last_statement());
    EXPECT_EQ(info_banco_sql("CH-1"), host::modulo().Texto_SQL);
    EXPECT_EQ("true|002|0123456789|sin cambio", banco("TR-1", true));
    EXPECT_EQ(info_banco_sql("TR-1") + " AND Cheque.Ch_Transferencia= 'SI' ", last_statement());
    // Deleted accounts and banks are still the ones the payment was made from.
    EXPECT_EQ("true|072|9876543210|sin cambio", banco("CH-2", false));
    EXPECT_EQ("true|002|0123456789|sin cambio", banco("O'1", false));
    EXPECT_EQ(info_banco_sql("O''1"), last_statement());
}

TEST_F(LookupsTest, InfoBancoNotFoundEmptiesBothOutputs) {
    EXPECT_EQ(
        "true|||Get_Info_Banco()\r\nNo fue posible obtener los datos de la cuenta origen para la "
        "transferencia: CH-1",
        banco("CH-1", true));
    EXPECT_EQ(
        "true|||Get_Info_Banco()\r\nNo fue posible obtener los datos de la cuenta origen para el "
        "cheque: CH-9",
        banco("CH-9", false));
}

TEST_F(LookupsTest, InfoBancoFailuresKeepWhatWasNotWritten) {
    EXPECT_EQ("false|002|previo| Get_Info_Banco() - Invalid use of Null", banco("CH-3", false));
    ledger.direct().Execute("DROP TABLE Banco");
    EXPECT_TRUE(testing::database_error_is("false|previo|previo| Get_Info_Banco() - ",
                                           "no such table: Banco", "42P01", banco("CH-1", false)));
}

TEST_F(LookupsTest, RfcOfASupplier) {
    EXPECT_EQ("true|PRO010101AA1|sin cambio", rfc("P1", "", "T01"));
    EXPECT_EQ(proveedor_sql("P1"), last_statement());
    EXPECT_EQ("true|PRO010101AA1|sin cambio", rfc("P1", "0123456789", "T05"));
    EXPECT_EQ("true|PRT010101AA4  |sin cambio", rfc("P4", "", "T01"));  // blanks kept
    EXPECT_EQ("true|OBR010101AA5|sin cambio", rfc("O'B", "", "T05"));
    EXPECT_EQ(proveedor_sql("O''B"), last_statement());
    EXPECT_EQ("true||" + kNoRfc, rfc("P2", "", "T05"));  // deleted
    EXPECT_EQ("true||" + kNoRfc, rfc("P9", "", "T01"));
    EXPECT_EQ("true||Get_RFC()\r\nNo se encontró el RFC(Proveedor: P3)", rfc("P3", "", "T05"));
}

TEST_F(LookupsTest, RfcOfACustomerOfEachKind) {
    EXPECT_EQ("true|DEU010101AA1|sin cambio", rfc("C1", "", "T02"));
    EXPECT_EQ(cliente_sql("C1", "DE"), last_statement());
    EXPECT_EQ("true|DEU010101AA1|sin cambio", rfc("C1", "", "T04"));
    EXPECT_EQ("true|CLI010101AA1|sin cambio", rfc("C1", "", "T03"));
    EXPECT_EQ(cliente_sql("C1", "CL"), last_statement());
    EXPECT_EQ("true||" + kNoRfc, rfc("C2", "", "T02"));  // a CL customer asked as DE
    EXPECT_EQ("true||" + kNoRfc, rfc("C3", "", "T04"));  // deleted
}

TEST_F(LookupsTest, RfcOfTheCompanyOwningTheDestinationAccountNumber) {
    EXPECT_EQ("true|EMP010101AB1|sin cambio", rfc("P1", "0123456789", "TE"));
    EXPECT_EQ(empresa_sql("0123456789"), last_statement());
    // A cheque type unknown to the host reads as an empty Tc_Solicitar.
    EXPECT_EQ("true|EMP010101AB1|sin cambio", rfc("", "0123456789", ""));
    EXPECT_EQ("true||" + kNoRfc, rfc("", "BC1", "TE"));         // the key is not the number
    EXPECT_EQ("true||" + kNoRfc, rfc("", "9876543210", "TE"));  // deleted account
    EXPECT_EQ("true||" + kNoRfc, rfc("", "5555", "TE"));        // deleted company
    EXPECT_EQ("true||Get_RFC()\r\nNo se encontró el RFC(Empresa cuenta: 6666)",
              rfc("", "6666", "TE"));
}

TEST_F(LookupsTest, RfcFailuresKeepTheCallersValue) {
    EXPECT_EQ("false|previo| Get_RFC() - Command text was not set for the command object.",
              rfc("P1", "0123456789", "T06"));
    EXPECT_EQ("false|previo| Get_RFC() - Invalid use of Null", rfc("P5", "", "T01"));
}

TEST_F(LookupsTest, RfcLeavesTheSharedStatementTextAlone) {
    host::modulo().Texto_SQL = "INSERT INTO Poliza_Detalle_Cheque ...";
    EXPECT_EQ("true|PRO010101AA1|sin cambio", rfc("P1", "", "T01"));
    EXPECT_EQ("INSERT INTO Poliza_Detalle_Cheque ...", host::modulo().Texto_SQL);
}

}  // namespace
}  // namespace ledgernova

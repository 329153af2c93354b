// A ledger made before the chart of accounts carried what the electronic accounting files need
// gets those columns from `init`, keeping its rows; running it again changes nothing.

#include <gtest/gtest.h>

#include "ledgernova/schema.h"
#include "support/ledger.h"

namespace ledgernova::testing {
namespace {

TEST(AddedColumnsTest, InitAddsTheChartColumnsKeepingTheRowsAndRunsAgainWithoutTouchingThem) {
    Ledger ledger;
    // The ledger as an earlier version left it: the tables without the new columns, with rows.
    for (const char* column :
         {"Cc_Codigo_Agrupador", "Cc_Naturaleza", "Cc_Nivel", "Cc_Cuenta_Padre"}) {
        ledger.direct().Execute(std::string("ALTER TABLE Cuenta_Contable DROP COLUMN ") + column);
    }
    ledger.direct().Execute("ALTER TABLE Empresa DROP COLUMN Em_Nombre");
    ledger.direct().Execute(
        "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro) "
        "VALUES('1102', 'Bancos', 'NO'), ('1102-001', 'BBVA', 'SI')");
    ledger.direct().Execute(
        "INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C) VALUES('01', 'AAA010101AAA')");
    const std::string accounts =
        "SELECT Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, Cc_Codigo_Agrupador, "
        "Cc_Naturaleza, Cc_Nivel, Cc_Cuenta_Padre FROM Cuenta_Contable "
        "ORDER BY Cc_Cve_Cuenta_Contable";

    create_schema(ledger.direct());
    EXPECT_EQ(ledger.rows(accounts), "1102|Bancos|NO|||1|\n1102-001|BBVA|SI|||1|\n");
    EXPECT_EQ(ledger.rows("SELECT Em_Cve_Empresa, Em_R_F_C, Em_Nombre FROM Empresa"),
              "01|AAA010101AAA|\n");

    ledger.direct().Execute(
        "UPDATE Cuenta_Contable SET Cc_Codigo_Agrupador = '102.01', Cc_Naturaleza = 'D', "
        "Cc_Nivel = 2, Cc_Cuenta_Padre = '1102' WHERE Cc_Cve_Cuenta_Contable = '1102-001'");
    create_schema(ledger.direct());
    EXPECT_EQ(ledger.rows(accounts), "1102|Bancos|NO|||1|\n1102-001|BBVA|SI|102.01|D|2|1102\n");
}

}  // namespace
}  // namespace ledgernova::testing

// `ledgernova opening set|list`: opening balances kept without SQL, stored as the trial balance
// reads them.

#include <string>

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

class OpeningCliTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(ledger({"init"}).status, 0);
        execute(
            "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion) "
            "VALUES('1101', 'Bancos'), ('2101', 'Proveedores de O''Brien')");
    }

    CliRun set(const std::string& company, const std::string& month, const std::string& account,
               const std::string& amount) {
        return ledger({"opening", "set", "--company", company, "--year", "2024", "--month", month,
                       account, amount});
    }
};

TEST_F(OpeningCliTest, StoresReplacesAndListsTheBalancesOfACompany) {
    const CliRun first = set("0'1", "6", "1101", "15000.5");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "opening balance of 1101 at 2024-06, company 0'1: 15000.50\n");
    ASSERT_EQ(set("0'1", "6", "2101", "-0.75").status, 0);
    ASSERT_EQ(set("0'1", "6", "1101", "14999.99").status, 0);
    ASSERT_EQ(set("0'1", "1", "2101", "3").status, 0);
    ASSERT_EQ(set("002", "6", "1101", "8").status, 0);

    EXPECT_EQ(query("SELECT Em_Cve_Empresa, Cc_Cve_Cuenta_Contable, Si_Ejercicio, Si_Periodo, "
                    "CAST(Si_Saldo AS TEXT) FROM Saldo_Inicial ORDER BY 1, 3, 4, 2"),
              "0'1|2101|2024|01|3\n"
              "0'1|1101|2024|06|14999.99\n"
              "0'1|2101|2024|06|-0.75\n"
              "002|1101|2024|06|8\n");
    const CliRun list = ledger({"opening", "list", "--company", "0'1"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.err, "");
    EXPECT_EQ(list.out,
              "2024-01 2101 3.00\n"
              "2024-06 1101 14999.99\n"
              "2024-06 2101 -0.75\n");
}

TEST_F(OpeningCliTest, RefusesAnAccountOutsideTheChartAndAnAmountThatIsNoNumber) {
    const CliRun unknown = set("001", "6", "9999", "1");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "ledgernova: the account 9999 is not in the chart of accounts\n");

    const CliRun amount = set("001", "6", "1101", "1,500");
    EXPECT_EQ(amount.status, 2);
    EXPECT_EQ(amount.err, "ledgernova: the amount 1,500 is not a number such as -1500.25\n");

    EXPECT_EQ(set("001", "13", "1101", "1").status, 2);
    EXPECT_EQ(query("SELECT COUNT(*) FROM Saldo_Inicial"), "0\n");

    const CliRun empty = ledger({"opening", "list", "--company", "001"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "ledgernova: company 001 has no opening balances\n");
}

}  // namespace
}  // namespace ledgernova::testing

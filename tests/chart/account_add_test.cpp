// Adding an account: what is stored, the statement that stores it, and each refusal's exact text
// with nothing written.

#include "chart/chart_fixture.h"

namespace ledgernova::testing {
namespace {

class AccountAddTest : public ChartTest {
  protected:
    void add_banks() {
        ASSERT_TRUE(add_account(ledger_.recorder(), account("1102", "Bancos", "102", "D")).ok);
    }
};

TEST_F(AccountAddTest, StoresTheAccountWithTheLevelBelowItsParent) {
    add_banks();
    Account bbva = account("1102-001", "Bancos BBVA", "102.01", "D", "1102");
    bbva.result = true;
    const ChartResult result = add_account(ledger_.recorder(), bbva);

    EXPECT_TRUE(result.ok) << problems(result);
    EXPECT_EQ(accounts(),
              "1102|Bancos|102|D|1||SI|NO\n"
              "1102-001|Bancos BBVA|102.01|D|2|1102|SI|SI\n");
}

TEST_F(AccountAddTest, QuotesInTheValuesAreDoubledOnce) {
    add_banks();
    ledger_.recorder().clear();
    ASSERT_TRUE(
        add_account(ledger_.recorder(), account("2101-001", "O'Brien's, S.A.", "201.01", "A")).ok);

    const auto& statements = ledger_.recorder().statements();
    ASSERT_FALSE(statements.empty());
    EXPECT_EQ(statements.back(),
              "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, "
              "Cc_Codigo_Agrupador, Cc_Naturaleza, Cc_Nivel, Cc_Cuenta_Padre, Cc_Registro, "
              "Cc_Resultado) VALUES('2101-001', 'O''Brien''s, S.A.', '201.01', 'A', 1, '', "
              "'SI', 'NO')");
    EXPECT_EQ(ledger_.rows("SELECT Cc_Descripcion FROM Cuenta_Contable WHERE "
                           "Cc_Cve_Cuenta_Contable = '2101-001'"),
              "O'Brien's, S.A.\n");
}

TEST_F(AccountAddTest, RefusalsSayWhyAndWriteNothing) {
    add_banks();
    const std::string before = accounts();
    const auto refused = [this](const Account& a) {
        const ChartResult result = add_account(ledger_.recorder(), a);
        EXPECT_FALSE(result.ok);
        return problems(result);
    };

    EXPECT_EQ(
        refused(account("1102-001", "BBVA", "999.99", "D", "1102")),
        "account 1102-001: the grouping code 999.99 is not in the SAT catalogue c_CodAgrup\n");
    EXPECT_EQ(refused(account("1102-001", "BBVA", "102.01", "", "1102")),
              "account 1102-001: no nature: D (deudora) or A (acreedora)\n");
    EXPECT_EQ(refused(account("1102-001", "BBVA", "102.01", "X", "1102")),
              "account 1102-001: the nature X is neither D (deudora) nor A (acreedora)\n");
    EXPECT_EQ(refused(account("1102-001", "BBVA", "102.01", "D", "1199")),
              "account 1102-001: the parent account 1199 is not in the chart\n");
    EXPECT_EQ(refused(account("1102-001", "BBVA", "102.01", "D", "1102", 3)),
              "account 1102-001: the level is 3, but its parent 1102 is at level 1, so it must "
              "be 2\n");
    EXPECT_EQ(refused(account("1103", "Caja", "101", "D", "", 2)),
              "account 1103: the level is 2, but an account without a parent is at level 1\n");
    EXPECT_EQ(refused(account("1103", "", "", "", "1103")),
              "account 1103: no description\n"
              "account 1103: no grouping code (a code of the SAT catalogue c_CodAgrup, such as "
              "102.01)\n"
              "account 1103: no nature: D (deudora) or A (acreedora)\n"
              "account 1103: the account cannot be its own parent\n");
    EXPECT_EQ(refused(account("", "Caja", "101", "D")), "an account without a key\n");
    EXPECT_EQ(refused(account("1102", "Bancos", "102", "D")),
              "account 1102: already in the chart\n");
    EXPECT_EQ(accounts(), before);
}

TEST_F(AccountAddTest, ReplaceOverwritesTheAccount) {
    add_banks();
    const ChartResult result =
        add_account(ledger_.recorder(), account("1102", "Bancos nacionales", "102.01", "D"), true);

    EXPECT_TRUE(result.ok) << problems(result);
    EXPECT_EQ(accounts(), "1102|Bancos nacionales|102.01|D|1||SI|NO\n");
}

TEST_F(AccountAddTest, CompanyRfcIsCheckedAndTheNameKept) {
    EXPECT_TRUE(set_company(ledger_.recorder(), {"01", "CNO980512AB3", "Comercializadora"}).ok);
    EXPECT_TRUE(set_company(ledger_.recorder(), {"01", "CNO980512AB4", ""}).ok);
    const ChartResult wrong = set_company(ledger_.recorder(), {"01", "cno980512", "Otra"});

    EXPECT_EQ(problems(wrong),
              "company 01, RFC \"cno980512\": not a valid RFC: 3 or 4 capitals (A-Z, Ñ, &), a date "
              "yymmdd and up to 3 capitals or digits, 12 or 13 characters\n");
    EXPECT_EQ(ledger_.rows("SELECT Em_Cve_Empresa, Em_R_F_C, Em_Nombre FROM Empresa"),
              "01|CNO980512AB4|Comercializadora\n");
    EXPECT_EQ(stored_rfc(ledger_.recorder(), "01"), "CNO980512AB4");
    EXPECT_EQ(stored_rfc(ledger_.recorder(), "02"), "");
}

}  // namespace
}  // namespace ledgernova::testing

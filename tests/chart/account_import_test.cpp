// Importing a chart from CSV: every row or none, each problem with the line of the file.

#include "chart/chart_fixture.h"

namespace ledgernova::testing {
namespace {

using AccountImportTest = ChartTest;

TEST_F(AccountImportTest, ImportsEveryRowDerivingLevelsFromParentsAnywhereInTheFile) {
    ASSERT_TRUE(add_account(ledger_.direct(), account("1000", "Activo", "100", "D")).ok);
    const std::string csv =
        "\xEF\xBB\xBFnature,account,description,grouping_code,parent,entry\r\n"
        "D,1102-001,\"Bancos BBVA, cta. \"\"0123\"\"\",102.01,1102,SI\r\n"
        "\r\n"
        "D,1102,Bancos,102,1000,NO\r\n"
        "A,2000,\"Pasivo\ny capital\",200,,NO\r\n";
    const ChartResult result = import_accounts(ledger_.recorder(), csv);

    EXPECT_TRUE(result.ok) << problems(result);
    EXPECT_EQ(accounts(),
              "1000|Activo|100|D|1||SI|NO\n"
              "1102|Bancos|102|D|2|1000|NO|NO\n"
              "1102-001|Bancos BBVA, cta. \"0123\"|102.01|D|3|1102|SI|NO\n"
              "2000|Pasivo\ny capital|200|A|1||NO|NO\n");
}

TEST_F(AccountImportTest, AnExistingAccountIsOverwritten) {
    ASSERT_TRUE(add_account(ledger_.direct(), account("1102", "Bancos", "102", "D")).ok);
    const ChartResult result =
        import_accounts(ledger_.recorder(),
                        "account,description,grouping_code,nature,parent,level,result\n"
                        "1102,Bancos nacionales,102.01,D,,1,SI\n");

    EXPECT_TRUE(result.ok) << problems(result);
    EXPECT_EQ(accounts(), "1102|Bancos nacionales|102.01|D|1||SI|SI\n");
}

TEST_F(AccountImportTest, OneBadRowRefusesTheWholeFileWithEveryProblemOnItsLine) {
    const ChartResult result =
        import_accounts(ledger_.recorder(),
                        "account,description,grouping_code,nature,parent,level\n"
                        "1000,Activo,100,D,,\n"
                        "1102,Bancos,999.99,D,1000,\n"
                        "1103,Caja,101,,1000,2\n"
                        "1104,Clientes,105,D,1999,\n"
                        "1105,Deudores,107,D,1000,3\n"
                        "1000,Otra vez,100,D,,\n"
                        "1106,Otros,107,D,1000,dos\n"
                        "1107,Corto\n");

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(problems(result),
              "line 3: account 1102: the grouping code 999.99 is not in the SAT catalogue "
              "c_CodAgrup\n"
              "line 4: account 1103: no nature: D (deudora) or A (acreedora)\n"
              "line 5: account 1104: the parent account 1999 is not in the chart\n"
              "line 6: account 1105: the level is 3, but its parent 1000 is at level 1, so it "
              "must be 2\n"
              "line 7: account 1000: already on line 2\n"
              "line 8: account 1106: the level \"dos\" is not a whole number from 1\n"
              "line 9: 2 fields where the header has 6\n");
    EXPECT_EQ(accounts(), "");
}

TEST_F(AccountImportTest, HeaderMistakesAndAFileWithoutAccountsAreRefused) {
    EXPECT_EQ(problems(import_accounts(ledger_.recorder(),
                                       "account,description,code,nature\n1000,Activo,100,D\n")),
              "line 1: unknown column \"code\" (the columns are account, description, "
              "grouping_code, nature, parent, level, entry, result)\n"
              "line 1: the column grouping_code is missing\n"
              "line 1: the column parent is missing\n");
    EXPECT_EQ(problems(import_accounts(ledger_.recorder(), "account,description\n")),
              "the file holds no account: a header row (account, description, grouping_code, "
              "nature, parent, level, entry, result) and one row per account\n");
    EXPECT_EQ(accounts(), "");
}

}  // namespace
}  // namespace ledgernova::testing

// The chart and the catalogue from the command line: account add|list|import, company set, and
// `export-sat catalogue` with its SAT file name and ZIP form.

#include <string>

#include "cli/cli_fixture.h"
#include "export/sat_schema.h"

namespace ledgernova::testing {
namespace {

class CliChartTest : public CliTest {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        CliTest::SetUp();
        ASSERT_EQ(ledger({"init"}).status, 0);
    }

    CliRun catalogue(std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"export-sat", "catalogue", "--company", "01",
                                              "--year",     "2024",      "--month",   "3"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return ledger(arguments);
    }
};

TEST_F(CliChartTest, AddsListsAndRefusesAccounts) {
    EXPECT_EQ(ledger({"account", "add", "1102", "--description", "Bancos", "--code", "102",
                      "--nature", "D", "--summary"})
                  .out,
              "account 1102 added\n");
    EXPECT_EQ(ledger({"account", "add", "1102-001", "--description", "BBVA", "--code", "102.01",
                      "--nature", "D", "--parent", "1102"})
                  .status,
              0);
    EXPECT_EQ(ledger({"account", "add", "1102-002", "--description", "Banamex", "--code", "102.99",
                      "--parent", "1199"}),
              cli_error(1,
                        "ledgernova: the account was not added (3 problems):\n"
                        "  account 1102-002: the grouping code 102.99 is not in the SAT "
                        "catalogue c_CodAgrup\n"
                        "  account 1102-002: no nature: D (deudora) or A (acreedora)\n"
                        "  account 1102-002: the parent account 1199 is not in the chart\n"));
    EXPECT_EQ(ledger({"account", "list"}).out,
              "account   description  code    nature  level  parent  entry\n"
              "--------  -----------  ------  ------  -----  ------  -----\n"
              "1102      Bancos       102     D           1          NO\n"
              "1102-001  BBVA         102.01  D           2  1102    SI\n");
}

TEST_F(CliChartTest, ImportsAllOrNothing) {
    write_file("good.csv",
               "account,description,grouping_code,nature,parent\n"
               "1102,Bancos,102,D,\n1102-001,BBVA,102.01,D,1102\n");
    write_file("bad.csv",
               "account,description,grouping_code,nature,parent\n"
               "1103,Caja,101,D,\n1103-001,Caja chica,101.01,,1103\n");

    EXPECT_EQ(ledger({"account", "import", "bad.csv"}),
              cli_error(1,
                        "ledgernova: nothing was imported (1 problem):\n"
                        "  line 3: account 1103-001: no nature: D (deudora) or A (acreedora)\n"));
    EXPECT_EQ(query("SELECT COUNT(*) FROM Cuenta_Contable"), "0\n");

    EXPECT_EQ(ledger({"account", "import", "good.csv"}).out, "imported the accounts of good.csv\n");
    EXPECT_EQ(query("SELECT Cc_Cve_Cuenta_Contable, Cc_Nivel FROM Cuenta_Contable ORDER BY 1"),
              "1102|1\n1102-001|2\n");
}

TEST_F(CliChartTest, CatalogueGoesToStandardOutputAFolderOrAZip) {
    ASSERT_EQ(ledger({"company", "set", "01", "--rfc", "CNO980512AB3", "--name", "Norte"}).out,
              "company 01: RFC CNO980512AB3\n");
    ASSERT_EQ(ledger({"account", "add", "1102", "--description", "Bancos", "--code", "102",
                      "--nature", "D"})
                  .status,
              0);

    const CliRun printed = catalogue({});
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(schema_errors(sat::Schema::CatalogoCuentas, printed.out), "");

    std::filesystem::create_directory(folder() / "sat");
    EXPECT_EQ(catalogue({"--out", "sat"}).out, "wrote sat/CNO980512AB3202403CT.xml\n");
    EXPECT_EQ(read_file("sat/CNO980512AB3202403CT.xml"), printed.out);

    EXPECT_EQ(catalogue({"--zip"}).out, "wrote CNO980512AB3202403CT.zip\n");
    const std::string zip = read_file("CNO980512AB3202403CT.zip");
    EXPECT_EQ(zip.substr(0, 4), "PK\x03\x04");
    EXPECT_NE(zip.find("CNO980512AB3202403CT.xml"), std::string::npos);
}

TEST_F(CliChartTest, CatalogueRefusalListsEachProblem) {
    execute("INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C) VALUES('01', 'CNO980512AB3')");
    execute(
        "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, "
        "Cc_Codigo_Agrupador, Cc_Naturaleza) VALUES('1102', 'Bancos', '102.99', 'D'), "
        "('2101', 'Proveedores', '201.01', '')");
    EXPECT_EQ(catalogue({"--out", "catalogo.xml"}),
              cli_error(1,
                        "ledgernova: the XML was not written (2 problems):\n"
                        "  Ctas 1102, CodAgrup \"102.99\": not a grouping code of the "
                        "c_CodAgrup catalogue\n"
                        "  Ctas 2101, Natur \"\": required, but empty\n"));
    EXPECT_FALSE(exists("catalogo.xml"));
}

TEST_F(CliChartTest, TheVoucherExportStillNeedsItsOptions) {
    EXPECT_EQ(ledger({"export-sat", "--company", "01", "--year", "2024", "--month", "3"}),
              cli_error(2, "ledgernova: --request is required\n"));
}

}  // namespace
}  // namespace ledgernova::testing

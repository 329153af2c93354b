// The chart of accounts as CatalogoCuentas 1.3: the document exactly, the refusals one a line,
// and the demo's chart valid against the schema.

#include <algorithm>
#include <string>

#include "export/export_fixture.h"
#include "ledgernova/export_catalogue.h"
#include "schema/scripts.h"

namespace ledgernova::testing {
namespace {

class ExportCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LEDGERNOVA_REQUIRE_SAT_SCHEMA();
        execute("INSERT INTO Empresa(Em_Cve_Empresa, Em_R_F_C) VALUES('01', 'CNO980512AB3')");
    }

    void execute(const std::string& sql) { ledger_.direct().Execute(sql); }

    void account(const std::string& values) {
        execute(
            "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, "
            "Cc_Codigo_Agrupador, Cc_Naturaleza, Cc_Nivel, Cc_Cuenta_Padre) VALUES(" +
            values + ")");
    }

    ExportResult run(const std::string& company = "01", const std::string& rfc = "") {
        return export_catalogo_cuentas(ledger_.recorder(), {company, 2024, 3, rfc});
    }

    Ledger ledger_;
};

TEST_F(ExportCatalogueTest, WritesEveryLiveAccountUnderTheCompanysRfc) {
    account("'1102', 'Bancos', '102', 'D', 1, ''");
    account("'1102-001', 'BBVA & Cía \"Norte\"', '102.01', 'D', 2, '1102'");
    account("'1102-009', 'Cuenta cerrada', '102.01', 'D', 2, '1102'");
    execute(
        "UPDATE Cuenta_Contable SET Es_Cve_Estado = 'CA' WHERE Cc_Cve_Cuenta_Contable = "
        "'1102-009'");
    const ExportResult result = run();

    ASSERT_TRUE(result.ok) << described(result);
    EXPECT_EQ(result.xml,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<catalogocuentas:Catalogo xmlns:catalogocuentas=\"http://www.sat.gob.mx/esquemas/"
              "ContabilidadE/1_3/CatalogoCuentas\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xsi:schemaLocation=\"http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/"
              "CatalogoCuentas http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/CatalogoCuentas/"
              "CatalogoCuentas_1_3.xsd\" Version=\"1.3\" RFC=\"CNO980512AB3\" Mes=\"03\" "
              "Anio=\"2024\">\n"
              "  <catalogocuentas:Ctas CodAgrup=\"102\" NumCta=\"1102\" Desc=\"Bancos\" "
              "Nivel=\"1\" Natur=\"D\"/>\n"
              "  <catalogocuentas:Ctas CodAgrup=\"102.01\" NumCta=\"1102-001\" "
              "Desc=\"BBVA &amp; Cía &quot;Norte&quot;\" SubCtaDe=\"1102\" Nivel=\"2\" "
              "Natur=\"D\"/>\n"
              "</catalogocuentas:Catalogo>\n");
    EXPECT_EQ(schema_errors(sat::Schema::CatalogoCuentas, result.xml), "");
}

TEST_F(ExportCatalogueTest, RefusesWithOneLinePerProblem) {
    account("'1102', 'Bancos', '102', 'D', 1, ''");
    account("'1102-001', 'BBVA', '999.99', 'D', 2, '1102'");
    account("'1102-002', 'Banamex', '102.01', '', 2, '1102'");
    account("'1102-003', 'Santander', '102.01', 'D', 3, '1102'");
    account("'1103-001', 'Caja chica', '101.01', 'D', 2, '1103'");
    account("'2000', 'Pasivo', '200', 'A', 2, ''");
    const ExportResult result = run();

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.xml, "");
    EXPECT_EQ(described(result),
              "Ctas 1102-001, CodAgrup \"999.99\": not a grouping code of the c_CodAgrup "
              "catalogue\n"
              "Ctas 1102-002, Natur \"\": required, but empty\n"
              "Ctas 1102-003, Nivel \"3\": its parent 1102 is at level 1, so it must be 2\n"
              "Ctas 1103-001, SubCtaDe \"1103\": the parent account is not in the chart of "
              "accounts\n"
              "Ctas 2000, Nivel \"2\": an account without a parent is at level 1\n");
}

TEST_F(ExportCatalogueTest, TheRfcComesFromTheCompanyUnlessGiven) {
    account("'1102', 'Bancos', '102', 'D', 1, ''");
    EXPECT_TRUE(contains(run("01", "AAA010101AAA").xml, "RFC=\"AAA010101AAA\""));
    EXPECT_EQ(described(run("09")), "Catalogo, RFC \"\": the company 09 is not in Empresa\n");
    execute("INSERT INTO Empresa(Em_Cve_Empresa) VALUES('02')");
    EXPECT_EQ(described(run("02")), "Catalogo, RFC \"\": the company 02 has no RFC in Empresa\n");
}

TEST_F(ExportCatalogueTest, AnEmptyChartHasNothingToDeliver) {
    EXPECT_EQ(described(run()),
              "Catalogo: no account to deliver: the chart of accounts is empty\n");
}

TEST_F(ExportCatalogueTest, TheDemoChartIsValid) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "the demo catalogue is written for SQLite";
    }
    const auto& scripts = schema::all_scripts();
    const auto demo = std::find_if(scripts.begin(), scripts.end(),
                                   [](const auto& s) { return s.name == "sqlite/demo.sql"; });
    ASSERT_NE(demo, scripts.end());
    execute("DELETE FROM Empresa");
    execute(demo->text);
    const ExportResult result = run();

    ASSERT_TRUE(result.ok) << described(result);
    EXPECT_EQ(schema_errors(sat::Schema::CatalogoCuentas, result.xml), "");
    std::size_t accounts = 0;
    for (auto at = result.xml.find("<catalogocuentas:Ctas "); at != std::string::npos;
         at = result.xml.find("<catalogocuentas:Ctas ", at + 1)) {
        ++accounts;
    }
    EXPECT_EQ(accounts, 35U);
}

}  // namespace
}  // namespace ledgernova::testing

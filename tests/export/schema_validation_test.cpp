// The shipped schemas as the library finds and applies them: libxml2's findings one a line,
// without the thousands of values of an enumeration.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/catalogues.h"
#include "export/sat_schema.h"

namespace ledgernova::testing {
namespace {

constexpr const char* kCatalogueOpen =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<c:Catalogo xmlns:c=\"http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/CatalogoCuentas\" "
    "Version=\"1.3\" RFC=\"CNO980512AB3\" Mes=\"03\" Anio=\"2024\">\n";

class SchemaValidationTest : public ::testing::Test {
  protected:
    void SetUp() override { LEDGERNOVA_REQUIRE_SAT_SCHEMA(); }
};

TEST_F(SchemaValidationTest, AValidDocumentHasNoProblemsElseEachIsALineWithItsLineNumber) {
    const std::string valid = std::string(kCatalogueOpen) +
                              "<c:Ctas CodAgrup=\"102.01\" NumCta=\"1102\" Desc=\"Bancos\" "
                              "Nivel=\"1\" Natur=\"D\"/>\n";
    EXPECT_EQ(schema_errors(sat::Schema::CatalogoCuentas, valid + "</c:Catalogo>\n"), "");
    const std::string xml = valid +
                            "<c:Ctas CodAgrup=\"999.99\" NumCta=\"1103\" Desc=\"Caja\" "
                            "Nivel=\"1\" Natur=\"X\"/>\n</c:Catalogo>\n";
    const std::string element =
        "line 4: Element '{http://www.sat.gob.mx/esquemas/ContabilidadE/1_3/CatalogoCuentas}Ctas'";
    EXPECT_EQ(schema_errors(sat::Schema::CatalogoCuentas, xml),
              element +
                  ", attribute 'CodAgrup': [facet 'enumeration'] The value '999.99' is not a "
                  "value of the catalogue.\n" +
                  element +
                  ", attribute 'Natur': [facet 'pattern'] The value 'X' is not accepted by the "
                  "pattern '[DA]'.\n");
}

TEST_F(SchemaValidationTest, NotWellFormedXmlIsOneProblem) {
    EXPECT_EQ(schema_errors(sat::Schema::BalanzaComprobacion, "<Balanza"),
              "the document is not well-formed XML\n");
}

TEST_F(SchemaValidationTest, TheEnvironmentNamesTheFolder) {
    const auto found = sat::schemas_folder();
    EXPECT_TRUE(std::filesystem::exists(found / sat::schema_file(sat::Schema::PolizasPeriodo)));
    ASSERT_EQ(setenv("LEDGERNOVA_SAT_SCHEMAS", "/nowhere/sat", 1), 0);
    EXPECT_EQ(sat::schemas_folder(), std::filesystem::path("/nowhere/sat"));
    unsetenv("LEDGERNOVA_SAT_SCHEMAS");
    EXPECT_EQ(sat::schemas_folder(), found);
}

TEST_F(SchemaValidationTest, GroupingCodesAreThoseOfTheCatalogue) {
    const auto codes = sat::catalogue_values("c_CodAgrup");
    ASSERT_EQ(codes.size(), 1080U);
    EXPECT_EQ(codes.front(), "000");
    EXPECT_EQ(codes.back(), "899.02");
    EXPECT_TRUE(sat::is_grouping_code("102.01"));
    EXPECT_FALSE(sat::is_grouping_code("102.1"));
    EXPECT_FALSE(sat::is_grouping_code("6099.033"));  // c_CodAgrupH's, not c_CodAgrup's
    EXPECT_FALSE(sat::is_grouping_code(""));
}

}  // namespace
}  // namespace ledgernova::testing

// The catalogue codes the export checks against are the ones the published catalogue schema
// enumerates, code for code and in the same order.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

#include "export/catalogues.h"
#include "export/sat_schema.h"

namespace ledgernova::testing {
namespace {

std::string attribute(xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

bool named(xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::string(reinterpret_cast<const char*>(node->name)) == name;
}

// Every xs:enumeration value beneath `node`, in document order.
void enumerations(xmlNode* node, std::vector<std::string>& values) {
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (named(child, "enumeration")) {
            values.push_back(attribute(child, "value"));
        }
        enumerations(child, values);
    }
}

// The enumerated values of the catalogue schema's simple type `type`.
std::vector<std::string> schema_codes(const std::string& type) {
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadFile(catalogues_schema_path().c_str(), nullptr, XML_PARSE_NONET), &xmlFreeDoc);
    std::vector<std::string> values;
    if (!document) {
        return values;
    }
    for (xmlNode* node = xmlDocGetRootElement(document.get())->children; node != nullptr;
         node = node->next) {
        if (named(node, "simpleType") && attribute(node, "name") == type) {
            enumerations(node, values);
        }
    }
    return values;
}

class ExportSatCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(catalogues_schema_path())) {
            GTEST_SKIP() << "the catalogue schema is missing at " << catalogues_schema_path();
        }
    }
};

TEST_F(ExportSatCatalogueTest, BankCodesAreThoseOfCBanco) {
    EXPECT_EQ(sat::catalogue_codes(sat::Catalogue::Banco), schema_codes("c_Banco"));
    EXPECT_TRUE(sat::is_bank_code("002"));
    EXPECT_TRUE(sat::is_bank_code("999"));
    EXPECT_FALSE(sat::is_bank_code("2"));
}

TEST_F(ExportSatCatalogueTest, PaymentMethodsAreThoseOfCMetPagos) {
    EXPECT_EQ(sat::catalogue_codes(sat::Catalogue::MetPagos), schema_codes("c_MetPagos"));
    EXPECT_TRUE(sat::is_payment_method("99"));
    EXPECT_FALSE(sat::is_payment_method("18"));
}

TEST_F(ExportSatCatalogueTest, CurrenciesAreThoseOfCMoneda) {
    EXPECT_EQ(sat::catalogue_codes(sat::Catalogue::Moneda), schema_codes("c_Moneda"));
    EXPECT_TRUE(sat::is_currency("MXN"));
    EXPECT_FALSE(sat::is_currency("mxn"));
}

}  // namespace
}  // namespace ledgernova::testing

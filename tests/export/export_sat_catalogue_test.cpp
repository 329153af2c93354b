// The catalogue codes the export checks against are the ones the published catalogue schema
// enumerates, code for code and in the same order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/catalogues.h"
#include "export/sat_schema.h"

namespace ledgernova::testing {
namespace {

class ExportSatCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { LEDGERNOVA_REQUIRE_SAT_SCHEMA(); }
};

TEST_F(ExportSatCatalogueTest, BankCodesAreThoseOfCBanco) {
    EXPECT_EQ(sat::catalogue_codes(sat::Catalogue::Banco), sat::catalogue_values("c_Banco"));
    EXPECT_TRUE(sat::is_bank_code("002"));
    EXPECT_TRUE(sat::is_bank_code("999"));
    EXPECT_FALSE(sat::is_bank_code("2"));
}

TEST_F(ExportSatCatalogueTest, PaymentMethodsAreThoseOfCMetPagos) {
    EXPECT_EQ(sat::catalogue_codes(sat::Catalogue::MetPagos), sat::catalogue_values("c_MetPagos"));
    EXPECT_TRUE(sat::is_payment_method("99"));
    EXPECT_FALSE(sat::is_payment_method("18"));
}

TEST_F(ExportSatCatalogueTest, CurrenciesAreThoseOfCMoneda) {
    EXPECT_EQ(sat::catalogue_codes(sat::Catalogue::Moneda), sat::catalogue_values("c_Moneda"));
    EXPECT_TRUE(sat::is_currency("MXN"));
    EXPECT_FALSE(sat::is_currency("mxn"));
}

}  // namespace
}  // namespace ledgernova::testing

#include "ledgernova/registry.h"

#include <gtest/gtest.h>

#include "ledgernova/module.h"
#include "support/ledger.h"

namespace ledgernova::com {
namespace {

using testing::Ledger;

class Registry : public ::testing::Test {
  protected:
    Ledger ledger;  // a created object reads its settings from the host at once
};

TEST_F(Registry, CreatesByProgIdOrClassIdInAnyCaseAndNothingForUnknownNames) {
    for (const char* name :
         {"ledgerNova.Polizas", "LEDGERNOVA.POLIZAS", "ledgernova.polizas",
          "{A4F0CA0C-F635-4571-8038-2818430A10DD}", "{a4f0ca0c-f635-4571-8038-2818430a10dd}",
          "A4F0CA0C-F635-4571-8038-2818430A10DD"}) {
        EXPECT_NE(nullptr, CreateObject(name)) << name;
        EXPECT_NE(std::nullopt, find_class(name)) << name;
    }
    for (const char* name : {"ledgerNova.Poliza", "ledgerNova.Polizas.1", "", "{",
                             "{C89FAD3A-67BB-4DE4-9247-BF217E55F358}"}) {
        EXPECT_EQ(nullptr, CreateObject(name)) << name;
        EXPECT_EQ(std::nullopt, find_class(name)) << name;
    }
}

TEST_F(Registry, CreatedObjectsAreIndependentVoucherObjects) {
    const auto first = CreateObject(kProgId_Polizas);
    const auto second = CreateObject(CLSID_Polizas);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ("", first->get_Error());
    first->put_Folio("0000000042");
    EXPECT_EQ("0000000042", first->get_Encabezado().Pl_Folio);
    EXPECT_EQ("", second->get_Encabezado().Pl_Folio);
}

TEST(RegistryWithoutHost, AnObjectThatCannotReachItsHostIsStillCreated) {
    Ledger ledger;
    set_host_factory([]() -> HostObjects { throw std::runtime_error("host unavailable"); });
    const auto object = CreateObject(kProgId_Polizas);
    ASSERT_NE(nullptr, object);
    EXPECT_NE(std::string::npos, object->get_Error().find("host unavailable"));
}

}  // namespace
}  // namespace ledgernova::com

// The default host's Mostrar_Mensaje: the message box the user-interface library installs when
// there is one that can show the message, standard error otherwise.

#include <gtest/gtest.h>

#include <string>

#include "host/message_box.h"
#include "host/module_state.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

std::string shown;

bool recording_box(const std::string& caption, const std::string& message) noexcept {
    shown += caption + ": " + message + "\n";
    return true;
}

bool box_without_display(const std::string&, const std::string&) noexcept {
    return false;
}

class FoliosMessageTest : public ::testing::Test {
  protected:
    void SetUp() override { shown.clear(); }
    void TearDown() override { host::set_message_box(nullptr); }

    // What the default host wrote to standard error for one message of the folio dialog.
    std::string show() {
        ::testing::internal::CaptureStderr();
        host::modulo().sistema->Mostrar_Mensaje(
            "No especifico el consecutivo para el folio de diario!", 64, "Orvalis", 0x2a0004,
            "ledgerNova", "ERR-ID:7500003");
        return ::testing::internal::GetCapturedStderr();
    }

    testing::Ledger ledger;
};

constexpr const char* kOnStandardError =
    "Orvalis - ledgerNova (ERR-ID:7500003): No especifico el consecutivo para el folio de "
    "diario!\n";

TEST_F(FoliosMessageTest, WithoutAMessageBoxTheMessageGoesToStandardError) {
    EXPECT_EQ(kOnStandardError, show());
}

TEST_F(FoliosMessageTest, AnInstalledMessageBoxShowsItTitledWithTheCaption) {
    host::set_message_box(&recording_box);
    EXPECT_EQ("", show());
    EXPECT_EQ("Orvalis: No especifico el consecutivo para el folio de diario!\n", shown);
}

TEST_F(FoliosMessageTest, AMessageBoxWithNoDisplayLeavesTheMessageToStandardError) {
    host::set_message_box(&box_without_display);
    EXPECT_EQ(kOnStandardError, show());
}

}  // namespace
}  // namespace ledgernova

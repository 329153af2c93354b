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

// What the default host wrote to standard error for one message of the folio dialog.
std::string show() {
    ::testing::internal::CaptureStderr();
    host::modulo().sistema->Mostrar_Mensaje("No especifico el consecutivo para el folio de diario!",
                                            64, "Orvalis", 0x2a0004, "ledgerNova",
                                            "ERR-ID:7500003");
    return ::testing::internal::GetCapturedStderr();
}

TEST(FoliosMessageTest, TheMessageBoxShowsItTitledWithTheCaptionOrElseStandardErrorHasIt) {
    const std::string on_standard_error =
        "Orvalis - ledgerNova (ERR-ID:7500003): No especifico el consecutivo para el folio de "
        "diario!\n";
    const struct {
        host::MessageBox box;
        std::string standard_error;
        std::string shown;
    } cases[] = {
        {nullptr, on_standard_error, ""},
        {&recording_box, "", "Orvalis: No especifico el consecutivo para el folio de diario!\n"},
        {&box_without_display, on_standard_error, ""},  // it could not show the message
    };
    const testing::Ledger ledger;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        shown.clear();
        host::set_message_box(c.box);
        EXPECT_EQ(c.standard_error, show());
        EXPECT_EQ(c.shown, shown);
    }
    host::set_message_box(nullptr);
}

}  // namespace
}  // namespace ledgernova

// The rules of the folio dialog, driven without a window: the host and the view record what the
// dialog asked of them, in order, in one log.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "host/module_state.h"
#include "support/host_wrappers.h"
#include "support/ledger.h"
#include "ui/folios_rules.h"

namespace ledgernova {
namespace {

using ui::FolioBox;

constexpr std::intptr_t kWindow = 0x2a0004;

// By FolioBox, in the order cmdAceptar checks the boxes.
constexpr const char* kBoxNames[] = {"txtIngreso", "txtEgreso", "txtDiario"};

// The default host with its messages recorded instead of shown.
class MessageLog : public testing::DelegatingSistema {
  public:
    MessageLog(std::shared_ptr<ServiciosSistema> inner, std::string& log)
        : DelegatingSistema(std::move(inner)), log_(log) {}
    void Mostrar_Mensaje(const std::string& Mensaje, std::int32_t Estilo, const std::string& Titulo,
                         std::intptr_t Ventana, const std::string& Aplicacion,
                         const std::string& Id_Error) override {
        log_ += fmt::format("Mostrar_Mensaje({}|{}|{}|{:#x}|{}|{})\n", Mensaje, Estilo, Titulo,
                            Ventana, Aplicacion, Id_Error);
        if (fail) {
            throw std::runtime_error("the host has no screen");
        }
    }
    bool fail = false;

  private:
    std::string& log_;
};

class RecordingView : public ui::FoliosView {
  public:
    explicit RecordingView(std::string& log) : log_(log) {}
    void focus(FolioBox box) override {
        log_ += fmt::format("focus {}\n", kBoxNames[static_cast<std::size_t>(box)]);
    }
    void close() override { log_ += "close\n"; }
    std::intptr_t handle() const override { return kWindow; }

  private:
    std::string& log_;
};

class FoliosRulesTest : public ::testing::Test {
  protected:
    // The dialog opened with these numbers in its boxes.
    ui::FoliosRules& open(ui::Consecutivos initial) {
        rules = std::make_unique<ui::FoliosRules>(sistema, view, initial);
        return *rules;
    }

    testing::Ledger ledger;
    std::string log;
    MessageLog sistema{host::modulo().sistema, log};
    RecordingView view{log};
    std::unique_ptr<ui::FoliosRules> rules;
};

// What the log holds once cmdAceptar has found the box of `folio` at 0.
std::string refused(const char* folio, int id, const char* box) {
    return fmt::format(
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de {}!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:750000{})\nfocus {}\n",
        folio, id, box);
}

TEST_F(FoliosRulesTest, TheFirstBoxAtZeroIsReportedAndFocusedAndTheDialogStaysOpen) {
    struct Case {
        ui::Consecutivos initial;
        std::vector<std::pair<FolioBox, const char*>> entries;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{0, 0, 0}, {}, refused("ingreso", 1, "txtIngreso")},  // only the first is reported
        {{4, 0, 0}, {}, refused("egreso", 2, "txtEgreso")},
        {{},
         {{FolioBox::txtIngreso, "12"}, {FolioBox::txtEgreso, "7"}},
         refused("diario", 3, "txtDiario")},
        // An empty box, or one of zeros, counts as 0.
        {{1, 2, 3}, {{FolioBox::txtEgreso, ""}}, refused("egreso", 2, "txtEgreso")},
        {{1, 2, 3}, {{FolioBox::txtDiario, "000"}}, refused("diario", 3, "txtDiario")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        log.clear();
        auto& dialog = open(c.initial);
        for (const auto& [box, text] : c.entries) {
            ASSERT_TRUE(dialog.enter(box, text));
        }
        dialog.cmdAceptar();
        EXPECT_EQ(c.expected, log);
        EXPECT_FALSE(dialog.accepted());
    }
}

TEST_F(FoliosRulesTest, AcceptWithEveryBoxSetClosesWithTheFlagSetAndCancelClearsIt) {
    auto& dialog = open({});
    dialog.cmdAceptar();  // refused first: the dialog stays usable
    ASSERT_TRUE(dialog.enter(FolioBox::txtIngreso, "0041"));
    ASSERT_TRUE(dialog.enter(FolioBox::txtEgreso, "2147483647"));
    ASSERT_TRUE(dialog.enter(FolioBox::txtDiario, "9"));
    log.clear();
    dialog.cmdAceptar();
    EXPECT_EQ("close\n", log);
    EXPECT_TRUE(dialog.accepted());
    const ui::Consecutivos values = dialog.values();
    EXPECT_EQ("41 2147483647 9",
              fmt::format("{} {} {}", values.ingreso, values.egreso, values.diario));
    // Cancel closes with the flag clear whatever the boxes hold, also after an accept.
    log.clear();
    dialog.cmdCancelar();
    EXPECT_EQ("close\n", log);
    EXPECT_FALSE(dialog.accepted());
}

TEST_F(FoliosRulesTest, TextThatIsNotAWholeNumberIsRefusedAndTheOldValueKept) {
    auto& dialog = open({});
    ASSERT_TRUE(dialog.enter(FolioBox::txtIngreso, "15"));
    for (const char* text :
         {"15a", "-15", "+15", "1.5", " 15", "15 ", "0x1F", "1e3", "2147483648", "00000000001"}) {
        EXPECT_FALSE(dialog.enter(FolioBox::txtIngreso, text)) << text;
    }
    EXPECT_EQ("15", dialog.text(FolioBox::txtIngreso));
    EXPECT_EQ(15, dialog.value(FolioBox::txtIngreso));
    EXPECT_EQ("0", dialog.text(FolioBox::txtEgreso));  // other boxes untouched
}

TEST_F(FoliosRulesTest, AHostThatFailsToShowTheMessageStillLeavesTheDialogOpenOnTheBox) {
    auto& dialog = open({3, 0, 1});
    sistema.fail = true;
    ::testing::internal::CaptureStderr();
    dialog.cmdAceptar();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(refused("egreso", 2, "txtEgreso"), log);
    EXPECT_EQ(
        "Orvalis - ledgerNova (ERR-ID:7500002): No especifico el consecutivo para el folio de "
        "egreso! [the host has no screen]\n",
        said);
    EXPECT_FALSE(dialog.accepted());
}

}  // namespace
}  // namespace ledgernova

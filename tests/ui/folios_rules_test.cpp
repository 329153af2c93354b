// The rules of the folio dialog, driven without a window: the host and the view record what the
// dialog asked of them, in order, in one log.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include <fmt/format.h>

#include "host/module_state.h"
#include "support/host_wrappers.h"
#include "support/ledger.h"
#include "ui/folios_rules.h"

namespace ledgernova {
namespace {

using ui::FolioBox;

constexpr std::intptr_t kWindow = 0x2a0004;

const char* box_name(FolioBox box) {
    switch (box) {
        case FolioBox::txtIngreso:
            return "txtIngreso";
        case FolioBox::txtEgreso:
            return "txtEgreso";
        case FolioBox::txtDiario:
            return "txtDiario";
    }
    return "?";
}

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
    void focus(FolioBox box) override { log_ += fmt::format("focus {}\n", box_name(box)); }
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

TEST_F(FoliosRulesTest, AllBoxesZeroReportsOnlyTheIncomeBox) {
    auto& dialog = open({0, 0, 0});
    dialog.cmdAceptar();
    EXPECT_EQ(
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de ingreso!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:7500001)\n"
        "focus txtIngreso\n",
        log);
    EXPECT_FALSE(dialog.accepted());
}

TEST_F(FoliosRulesTest, ExpenseZeroIsReportedBeforeJournalZero) {
    auto& dialog = open({4, 0, 0});
    dialog.cmdAceptar();
    EXPECT_EQ(
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de egreso!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:7500002)\n"
        "focus txtEgreso\n",
        log);
}

TEST_F(FoliosRulesTest, JournalZeroWithIncomeAndExpenseSetIsReported) {
    auto& dialog = open({});
    ASSERT_TRUE(dialog.enter(FolioBox::txtIngreso, "12"));
    ASSERT_TRUE(dialog.enter(FolioBox::txtEgreso, "7"));
    dialog.cmdAceptar();
    EXPECT_EQ(
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de diario!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:7500003)\n"
        "focus txtDiario\n",
        log);
    EXPECT_FALSE(dialog.accepted());
}

TEST_F(FoliosRulesTest, AnEmptyBoxOrOneOfZerosCountsAsZero) {
    auto& dialog = open({1, 2, 3});
    ASSERT_TRUE(dialog.enter(FolioBox::txtEgreso, ""));
    dialog.cmdAceptar();
    ASSERT_TRUE(dialog.enter(FolioBox::txtEgreso, "5"));
    ASSERT_TRUE(dialog.enter(FolioBox::txtDiario, "000"));
    dialog.cmdAceptar();
    EXPECT_EQ(
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de egreso!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:7500002)\n"
        "focus txtEgreso\n"
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de diario!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:7500003)\n"
        "focus txtDiario\n",
        log);
}

TEST_F(FoliosRulesTest, AcceptWithEveryBoxSetClosesWithTheFlagSet) {
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
}

TEST_F(FoliosRulesTest, CancelClosesWithTheFlagClearWhateverTheBoxesHold) {
    auto& dialog = open({1, 2, 3});
    dialog.cmdCancelar();
    EXPECT_EQ("close\n", log);
    EXPECT_FALSE(dialog.accepted());
}

TEST_F(FoliosRulesTest, TextThatIsNotAWholeNumberIsRefusedAndTheOldValueKept) {
    auto& dialog = open({});
    ASSERT_TRUE(dialog.enter(FolioBox::txtIngreso, "15"));
    for (const char* refused :
         {"15a", "-15", "+15", "1.5", " 15", "15 ", "0x1F", "1e3", "2147483648", "00000000001"}) {
        EXPECT_FALSE(dialog.enter(FolioBox::txtIngreso, refused)) << refused;
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
    EXPECT_EQ(
        "Mostrar_Mensaje(No especifico el consecutivo para el folio de egreso!|64|Orvalis|0x2a0004"
        "|ledgerNova|ERR-ID:7500002)\n"
        "focus txtEgreso\n",
        log);
    EXPECT_NE(std::string::npos, said.find("No especifico el consecutivo para el folio de egreso!"))
        << said;
    EXPECT_FALSE(dialog.accepted());
}

}  // namespace
}  // namespace ledgernova

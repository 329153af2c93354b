#include "ui/folios_window.h"

#include <cstdlib>
#include <exception>
#include <memory>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_ask.H>
#include <FL/x.H>  // last: the X11 headers define macros such as None and Status

#include "host/message_box.h"

namespace ledgernova::ui {
namespace {

// Layout, in pixels.
constexpr int kWidth = 300;
constexpr int kHeight = 170;
constexpr int kBoxLeft = 85;
constexpr int kBoxWidth = 195;
constexpr int kRowHeight = 25;
constexpr int kRowStep = 35;
constexpr int kTop = 15;
constexpr int kButtonWidth = 95;
constexpr int kButtonGap = 10;

// Opens the toolkit's connection to the display when there is none yet. False when DISPLAY is
// unset or names a display that cannot be opened (the toolkit would end the process instead).
bool display_ready() noexcept {
    if (fl_display != nullptr) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    return true;
}

bool show_message(const std::string& caption, const std::string& message) noexcept {
    if (!display_ready()) {
        return false;
    }
    fl_close = "Aceptar";
    fl_message_title(caption.c_str());
    fl_message("%s", message.c_str());
    return true;
}

// An integer box whose every edit (keystroke, paste, drop) goes through the rules: an edit they
// refuse is undone, so the box keeps its previous text and cursor.
class NumericBox final : public Fl_Int_Input {
  public:
    NumericBox(int top, const char* caption, FoliosRules& rules, FolioBox box)
        : Fl_Int_Input(kBoxLeft, top, kBoxWidth, kRowHeight, caption), rules_(rules), box_(box) {
        value(rules_.text(box_).c_str());
    }

    int handle(int event) override {
        const std::string before = value();
        const int cursor = position();
        const int anchor = mark();
        const int used = Fl_Int_Input::handle(event);
        if (before != value() && !rules_.enter(box_, value())) {
            value(before.c_str());
            position(cursor, anchor);
        }
        return used;
    }

  private:
    FoliosRules& rules_;
    FolioBox box_;
};

class FoliosWindow final : public FoliosView {
  public:
    FoliosWindow(ServiciosSistema& host, Consecutivos initial);

    // Shows the window and returns once it is closed.
    void run();
    [[nodiscard]] FoliosResult result() const;

    void focus(FolioBox box) override;
    void close() override { window_->hide(); }
    [[nodiscard]] std::intptr_t handle() const override {
        return static_cast<std::intptr_t>(fl_xid(window_.get()));
    }

  private:
    void add_boxes();
    void add_buttons();

    FoliosRules rules_;
    std::unique_ptr<Fl_Double_Window> window_;  // owns every widget below
    NumericBox* boxes_[3] = {};
};

FoliosWindow::FoliosWindow(ServiciosSistema& host, Consecutivos initial)
    : rules_(host, *this, initial),
      window_(std::make_unique<Fl_Double_Window>(kWidth, kHeight, "Consecutivos de pólizas")) {
    add_boxes();
    add_buttons();
    window_->end();
    window_->callback(
        [](Fl_Widget*, void* self) { static_cast<FoliosWindow*>(self)->rules_.cmdCancelar(); },
        this);
}

void FoliosWindow::add_boxes() {
    const char* captions[3] = {"Ingreso:", "Egreso:", "Diario:"};
    for (int row = 0; row < 3; ++row) {
        const auto box = static_cast<FolioBox>(row);
        boxes_[row] = new NumericBox(kTop + row * kRowStep, captions[row], rules_, box);
    }
}

void FoliosWindow::add_buttons() {
    const int top = kTop + 3 * kRowStep + 5;
    const int cancelar_left = kBoxLeft + kBoxWidth - kButtonWidth;  // flush with the boxes
    const int aceptar_left = cancelar_left - kButtonGap - kButtonWidth;
    auto* aceptar =
        new Fl_Return_Button(aceptar_left, top, kButtonWidth, kRowHeight + 3, "Aceptar");
    aceptar->callback(
        [](Fl_Widget*, void* self) { static_cast<FoliosWindow*>(self)->rules_.cmdAceptar(); },
        this);
    auto* cancelar = new Fl_Button(cancelar_left, top, kButtonWidth, kRowHeight + 3, "Cancelar");
    cancelar->callback(
        [](Fl_Widget*, void* self) { static_cast<FoliosWindow*>(self)->rules_.cmdCancelar(); },
        this);
}

void FoliosWindow::run() {
    window_->set_modal();
    window_->show();
    while (window_->shown()) {
        Fl::wait();
    }
}

FoliosResult FoliosWindow::result() const {
    const Consecutivos values = rules_.values();
    return {rules_.accepted(), values.ingreso, values.egreso, values.diario, {}};
}

// The box's text comes selected, so that what the user types next replaces it.
void FoliosWindow::focus(FolioBox box) {
    NumericBox* target = boxes_[static_cast<int>(box)];
    if (target->take_focus() != 0) {
        target->position(target->size(), 0);
    }
}

}  // namespace

void install_message_box() noexcept {
    host::set_message_box(&show_message);
}

FoliosResult run_folios_dialog(ServiciosSistema& host, Consecutivos initial) noexcept {
    try {
        if (!display_ready()) {
            return {.error =
                        "there is no display to show the dialog on (DISPLAY is unset or "
                        "cannot be opened)"};
        }
        install_message_box();
        Fl::scheme("gtk+");
        FoliosWindow window(host, initial);
        window.run();
        return window.result();
    } catch (const std::exception& error) {
        return {.error = std::string("the dialog failed: ") + error.what()};
    } catch (...) {
        return {.error = "the dialog failed"};
    }
}

}  // namespace ledgernova::ui

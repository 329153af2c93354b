#pragma once

// The folio dialog frmFolios without its toolkit: the three starting consecutive numbers, the
// check of cmdAceptar and the accepted flag. A window shows them through FoliosView; tests drive
// the rules without a display.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ledgernova/host.h"

namespace ledgernova::ui {

// The numeric boxes of the dialog, in the order cmdAceptar checks them.
enum class FolioBox { txtIngreso, txtEgreso, txtDiario };

// Starting consecutive numbers for income, expense and journal vouchers.
struct Consecutivos {
    std::int32_t ingreso = 0;
    std::int32_t egreso = 0;
    std::int32_t diario = 0;
};

// What the rules ask of the window that shows them. None of these may throw.
class FoliosView {
  public:
    virtual ~FoliosView() = default;
    // Gives `box` the input focus when it can take it; does nothing otherwise.
    virtual void focus(FolioBox box) = 0;
    // Closes the dialog. The rules keep their values and the accepted flag.
    virtual void close() = 0;
    // The window's handle, passed to the host as the owner of the messages it shows; 0 for none.
    [[nodiscard]] virtual std::intptr_t handle() const = 0;
};

class FoliosRules {
  public:
    // The boxes start with the `initial` numbers; the accepted flag starts false. `host` and
    // `view` stay owned by the caller and must outlive the rules.
    FoliosRules(ServiciosSistema& host, FoliosView& view, Consecutivos initial = {}) noexcept;

    // Takes `text` as the new content of `box` when it is a whole number written in at most ten
    // digits and nothing else, no greater than 2147483647 (an empty box counts as 0). Otherwise
    // returns false and the box keeps its previous content: the window then puts that content back.
    [[nodiscard]] bool enter(FolioBox box, std::string_view text) noexcept;

    // The content of `box` as last accepted, and its value.
    [[nodiscard]] const std::string& text(FolioBox box) const { return boxes_[index(box)].text; }
    [[nodiscard]] std::int32_t value(FolioBox box) const { return boxes_[index(box)].value; }
    [[nodiscard]] Consecutivos values() const noexcept;
    // True once cmdAceptar has found every box set; false again after cmdCancelar.
    [[nodiscard]] bool accepted() const { return accepted_; }

    // OK: reports the first box that holds 0 through the host's Mostrar_Mensaje, gives that box
    // the focus and leaves the dialog open; with no box at 0, sets the accepted flag and closes
    // the dialog. Never throws: when the host fails to show the message, it goes to standard
    // error instead.
    void cmdAceptar() noexcept;
    // Cancel: clears the accepted flag and closes the dialog.
    void cmdCancelar() noexcept;

  private:
    // A box's text never outgrows the short-string buffer (at most 11 characters), so copying
    // it does not allocate.
    struct Box {
        std::string text;
        std::int32_t value = 0;
    };
    struct Check;

    static std::size_t index(FolioBox box) { return static_cast<std::size_t>(box); }
    void report(const Check& check) noexcept;

    ServiciosSistema& host_;
    FoliosView& view_;
    std::array<Box, 3> boxes_;
    bool accepted_ = false;
};

}  // namespace ledgernova::ui

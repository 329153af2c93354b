#pragma once

// The folio dialog frmFolios as an FLTK window: "Consecutivos de pólizas", three numeric boxes and
// the buttons "Aceptar" and "Cancelar", driven by FoliosRules.

#include <cstdint>
#include <string>

#include "ledgernova/host.h"
#include "ui/folios_rules.h"

namespace ledgernova::ui {

// How the dialog was left: the accepted flag and the three numbers in the boxes at that moment.
struct FoliosResult {
    bool accepted = false;
    std::int32_t ingreso = 0;
    std::int32_t egreso = 0;
    std::int32_t diario = 0;
    // Why the dialog could not be shown (no display); empty when it was shown.
    std::string error;
};

// Shows the dialog modally with `initial` in its boxes and returns once the user has closed it:
// with "Aceptar" after every box was found set (accepted), or with "Cancelar", the window's close
// box or Escape (not accepted). Messages go through `host`'s Mostrar_Mensaje; the message box is
// installed first (install_message_box), so the default host shows them on the display too.
// Runs on the calling thread, which must be the only one using the toolkit. Never throws: when
// there is no display to open, returns at once with `error` set.
[[nodiscard]] FoliosResult run_folios_dialog(ServiciosSistema& host,
                                             Consecutivos initial = {}) noexcept;

// Makes the default host's Mostrar_Mensaje show its messages in a message box, titled with the
// message's caption, whenever a display can be opened (DISPLAY set and the display reachable);
// without one the host keeps writing them to standard error. Safe to call more than once.
void install_message_box() noexcept;

}  // namespace ledgernova::ui

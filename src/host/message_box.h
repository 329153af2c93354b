#pragma once

#include <string>

namespace ledgernova::host {

// Shows `message` in a message box titled `caption` and returns once the user has closed it.
// Returns false, having shown nothing, when there is no display to show it on. Never throws.
using MessageBox = bool (*)(const std::string& caption, const std::string& message) noexcept;

// Installs the message box through which the default host's Mostrar_Mensaje reaches the screen;
// nullptr removes it. The library itself knows no window system: the user-interface library
// installs one. Without one, the default host writes its messages to standard error.
void set_message_box(MessageBox box) noexcept;

// Shows the message through the installed box. False when none is installed or it had no display
// to show it on; the caller then tells the user some other way.
[[nodiscard]] bool show_message_box(const std::string& caption,
                                    const std::string& message) noexcept;

}  // namespace ledgernova::host

#pragma once

#include <memory>

#include "platform/shell/trayhost.h"

namespace vex {

// The system tray of the X display the presenter shows windows on, spoken to over the
// presenter's connection: each icon is a window of its own, offered to the tray (the owner of
// the _NET_SYSTEM_TRAY_S<screen> selection) to embed, painting the icon at the size the tray
// gives it, its tip as its title. Presses, releases, double clicks and moves on it reach the
// owner as the callback message. Icons are kept while no tray runs, and docked again whenever
// one starts, so a tray that restarts loses none. Null when the presenter shows no X display.
std::unique_ptr<TTrayHost> MakeX11TrayHost();

}  // namespace vex

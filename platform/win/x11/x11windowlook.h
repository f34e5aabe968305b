#pragma once

#include <X11/Xlib.h>

#include <string>

namespace vex {

class TX11Connection;

// A window's look as the display sees it: the owner already turned into its X window.
struct TX11Look {
    std::string Title;  // Windows-1252
    Window TransientFor = 0;
    bool OnTop = false;
    bool Utility = false;  // a tool window: utility type, no taskbar entry
    bool Framed = true;
    // An override-redirect window (a menu): the window manager never sees it. Fixed when the
    // window is made.
    bool OverrideRedirect = false;
    friend bool operator==(const TX11Look&, const TX11Look&) = default;
};

// Writes the properties a window manager reads for what differs between Previous and Next (all of
// them when Previous is null). States of a mapped window are asked of the window manager, which
// owns them then; without one they are written directly, where they can still be read.
void WriteWindowLook(const TX11Connection& Connection, Window Target, const TX11Look* Previous,
                     const TX11Look& Next, bool Mapped);

}  // namespace vex

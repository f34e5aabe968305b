#pragma once

#include <X11/Xlib.h>

#include <array>
#include <string>

namespace vex {

// The atoms the presenter speaks, fetched in one round trip.
struct TX11Atoms {
    Atom WmProtocols;
    Atom WmDeleteWindow;
    Atom Utf8String;
    Atom NetWmName;
    Atom NetWmState;
    Atom NetWmStateAbove;
    Atom NetWmStateSkipTaskbar;
    Atom NetWmWindowType;
    Atom NetWmWindowTypeNormal;
    Atom NetWmWindowTypeUtility;
    Atom NetActiveWindow;
    Atom NetSupportingWmCheck;
    Atom MotifWmHints;
    // The shared clipboard: the selection, the targets it is asked for, and the property of
    // our window its owner answers in.
    Atom Clipboard;
    Atom Targets;
    Atom Text;
    Atom Incr;
    Atom ClipboardReply;
    Atom Rtf;  // the target rich text travels as
};

// An open display and what every window of it shares: the visual whose pixels are 0x00RRGGBB
// in 32 bits, exactly the layout of the window tree's buffers, so pictures go out unconverted.
class TX11Connection {
public:
    // Raises EDisplayError naming the display when it cannot be opened or has no such visual.
    explicit TX11Connection(const std::string& DisplayName);
    ~TX11Connection();
    TX11Connection(const TX11Connection&) = delete;
    TX11Connection& operator=(const TX11Connection&) = delete;

    Display* Dpy() const { return FDisplay; }
    int Screen() const { return FScreen; }
    Window Root() const { return FRoot; }
    Visual* PixelVisual() const { return FVisual; }
    Colormap Colors() const { return FColormap; }
    static constexpr int Depth = 24;
    static constexpr long SourceApplication = 1;
    const TX11Atoms& Atoms() const { return FAtoms; }

    // The connection broke (the server ended, the link dropped): from then on Xlib's calls on it
    // return without reaching a server, and the process goes on instead of being ended by Xlib.
    bool Lost() const { return FLost; }

    // Whether a window manager says it runs (its check window names itself); asked each time,
    // as one may start or end while we run.
    bool WindowManagerRunning() const;
    // Sends the window manager a request about one of our windows, as a client message to the
    // root window: Data are its five 32-bit values. Requests that say where they come from say
    // SourceApplication (not a pager or taskbar acting for the user).
    void AskWindowManager(Window About, Atom Request, const std::array<long, 5>& Data) const;

private:
    static void OnLost(Display* Dpy, void* Self);
    void ChooseVisual(const std::string& Name);
    void InternAtoms();
    Window WindowProperty(Window Owner, Atom Property) const;

    Display* FDisplay = nullptr;
    int FScreen = 0;
    Window FRoot = 0;
    Visual* FVisual = nullptr;
    Colormap FColormap = 0;
    bool FOwnColormap = false;
    TX11Atoms FAtoms{};
    bool FLost = false;
};

}  // namespace vex

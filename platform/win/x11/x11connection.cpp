#include "platform/win/x11/x11connection.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <array>
#include <cstddef>
#include <iterator>
#include <utility>

#include "platform/win/x11/x11errortrap.h"
#include "platform/win/x11/x11presenter.h"

namespace vex {

TX11Connection::TX11Connection(const std::string& DisplayName) {
    const std::string name = XDisplayName(DisplayName.empty() ? nullptr : DisplayName.c_str());
    RecordUntrappedX11Errors();
    FDisplay = XOpenDisplay(name.c_str());
    if (FDisplay == nullptr) throw EDisplayError("Cannot open the display \"" + name + "\"");
    // Xlib's own handler of a broken connection ends the process, before the exit handler
    // that marks the connection lost could run.
    static const XIOErrorHandler previous = XSetIOErrorHandler([](Display*) { return 0; });
    (void)previous;
    XSetIOErrorExitHandler(FDisplay, &OnLost, this);
    try {
        FScreen = DefaultScreen(FDisplay);
        FRoot = RootWindow(FDisplay, FScreen);
        ChooseVisual(name);
        InternAtoms();
    } catch (...) {
        XCloseDisplay(FDisplay);
        throw;
    }
}

TX11Connection::~TX11Connection() {
    if (FOwnColormap) XFreeColormap(FDisplay, FColormap);
    XCloseDisplay(FDisplay);
}

void TX11Connection::OnLost(Display*, void* Self) {
    static_cast<TX11Connection*>(Self)->FLost = true;
}

void TX11Connection::ChooseVisual(const std::string& Name) {
    XVisualInfo info{};
    const bool found = XMatchVisualInfo(FDisplay, FScreen, Depth, TrueColor, &info) != 0 &&
                       info.red_mask == 0xFF0000 && info.green_mask == 0x00FF00 &&
                       info.blue_mask == 0x0000FF;
    int formats = 0;
    XPixmapFormatValues* list = XListPixmapFormats(FDisplay, &formats);
    bool fourBytes = false;
    for (int i = 0; i < formats; ++i)
        if (list[i].depth == Depth) fourBytes = list[i].bits_per_pixel == 32;
    if (list != nullptr) XFree(list);
    if (!found || !fourBytes)
        throw EDisplayError("The display \"" + Name +
                            "\" offers no 24-bit true-colour visual of 32-bit pixels");
    FVisual = info.visual;
    if (FVisual == DefaultVisual(FDisplay, FScreen)) {
        FColormap = DefaultColormap(FDisplay, FScreen);
    } else {
        FColormap = XCreateColormap(FDisplay, FRoot, FVisual, AllocNone);
        FOwnColormap = true;
    }
}

void TX11Connection::InternAtoms() {
    static constexpr std::pair<const char*, Atom TX11Atoms::*> kNames[] = {
        {"WM_PROTOCOLS", &TX11Atoms::WmProtocols},
        {"WM_DELETE_WINDOW", &TX11Atoms::WmDeleteWindow},
        {"UTF8_STRING", &TX11Atoms::Utf8String},
        {"_NET_WM_NAME", &TX11Atoms::NetWmName},
        {"_NET_WM_STATE", &TX11Atoms::NetWmState},
        {"_NET_WM_STATE_ABOVE", &TX11Atoms::NetWmStateAbove},
        {"_NET_WM_STATE_SKIP_TASKBAR", &TX11Atoms::NetWmStateSkipTaskbar},
        {"_NET_WM_WINDOW_TYPE", &TX11Atoms::NetWmWindowType},
        {"_NET_WM_WINDOW_TYPE_NORMAL", &TX11Atoms::NetWmWindowTypeNormal},
        {"_NET_WM_WINDOW_TYPE_UTILITY", &TX11Atoms::NetWmWindowTypeUtility},
        {"_NET_ACTIVE_WINDOW", &TX11Atoms::NetActiveWindow},
        {"_NET_SUPPORTING_WM_CHECK", &TX11Atoms::NetSupportingWmCheck},
        {"_MOTIF_WM_HINTS", &TX11Atoms::MotifWmHints},
        {"CLIPBOARD", &TX11Atoms::Clipboard},
        {"TARGETS", &TX11Atoms::Targets},
        {"TEXT", &TX11Atoms::Text},
        {"INCR", &TX11Atoms::Incr},
        {"VEX_CLIPBOARD_REPLY", &TX11Atoms::ClipboardReply},
        {"text/rtf", &TX11Atoms::Rtf},
    };
    std::array<char*, std::size(kNames)> names{};
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = const_cast<char*>(kNames[i].first);  // Xlib only reads them
    std::array<Atom, std::size(kNames)> atoms{};
    XInternAtoms(FDisplay, names.data(), static_cast<int>(names.size()), False, atoms.data());
    for (size_t i = 0; i < atoms.size(); ++i)
        FAtoms.*kNames[i].second = atoms[i];
}

Window TX11Connection::WindowProperty(Window Owner, Atom Property) const {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window value = 0;
    if (XGetWindowProperty(FDisplay, Owner, Property, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1)
        value = static_cast<Window>(reinterpret_cast<unsigned long*>(data)[0]);
    if (data != nullptr) XFree(data);
    return value;
}

bool TX11Connection::WindowManagerRunning() const {
    const Window check = WindowProperty(FRoot, FAtoms.NetSupportingWmCheck);
    if (check == 0) return false;
    // A manager that ended leaves its property on the root, naming a window that is gone.
    TX11ErrorTrap trap(FDisplay);
    const bool alive = WindowProperty(check, FAtoms.NetSupportingWmCheck) == check;
    return trap.Sync() == Success && alive;
}

void TX11Connection::AskWindowManager(Window About, Atom Request,
                                      const std::array<long, 5>& Data) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = About;
    event.xclient.message_type = Request;
    event.xclient.format = 32;
    for (size_t i = 0; i < Data.size(); ++i)
        event.xclient.data.l[i] = Data[i];
    XSendEvent(FDisplay, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace vex

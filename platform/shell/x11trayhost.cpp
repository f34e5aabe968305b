#include "platform/shell/x11trayhost.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell/trayicons.h"
#include "platform/shell/trayiconscaling.h"
#include "platform/win/doubleclick.h"
#include "platform/win/input.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/x11/x11clients.h"
#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11errortrap.h"
#include "platform/win/x11/x11text.h"

namespace vex {

namespace {

constexpr long kSystemTrayRequestDock = 0;
// The _XEMBED_INFO flag asking the embedder to map the window.
constexpr long kXEmbedMapped = 1;
// The size an icon window starts at, until the tray gives it its own.
constexpr int kStartSide = 22;

using TIconKey = std::pair<HWND, UINT>;

// One icon's window on the display, and the press it may make a double click of.
struct TIconWindow {
    Window Id = 0;
    int32_t Width = kStartSide;
    int32_t Height = kStartSide;
    UINT LastPress = 0;  // 0: the next press starts afresh
    Time LastPressTime = 0;
    int LastX = 0;
    int LastY = 0;
};

class TX11TrayHost : public TTrayHost, private TX11Client {
public:
    TX11TrayHost() { AddX11Client(this); }
    ~TX11TrayHost() override {
        RemoveX11Client(this);
        X11ConnectionClosing();
    }

    bool Notify(DWORD Message, const NOTIFYICONDATA& Data) override;

private:
    bool HandleX11Event(XEvent& Event) override;
    void X11ConnectionOpened() override;
    void X11ConnectionClosing() override;

    bool Online() const { return FConnection != nullptr && !FConnection->Lost(); }
    Display* Dpy() const { return FConnection->Dpy(); }
    // Looks for the tray, and offers it every icon when one runs.
    void FindTray();
    void CreateWindow(const TIconKey& Key);
    void DestroyWindow(TIconWindow& W);
    void Dock(const TIconWindow& W);
    void Retitle(const TIconWindow& W, const std::string& Tip);
    void Paint(const TIconWindow& W, const TTrayIconImage& Image);
    // Creates every icon's window anew: the old ones went with the tray that held them.
    void RecreateWindows();
    std::optional<TIconKey> KeyOf(Window Id) const;
    void HandleButton(const TIconKey& Key, TIconWindow& W, const XButtonEvent& Event);

    TTrayIcons FIcons;
    std::map<TIconKey, TIconWindow> FWindows;
    TX11Connection* FConnection = nullptr;
    GC FGc = nullptr;
    Atom FSelection = 0;
    Atom FOpcode = 0;
    Atom FManager = 0;
    Atom FXEmbedInfo = 0;
    Window FTray = 0;
};

bool TX11TrayHost::Notify(DWORD Message, const NOTIFYICONDATA& Data) {
    if (!FIcons.Apply(Message, Data)) return false;
    const TIconKey key{Data.Wnd, Data.ID};
    if (!Online()) {
        FWindows.erase(key);
        return true;
    }
    if (Message == NIM_DELETE) {
        if (auto it = FWindows.find(key); it != FWindows.end()) {
            DestroyWindow(it->second);
            FWindows.erase(it);
        }
    } else if (Message == NIM_ADD) {
        CreateWindow(key);
    } else if (auto it = FWindows.find(key); it != FWindows.end()) {
        const NOTIFYICONDATA& icon = *FIcons.Find(Data.Wnd, Data.ID);
        Retitle(it->second, icon.Tip);
        Paint(it->second, icon.Icon);
    }
    FlushSharedX11();
    return true;
}

void TX11TrayHost::X11ConnectionOpened() {
    // The windows on a connection being replaced go now; it closes without telling us.
    X11ConnectionClosing();
    FConnection = SharedX11Connection();
    Display* dpy = Dpy();
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(FConnection->Screen());
    FSelection = XInternAtom(dpy, selection.c_str(), False);
    FOpcode = XInternAtom(dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    FManager = XInternAtom(dpy, "MANAGER", False);
    FXEmbedInfo = XInternAtom(dpy, "_XEMBED_INFO", False);
    // A GC fits drawables of its depth, which the root's may not be.
    const Pixmap sample = XCreatePixmap(dpy, FConnection->Root(), 1, 1, TX11Connection::Depth);
    XGCValues values{};
    values.graphics_exposures = False;
    FGc = XCreateGC(dpy, sample, GCGraphicsExposures, &values);
    XFreePixmap(dpy, sample);
    // The root tells of a tray that starts (MANAGER) through the structure events the presenter
    // already asked for there.
    FTray = 0;
    FindTray();
    RecreateWindows();
    FlushSharedX11();
}

void TX11TrayHost::X11ConnectionClosing() {
    if (FConnection == nullptr) return;
    if (!FConnection->Lost()) {
        for (auto& [key, window] : FWindows)
            DestroyWindow(window);
        XFreeGC(Dpy(), FGc);
    }
    FWindows.clear();
    FGc = nullptr;
    FTray = 0;
    FConnection = nullptr;
}

void TX11TrayHost::FindTray() {
    Display* dpy = Dpy();
    TX11ErrorTrap trap(dpy);
    // Held while we look, so the owner cannot go between the look and the watch.
    XGrabServer(dpy);
    FTray = XGetSelectionOwner(dpy, FSelection);
    if (FTray != 0) XSelectInput(dpy, FTray, StructureNotifyMask);
    XUngrabServer(dpy);
    if (trap.Sync() != Success) FTray = 0;
}

void TX11TrayHost::RecreateWindows() {
    for (auto& [key, window] : FWindows)
        DestroyWindow(window);
    FWindows.clear();
    for (const auto& [key, icon] : FIcons.All())
        CreateWindow(key);
}

void TX11TrayHost::CreateWindow(const TIconKey& Key) {
    Display* dpy = Dpy();
    XSetWindowAttributes attributes{};
    // The tray's own background shows through the icon's transparent pixels, where the window
    // can take it from its parent (of the same visual).
    const bool parentRelative =
        FConnection->PixelVisual() == DefaultVisual(dpy, FConnection->Screen());
    attributes.background_pixmap = parentRelative ? ParentRelative : None;
    attributes.border_pixel = 0;
    attributes.colormap = FConnection->Colors();
    attributes.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask;
    TIconWindow window;
    window.Id = XCreateWindow(dpy, FConnection->Root(), 0, 0, kStartSide, kStartSide, 0,
                              TX11Connection::Depth, InputOutput, FConnection->PixelVisual(),
                              CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    const long info[2] = {0, kXEmbedMapped};  // version 0 of the protocol; map me
    XChangeProperty(dpy, window.Id, FXEmbedInfo, FXEmbedInfo, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info), 2);
    XClassHint hint{const_cast<char*>("vexbane"), const_cast<char*>("VexTrayIcon")};
    XSetClassHint(dpy, window.Id, &hint);
    // Trays size an icon by the least size it asks for; one that asks none may get a sliver.
    XSizeHints sizes{};
    sizes.flags = PMinSize | PBaseSize;
    sizes.min_width = sizes.base_width = kStartSide;
    sizes.min_height = sizes.base_height = kStartSide;
    XSetWMNormalHints(dpy, window.Id, &sizes);
    Retitle(window, FIcons.Find(Key.first, Key.second)->Tip);
    FWindows[Key] = window;
    Dock(window);
}

void TX11TrayHost::DestroyWindow(TIconWindow& W) {
    // The tray may have destroyed it with itself already.
    TX11ErrorTrap trap(Dpy());
    XDestroyWindow(Dpy(), W.Id);
    trap.Sync();
    W.Id = 0;
}

void TX11TrayHost::Dock(const TIconWindow& W) {
    if (FTray == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = FTray;
    event.xclient.message_type = FOpcode;
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = kSystemTrayRequestDock;
    event.xclient.data.l[2] = static_cast<long>(W.Id);
    TX11ErrorTrap trap(Dpy());
    XSendEvent(Dpy(), FTray, False, NoEventMask, &event);
    trap.Sync();
}

void TX11TrayHost::Retitle(const TIconWindow& W, const std::string& Tip) {
    const TX11Atoms& atoms = FConnection->Atoms();
    const std::string utf8 = Win1252ToUtf8(Tip);
    XChangeProperty(Dpy(), W.Id, atoms.NetWmName, atoms.Utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()),
                    static_cast<int>(utf8.size()));
    const std::string latin1 = Win1252ToLatin1(Tip);
    XChangeProperty(Dpy(), W.Id, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()),
                    static_cast<int>(latin1.size()));
}

void TX11TrayHost::Paint(const TIconWindow& W, const TTrayIconImage& Image) {
    Display* dpy = Dpy();
    TX11ErrorTrap trap(dpy);
    XClearWindow(dpy, W.Id);
    TFittedTrayIcon fitted = FitTrayIcon(Image, W.Width, W.Height);
    if (fitted.Width == 0 || fitted.Height == 0 || Image.Empty()) return;
    // The pixels that show, one bit each, rows padded to whole bytes, the first pixel lowest.
    const size_t rowBytes = static_cast<size_t>(fitted.Width + 7) / 8;
    std::vector<char> bits(rowBytes * static_cast<size_t>(fitted.Height), 0);
    for (int32_t y = 0; y < fitted.Height; ++y)
        for (int32_t x = 0; x < fitted.Width; ++x)
            if (fitted.Opaque[static_cast<size_t>(y) * static_cast<size_t>(fitted.Width) +
                              static_cast<size_t>(x)])
                bits[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x / 8)] |=
                    static_cast<char>(1 << (x % 8));
    const Pixmap mask =
        XCreateBitmapFromData(dpy, W.Id, bits.data(), static_cast<unsigned>(fitted.Width),
                              static_cast<unsigned>(fitted.Height));
    XImage* image = XCreateImage(dpy, FConnection->PixelVisual(), TX11Connection::Depth, ZPixmap, 0,
                                 reinterpret_cast<char*>(fitted.Pixels.data()),
                                 static_cast<unsigned>(fitted.Width),
                                 static_cast<unsigned>(fitted.Height), 32, fitted.Width * 4);
    if (image != nullptr) {
        XSetClipMask(dpy, FGc, mask);
        XSetClipOrigin(dpy, FGc, 0, 0);
        XPutImage(dpy, W.Id, FGc, image, 0, 0, 0, 0, static_cast<unsigned>(fitted.Width),
                  static_cast<unsigned>(fitted.Height));
        XSetClipMask(dpy, FGc, None);
        image->data = nullptr;  // the pixels are the vector's
        XDestroyImage(image);
    }
    XFreePixmap(dpy, mask);
    trap.Sync();
}

std::optional<TIconKey> TX11TrayHost::KeyOf(Window Id) const {
    for (const auto& [key, window] : FWindows)
        if (window.Id == Id) return key;
    return std::nullopt;
}

bool TX11TrayHost::HandleX11Event(XEvent& Event) {
    if (Event.type == ClientMessage && Event.xclient.message_type == FManager &&
        Event.xclient.window == FConnection->Root() &&
        static_cast<Atom>(Event.xclient.data.l[1]) == FSelection) {
        // A tray started: our windows are offered to it.
        FindTray();
        RecreateWindows();
        FlushSharedX11();
        return true;
    }
    if (Event.type == DestroyNotify && FTray != 0 && Event.xdestroywindow.window == FTray) {
        // The windows it held went back to the root, or with it; fresh ones wait for the next.
        FTray = 0;
        RecreateWindows();
        FlushSharedX11();
        return true;
    }
    const std::optional<TIconKey> key = KeyOf(Event.xany.window);
    if (!key) return false;
    TIconWindow& window = FWindows.at(*key);
    switch (Event.type) {
        case ConfigureNotify:
            if (Event.xconfigure.width != window.Width ||
                Event.xconfigure.height != window.Height) {
                window.Width = Event.xconfigure.width;
                window.Height = Event.xconfigure.height;
                XClearArea(Dpy(), window.Id, 0, 0, 0, 0, True);
            }
            break;
        case Expose:
            if (Event.xexpose.count == 0) Paint(window, FIcons.Find(key->first, key->second)->Icon);
            break;
        case ButtonPress:
        case ButtonRelease:
            HandleButton(*key, window, Event.xbutton);
            break;
        case MotionNotify:
            SetDevicePointer(TPoint{Event.xmotion.x_root, Event.xmotion.y_root});
            FIcons.Report(key->first, key->second, WM_MOUSEMOVE);
            break;
        case DestroyNotify:
            // Another client destroyed it: a fresh one takes its place.
            window.Id = 0;
            FWindows.erase(*key);
            CreateWindow(*key);
            break;
        default:
            break;
    }
    FlushSharedX11();
    return true;
}

void TX11TrayHost::HandleButton(const TIconKey& Key, TIconWindow& W, const XButtonEvent& Event) {
    static constexpr UINT kPress[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    static constexpr UINT kRelease[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
    if (Event.button < Button1 || Event.button > Button3) return;  // the wheel
    SetDevicePointer(TPoint{Event.x_root, Event.y_root});
    const size_t index = Event.button - Button1;
    if (Event.type == ButtonRelease) {
        FIcons.Report(Key.first, Key.second, kRelease[index]);
        return;
    }
    UINT message = kPress[index];
    // A second press of the button soon and near enough is a double click, as on any window.
    if (W.LastPress == message && Event.time - W.LastPressTime <= GetDoubleClickTime() &&
        std::abs(Event.x_root - W.LastX) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
        std::abs(Event.y_root - W.LastY) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
        message += 2;
        W.LastPress = 0;
    } else {
        W.LastPress = message;
        W.LastPressTime = Event.time;
        W.LastX = Event.x_root;
        W.LastY = Event.y_root;
    }
    FIcons.Report(Key.first, Key.second, message);
}

}  // namespace

std::unique_ptr<TTrayHost> MakeX11TrayHost() {
    if (SharedX11Connection() == nullptr) return nullptr;
    return std::make_unique<TX11TrayHost>();
}

}  // namespace vex

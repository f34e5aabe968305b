#include "platform/win/x11/x11presenter.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/core/clock.h"
#include "platform/win/messageloop.h"
#include "platform/win/x11/x11clients.h"
#include "platform/win/x11/x11clipboard.h"
#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11cursor.h"
#include "platform/win/x11/x11errortrap.h"
#include "platform/win/x11/x11input.h"
#include "platform/win/x11/x11sharedpixels.h"
#include "platform/win/x11/x11stagingimage.h"
#include "platform/win/x11/x11windowlook.h"

namespace vex {

namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            FocusChangeMask;

// What the server was told of one shown top-level window.
struct TX11Window {
    Window Id = 0;
    TRect Bounds;  // screen coordinates, as last set or reported
    bool Mapped = false;
    TX11Look Look;
    TRect Exposed;  // the exposed area gathered until the last event of a series
    // Configure events made before our last move or resize describe a place we left.
    unsigned long ConfigureSerial = 0;
};

// The largest side of a window, and of an image whose rows a put can step through.
constexpr int32_t kMaxXSide = 32767;

// A window's place as X takes it: sizes of 1 to kMaxXSide, positions in 16 signed bits.
TRect ToXBounds(const TRect& Bounds) {
    const auto position = [](int32_t V) { return std::clamp<int32_t>(V, -32768, 32767); };
    const auto size = [](int64_t V) {
        return static_cast<int32_t>(std::clamp<int64_t>(V, 1, kMaxXSide));
    };
    const int32_t left = position(Bounds.Left), top = position(Bounds.Top);
    return Rect(left, top, left + size(int64_t{Bounds.Right} - Bounds.Left),
                top + size(int64_t{Bounds.Bottom} - Bounds.Top));
}

class TX11Presenter : public TPresenter {
public:
    TX11Presenter(const std::string& DisplayName, TPresenterSink Sink);
    ~TX11Presenter() override;

    // A display that was lost shows nothing any more, as none does.
    bool Headless() const override { return FConnection.Lost(); }
    TRect ScreenRect() const override;
    void Show(HWND Wnd, const TRect& Bounds, const TWindowLook& Look) override;
    void Hide(HWND Wnd) override;
    void Activate(HWND Wnd) override;
    void CapturePointer(HWND Wnd) override;
    void MovePointer(TPoint Screen) override;
    void Forget(HWND Wnd) override;
    void Present(HWND Wnd, const TPixelRows& Rows, const TRect& Dirty) override;
    std::unique_ptr<TPixelStore> MakePixelStore(int32_t Width, int32_t Height) override;
    void SetCursor(const TCursorShape* Shape) override;
    TDisplayClipboard* Clipboard() override;

private:
    TX11Window& Create(HWND Wnd, const TRect& Bounds, bool OverrideRedirect);
    void WritePlacementHints(const TX11Window& W);
    TX11Look LookOf(const TWindowLook& Look) const;
    TX11Window* Find(HWND Wnd);
    HWND HandleOf(Window Id) const;
    // Queues a put of Area of Rows to the same place of the window: straight from the rows when
    // they are one of our stores, else through the staging image.
    void Put(Window Id, const TPixelRows& Rows, const TRect& Area);

    // Handles every event that has come, then reports the last place of each moved window.
    void HandleEvents();
    void HandleEvent(XEvent& Event, std::map<HWND, XConfigureEvent>& Configured);
    void HandleExpose(HWND Wnd, const XExposeEvent& Event);
    // Keys let go while another window had the keyboard were released there: each one held
    // here that is up now is released to Wnd as the keyboard comes back, so none stays down.
    void ReleaseKeysLetGoElsewhere(HWND Wnd);
    // The message a key or pointer event of Wnd makes, to the loop.
    void HandInput(const XEvent& Event, HWND Wnd, const TXKey& Key);
    void ReportMoves(const std::map<HWND, XConfigureEvent>& Configured);
    // Sends what is queued and makes sure events Xlib has already read (while waiting for a
    // reply) are handled: the descriptor will not wake the loop for them.
    void Flush();
    // Once the connection is lost: stops watching it, which would wake the loop for ever, and
    // has the loop's caller told once.
    void GoOffline();

    TX11Connection FConnection;
    TPresenterSink FSink;
    TX11StagingImage FImage;
    TX11SharedPixelsList FSharedPixels;
    GC FGc = nullptr;
    std::unordered_map<HWND, TX11Window> FWindows;
    std::unordered_map<Window, HWND> FHandles;
    std::unique_ptr<TDescriptorWatch> FWatch;
    // Lets a queued event run find out that the presenter is gone.
    std::shared_ptr<TX11Presenter*> FSelf;
    TRect FScreen;
    bool FEventRunQueued = false;  // a run of HandleEvents waits in the message queue
    // By key code, the key sym each held key went down as (NoSymbol: up), to tell the keyboard's
    // repeats and to release a key as the key it was pressed as.
    std::array<KeySym, 256> FKeysDown{};
    // The cursor every window of ours shows, and what it was made from; 0: the server's own.
    Cursor FCursor = 0;
    std::optional<TCursorShape> FCursorShape;
    std::unique_ptr<TX11Clipboard> FClipboard;
};

TX11Presenter::TX11Presenter(const std::string& DisplayName, TPresenterSink Sink)
    : FConnection(DisplayName),
      FSink(std::move(Sink)),
      FImage(FConnection),
      FSharedPixels(FConnection, [this] { Flush(); }),
      FSelf(std::make_shared<TX11Presenter*>(this)),
      FClipboard(std::make_unique<TX11Clipboard>(FConnection, [this] { Flush(); })) {
    Display* dpy = FConnection.Dpy();
    // A GC fits drawables of its depth, which the root's may not be.
    const Pixmap sample = XCreatePixmap(dpy, FConnection.Root(), 1, 1, TX11Connection::Depth);
    XGCValues values{};
    values.graphics_exposures = False;
    FGc = XCreateGC(dpy, sample, GCGraphicsExposures, &values);
    XFreePixmap(dpy, sample);
    // The screen is the root window, whose size follows the display's resolution.
    XWindowAttributes root{};
    XGetWindowAttributes(dpy, FConnection.Root(), &root);
    FScreen = Rect(0, 0, root.width, root.height);
    XSelectInput(dpy, FConnection.Root(), StructureNotifyMask);
    // A held key comes as presses alone, as the original's repeats do, not as the release and
    // press pairs X makes by default. A server without it still works, with those pairs.
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(dpy, True, &detectable);
    FWatch = std::make_unique<TDescriptorWatch>(ConnectionNumber(dpy), POLLIN,
                                                [this](short) { HandleEvents(); });
    AttachX11Clients(&FConnection, [this] { Flush(); });
    Flush();
}

TX11Presenter::~TX11Presenter() {
    DetachX11Clients(&FConnection);
    FWatch.reset();
    FClipboard.reset();
    if (!FConnection.Lost()) {
        for (const auto& [wnd, window] : FWindows)
            XDestroyWindow(FConnection.Dpy(), window.Id);
        if (FCursor != 0) XFreeCursor(FConnection.Dpy(), FCursor);
    }
    XFreeGC(FConnection.Dpy(), FGc);
}

TRect TX11Presenter::ScreenRect() const {
    return FScreen;
}

TX11Window* TX11Presenter::Find(HWND Wnd) {
    auto it = FWindows.find(Wnd);
    return it == FWindows.end() ? nullptr : &it->second;
}

HWND TX11Presenter::HandleOf(Window Id) const {
    auto it = FHandles.find(Id);
    return it == FHandles.end() ? 0 : it->second;
}

TX11Look TX11Presenter::LookOf(const TWindowLook& Look) const {
    const auto owner = FWindows.find(Look.Owner);
    const Window ownerId = owner == FWindows.end() ? 0 : owner->second.Id;
    return TX11Look{Look.Title, ownerId, Look.TopMost, Look.ToolWindow, Look.Framed, Look.Popup};
}

TX11Window& TX11Presenter::Create(HWND Wnd, const TRect& Bounds, bool OverrideRedirect) {
    Display* dpy = FConnection.Dpy();
    XSetWindowAttributes attributes{};
    // Growing keeps what is there, and nothing is cleared before we put our pixels: no flicker.
    attributes.bit_gravity = NorthWestGravity;
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = FConnection.Colors();
    attributes.event_mask = kEventMask;
    // A menu holds the pointer and shows at once where it is put, which a window manager
    // placing, framing or focusing it would spoil.
    attributes.override_redirect = OverrideRedirect ? True : False;
    const Window id = XCreateWindow(
        dpy, FConnection.Root(), Bounds.Left, Bounds.Top,
        static_cast<unsigned>(Bounds.Right - Bounds.Left),
        static_cast<unsigned>(Bounds.Bottom - Bounds.Top), 0, TX11Connection::Depth, InputOutput,
        FConnection.PixelVisual(),
        CWBitGravity | CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask | CWOverrideRedirect,
        &attributes);
    if (FCursor != 0) XDefineCursor(dpy, id, FCursor);
    Atom protocols[] = {FConnection.Atoms().WmDeleteWindow};
    XSetWMProtocols(dpy, id, protocols, 1);
    TX11Window& window = FWindows[Wnd];
    window.Id = id;
    window.Bounds = Bounds;
    FHandles[id] = Wnd;
    return window;
}

void TX11Presenter::WritePlacementHints(const TX11Window& W) {
    XSizeHints hints{};
    // Our place and size are the program's, and they are those of the window itself, not of a
    // frame around it.
    hints.flags = USPosition | USSize | PWinGravity;
    hints.x = W.Bounds.Left;
    hints.y = W.Bounds.Top;
    hints.width = W.Bounds.Right - W.Bounds.Left;
    hints.height = W.Bounds.Bottom - W.Bounds.Top;
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(FConnection.Dpy(), W.Id, &hints);
}

void TX11Presenter::Show(HWND Wnd, const TRect& Bounds, const TWindowLook& Look) {
    if (FConnection.Lost()) return;
    const TRect bounds = ToXBounds(Bounds);
    const TX11Look look = LookOf(Look);
    TX11Window* window = Find(Wnd);
    if (window == nullptr) {
        window = &Create(Wnd, bounds, look.OverrideRedirect);
        WritePlacementHints(*window);
    } else if (bounds != window->Bounds) {
        window->ConfigureSerial = NextRequest(FConnection.Dpy());
        XMoveResizeWindow(FConnection.Dpy(), window->Id, bounds.Left, bounds.Top,
                          static_cast<unsigned>(bounds.Right - bounds.Left),
                          static_cast<unsigned>(bounds.Bottom - bounds.Top));
        window->Bounds = bounds;
        WritePlacementHints(*window);
    }
    if (!window->Mapped) {
        // Written whole before each map: a window manager drops the states of a window that
        // was withdrawn.
        WriteWindowLook(FConnection, window->Id, nullptr, look, false);
        if (look.OverrideRedirect)
            XMapRaised(FConnection.Dpy(), window->Id);
        else
            XMapWindow(FConnection.Dpy(), window->Id);
        window->Mapped = true;
    } else if (look != window->Look) {
        WriteWindowLook(FConnection, window->Id, &window->Look, look, true);
    }
    window->Look = look;
    Flush();
}

void TX11Presenter::Hide(HWND Wnd) {
    if (FConnection.Lost()) return;
    TX11Window* window = Find(Wnd);
    if (window == nullptr || !window->Mapped) return;
    // Withdrawn, not iconic: a window manager must forget it until it is shown again.
    XWithdrawWindow(FConnection.Dpy(), window->Id, FConnection.Screen());
    window->Mapped = false;
    window->Exposed = TRect{};
    Flush();
}

void TX11Presenter::Activate(HWND Wnd) {
    if (FConnection.Lost()) return;
    TX11Window* window = Find(Wnd);
    if (window == nullptr || !window->Mapped) return;
    Display* dpy = FConnection.Dpy();
    XRaiseWindow(dpy, window->Id);
    if (FConnection.WindowManagerRunning()) {
        FConnection.AskWindowManager(window->Id, FConnection.Atoms().NetActiveWindow,
                                     {TX11Connection::SourceApplication, CurrentTime, 0, 0, 0});
    } else {
        // Nobody else hands out the keyboard. Another client may have unmapped the window, and
        // then it simply does not get it.
        TX11ErrorTrap trap(dpy);
        XSetInputFocus(dpy, window->Id, RevertToParent, CurrentTime);
        trap.Sync();
    }
    Flush();
}

void TX11Presenter::CapturePointer(HWND Wnd) {
    if (FConnection.Lost()) return;
    Display* dpy = FConnection.Dpy();
    TX11Window* window = Find(Wnd);
    if (window == nullptr || !window->Mapped) {
        XUngrabPointer(dpy, CurrentTime);
    } else {
        // Another client's grab refuses ours: the capture then works inside our windows alone.
        XGrabPointer(dpy, window->Id, False,
                     ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, None, None, CurrentTime);
    }
    Flush();
}

void TX11Presenter::MovePointer(TPoint Screen) {
    if (FConnection.Lost()) return;
    XWarpPointer(FConnection.Dpy(), None, FConnection.Root(), 0, 0, 0, 0, Screen.X, Screen.Y);
    Flush();
}

void TX11Presenter::Forget(HWND Wnd) {
    if (FConnection.Lost()) return;
    TX11Window* window = Find(Wnd);
    if (window == nullptr) return;
    XDestroyWindow(FConnection.Dpy(), window->Id);
    FHandles.erase(window->Id);
    FWindows.erase(Wnd);
    Flush();
}

void TX11Presenter::Present(HWND Wnd, const TPixelRows& Rows, const TRect& Dirty) {
    if (FConnection.Lost()) return;
    TX11Window* window = Find(Wnd);
    if (window == nullptr || !window->Mapped) return;
    Put(window->Id, Rows, Dirty);
    Flush();
}

void TX11Presenter::Put(Window Id, const TPixelRows& Rows, const TRect& Area) {
    if (TX11SharedPixels* shared = FSharedPixels.Holding(Rows))
        shared->Put(Id, FGc, Area);
    else
        FImage.Put(Id, FGc, Rows, Area);
}

std::unique_ptr<TPixelStore> TX11Presenter::MakePixelStore(int32_t Width, int32_t Height) {
    // A put names its image's width in 16 bits: the server would read a wider one's rows from
    // the wrong places.
    if (Width > 0 && Height > 0 && Width <= kMaxXSide && Height <= kMaxXSide &&
        FImage.SharedMemory()) {
        std::unique_ptr<TPixelStore> shared = FSharedPixels.Make(Width, Height);
        Flush();
        if (shared != nullptr) return shared;
    }
    return TPresenter::MakePixelStore(Width, Height);
}

void TX11Presenter::SetCursor(const TCursorShape* Shape) {
    TPresenter::SetCursor(Shape);
    if (FConnection.Lost() || (FCursor != 0 && ShownCursor() == FCursorShape)) return;
    Display* dpy = FConnection.Dpy();
    const Cursor previous = FCursor;
    FCursor = MakeX11Cursor(dpy, FConnection.Root(), Shape);
    FCursorShape = ShownCursor();
    for (const auto& [wnd, window] : FWindows)
        XDefineCursor(dpy, window.Id, FCursor);
    // The server keeps a cursor that windows still show until they show another.
    if (previous != 0) XFreeCursor(dpy, previous);
    Flush();
}

TDisplayClipboard* TX11Presenter::Clipboard() {
    return FConnection.Lost() ? nullptr : FClipboard.get();
}

void TX11Presenter::Flush() {
    Display* dpy = FConnection.Dpy();
    XFlush(dpy);
    if (FConnection.Lost()) {
        GoOffline();
        return;
    }
    if (FEventRunQueued || XEventsQueued(dpy, QueuedAlready) == 0) return;
    FEventRunQueued = true;
    RunOnMainThread([self = std::weak_ptr<TX11Presenter*>(FSelf)] {
        if (auto presenter = self.lock()) (*presenter)->HandleEvents();
    });
}

void TX11Presenter::GoOffline() {
    if (FWatch == nullptr) return;
    FWatch.reset();
    RunOnMainThread([self = std::weak_ptr<TX11Presenter*>(FSelf),
                     name = std::string(DisplayString(FConnection.Dpy()))] {
        if (!self.expired())
            throw EDisplayError("The connection to the display \"" + name +
                                "\" was lost; windows are no longer shown on it");
    });
}

void TX11Presenter::HandleEvents() {
    FEventRunQueued = false;
    Display* dpy = FConnection.Dpy();
    std::map<HWND, XConfigureEvent> configured;
    try {
        while (!FConnection.Lost() && XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            HandleEvent(event, configured);
        }
        ReportMoves(configured);
    } catch (...) {
        // The failure goes to the loop's caller; the events Xlib has already read must not wait
        // for the descriptor, which will not wake the loop for them.
        Flush();
        throw;
    }
    Flush();
}

void TX11Presenter::HandleEvent(XEvent& Event, std::map<HWND, XConfigureEvent>& Configured) {
    if (Event.type == ConfigureNotify && Event.xconfigure.window == FConnection.Root()) {
        FScreen = Rect(0, 0, Event.xconfigure.width, Event.xconfigure.height);
        return;
    }
    if (FClipboard->HandleEvent(Event) || OfferX11Clients(Event)) return;
    const HWND wnd = HandleOf(Event.xany.window);
    if (wnd == 0) return;
    const TX11Atoms& atoms = FConnection.Atoms();
    switch (Event.type) {
        case Expose:
            HandleExpose(wnd, Event.xexpose);
            return;
        case DestroyNotify:
            // Another client destroyed it; a later show makes a new one.
            FHandles.erase(Event.xdestroywindow.window);
            FWindows.erase(wnd);
            return;
        case ConfigureNotify:
            if (Event.xconfigure.serial >= FWindows.at(wnd).ConfigureSerial)
                Configured[wnd] = Event.xconfigure;
            return;
        case ClientMessage:
            if (Event.xclient.message_type == atoms.WmProtocols && Event.xclient.format == 32 &&
                static_cast<Atom>(Event.xclient.data.l[0]) == atoms.WmDeleteWindow &&
                FSink.CloseRequested)
                FSink.CloseRequested(wnd);
            return;
        case FocusIn:
        case FocusOut:
            if (Event.type == FocusIn) ReleaseKeysLetGoElsewhere(wnd);
            // Grabs (a window manager's switcher) and the pointer's own focus change nothing
            // about which window has the keyboard.
            if (Event.xfocus.mode == NotifyGrab || Event.xfocus.mode == NotifyUngrab ||
                Event.xfocus.detail == NotifyPointer || Event.xfocus.detail == NotifyInferior)
                return;
            if (FSink.Focus) FSink.Focus(wnd, Event.type == FocusIn);
            return;
        case KeyPress:
        case KeyRelease:
        case ButtonPress:
        case ButtonRelease:
        case MotionNotify: {
            TXKey key;
            if (Event.type == KeyPress || Event.type == KeyRelease) {
                key.Sym = XLookupKeysym(&Event.xkey, 0);
                // With Num Lock on the pad types digits: the key's second column.
                if (IsKeypadKey(key.Sym) && (Event.xkey.state & Mod2Mask)) {
                    const KeySym digit = XLookupKeysym(&Event.xkey, 1);
                    if (IsKeypadKey(digit)) key.Sym = digit;
                }
                KeySym& held = FKeysDown[Event.xkey.keycode];
                key.WasDown = held != NoSymbol;
                held = Event.type == KeyPress ? key.Sym : NoSymbol;
            }
            HandInput(Event, wnd, key);
            return;
        }
        default:
            return;
    }
}

void TX11Presenter::ReleaseKeysLetGoElsewhere(HWND Wnd) {
    if (std::ranges::all_of(FKeysDown, [](KeySym Sym) { return Sym == NoSymbol; })) return;
    char keys[32] = {};
    XQueryKeymap(FConnection.Dpy(), keys);
    for (unsigned code = 0; code < FKeysDown.size(); ++code) {
        if (FKeysDown[code] == NoSymbol || ((keys[code / 8] >> (code % 8)) & 1)) continue;
        XEvent release{};
        release.xkey.type = KeyRelease;
        release.xkey.keycode = code;
        // As the key it went down as: a pad digit typed with Num Lock on stays that digit.
        TXKey key;
        key.Sym = std::exchange(FKeysDown[code], NoSymbol);
        key.WasDown = true;
        HandInput(release, Wnd, key);
    }
}

void TX11Presenter::HandInput(const XEvent& Event, HWND Wnd, const TXKey& Key) {
    const std::optional<MSG> message = TranslateXEvent(Event, Wnd, Key, GetTickCount());
    if (message && FSink.Input) FSink.Input(*message);
}

void TX11Presenter::HandleExpose(HWND Wnd, const XExposeEvent& Event) {
    TX11Window& window = FWindows.at(Wnd);
    const TRect area = Rect(Event.x, Event.y, Event.x + Event.width, Event.y + Event.height);
    UnionRect(window.Exposed, window.Exposed, area);
    if (Event.count > 0 || !FSink.Pixels) return;
    const TRect exposed = window.Exposed;
    const Window id = window.Id;
    window.Exposed = TRect{};
    // The buffer holds the picture as painting left it; nothing is painted again for this.
    Put(id, FSink.Pixels(Wnd), exposed);
}

void TX11Presenter::ReportMoves(const std::map<HWND, XConfigureEvent>& Configured) {
    for (const auto& [wnd, event] : Configured) {
        TX11Window* window = Find(wnd);  // an earlier report may have made the tree forget it
        if (window == nullptr) continue;
        // Under a window manager the event's place is in its frame; the root's is wanted.
        int x = 0, y = 0;
        Window child = 0;
        if (!XTranslateCoordinates(FConnection.Dpy(), window->Id, FConnection.Root(), 0, 0, &x, &y,
                                   &child))
            continue;
        const TRect bounds = Rect(x, y, x + event.width, y + event.height);
        if (bounds == window->Bounds) continue;
        window->Bounds = bounds;
        if (FSink.Moved) FSink.Moved(wnd, bounds);
    }
}

}  // namespace

std::unique_ptr<TPresenter> MakeX11Presenter(const std::string& DisplayName, TPresenterSink Sink) {
    return std::make_unique<TX11Presenter>(DisplayName, std::move(Sink));
}

}  // namespace vex

#include "platform/win/presenter.h"

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/win/activation.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/input.h"
#include "platform/win/messagequeue.h"
#include "platform/win/presenting.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstore.h"
#include "platform/win/x11/x11presenter.h"

namespace vex {

namespace {

std::unique_ptr<TPresenter>& Current() {
    static std::unique_ptr<TPresenter> presenter;
    return presenter;
}

// Moves the display reported, latest per window, applied together once the loop comes round,
// so a drag that reports every step resizes the tree once per batch.
std::map<HWND, TRect>& PendingMoves() {
    static std::map<HWND, TRect> moves;
    return moves;
}

void ApplyMoves() {
    std::map<HWND, TRect> moves;
    moves.swap(PendingMoves());
    TWindowStore& store = TWindowStore::Instance();
    for (const auto& [wnd, bounds] : moves) {
        store.MovedByPresenter = wnd;
        try {
            SetWindowPos(wnd, 0, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                         bounds.Bottom - bounds.Top, SWP_NOZORDER | SWP_NOACTIVATE);
        } catch (...) {
            store.MovedByPresenter = 0;
            throw;
        }
        store.MovedByPresenter = 0;
    }
}

TPixelRows PixelsOf(HWND Wnd) {
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr || !wintree::IsTopLevel(*w) || w->Buffer == nullptr) return TPixelRows();
    return w->Buffer->Rows();
}

// Pointer positions come relative to the display's window, whose place on the screen is the
// latest the display reported, applied or not; the wheel's are on the screen already.
void Input(const MSG& Msg) {
    TPoint screen{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
    const bool pointer = Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MOUSELAST;
    if (pointer && Msg.message != WM_MOUSEWHEEL) {
        TRect bounds;
        const std::map<HWND, TRect>& moves = PendingMoves();
        if (auto it = moves.find(Msg.hwnd); it != moves.end())
            bounds = it->second;
        else if (!GetWindowRect(Msg.hwnd, bounds))
            return;
        screen = TPoint{screen.X + bounds.Left, screen.Y + bounds.Top};
    }
    PostDeviceInput(Msg, screen);
}

// Focus leaving one window of ours for another comes as an out and an in; the application only
// loses activation when no in follows before the loop comes round.
HWND& FocusArriving() {
    static HWND wnd = 0;
    return wnd;
}

void Focus(HWND Wnd, bool In) {
    if (In) FocusArriving() = Wnd;
    TMessageQueue::Instance().PostAction([Wnd, In] {
        if (In) {
            if (FocusArriving() == Wnd) FocusArriving() = 0;
            if (GetActiveWindow() != Wnd) SetActiveWindow(Wnd);
        } else if (FocusArriving() == 0) {
            wintree::Deactivate(Wnd);
        }
    });
}

void Moved(HWND Wnd, const TRect& Bounds) {
    std::map<HWND, TRect>& moves = PendingMoves();
    const bool first = moves.empty();
    moves[Wnd] = Bounds;
    if (first) TMessageQueue::Instance().PostAction(ApplyMoves);
}

class THeapPixels : public TPixelStore {
public:
    explicit THeapPixels(size_t Count) : FPixels(Count) {}
    uint32_t* Pixels() override { return FPixels.data(); }

private:
    std::vector<uint32_t> FPixels;
};

// Headless unless a display is named and not refused: tests and servers run without one.
std::unique_ptr<TPresenter> MakePresenter() {
    const char* mode = std::getenv("VEX_DISPLAY");
    const char* display = std::getenv("DISPLAY");
    if ((mode != nullptr && std::string(mode) == "headless") || display == nullptr ||
        *display == '\0')
        return std::make_unique<THeadlessPresenter>();
    return MakeX11Presenter(display, WindowTreeSink());
}

}  // namespace

std::unique_ptr<TPixelStore> TPresenter::MakePixelStore(int32_t Width, int32_t Height) {
    if (Width < 0 || Height < 0) throw EInvalidOperation("A window cannot have a negative size");
    return std::make_unique<THeapPixels>(static_cast<size_t>(Width) * static_cast<size_t>(Height));
}

void TPresenter::SetCursor(const TCursorShape* Shape) {
    FShownCursor = Shape == nullptr ? std::nullopt : std::optional<TCursorShape>(*Shape);
}

TPresenter& Presenter() {
    std::unique_ptr<TPresenter>& presenter = Current();
    if (presenter == nullptr) presenter = MakePresenter();
    return *presenter;
}

void SetPresenter(std::unique_ptr<TPresenter> Value) {
    Current() = std::move(Value);
    wintree::PresentAll();
}

TPresenterSink WindowTreeSink() {
    TPresenterSink sink;
    sink.Pixels = PixelsOf;
    sink.Moved = Moved;
    sink.CloseRequested = [](HWND Wnd) { PostMessage(Wnd, WM_CLOSE, 0, 0); };
    sink.Input = Input;
    sink.Focus = Focus;
    return sink;
}

}  // namespace vex

#include "platform/win/caret.h"

#include <algorithm>
#include <atomic>
#include <optional>

#include "platform/core/region.h"
#include "platform/win/caretsuspension.h"
#include "platform/win/invalidation.h"
#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowstore.h"

namespace vex {

const TCaretBitmap GrayCaretBitmap{};

namespace {

constexpr UINT kDefaultBlinkTime = 530;
constexpr UINT_PTR kBlinkTimer = 1;
constexpr uint32_t kInvert = 0xFFFFFF;
constexpr uint32_t kGrayInvert = 0x808080;

// Shared by every thread's caret, and by no other process.
std::atomic<UINT> BlinkTime{kDefaultBlinkTime};

// What one inversion changed, so that exactly that is put back.
struct TInversion {
    HWND Top = 0;
    const uint32_t* Buffer = nullptr;  // the top-level window's pixels then
    uint64_t Layout = 0;               // the window store's layout generation then
    TPoint Origin;                     // the caret's top-left corner in the buffer
    TRegion Area;                      // buffer coordinates
};

struct TThreadCaret {
    HWND Wnd = 0;
    TRect Rect;
    // As created: Rect is cut where it reaches the end of the coordinate range.
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Mask;  // per pixel, for a bitmap caret; else Uniform everywhere
    uint32_t Uniform = kInvert;
    int32_t HideCount = 0;
    bool PhaseOn = false;
    int32_t Suspended = 0;
    std::optional<TInversion> Drawn;
    // A hidden window whose timer blinks the caret, made at first need and kept: the caret's
    // own window may be anybody's.
    HWND Blinker = 0;
};

thread_local TThreadCaret Caret;

void PresentNow(HWND Wnd, const TRect& Area) {
    PresentWindowArea(Wnd, Area);
    PresentPainted();
}

// Exclusive-ors the mask over Area of Pixels; doing it twice leaves the pixels as they were.
void Invert(uint32_t* Pixels, int32_t Stride, const TInversion& Inversion) {
    const int32_t width = Caret.Width;
    for (const TRect& r : Inversion.Area.Rects())
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            uint32_t* row = Pixels + static_cast<size_t>(y) * Stride;
            for (int32_t x = r.Left; x < r.Right; ++x) {
                const size_t at = static_cast<size_t>(y - Inversion.Origin.Y) * width +
                                  static_cast<size_t>(x - Inversion.Origin.X);
                row[x] ^= Caret.Mask.empty() ? Caret.Uniform : Caret.Mask[at];
            }
        }
}

void PutOn() {
    const TWindowSurface surface = GetWindowSurface(Caret.Wnd, TSurfaceArea::Client);
    if (surface.Pixels == nullptr) return;
    TInversion drawn;
    drawn.Origin = wintree::Shifted(surface.Origin, Caret.Rect.Left, Caret.Rect.Top);
    drawn.Area = TRegion(wintree::PlacedAt(drawn.Origin, Caret.Width, Caret.Height));
    drawn.Area.Intersect(surface.Clip);
    if (drawn.Area.Empty()) return;
    TWindowStore& store = TWindowStore::Instance();
    drawn.Top = wintree::TopLevelOf(store.Get(Caret.Wnd, "caret")).Handle;
    drawn.Buffer = surface.Pixels;
    drawn.Layout = store.LayoutGeneration();
    Invert(surface.Pixels, surface.Stride, drawn);
    const TRect bounds = drawn.Area.Bounds();
    Caret.Drawn = std::move(drawn);
    PresentNow(Caret.Wnd, bounds);
}

// Puts the pixels back. When the windows moved or the buffer changed since, they may have been
// painted over or carried elsewhere, and inverting again would leave a mark: the area is
// painted afresh instead.
void TakeOff() {
    if (!Caret.Drawn) return;
    const TInversion drawn = std::move(*Caret.Drawn);
    Caret.Drawn.reset();
    TWindowStore& store = TWindowStore::Instance();
    TWnd* top = store.Find(drawn.Top);
    if (top == nullptr || top->Buffer == nullptr) return;
    uint32_t* pixels = top->Buffer->PixelsToChange();
    if (pixels == drawn.Buffer && store.LayoutGeneration() == drawn.Layout) {
        Invert(pixels, top->Buffer->Rows().Stride, drawn);
        PresentNow(drawn.Top, drawn.Area.Bounds());
    } else {
        wintree::Invalidate(*top, drawn.Area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// A caret whose window is gone goes with it.
bool Alive() {
    if (Caret.Wnd == 0) return false;
    if (IsWindow(Caret.Wnd)) return true;
    Caret.Drawn.reset();
    if (Caret.Blinker != 0) KillTimer(Caret.Blinker, kBlinkTimer);
    Caret.Wnd = 0;
    return false;
}

bool Visible() {
    return Caret.HideCount == 0;
}

// Brings the pixels in line with the state.
void Refresh() {
    const bool wanted = Alive() && Visible() && Caret.PhaseOn && Caret.Suspended == 0;
    if (wanted && !Caret.Drawn)
        PutOn();
    else if (!wanted && Caret.Drawn)
        TakeOff();
}

void Blink() {
    if (!Alive()) return;
    Caret.PhaseOn = !Caret.PhaseOn;
    Refresh();
}

// A shown caret starts its blinking in the on phase.
void RestartBlink() {
    Caret.PhaseOn = true;
    const UINT time = BlinkTime.load();
    if (!Alive() || !Visible() || time == CaretNoBlink) {
        if (Caret.Blinker != 0) KillTimer(Caret.Blinker, kBlinkTimer);
        return;
    }
    if (Caret.Blinker == 0)
        Caret.Blinker = AllocateHWnd([](TMessage& Message) {
            if (Message.Msg == WM_TIMER && Message.WParam == kBlinkTimer) Blink();
        });
    SetTimer(Caret.Blinker, kBlinkTimer, time);
}

bool Owns(HWND Wnd) {
    return Alive() && (Wnd == 0 || Wnd == Caret.Wnd);
}

}  // namespace

bool CreateCaret(HWND Wnd, const TCaretBitmap* Bitmap, int32_t Width, int32_t Height) {
    if (!IsWindow(Wnd)) return false;
    DestroyCaret();
    Caret.Mask.clear();
    Caret.Uniform = Bitmap == GrayCaret ? kGrayInvert : kInvert;
    if (Bitmap != nullptr && Bitmap != GrayCaret) {
        Width = Bitmap->Width;
        Height = Bitmap->Height;
        if (Width <= 0 || Height <= 0 ||
            Bitmap->Pixels.size() != static_cast<size_t>(Width) * static_cast<size_t>(Height))
            return false;
        Caret.Mask = Bitmap->Pixels;
        for (uint32_t& pixel : Caret.Mask)
            pixel &= 0xFFFFFF;
    }
    Caret.Wnd = Wnd;
    Caret.Width = std::max(Width, 1);
    Caret.Height = std::max(Height, 1);
    Caret.Rect = TRect{0, 0, Caret.Width, Caret.Height};
    Caret.HideCount = 1;
    Caret.PhaseOn = false;
    return true;
}

bool DestroyCaret() {
    if (!Alive()) return false;
    TakeOff();
    if (Caret.Blinker != 0) KillTimer(Caret.Blinker, kBlinkTimer);
    Caret.Wnd = 0;
    Caret.Mask.clear();
    return true;
}

bool HideCaret(HWND Wnd) {
    if (!Owns(Wnd)) return false;
    ++Caret.HideCount;
    if (Caret.HideCount == 1) RestartBlink();
    Refresh();
    return true;
}

bool ShowCaret(HWND Wnd) {
    if (!Owns(Wnd) || Visible()) return false;
    --Caret.HideCount;
    if (Visible()) RestartBlink();
    Refresh();
    return true;
}

bool SetCaretPos(int32_t X, int32_t Y) {
    if (!Alive()) return false;
    TakeOff();
    Caret.Rect = wintree::PlacedAt(TPoint{X, Y}, Caret.Width, Caret.Height);
    if (Visible()) RestartBlink();
    Refresh();
    return true;
}

bool GetCaretPos(TPoint& Point) {
    if (!Alive()) return false;
    Point = TPoint{Caret.Rect.Left, Caret.Rect.Top};
    return true;
}

UINT GetCaretBlinkTime() {
    return BlinkTime.load();
}

bool SetCaretBlinkTime(UINT Milliseconds) {
    if (Milliseconds == 0) return false;
    BlinkTime.store(Milliseconds);
    if (Alive() && Visible()) {
        RestartBlink();
        Refresh();
    }
    return true;
}

TCaretState GetCaretState() {
    TCaretState state;
    if (!Alive()) return state;
    state.Wnd = Caret.Wnd;
    state.Rect = Caret.Rect;
    state.HideCount = Caret.HideCount;
    state.Visible = Visible();
    state.BlinkOn = Visible() && Caret.PhaseOn;
    state.InPixels = Caret.Drawn.has_value();
    return state;
}

void SuspendCaret(HWND Wnd) {
    ++Caret.Suspended;
    if (!Caret.Drawn) return;
    // Painting another top-level window leaves the caret's pixels alone.
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr || wintree::TopLevelOf(*w).Handle == Caret.Drawn->Top) TakeOff();
}

void ResumeCaret() {
    if (Caret.Suspended > 0 && --Caret.Suspended == 0) Refresh();
}

}  // namespace vex

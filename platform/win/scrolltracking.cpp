#include "platform/win/scrolltracking.h"

#include <algorithm>

#include "platform/win/capture.h"
#include "platform/win/hittest.h"
#include "platform/win/scrollbars.h"
#include "platform/win/window.h"
#include "platform/win/windowstore.h"

namespace vex::wintree {

namespace {

// The pause before an arrow or the track repeats, and between repeats, as the original had.
constexpr UINT kFirstRepeat = 400;
constexpr UINT kNextRepeat = 100;
constexpr UINT_PTR kRepeatTimer = 1;

int32_t Along(const TRect& R, bool Vertical, TPoint P) {
    return Vertical ? P.Y - R.Top : P.X - R.Left;
}

}  // namespace

bool TScrollTracking::Measure(TBarGeometry& Geometry) const {
    const TWnd* w = TWindowStore::Instance().Find(FWnd);
    TScrollBarState state;
    if (w == nullptr || !GetScrollBarState(FWnd, FBar, state) || !state.Visible) return false;
    Geometry.Vertical = FBar == SB_VERT;
    TRect bar = Geometry.Vertical ? VerticalBarArea(*w) : HorizontalBarArea(*w);
    const TPoint origin = WindowOrigin(*w);
    Geometry.Bar =
        TRect{bar.Left + origin.X, bar.Top + origin.Y, bar.Right + origin.X, bar.Bottom + origin.Y};
    const int32_t along = Geometry.Vertical ? Height(bar) : Width(bar);
    const int32_t across = Geometry.Vertical ? Width(bar) : Height(bar);
    // Arrows are square, or share a bar too short for two, as the bar is painted.
    Geometry.Arrow = std::min(across, along / 2);
    Geometry.HasThumb =
        ScrollThumb(along - 2 * Geometry.Arrow, state, Geometry.ThumbOffset, Geometry.ThumbLength);
    return state.DisabledArrows != ESB_DISABLE_BOTH;
}

TScrollTracking::TPart TScrollTracking::PartAt(const TBarGeometry& Geometry, TPoint Screen) const {
    if (!PtInRect(Geometry.Bar, Screen)) return TPart::None;
    const int32_t along = Along(Geometry.Bar, Geometry.Vertical, Screen);
    const int32_t length = Geometry.Vertical ? Height(Geometry.Bar) : Width(Geometry.Bar);
    if (along < Geometry.Arrow) return TPart::LineUp;
    if (along >= length - Geometry.Arrow) return TPart::LineDown;
    if (!Geometry.HasThumb) return TPart::None;
    const int32_t inTrack = along - Geometry.Arrow;
    if (inTrack < Geometry.ThumbOffset) return TPart::PageUp;
    if (inTrack < Geometry.ThumbOffset + Geometry.ThumbLength) return TPart::Thumb;
    return TPart::PageDown;
}

int32_t TScrollTracking::PositionAt(const TBarGeometry& Geometry, TPoint Screen) const {
    TScrollBarState state;
    GetScrollBarState(FWnd, FBar, state);
    const int32_t length = Geometry.Vertical ? Height(Geometry.Bar) : Width(Geometry.Bar);
    const int64_t room = int64_t{length} - 2 * Geometry.Arrow - Geometry.ThumbLength;
    const int64_t span = int64_t{state.Max} - state.Min + 1 - std::max<int64_t>(state.Page, 1);
    if (room <= 0 || span <= 0) return state.Pos;
    const int64_t offset = std::clamp<int64_t>(
        int64_t{Along(Geometry.Bar, Geometry.Vertical, Screen)} - Geometry.Arrow - FGrab, 0, room);
    return static_cast<int32_t>(state.Min + (offset * span + room / 2) / room);
}

void TScrollTracking::Send(WPARAM Code, int32_t Position) {
    const UINT msg = FBar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    const auto high = static_cast<uint16_t>(Position);
    SendMessage(
        FWnd, msg,
        static_cast<WPARAM>(static_cast<uint32_t>(MAKELONG(static_cast<uint16_t>(Code), high))), 0);
}

void TScrollTracking::Start(HWND Wnd, int Bar, TPoint Screen) {
    if (FWnd != 0) End(true);
    FWnd = Wnd;
    FBar = Bar;
    FPointer = Screen;
    TBarGeometry geometry;
    if (!Measure(geometry) || (FPart = PartAt(geometry, Screen)) == TPart::None) {
        FWnd = 0;
        return;
    }
    SetCapture(Wnd);
    if (FWnd != Wnd || GetCapture() != Wnd) return;  // a handler took it
    if (FPart == TPart::Thumb) {
        FGrab =
            Along(geometry.Bar, geometry.Vertical, Screen) - geometry.Arrow - geometry.ThumbOffset;
        FTrackPos = GetScrollPos(Wnd, Bar);
        Send(SB_THUMBTRACK, FTrackPos);
        return;
    }
    if (FTimer == 0)
        FTimer = AllocateHWnd([this](TMessage& Message) {
            if (Message.Msg != WM_TIMER) return;
            Repeat();
            if (FWnd != 0) SetTimer(FTimer, kRepeatTimer, kNextRepeat);
        });
    Repeat();
    if (FWnd == Wnd) SetTimer(FTimer, kRepeatTimer, kFirstRepeat);
}

void TScrollTracking::Repeat() {
    if (FWnd == 0) return;
    TBarGeometry geometry;
    if (!Measure(geometry)) {
        End(true);
        return;
    }
    const TPart now = PartAt(geometry, FPointer);
    // The thumb moves under the pointer as the page moves: paging stops once it reaches it.
    if (now == FPart) {
        static constexpr WPARAM kCodes[] = {0, SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
        Send(kCodes[static_cast<int>(FPart)]);
    }
}

bool TScrollTracking::TakesMouse(const MSG& Routed, TPoint Screen) {
    if (FWnd == 0 || Routed.hwnd != FWnd) return false;
    FPointer = Screen;
    if (Routed.message == WM_MOUSEMOVE && FPart == TPart::Thumb) {
        TBarGeometry geometry;
        if (Measure(geometry)) {
            FTrackPos = PositionAt(geometry, Screen);
            Send(SB_THUMBTRACK, FTrackPos);
        }
    } else if (Routed.message == WM_LBUTTONUP) {
        if (FPart == TPart::Thumb) Send(SB_THUMBPOSITION, FTrackPos);
        End(true);
    }
    return Routed.message >= WM_MOUSEFIRST && Routed.message <= WM_MOUSELAST;
}

void TScrollTracking::CaptureLost(HWND Wnd) {
    if (Wnd == FWnd) End(false);
}

void TScrollTracking::End(bool Release) {
    const HWND wnd = FWnd;
    if (wnd == 0) return;
    FWnd = 0;
    FPart = TPart::None;
    if (FTimer != 0) KillTimer(FTimer, kRepeatTimer);
    const UINT msg = FBar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(wnd, msg, SB_ENDSCROLL, 0);
    if (Release && GetCapture() == wnd) ReleaseCapture();
}

TScrollTracking& ScrollTracking() {
    static TScrollTracking tracking;
    return tracking;
}

}  // namespace vex::wintree

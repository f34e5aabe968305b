#include "platform/win/scrollbars.h"

#include <algorithm>

#include "platform/win/invalidation.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/updateregion.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

void CheckBar(int Bar, bool BothAllowed) {
    if (Bar == SB_HORZ || Bar == SB_VERT || Bar == SB_CTL || (BothAllowed && Bar == SB_BOTH))
        return;
    throw EWindowError("Unknown scroll bar " + std::to_string(Bar));
}

DWORD StyleBit(int Bar) {
    return Bar == SB_VERT ? WS_VSCROLL : Bar == SB_HORZ ? WS_HSCROLL : 0;
}

int64_t Span(const TScrollBarData& B) {
    return int64_t{B.Max} - B.Min;
}

int32_t HighestPos(const TScrollBarData& B) {
    if (B.Page == 0) return B.Max;
    return static_cast<int32_t>(std::max<int64_t>(B.Min, int64_t{B.Max} - B.Page + 1));
}

void ClampPos(TScrollBarData& B) {
    B.Pos = std::clamp(B.Pos, B.Min, HighestPos(B));
}

// Where the bar is drawn: the frame, or the whole window of a scroll bar control.
void InvalidateBar(HWND Wnd, int Bar) {
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr) return;
    TRegion area(wintree::WindowArea(*w));
    if (Bar != SB_CTL) area.Subtract(w->Client);
    wintree::Invalidate(*w, area, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN);
}

TWnd* Find(HWND Wnd) {
    return TWindowStore::Instance().Find(Wnd);
}

}  // namespace

int32_t SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO& Info, bool Redraw) {
    CheckBar(Bar, false);
    TWnd* w = Find(Wnd);
    if (w == nullptr) return 0;
    TScrollBarData& bar = w->Bars[Bar];
    const TScrollBarData before = bar;
    if (Info.fMask & SIF_RANGE) {
        bar.Min = Info.nMin;
        bar.Max = std::max(Info.nMax, Info.nMin);
    }
    if (Info.fMask & SIF_PAGE) bar.Page = Info.nPage;
    bar.Page = static_cast<uint32_t>(std::min<int64_t>(bar.Page, Span(bar) + 1));
    if (Info.fMask & SIF_POS) bar.Pos = Info.nPos;
    ClampPos(bar);
    const int32_t pos = bar.Pos;
    const bool changed = bar.Min != before.Min || bar.Max != before.Max ||
                         bar.Page != before.Page || bar.Pos != before.Pos;
    if ((Info.fMask & (SIF_RANGE | SIF_PAGE)) && Bar != SB_CTL) {
        const bool needed = Span(bar) > 0 && (bar.Page == 0 || bar.Page <= Span(bar));
        if (needed) {
            EnableScrollBar(Wnd, Bar, ESB_ENABLE_BOTH);
            ShowScrollBar(Wnd, Bar, true);
        } else if (Info.fMask & SIF_DISABLENOSCROLL) {
            EnableScrollBar(Wnd, Bar, ESB_DISABLE_BOTH);
            ShowScrollBar(Wnd, Bar, true);
        } else {
            ShowScrollBar(Wnd, Bar, false);
        }
    }
    if (changed && Redraw) InvalidateBar(Wnd, Bar);
    return pos;
}

bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO& Info) {
    CheckBar(Bar, false);
    const TWnd* w = Find(Wnd);
    if (w == nullptr) return false;
    const TScrollBarData& bar = w->Bars[Bar];
    if (Info.fMask & SIF_RANGE) {
        Info.nMin = bar.Min;
        Info.nMax = bar.Max;
    }
    if (Info.fMask & SIF_PAGE) Info.nPage = bar.Page;
    if (Info.fMask & SIF_POS) Info.nPos = bar.Pos;
    if (Info.fMask & SIF_TRACKPOS) Info.nTrackPos = bar.Pos;
    return true;
}

int32_t SetScrollPos(HWND Wnd, int Bar, int32_t Pos, bool Redraw) {
    const int32_t previous = GetScrollPos(Wnd, Bar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = Pos;
    SetScrollInfo(Wnd, Bar, info, Redraw);
    return previous;
}

int32_t GetScrollPos(HWND Wnd, int Bar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(Wnd, Bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND Wnd, int Bar, int32_t Min, int32_t Max, bool Redraw) {
    if (Find(Wnd) == nullptr) return false;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = Min;
    info.nMax = Max;
    SetScrollInfo(Wnd, Bar, info, Redraw);
    return true;
}

bool GetScrollRange(HWND Wnd, int Bar, int32_t& Min, int32_t& Max) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    if (!GetScrollInfo(Wnd, Bar, info)) return false;
    Min = info.nMin;
    Max = info.nMax;
    return true;
}

bool ShowScrollBar(HWND Wnd, int Bar, bool Show) {
    CheckBar(Bar, true);
    TWnd* w = Find(Wnd);
    if (w == nullptr) return false;
    const DWORD bits = Bar == SB_BOTH ? WS_HSCROLL | WS_VSCROLL : StyleBit(Bar);
    const DWORD style = Show ? w->Style | bits : w->Style & ~bits;
    if (style == w->Style) return true;
    wintree::SetLayoutField(w->Style, style);
    SetWindowPos(Wnd, 0, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

bool EnableScrollBar(HWND Wnd, int Bar, UINT Arrows) {
    CheckBar(Bar, true);
    TWnd* w = Find(Wnd);
    if (w == nullptr) return false;
    bool changed = false;
    for (int b : {SB_HORZ, SB_VERT, SB_CTL}) {
        if (Bar == SB_BOTH ? b == SB_CTL : b != Bar) continue;
        changed = changed || w->Bars[b].DisabledArrows != (Arrows & ESB_DISABLE_BOTH);
        w->Bars[b].DisabledArrows = Arrows & ESB_DISABLE_BOTH;
    }
    if (changed) InvalidateBar(Wnd, Bar == SB_BOTH ? SB_VERT : Bar);
    return changed;
}

bool GetScrollBarState(HWND Wnd, int Bar, TScrollBarState& State) {
    CheckBar(Bar, false);
    const TWnd* w = Find(Wnd);
    State = TScrollBarState();
    if (w == nullptr) return false;
    const TScrollBarData& bar = w->Bars[Bar];
    State = TScrollBarState{
        bar.Min,
        bar.Max,
        bar.Page,
        bar.Pos,
        Bar == SB_CTL ? (w->Style & WS_VISIBLE) != 0 : (w->Style & StyleBit(Bar)) != 0,
        bar.DisabledArrows};
    return true;
}

namespace {

// The smallest thumb a page-sized bar shows, so it stays something to grab.
constexpr int32_t MinThumbLength = 8;

}  // namespace

bool ScrollThumb(int32_t TrackLength, const TScrollBarState& State, int32_t& Offset,
                 int32_t& Length) {
    Offset = 0;
    Length = 0;
    const int64_t range = int64_t{State.Max} - State.Min + 1;
    if (State.DisabledArrows == ESB_DISABLE_BOTH || range <= 1 || State.Page >= range) return false;
    int64_t length = State.Page > 0 ? int64_t{TrackLength} * State.Page / range
                                    : int64_t{GetSystemMetrics(SM_CYVTHUMB)};
    if (State.Page > 0) length = std::max<int64_t>(length, MinThumbLength);
    if (length > TrackLength) return false;
    const int64_t span = range - std::max<int64_t>(State.Page, 1);
    const int64_t pos = std::clamp<int64_t>(int64_t{State.Pos} - State.Min, 0, span);
    Offset = static_cast<int32_t>(span > 0 ? pos * (TrackLength - length) / span : 0);
    Length = static_cast<int32_t>(length);
    return true;
}

}  // namespace vex

#include "components/misc/RzCommon.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/control.h"
#include "platform/win/timer.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// Bounds with each chosen side moved inwards by By pixels (out again for a negative By).
TRect Shrunk(const TRect& Bounds, TSides Sides, int64_t By) {
    const auto move = [](int32_t Edge, int64_t Step) { return SaturateToInt32(Edge + Step); };
    TRect r = Bounds;
    if (Sides.Contains(sdLeft)) r.Left = move(r.Left, By);
    if (Sides.Contains(sdTop)) r.Top = move(r.Top, By);
    if (Sides.Contains(sdRight)) r.Right = move(r.Right, -By);
    if (Sides.Contains(sdBottom)) r.Bottom = move(r.Bottom, -By);
    return r;
}

void Line(TCanvas& Canvas, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Canvas.MoveTo(X1, Y1);
    Canvas.LineTo(X2, Y2);
}

// The etched frames: the corner pixels first, then every chosen side in B through a rectangle
// whose left and top are one pixel in, then in A through the same one pixel up and left.
TRect DrawEtched(TCanvas& Canvas, const TRect& Bounds, TSides Sides, TColor A, TColor B) {
    if (IsRectEmpty(Bounds)) return Shrunk(Bounds, Sides, 2);
    const bool left = Sides.Contains(sdLeft), top = Sides.Contains(sdTop);
    const bool right = Sides.Contains(sdRight), bottom = Sides.Contains(sdBottom);
    const int64_t l = Bounds.Left, t = Bounds.Top, r = Bounds.Right, b = Bounds.Bottom;
    const auto corner = [&](int64_t X, int64_t Y, TColor Color) {
        if (PtInRect(Bounds, Point(SaturateToInt32(X), SaturateToInt32(Y))))
            Canvas.SetPixels(static_cast<int32_t>(X), static_cast<int32_t>(Y), Color);
    };
    if (right || top) corner(r - 1, t, right ? B : A);
    if (bottom || left) corner(l, b - 1, bottom ? B : A);
    if (top && !left) corner(l, t + 1, B);
    if (left && !top) corner(l + 1, t, B);
    if (bottom && !right) corner(r - 1, b - 2, A);
    if (right && !bottom) corner(r - 2, b - 1, A);

    TRect lower = Bounds;
    lower.Left = SaturateToInt32(l + 1);
    lower.Top = SaturateToInt32(t + 1);
    DrawSides(Canvas, lower, B, Sides, B);
    TRect upper = Bounds;
    upper.Right = SaturateToInt32(r - 1);
    upper.Bottom = SaturateToInt32(b - 1);
    DrawSides(Canvas, upper, A, Sides, A);
    return Shrunk(Bounds, Sides, 2);
}

// The colours of the two-line frames: outer line upper-left and lower-right, then inner.
struct TTwoLines {
    TFrameStyle Style;
    TColor OuterUL, OuterLR, InnerUL, InnerLR;
};
constexpr TTwoLines TwoLineFrames[] = {
    {fsLowered, clBtnShadow, clBtnHighlight, clBtnText, cl3DLight},
    {fsRaised, cl3DLight, clBtnText, clBtnHighlight, clBtnShadow},
    {fsButtonDown, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
    {fsButtonUp, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
};

}  // namespace

TRect DrawSides(TCanvas& Canvas, const TRect& Bounds, TColor ULColor, TSides Sides,
                TColor LRColor) {
    if (!IsRectEmpty(Bounds)) {
        const int32_t l = Bounds.Left, t = Bounds.Top, r = Bounds.Right, b = Bounds.Bottom;
        Canvas.Pen().SetColor(ULColor);
        if (Sides.Contains(sdLeft)) Line(Canvas, l, t, l, b);
        if (Sides.Contains(sdTop)) Line(Canvas, l, t, r, t);
        Canvas.Pen().SetColor(LRColor);
        if (Sides.Contains(sdRight)) Line(Canvas, r - 1, t, r - 1, b);
        if (Sides.Contains(sdBottom)) Line(Canvas, l, b - 1, r, b - 1);
    }
    return Shrunk(Bounds, Sides, 1);
}

TRect DrawBevel(TCanvas& Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, int32_t Width,
                TSides Sides) {
    Canvas.Pen().SetWidth(1);
    const int64_t width = std::max(Width, 0);
    // Line I of a side lies I pixels in from it, so only the lines that fall inside the clip
    // box on some chosen side can show: a bevel wider than the screen costs what shows.
    const TRect clip = Canvas.ClipRect();
    std::vector<std::pair<int64_t, int64_t>> shown;
    const auto showing = [&](TSide Side, int64_t First, int64_t End) {
        if (Sides.Contains(Side))
            shown.emplace_back(std::clamp<int64_t>(First, 0, width),
                               std::clamp<int64_t>(End, 0, width));
    };
    showing(sdLeft, int64_t{clip.Left} - Bounds.Left, int64_t{clip.Right} - Bounds.Left);
    showing(sdTop, int64_t{clip.Top} - Bounds.Top, int64_t{clip.Bottom} - Bounds.Top);
    showing(sdRight, int64_t{Bounds.Right} - clip.Right, int64_t{Bounds.Right} - clip.Left);
    showing(sdBottom, int64_t{Bounds.Bottom} - clip.Bottom, int64_t{Bounds.Bottom} - clip.Top);
    std::sort(shown.begin(), shown.end());
    int64_t next = 0;
    for (const auto& [first, end] : shown)
        for (int64_t i = std::max(first, next); i < end; ++i) {
            const TRect r = Shrunk(Bounds, Sides, i);
            // Inner rectangles only get smaller: once one is empty, all later ones are.
            if (IsRectEmpty(r)) return Shrunk(Bounds, Sides, width);
            DrawSides(Canvas, r, ULColor, Sides, LRColor);
            next = i + 1;
        }
    return Shrunk(Bounds, Sides, width);
}

TRect DrawBorder(TCanvas& Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides) {
    switch (Style) {
        case fsFlat:
            return DrawSides(Canvas, Bounds, clWindowFrame, Sides, clWindowFrame);
        case fsStatus:
            return DrawSides(Canvas, Bounds, clBtnShadow, Sides, clBtnHighlight);
        case fsPopup:
            return DrawSides(Canvas, Bounds, clBtnHighlight, Sides, clBtnShadow);
        case fsGroove:
            return DrawEtched(Canvas, Bounds, Sides, clBtnShadow, clBtnHighlight);
        case fsBump:
            return DrawEtched(Canvas, Bounds, Sides, clBtnHighlight, clBtnShadow);
        default:
            break;
    }
    for (const TTwoLines& lines : TwoLineFrames)
        if (lines.Style == Style) {
            const TRect inner = DrawSides(Canvas, Bounds, lines.OuterUL, Sides, lines.OuterLR);
            return DrawSides(Canvas, inner, lines.InnerUL, Sides, lines.InnerLR);
        }
    return Bounds;
}

HFONT CreateRotatedFont(const TFont& Font, int32_t Angle) {
    // The font's own description (height, weight, style, pitch, face) with the turn, no
    // orientation of the characters themselves, and the default character set.
    TLogFont lf = Font.LogFont();
    lf.lfWidth = 0;
    // Whole turns make no difference to the direction, and keep tenths within range.
    lf.lfEscapement = (Angle % 360) * 10;
    lf.lfOrientation = 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirect(lf);
}

namespace {

std::unique_ptr<TRzBlinkingControlsList>& SharedList() {
    // The window layer is made first, so that it outlives a list whose last control was never
    // freed and which therefore goes only when the program ends.
    static std::unique_ptr<TRzBlinkingControlsList> list = [] {
        GetDesktopWindow();
        return nullptr;
    }();
    return list;
}

}  // namespace

TRzBlinkingControlsList::TRzBlinkingControlsList() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetInterval(FOffInterval);
    FTimer->OnTimer = [this](TObject*) { Flip(); };
}

TRzBlinkingControlsList::~TRzBlinkingControlsList() = default;

void TRzBlinkingControlsList::Add(TControl* Control) {
    if (Control == nullptr) return;
    // A control freed without being removed may have left its address to this one.
    std::erase_if(FControls, [](const TEntry& E) { return E.Life.expired(); });
    if (std::none_of(FControls.begin(), FControls.end(),
                     [Control](const TEntry& E) { return E.Control == Control; }))
        FControls.push_back({Control, Control->LifeToken()});
}

void TRzBlinkingControlsList::Remove(TControl* Control) {
    std::erase_if(FControls, [Control](const TEntry& E) { return E.Control == Control; });
}

int32_t TRzBlinkingControlsList::Count() const {
    return static_cast<int32_t>(std::count_if(FControls.begin(), FControls.end(),
                                              [](const TEntry& E) { return !E.Life.expired(); }));
}

void TRzBlinkingControlsList::SetBlinkIntervalOn(uint16_t Value) {
    FOnInterval = Value;
    Resume(true, Value);
}

void TRzBlinkingControlsList::SetBlinkIntervalOff(uint16_t Value) {
    FOffInterval = Value;
    Resume(false, Value);
}

void TRzBlinkingControlsList::Resume(bool State, uint16_t Interval) {
    if (FBlinkState == State && FTimer->Interval() == 0) FTimer->SetInterval(Interval);
}

TRzBlinkingControlsList& TRzBlinkingControlsList::Acquire(TControl* Control) {
    std::unique_ptr<TRzBlinkingControlsList>& list = SharedList();
    if (!list) list = std::make_unique<TRzBlinkingControlsList>();
    list->Add(Control);
    return *list;
}

void TRzBlinkingControlsList::Release(TControl* Control) {
    std::unique_ptr<TRzBlinkingControlsList>& list = SharedList();
    if (!list) return;
    list->Remove(Control);
    if (list->Count() == 0) list.reset();
}

TRzBlinkingControlsList* TRzBlinkingControlsList::Shared() {
    return SharedList().get();
}

bool TRzBlinkingControlsList::Lists(const TEntry& Entry) const {
    return !Entry.Life.expired() &&
           std::any_of(FControls.begin(), FControls.end(),
                       [&](const TEntry& E) { return E.Control == Entry.Control; });
}

void TRzBlinkingControlsList::Flip() {
    FBlinkState = !FBlinkState;
    FTimer->SetInterval(FBlinkState ? FOnInterval : FOffInterval);
    const bool state = FBlinkState;
    const std::weak_ptr<const void> life = FLife.Weak();
    // Those told may change the list, or free it with the last of them: go through a copy, and
    // tell only those still listed, while the list lasts.
    const std::vector<TEntry> controls = FControls;
    for (const TEntry& e : controls) {
        if (life.expired()) return;
        if (!Lists(e) || e.Control->Perform(CM_BLINKING, 0, 0) != 1) continue;
        if (!life.expired() && Lists(e)) e.Control->Perform(CM_BLINKSTATECHANGED, state, 0);
    }
}

}  // namespace vex

#include <algorithm>

#include "platform/gfx/dcstate.h"
#include "platform/rich/richeditview.h"
#include "platform/rich/richlayoutfonts.h"
#include "platform/rich/richpaint.h"
#include "platform/ui/inputevents.h"
#include "platform/ui/steppedscroll.h"
#include "platform/win/caret.h"
#include "platform/win/scrollbars.h"
#include "platform/win/updateregion.h"

namespace vex {

namespace {

// The text keeps off the left edge by this much, so the caret at the start shows.
constexpr int32_t kInsetX = 1;
constexpr int32_t kWheelLines = 3;
// An arrow of the horizontal bar scrolls this many pixels.
constexpr int32_t kLineStepX = 8;

// A rectangle or width from a caller is kept within kFar pixels of the origin, where sizes and
// positions reckoned from it cannot overflow.
constexpr int32_t kFar = 1 << 20;

int32_t ClampToFar(int32_t Value) {
    return std::clamp(Value, -kFar, kFar);
}

}  // namespace

TCustomRichEdit::TView::TView(TRichDocument& ADocument)
    : Document(ADocument), Layout(ADocument), Links(ADocument), Formatter(ADocument) {
    Document.AddListener(this);
}

TCustomRichEdit::TView::~TView() {
    Document.RemoveListener(this);
}

void TCustomRichEdit::TView::ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) {
    ++Changes;
    if (!Editing) {
        LinesBefore = -1;  // what the next edit moves is not known
        if (Repaint) Repaint();
        return;
    }
    // Paragraphs after the change keep their place in the dirty range by the shift.
    if (DirtyFirst < 0) {
        DirtyFirst = First;
        DirtyEnd = First + Inserted;
        return;
    }
    if (DirtyEnd > First + Removed) DirtyEnd += Inserted - Removed;
    DirtyEnd = std::max(DirtyEnd, First + Inserted);
    DirtyFirst = std::min(DirtyFirst, First);
}

TRect TCustomRichEdit::DefaultFormattingRect() const {
    const TRect client = GetClientRect();
    return Rect(client.Left + kInsetX, client.Top,
                std::max(client.Right - kInsetX, client.Left + kInsetX), client.Bottom);
}

TRect TCustomRichEdit::FormattingRect() const {
    return FView->FormatRect;
}

void TCustomRichEdit::SetFormattingRect(const TRect& Value) {
    TView& view = *FView;
    const bool same = view.FormatRectSet && view.FormatRect == Value;
    view.FormatRectSet = true;
    if (same) return;
    view.FormatRect = Rect(ClampToFar(Value.Left), ClampToFar(Value.Top),
                           std::max(ClampToFar(Value.Right), ClampToFar(Value.Left)),
                           std::max(ClampToFar(Value.Bottom), ClampToFar(Value.Top)));
    UpdateWrapWidth();
    Invalidate();
}

void TCustomRichEdit::SetTargetWidth(int32_t Twips) {
    FView->TargetWidth = std::max(Twips, 0);
    UpdateWrapWidth();
    Invalidate();
}

void TCustomRichEdit::FollowLayout() {
    SetTopY(FView->TopY);
    UpdateScrollBars();
    UpdateCaret();
}

void TCustomRichEdit::UpdateWrapWidth() {
    const TView& view = *FView;
    int32_t width = 0;
    if (FWordWrap && view.TargetWidth > 0)
        width = std::clamp(TwipsToPixels(view.TargetWidth, ScreenPixelsPerInch), 1, kFar);
    else if (FWordWrap)
        width = std::max(view.FormatRect.Right - view.FormatRect.Left, 1);
    // The layout works the lines out again only when next asked.
    FView->Layout.SetWrapWidth(width);
}

TPoint TCustomRichEdit::Origin() const {
    return Point(FView->FormatRect.Left - FView->ScrollX, FView->FormatRect.Top - FView->TopY);
}

int32_t TCustomRichEdit::PageHeight() const {
    return std::max(FView->FormatRect.Bottom - FView->FormatRect.Top, 1);
}

TPoint TCustomRichEdit::PosFromChar(int32_t Position) const {
    const TPoint at = FView->Layout.PosFromChar(Position);
    const TPoint origin = Origin();
    return Point(origin.X + at.X, origin.Y + at.Y);
}

TPoint TCustomRichEdit::LayoutPoint(TPoint Client) const {
    const TPoint origin = Origin();
    return Point(ClampToFar(Client.X) - origin.X, ClampToFar(Client.Y) - origin.Y);
}

int32_t TCustomRichEdit::CharFromPos(TPoint Point) const {
    return FView->Layout.CharFromPos(LayoutPoint(Point));
}

void TCustomRichEdit::GetVertScroll(int32_t& Min, int32_t& Max, int32_t& Pos) const {
    Min = 0;
    Max = std::max(FView->Layout.Height() - 1, 0);
    Pos = FView->TopY;
}

void TCustomRichEdit::Select(int32_t Anchor, int32_t Caret) {
    TView& view = *FView;
    const int32_t length = FEngine.TextLength();
    Anchor = std::clamp(Anchor, 0, length);
    Caret = std::clamp(Caret, 0, length);
    InvalidateRange(view.Anchor, view.Caret);
    view.Anchor = Anchor;
    view.Caret = Caret;
    FEngine.SetSel(std::min(Anchor, Caret), std::abs(Caret - Anchor));
    InvalidateRange(Anchor, Caret);
    ScrollCaret();
    CheckSelectionChange();
}

void TCustomRichEdit::FollowEngineSelection() {
    TView& view = *FView;
    const int32_t start = std::min(view.Anchor, view.Caret);
    const int32_t length = std::abs(view.Caret - view.Anchor);
    if (start == FEngine.SelStart() && length == FEngine.SelLength()) return;
    // Set through the engine: the selection runs forwards from its start.
    view.Anchor = FEngine.SelStart();
    view.Caret = view.Anchor + FEngine.SelLength();
    view.GoalX = -1;
}

void TCustomRichEdit::SetTopY(int32_t Value) {
    TView& view = *FView;
    Value = std::clamp(Value, 0, std::max(view.Layout.Height() - PageHeight(), 0));
    if (Value == view.TopY) return;
    view.TopY = Value;
    Invalidate();
}

void TCustomRichEdit::SetScrollX(int32_t Value) {
    Value = std::max(Value, 0);
    if (Value == FView->ScrollX) return;
    FView->ScrollX = Value;
    Invalidate();
}

void TCustomRichEdit::ScrollCaret() {
    FollowEngineSelection();
    TView& view = *FView;
    const TRichLayout& layout = view.Layout;
    // The caret's own band: in a table row its cell's line, which may stand a screen or more
    // below the row's top.
    const TPoint caret = layout.PosFromChar(view.Caret);
    const int32_t height = layout.CaretHeight(view.Caret);
    if (caret.Y < view.TopY)
        SetTopY(caret.Y);
    else if (int64_t{caret.Y} + height > int64_t{view.TopY} + PageHeight())
        SetTopY(SaturateToInt32(int64_t{caret.Y} + height - PageHeight()));
    if (layout.WrapWidth() <= 0) {
        // The view jumps by a third of its width, so that typing on does not scroll every key.
        const int32_t width = view.FormatRect.Right - view.FormatRect.Left;
        const int32_t x = caret.X;
        if (x < view.ScrollX)
            SetScrollX(x - width / 3);
        else if (x >= view.ScrollX + width)
            SetScrollX(x - width + width / 3);
    } else {
        SetScrollX(0);
    }
    UpdateCaret();
    UpdateScrollBars();
}

void TCustomRichEdit::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    TView& view = *FView;
    const auto update = [&](int Bar, int32_t Max, int32_t Page, int32_t Pos) {
        const TView::TBarValues values{Max, Page, Pos};
        if (view.Bars[Bar] == values) return;
        view.Bars[Bar] = values;
        SetScrollInfo(Handle(), Bar, SteppedScrollInfo(Max, Page, Pos, !FHideScrollBars), true);
    };
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
        int32_t min = 0, max = 0, pos = 0;
        GetVertScroll(min, max, pos);
        update(SB_VERT, max, PageHeight(), pos);
    }
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
        const int32_t width = view.FormatRect.Right - view.FormatRect.Left;
        const int32_t widest = view.Layout.WrapWidth() > 0 ? 0 : view.Layout.Widest();
        update(SB_HORZ, std::max(widest, view.ScrollX + width) - 1, width, view.ScrollX);
    }
}

void TCustomRichEdit::UpdateCaret() {
    FollowEngineSelection();
    TView& view = *FView;
    if (!HandleAllocated() || !Focused()) return;
    const int32_t height = view.Layout.CaretHeight(view.Caret);
    // The caret is as tall as the line it stands in.
    if (view.CaretMade && view.CaretHeight != height) {
        DestroyCaret();
        view.CaretMade = false;
    }
    if (!view.CaretMade) {
        CreateCaret(Handle(), nullptr, 1, height);
        ShowCaret(Handle());
        view.CaretMade = true;
        view.CaretHeight = height;
    }
    const TPoint at = PosFromChar(view.Caret);
    SetCaretPos(at.X, at.Y);
}

void TCustomRichEdit::InvalidateRange(int32_t From, int32_t To) {
    if (!HandleAllocated() || From == To) return;
    const TRichLayout& layout = FView->Layout;
    const TRichLineInfo first = layout.Line(layout.LineFromChar(std::min(From, To)));
    const TRichLineInfo last = layout.Line(layout.LineFromChar(std::max(From, To)));
    const TRect client = GetClientRect();
    const int32_t top = Origin().Y;
    const TRect area = Rect(client.Left, std::max(top + first.Top, client.Top), client.Right,
                            std::min(top + last.Top + last.Height, client.Bottom));
    if (area.Bottom > area.Top) InvalidateRect(Handle(), &area, false);
}

void TCustomRichEdit::InvalidateChanged() {
    TView& view = *FView;
    const int32_t first = view.DirtyFirst;
    const int32_t end = view.DirtyEnd;
    view.DirtyFirst = view.DirtyEnd = -1;
    if (first < 0 || !HandleAllocated()) return;
    const TRichLayout& layout = view.Layout;
    const TRichDocument& document = FEngine.Document();
    const int32_t lines = layout.LineCount();
    const int32_t height = layout.Height();
    const bool moved = lines != view.LinesBefore || height != view.HeightBefore;
    view.LinesBefore = lines;
    view.HeightBefore = height;
    const int32_t last = std::clamp(end - 1, first, document.ParagraphCount() - 1);
    const int32_t from = document.ParagraphStart(std::min(first, document.ParagraphCount() - 1));
    const int32_t to = document.ParagraphStart(last) + document.Paragraph(last).Length();
    const TRect client = GetClientRect();
    const int32_t top = Origin().Y + layout.Line(layout.LineFromChar(from)).Top;
    const TRichLineInfo bottomLine = layout.Line(layout.LineFromChar(to));
    // Lines that moved are painted again down to the bottom; else only the changed ones.
    const int32_t bottom = moved ? client.Bottom : Origin().Y + bottomLine.Top + bottomLine.Height;
    const TRect area =
        Rect(client.Left, std::max(top, client.Top), client.Right, std::min(bottom, client.Bottom));
    if (area.Bottom > area.Top) InvalidateRect(Handle(), &area, false);
}

void TCustomRichEdit::PaintCopy() {
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    TFormatRange range;
    range.Canvas = &canvas;
    range.Rect = Rect(0, 0, MulDiv(ClientWidth(), 1440, canvas.PixelsPerInchX()),
                      MulDiv(ClientHeight(), 1440, canvas.PixelsPerInchY()));
    range.PageRect = range.Rect;
    const std::weak_ptr<const void> life = LifeToken();
    FormatRange(&range, true);
    if (!life.expired()) FormatRange(nullptr, false);
}

void TCustomRichEdit::Paint() {
    if (ControlState().Contains(csPaintCopy)) {
        PaintCopy();
        return;
    }
    TView& view = *FView;
    TCanvas& canvas = Canvas();
    const HDC dc = canvas.Handle();
    TRect box;
    GetClipBox(dc, box);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(box);
    const TSavedDC saved(dc);
    const TRect& format = view.FormatRect;
    IntersectClipRect(dc, format.Left, format.Top, format.Right, format.Bottom);
    const TPoint origin = Origin();
    const TRichLayout& layout = view.Layout;
    // Only the lines that meet what is being painted: a keystroke paints its own lines.
    const int32_t first = layout.LineAtY(std::max(box.Top, format.Top) - origin.Y);
    const int32_t last = layout.LineAtY(std::min(box.Bottom, format.Bottom) - 1 - origin.Y);
    TRichPaintOptions options;
    options.SelStart = FEngine.SelStart();
    options.SelEnd = FEngine.SelStart() + FEngine.SelLength();
    options.ShowSelection = !FHideSelection || (HandleAllocated() && Focused());
    options.Background = Color();
    options.AutoText = Enabled() ? clWindowText : clGrayText;
    options.Links = AutoUrlDetect() ? &view.Links : nullptr;
    PaintRichLines(canvas, layout, origin, first, last, options);
}

void TCustomRichEdit::VScrollNative(TMessage& Message) {
    TView& view = *FView;
    const TRichLayout& layout = view.Layout;
    const int32_t topLine = layout.LineAtY(view.TopY);
    int32_t y = view.TopY;
    switch (LOWORD(Message.WParam)) {
        case SB_LINEUP:
            y = layout.Line(std::max(topLine - (layout.Line(topLine).Top < y ? 0 : 1), 0)).Top;
            break;
        case SB_LINEDOWN:
            y = topLine + 1 < layout.LineCount() ? layout.Line(topLine + 1).Top : y;
            break;
        case SB_PAGEUP:
            y -= PageHeight();
            break;
        case SB_PAGEDOWN:
            y += PageHeight();
            break;
        case SB_TOP:
            y = 0;
            break;
        case SB_BOTTOM:
            y = layout.Height();
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            y = ThumbPlace(Message.WParam, view.Bars[SB_VERT].Max);
            break;
        default:
            return;
    }
    SetTopY(y);
    UpdateScrollBars();
    UpdateCaret();
}

void TCustomRichEdit::HScrollNative(TMessage& Message) {
    TView& view = *FView;
    const int32_t page = view.FormatRect.Right - view.FormatRect.Left;
    const std::optional<int32_t> x =
        HorizontalScrollTarget(Message.WParam, view.ScrollX, kLineStepX, page, view.Layout.Widest(),
                               view.Bars[SB_HORZ].Max);
    if (!x) return;
    SetScrollX(*x);
    UpdateScrollBars();
    UpdateCaret();
}

void TCustomRichEdit::WheelNative(TMessage& Message) {
    TView& view = *FView;
    const TRichLayout& layout = view.Layout;
    const int32_t notches = GET_WHEEL_DELTA_WPARAM(Message.WParam) / WHEEL_DELTA;
    const int32_t line =
        std::clamp(layout.LineAtY(view.TopY) - kWheelLines * notches, 0, layout.LineCount() - 1);
    SetTopY(layout.Line(line).Top);
    UpdateScrollBars();
    UpdateCaret();
    Message.Result = 1;
}

}  // namespace vex

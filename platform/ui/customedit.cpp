#include "platform/ui/customedit.h"

#include <algorithm>

#include "platform/core/stringutils.h"
#include "platform/gfx/fontengine.h"
#include "platform/ui/editmessages.h"
#include "platform/win/caret.h"
#include "platform/win/scrollbars.h"
#include "platform/win/window.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// Raises a flag for its lifetime, lowering it however the scope is left.
class TRaise {
public:
    explicit TRaise(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TRaise() { FFlag = false; }
    TRaise(const TRaise&) = delete;
    TRaise& operator=(const TRaise&) = delete;

private:
    bool& FFlag;
};

}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(csCaptureMouse);
    FControlStyle.Include(csDoubleClicks);
    FControlStyle.Include(csOpaque);
    FText.OnLinesChanged = [this](int32_t First, int32_t Removed, int32_t Inserted) {
        TextChanged(First, Removed, Inserted);
    };
    SetBounds(0, 0, 121, 25);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
    FAutoSize = true;
    Measure();
    AdjustBounds();
}

TCustomEdit::~TCustomEdit() {
    FDestroying = true;
    FText.OnLinesChanged = nullptr;
}

bool TCustomEdit::MultiLine() const {
    return (FEditStyle & ES_MULTILINE) != 0;
}

bool TCustomEdit::WordWrapping() const {
    return MultiLine() && (FEditStyle & ES_AUTOHSCROLL) == 0 && (FScrollStyle & WS_HSCROLL) == 0;
}

void TCustomEdit::SetEditStyle(DWORD Value) {
    if (FEditStyle == Value) return;
    FEditStyle = Value;
    FText.SetMultiLine(MultiLine());
    FTopLine = FTopRow = FScrollX = 0;
    UpdateFormattingRect(nullptr, true);
    RecreateWnd();
}

void TCustomEdit::SetScrollStyle(DWORD Value) {
    if (FScrollStyle == Value) return;
    FScrollStyle = Value;
    FWidest = 0;
    NoteWidths(0, FText.LineCount());
    RecreateWnd();
    UpdateFormattingRect(nullptr, true);
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    // The window's style says so too, as the platform's edit kept it.
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLong(Handle(), GWL_STYLE);
    SetWindowLong(Handle(), GWL_STYLE,
                  Value ? style | ES_READONLY : style & ~LONG_PTR{ES_READONLY});
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    FLayout.SetPasswordChar(Value);
    FScrollX = 0;
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (FCharCase == Value) return;
    FCharCase = Value;
    if (Value == ecNormal) return;
    const int32_t start = SelStart();
    const int32_t length = SelLength();
    const std::weak_ptr<const void> life = LifeToken();
    SetText(Cased(Text()));
    if (life.expired()) return;  // freed by OnChange
    SetSelStart(start);
    SetSelLength(length);
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
    AdjustBounds();
}

void TCustomEdit::SetAutoSize(bool Value) {
    TCustomControl::SetAutoSize(Value);
    AdjustBounds();
}

std::string TCustomEdit::Cased(std::string_view Value) const {
    switch (FCharCase) {
        case ecUpperCase:
            return AnsiUpperCase(Value);
        case ecLowerCase:
            return AnsiLowerCase(Value);
        default:
            return std::string(Value);
    }
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= FEditStyle | FScrollStyle | WS_CLIPCHILDREN;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomEdit::CreateWnd() {
    FCaretMade = false;
    TCustomControl::CreateWnd();
    FLastBars[SB_HORZ] = FLastBars[SB_VERT] = TScrollBarValues{};
    UpdateFormattingRect(FFormatRectSet ? &FFormatRect : nullptr, false);
}

void TCustomEdit::Measure() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    const std::shared_ptr<const TRealizedFont> face = canvas.RealizedFont();
    std::array<int32_t, 256> advances{};
    for (int ch = 0; ch < 256; ++ch)
        advances[static_cast<size_t>(ch)] = face->Advance(static_cast<uint8_t>(ch));
    const TTextMetric& metrics = face->Metrics();
    FRowHeight = std::max(metrics.tmHeight, 1);
    FLayout.SetMetrics(advances, FRowHeight, 8 * std::max(metrics.tmAveCharWidth, 1));
}

void TCustomEdit::AdjustBounds() {
    if (!FAutoSize || MultiLine() || FDestroying) return;
    int32_t frame = 2;
    if (FBorderStyle == bsSingle) frame = Ctl3D() ? 8 : 6;
    SetHeight(FRowHeight + frame);
}

void TCustomEdit::Resize() {
    if (!FFormatRectSet) UpdateFormattingRect(nullptr, true);
    TCustomControl::Resize();
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
    TCustomControl::CMFontChanged(Message);
    Measure();
    AdjustBounds();
    ScrollToCaret();
    if (FCaretMade) {
        DestroyCaret();
        FCaretMade = false;
        UpdateCaret();
    }
    Invalidate();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

void TCustomEdit::CMCtl3DChanged(TMessage& Message) {
    TCustomControl::CMCtl3DChanged(Message);
    if (FBorderStyle != bsSingle) return;
    RecreateWnd();
    AdjustBounds();
}

void TCustomEdit::DoEnter() {
    // A click places the caret itself; only the keyboard's focus selects the whole field.
    if (FAutoSelect && !FControlState.Contains(csLButtonDown) && !MultiLine()) SelectAll();
    TCustomControl::DoEnter();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::TextChanged(int32_t First, int32_t Removed, int32_t Inserted) {
    const int32_t rowsBefore = FLayout.TotalRows();
    const int32_t rowsOfLine = Removed == 1 ? FLayout.RowCount(First) : -1;
    FLayout.Changed(First, Removed, Inserted);
    if (First == 0 && Inserted == FText.LineCount()) FWidest = 0;
    NoteWidths(First, Inserted);
    // The view stays within the text that is left.
    if (FTopLine >= FText.LineCount()) FTopLine = FText.LineCount() - 1, FTopRow = 0;
    FTopRow = std::min(FTopRow, FLayout.RowCount(FTopLine) - 1);
    // A change within a line that keeps its rows repaints that line; any other moves what
    // follows, down to the bottom of the view.
    if (FWholeRepaint) return;
    if (Removed == 1 && Inserted == 1 && rowsBefore == FLayout.TotalRows() &&
        rowsOfLine == FLayout.RowCount(First))
        InvalidateLines(First, First);
    else
        InvalidateLines(First, -1);
}

void TCustomEdit::NoteWidths(int32_t First, int32_t Count) {
    if ((FScrollStyle & WS_HSCROLL) == 0) return;
    for (int32_t i = First; i < First + Count; ++i)
        FWidest = std::max(FWidest, FLayout.Width(i, 0, INT32_MAX));
}

void TCustomEdit::AfterEdit() {
    ScrollToCaret();
    Change();
}

bool TCustomEdit::UserReplace(std::string_view Value, bool Typed) {
    if (!UserMayEdit()) return false;
    if (!FText.ReplaceSelection(Cased(Value), true, Typed)) return false;
    FModified = true;
    FGoalX = -1;
    AfterEdit();
    return true;
}

void TCustomEdit::SetSelText(const std::string& Value) {
    if (!FText.ReplaceSelection(Cased(Value))) return;
    AfterEdit();
}

void TCustomEdit::SetSelStart(int32_t Value) {
    const TEditPos at = FText.PosOf(Value);
    Select(at, at);
}

void TCustomEdit::SetSelLength(int32_t Value) {
    const int32_t start = FText.SelStart();
    // Any length is taken, up to the longest there is, without overflowing on the way.
    const int64_t end = std::clamp<int64_t>(int64_t{start} + Value, 0, INT32_MAX);
    Select(FText.PosOf(start), FText.PosOf(static_cast<int32_t>(end)));
}

void TCustomEdit::SelectAll() {
    Select(TEditPos{}, FText.End());
}

void TCustomEdit::Select(TEditPos Anchor, TEditPos Caret) {
    const TEditPos oldFirst = FText.SelFirst();
    const TEditPos oldLast = FText.SelLast();
    FText.Select(Anchor, Caret);
    InvalidateSelection(oldFirst, oldLast);
    InvalidateSelection(FText.SelFirst(), FText.SelLast());
    ScrollToCaret();
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_SETTEXT:
            TextMessage(Message);
            return;
        case WM_GETDLGCODE:
            Message.Result = DialogCode();
            return;
        case WM_KEYDOWN:
            KeyDownNative(Message);
            return;
        case WM_CHAR:
            CharNative(Message);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDownNative(Message, Message.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
            MouseMoveNative(Message);
            return;
        case WM_LBUTTONUP:
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            MouseUpNative();
            TCustomControl::DefaultHandler(Message);
            return;
        case WM_TIMER:
            AutoScrollTick();
            return;
        case WM_VSCROLL:
            VScrollNative(Message);
            return;
        case WM_HSCROLL:
            HScrollNative(Message);
            return;
        case WM_MOUSEWHEEL:
            WheelNative(Message);
            return;
        case WM_CONTEXTMENU:
            ContextMenuNative(Message);
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The caret and a hidden selection show only while the control has the focus.
            if (Message.Msg == WM_KILLFOCUS && FCaretMade) {
                DestroyCaret();
                FCaretMade = false;
            }
            UpdateCaret();
            if (FHideSelection) InvalidateSelection(FText.SelFirst(), FText.SelLast());
            TCustomControl::DefaultHandler(Message);
            return;
        default:
            if ((Message.Msg >= EM_GETSEL && Message.Msg <= EM_GETLIMITTEXT) ||
                (Message.Msg >= WM_CUT && Message.Msg <= WM_UNDO)) {
                EditMessage(Message);
                return;
            }
            TCustomControl::DefaultHandler(Message);
    }
}

void TCustomEdit::TextMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXTLENGTH:
            Message.Result = FText.TextLength();
            return;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(Message.LParam);
            Message.Result = 0;
            if (buffer == nullptr || Message.WParam == 0) return;
            const size_t count = FText.CopyText(buffer, Message.WParam - 1);
            buffer[count] = '\0';
            Message.Result = static_cast<LRESULT>(count);
            return;
        }
        default: {
            const auto* text = reinterpret_cast<const char*>(Message.LParam);
            const std::string value = Cased(text != nullptr ? text : "");
            {
                // The whole control repaints below; reckoning which lines changed is wasted.
                TRaise wholeRepaint(FWholeRepaint);
                FText.SetText(value);
            }
            FModified = false;
            FTopLine = FTopRow = FScrollX = 0;
            FGoalX = -1;
            // Like typing, a new text repaints the edit's own window only: what a descendant adds
            // to its repaint, such as a button beside the text, shows nothing of the text.
            TCustomControl::Invalidate();
            Message.Result = 1;
            AfterEdit();
        }
    }
}

void TCustomEdit::EditMessage(TMessage& Message) {
    const UINT msg = Message.Msg;
    Message.Result = 0;
    if (msg == EM_GETSEL) {
        const auto start = static_cast<DWORD>(FText.SelStart());
        const auto end = static_cast<DWORD>(FText.SelStart() + FText.SelLength());
        if (auto* p = reinterpret_cast<DWORD*>(Message.WParam)) *p = start;
        if (auto* p = reinterpret_cast<DWORD*>(Message.LParam)) *p = end;
        Message.Result = start <= 0xFFFF && end <= 0xFFFF
                             ? MAKELONG(static_cast<uint16_t>(start), static_cast<uint16_t>(end))
                             : -1;
    } else if (msg == EM_SETSEL) {
        const auto start = static_cast<int32_t>(Message.WParam);
        auto end = static_cast<int32_t>(Message.LParam);
        if (start == -1) {
            Select(FText.Caret(), FText.Caret());
            return;
        }
        if (end < 0) end = FText.TextLength();
        Select(FText.PosOf(start), FText.PosOf(end));
    } else if (msg == EM_GETRECT) {
        if (auto* r = reinterpret_cast<TRect*>(Message.LParam)) *r = FFormatRect;
    } else if (msg == EM_SETRECT || msg == EM_SETRECTNP) {
        UpdateFormattingRect(reinterpret_cast<const TRect*>(Message.LParam), msg == EM_SETRECT);
    } else if (msg == EM_SCROLLCARET) {
        ScrollToCaret();
        Message.Result = 1;
    } else if (msg == EM_GETMODIFY) {
        Message.Result = FModified ? 1 : 0;
    } else if (msg == EM_SETMODIFY) {
        FModified = Message.WParam != 0;
    } else if (msg == EM_GETLINECOUNT) {
        Message.Result = FText.LineCount();
    } else if (msg == EM_LINEINDEX) {
        const auto line = static_cast<int32_t>(Message.WParam);
        const int32_t at = line < 0 ? FText.Caret().Line : line;
        Message.Result = at < FText.LineCount() ? FText.OffsetOf(TEditPos{at, 0}) : -1;
    } else if (msg == EM_LINEFROMCHAR) {
        const auto offset = static_cast<int32_t>(Message.WParam);
        Message.Result = offset < 0 ? FText.SelFirst().Line : FText.PosOf(offset).Line;
    } else if (msg == EM_LINELENGTH) {
        const auto offset = static_cast<int32_t>(Message.WParam);
        const int32_t line = offset < 0 ? FText.SelFirst().Line : FText.PosOf(offset).Line;
        Message.Result = static_cast<LRESULT>(FText.Line(line).size());
    } else if (msg == EM_REPLACESEL) {
        const auto* text = reinterpret_cast<const char*>(Message.LParam);
        if (FText.ReplaceSelection(Cased(text != nullptr ? text : ""), Message.WParam != 0)) {
            FModified = true;
            AfterEdit();
        }
    } else if (msg == EM_LIMITTEXT) {
        SetMaxLength(static_cast<int32_t>(Message.WParam));
    } else if (msg == EM_GETLIMITTEXT) {
        Message.Result = MaxLength() != 0 ? MaxLength() : 0x7FFFFFFE;
    } else if (msg == EM_CANUNDO) {
        Message.Result = FText.CanUndo() ? 1 : 0;
    } else if (msg == EM_UNDO || msg == WM_UNDO) {
        Message.Result = RunAction(TEditAction::Undo, false) ? 1 : 0;
    } else if (msg == EM_EMPTYUNDOBUFFER) {
        FText.EmptyUndoBuffer();
    } else if (msg == EM_SETREADONLY) {
        SetReadOnly(Message.WParam != 0);
        Message.Result = 1;
    } else if (msg == EM_SETPASSWORDCHAR) {
        SetPasswordChar(static_cast<char>(Message.WParam));
    } else if (msg == EM_GETPASSWORDCHAR) {
        Message.Result = static_cast<uint8_t>(FPasswordChar);
    } else if (msg == EM_GETFIRSTVISIBLELINE) {
        Message.Result = FTopLine;
    } else if (msg == WM_CUT) {
        RunAction(TEditAction::Cut, false);
    } else if (msg == WM_COPY) {
        RunAction(TEditAction::Copy, false);
    } else if (msg == WM_PASTE) {
        RunAction(TEditAction::Paste, false);
    } else if (msg == WM_CLEAR) {
        RunAction(TEditAction::Clear, false);
    }
}

}  // namespace vex

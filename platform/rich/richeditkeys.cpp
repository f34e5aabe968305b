#include <algorithm>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"
#include "platform/rich/richeditwords.h"
#include "platform/ui/inputevents.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

constexpr char kSelectAllChar = '\x01';  // Ctrl+A
constexpr char kRedoChar = '\x19';       // Ctrl+Y

}  // namespace

LRESULT TCustomRichEdit::DialogCode() const {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    if (FWantReturns) code |= DLGC_WANTALLKEYS;
    if (FWantTabs) code |= DLGC_WANTTAB;
    return code;
}

void TCustomRichEdit::KeyDownNative(TMessage& Message) {
    FollowEngineSelection();
    const auto key = static_cast<uint16_t>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    const TEditAction action = EditKeyAction(key, shift);
    if (action == TEditAction::None) {
        TCustomControl::DefaultHandler(Message);
        return;
    }
    RunAction(action, shift.Contains(ssShift), Message);
}

void TCustomRichEdit::CharNative(TMessage& Message) {
    FollowEngineSelection();
    const auto ch = static_cast<char>(Message.WParam);
    if (ch == kSelectAllChar) {
        RunAction(TEditAction::SelectAll, false, Message);
        return;
    }
    if (ch == kRedoChar) {
        UserUndo(true);
        return;
    }
    const TEditAction action = EditCharAction(ch);
    if (action != TEditAction::None) {
        RunAction(action, false, Message);
        return;
    }
    const auto byte = static_cast<uint8_t>(ch);
    if (ch == '\r') {
        if (FWantReturns)
            TypeChars(InsideCell(FEngine.SelStart()) ? std::string_view(&RichCellBreak, 1) : "\r",
                      Message);
    } else if (ch == '\t') {
        if (FWantTabs) TypeChars("\t", Message);
    } else if (byte >= 0x20 && byte != 0x7F) {
        TypeChars(std::string_view(&ch, 1), Message);
    }
}

// A paragraph end typed inside a cell would split its row, and the cells after the caret would
// stand in the columns of those before it; a break keeps the new line in its cell.
bool TCustomRichEdit::InsideCell(int32_t Position) const {
    const TRichDocument& document = FEngine.Document();
    int32_t offset = 0;
    const TRichParagraph& paragraph = document.Paragraph(document.Locate(Position, offset));
    return document.ParaFormats()[paragraph.Format].IsRow() &&
           offset < static_cast<int32_t>(paragraph.Text.size());
}

void TCustomRichEdit::TypeChars(std::string_view Chars, const TMessage& Cause) {
    int64_t inserted = static_cast<int64_t>(Chars.size());
    const int32_t start = FEngine.SelStart();
    const int32_t length = FEngine.SelLength();
    if (!UserMayReplace(start, length, inserted, Cause)) {
        MessageBeep(0);
        return;
    }
    if (!ObjectsLeaving(start, length)) return;
    FView->Editing = true;
    FEngine.Type(Chars.substr(0, static_cast<size_t>(inserted)));
    AfterEdit(false);
}

void TCustomRichEdit::UserUndo(bool Again) {
    if (FReadOnly || !(Again ? FEngine.CanRedo() : FEngine.CanUndo())) return;
    if (Again)
        Redo();
    else
        Undo();
}

int32_t TCustomRichEdit::LineStartOf(int32_t Position) const {
    int32_t first = 0, last = 0;
    FView->Layout.CaretLine(Position, first, last);
    return first;
}

int32_t TCustomRichEdit::LineEndOf(int32_t Position) const {
    int32_t first = 0, last = 0;
    FView->Layout.CaretLine(Position, first, last);
    return last;
}

int32_t TCustomRichEdit::VerticalMove(int32_t From, int32_t Delta) const {
    const TRichLayout& layout = FView->Layout;
    const TPoint at = layout.PosFromChar(From);
    const int32_t x = FView->GoalX >= 0 ? FView->GoalX : at.X;
    if (Delta == -1 || Delta == 1) {
        // The band next to the caret's own first: in a table row the next line of its cell,
        // while the cell has one; then the band past the whole line (or row).
        const TRichLineInfo line = layout.Line(layout.LineFromChar(From));
        const int32_t below = at.Y + layout.CaretHeight(From);
        for (const int32_t y :
             {Delta > 0 ? below : at.Y - 1, Delta > 0 ? line.Top + line.Height : line.Top - 1}) {
            if (y < 0 || y >= layout.Height()) return From;
            const int32_t to = layout.CharFromPos(Point(x, y));
            const int32_t toY = layout.PosFromChar(to).Y;
            if (Delta > 0 ? toY > at.Y : toY < at.Y) return to;
        }
        return From;
    }
    // By a page: the line a page's height away, clamped to the text; in a row taller than the
    // page, the line of the cell there.
    const int32_t y = std::clamp(at.Y + Delta, 0, std::max(layout.Height() - 1, 0));
    return layout.CharFromPos(Point(x, y));
}

int32_t TCustomRichEdit::Moved(TEditAction Action, int32_t From) const {
    const TRichDocument& document = FEngine.Document();
    switch (Action) {
        case TEditAction::MoveCharLeft:
            return std::max(From - 1, 0);
        case TEditAction::MoveCharRight:
            return std::min(From + 1, document.Length());
        case TEditAction::MoveWordLeft:
            return RichWordLeft(document, From);
        case TEditAction::MoveWordRight:
            return RichWordRight(document, From);
        case TEditAction::MoveLineStart:
            return LineStartOf(From);
        case TEditAction::MoveLineEnd:
            return LineEndOf(From);
        case TEditAction::MoveTextStart:
            return 0;
        case TEditAction::MoveTextEnd:
            return document.Length();
        case TEditAction::MoveRowUp:
            return VerticalMove(From, -1);
        case TEditAction::MoveRowDown:
            return VerticalMove(From, 1);
        case TEditAction::MovePageUp:
            return VerticalMove(From, -PageHeight());
        case TEditAction::MovePageDown:
            return VerticalMove(From, PageHeight());
        default:
            return From;
    }
}

bool TCustomRichEdit::DeleteAround(TEditAction Action, const TMessage& Cause) {
    int32_t start = FEngine.SelStart();
    int32_t length = FEngine.SelLength();
    if (length == 0) {
        const int32_t caret = FView->Caret;
        const int32_t other =
            Action == TEditAction::DeleteCharLeft    ? Moved(TEditAction::MoveCharLeft, caret)
            : Action == TEditAction::DeleteCharRight ? Moved(TEditAction::MoveCharRight, caret)
                                                     : RichWordLeft(FEngine.Document(), caret);
        if (other == caret) return false;
        start = std::min(caret, other);
        length = std::abs(caret - other);
    }
    int64_t inserted = 0;
    if (!UserMayReplace(start, length, inserted, Cause)) {
        MessageBeep(0);
        return false;
    }
    return Remove(start, length);
}

bool TCustomRichEdit::Remove(int32_t Start, int32_t Length) {
    if (!ObjectsLeaving(Start, Length)) return false;
    FView->Editing = true;
    FEngine.SetSel(Start, Length);
    FEngine.ReplaceSelection(std::string_view());
    return AfterEdit(false);
}

bool TCustomRichEdit::CutNative(const TMessage& Cause) {
    const int32_t start = FEngine.SelStart();
    const int32_t length = FEngine.SelLength();
    int64_t inserted = 0;
    // Asked first: a cut that may not remove the text does not copy it either, and text that
    // could not be copied is not removed.
    if (length == 0 || !UserMayReplace(start, length, inserted, Cause)) return false;
    return PutOnClipboard(RECO_CUT) && Remove(start, length);
}

bool TCustomRichEdit::RunAction(TEditAction Action, bool Extend, const TMessage& Cause) {
    TView& view = *FView;
    if (IsEditMove(Action)) {
        const bool vertical =
            Action == TEditAction::MoveRowUp || Action == TEditAction::MoveRowDown ||
            Action == TEditAction::MovePageUp || Action == TEditAction::MovePageDown;
        const int32_t caret = view.Caret;
        const int32_t goal =
            vertical ? (view.GoalX >= 0 ? view.GoalX : view.Layout.PosFromChar(caret).X) : -1;
        view.GoalX = goal;
        int32_t to = Moved(Action, caret);
        // Left or right over a selection, without Shift, lands on its side.
        const int32_t first = std::min(view.Anchor, view.Caret);
        const int32_t last = std::max(view.Anchor, view.Caret);
        if (!Extend && first != last && Action == TEditAction::MoveCharLeft) to = first;
        if (!Extend && first != last && Action == TEditAction::MoveCharRight) to = last;
        // A page key moves the view with the caret.
        if (Action == TEditAction::MovePageUp) SetTopY(view.TopY - PageHeight());
        if (Action == TEditAction::MovePageDown) SetTopY(view.TopY + PageHeight());
        // The last call: a selection-change handler may free the control.
        Select(Extend ? view.Anchor : to, to);
        return true;
    }
    switch (Action) {
        case TEditAction::DeleteCharLeft:
        case TEditAction::DeleteCharRight:
        case TEditAction::DeleteWordLeft:
            return DeleteAround(Action, Cause);
        case TEditAction::Clear:
            return FEngine.SelLength() > 0 && DeleteAround(Action, Cause);
        case TEditAction::Cut:
            return CutNative(Cause);
        case TEditAction::Copy:
            if (FEngine.SelLength() == 0) return false;
            PutOnClipboard(RECO_COPY);
            return true;
        case TEditAction::Paste:
            return PasteNative(Cause);
        case TEditAction::Undo:
            UserUndo(false);
            return true;
        case TEditAction::SelectAll:
            SelectAll();
            return true;
        default:
            return false;
    }
}

}  // namespace vex

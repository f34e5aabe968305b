#include "platform/ui/customedit.h"
#include "platform/win/keyboard.h"

namespace vex {

LRESULT TCustomEdit::DialogCode() {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    if (MultiLine()) code |= DLGC_WANTALLKEYS;
    return code;
}

void TCustomEdit::KeyDownNative(TMessage& Message) {
    const auto key = static_cast<uint16_t>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    const TEditAction action = EditKeyAction(key, shift);
    if (action == TEditAction::None) {
        TCustomControl::DefaultHandler(Message);
        return;
    }
    RunAction(action, shift.Contains(ssShift));
}

void TCustomEdit::CharNative(TMessage& Message) {
    const auto ch = static_cast<char>(Message.WParam);
    const TEditAction action = EditCharAction(ch);
    if (action != TEditAction::None)
        RunAction(action, false);
    else
        TypeChar(ch);
}

void TCustomEdit::TypeChar(char Ch) {
    const auto byte = static_cast<uint8_t>(Ch);
    if (Ch == '\r') {
        if (MultiLine() && (FEditStyle & ES_WANTRETURN) != 0) UserReplace("\r\n", true);
        return;
    }
    if (Ch == '\t') {
        if (MultiLine() && (DialogCode() & DLGC_WANTTAB) != 0) UserReplace("\t", true);
        return;
    }
    if (byte < 0x20 || byte == 0x7F) return;
    UserReplace(std::string(1, Ch), true);
}

TEditPos TCustomEdit::Moved(TEditAction Action, TEditPos From) const {
    const TEditPos end = FText.End();
    const auto lineLength = [this](int32_t Line) {
        return static_cast<int32_t>(FText.Line(Line).size());
    };
    // Single-line, the up and down keys go left and right.
    if (!MultiLine() && Action == TEditAction::MoveRowUp) Action = TEditAction::MoveCharLeft;
    if (!MultiLine() && Action == TEditAction::MoveRowDown) Action = TEditAction::MoveCharRight;
    // A hidden text shows no words: moving by words goes to its ends.
    if (FPasswordChar != 0 && Action == TEditAction::MoveWordLeft)
        Action = TEditAction::MoveTextStart;
    if (FPasswordChar != 0 && Action == TEditAction::MoveWordRight)
        Action = TEditAction::MoveTextEnd;
    switch (Action) {
        case TEditAction::MoveCharLeft:
            if (From.Col > 0) return TEditPos{From.Line, From.Col - 1};
            return From.Line > 0 ? TEditPos{From.Line - 1, lineLength(From.Line - 1)} : From;
        case TEditAction::MoveCharRight:
            if (From.Col < lineLength(From.Line)) return TEditPos{From.Line, From.Col + 1};
            return From.Line < end.Line ? TEditPos{From.Line + 1, 0} : From;
        case TEditAction::MoveWordLeft:
            return FText.WordLeft(From);
        case TEditAction::MoveWordRight:
            return FText.WordRight(From);
        case TEditAction::MoveLineStart:
            return TEditPos{From.Line, FLayout.RowStart(From.Line, FLayout.RowOf(From))};
        case TEditAction::MoveLineEnd: {
            const int32_t row = FLayout.RowOf(From);
            const int32_t rowEnd = FLayout.RowEnd(From.Line, row);
            // A wrapped row ends where the next begins, which is that row's place.
            const bool wraps = row + 1 < FLayout.RowCount(From.Line);
            return TEditPos{From.Line, wraps ? rowEnd - 1 : rowEnd};
        }
        case TEditAction::MoveTextStart:
            return TEditPos{};
        case TEditAction::MoveTextEnd:
            return end;
        case TEditAction::MoveRowUp:
        case TEditAction::MoveRowDown:
        case TEditAction::MovePageUp:
        case TEditAction::MovePageDown: {
            if (!MultiLine()) return From;
            const int32_t page = VisibleRows();
            const int32_t delta = Action == TEditAction::MoveRowUp     ? -1
                                  : Action == TEditAction::MoveRowDown ? 1
                                  : Action == TEditAction::MovePageUp  ? -page
                                                                       : page;
            int32_t line = From.Line;
            int32_t row = FLayout.RowOf(From);
            if (StepRows(line, row, delta) == 0) return From;
            return FLayout.PosAt(line, row, FGoalX >= 0 ? FGoalX : FLayout.XOf(From));
        }
        default:
            return From;
    }
}

bool TCustomEdit::RunAction(TEditAction Action, bool Extend) {
    if (IsEditMove(Action)) {
        const bool vertical =
            Action == TEditAction::MoveRowUp || Action == TEditAction::MoveRowDown ||
            Action == TEditAction::MovePageUp || Action == TEditAction::MovePageDown;
        const TEditPos caret = FText.Caret();
        const int32_t goal = vertical ? (FGoalX >= 0 ? FGoalX : FLayout.XOf(caret)) : -1;
        FGoalX = goal;
        TEditPos to = Moved(Action, caret);
        // Left or right over a selection, without Shift, lands on its side.
        if (!Extend && FText.HasSelection() && Action == TEditAction::MoveCharLeft)
            to = FText.SelFirst();
        if (!Extend && FText.HasSelection() && Action == TEditAction::MoveCharRight)
            to = FText.SelLast();
        Select(Extend ? FText.Anchor() : to, to);
        FGoalX = goal;
        return true;
    }
    switch (Action) {
        case TEditAction::DeleteCharLeft:
        case TEditAction::DeleteCharRight:
        case TEditAction::DeleteWordLeft: {
            if (!UserMayEdit()) return false;
            if (!FText.HasSelection()) {
                const TEditPos caret = FText.Caret();
                const TEditPos other = Action == TEditAction::DeleteCharLeft
                                           ? Moved(TEditAction::MoveCharLeft, caret)
                                       : Action == TEditAction::DeleteCharRight
                                           ? Moved(TEditAction::MoveCharRight, caret)
                                           : FText.WordLeft(caret);
                if (other == caret) return false;
                FText.Select(other, caret);
            }
            return UserReplace("", false);
        }
        case TEditAction::Cut:
            if (!CanRun(Action)) return false;
            CutToClipboard();
            return true;
        case TEditAction::Copy:
            if (!CanRun(Action)) return false;
            CopyToClipboard();
            return true;
        case TEditAction::Paste:
            // Whether the clipboard has text is PasteFromClipboard's to find out.
            if (!UserMayEdit()) return false;
            PasteFromClipboard();
            return true;
        case TEditAction::Undo:
            if (!CanRun(Action)) return false;
            Undo();
            return true;
        case TEditAction::SelectAll:
            SelectAll();
            return true;
        case TEditAction::Clear:
            return CanRun(Action) && UserReplace("", false);
        default:
            return false;
    }
}

}  // namespace vex

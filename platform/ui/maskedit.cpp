#include "platform/ui/maskedit.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/ui/controlmessages.h"
#include "platform/ui/editmessages.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

constexpr const char* SMaskEditErr = "Invalid input value. Use escape key to abandon changes";

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
    if (Value == FEditMask) return;
    // What was typed carries over to the new mask; the old mask's literals do not. The text
    // Escape brings back moves over with it, or it would put the old literals on the new mask.
    const std::string typed = FMask.ExtractText(EditText(), false);
    const std::string old = FMask.ExtractText(FOldValue, false);
    FEditMask = Value;
    FMask = TEditMask(Value);
    FOldValue = FMask.FormatText(old, false);
    TCustomEdit::SetMaxLength(FMask.Length());
    SetEditText(FMask.FormatText(typed, false));
}

void TCustomMaskEdit::SetMaxLength(int32_t Value) {
    if (!IsMasked()) TCustomEdit::SetMaxLength(Value);
}

void TCustomMaskEdit::SetEditText(const std::string& Value) {
    if (!IsMasked()) {
        TCustomEdit::SetText(Value);
        return;
    }
    // The edit text is always as long as the mask: a short one gets the mask's blanks. The
    // literals stay what the mask says; a character given in place of one is no data.
    std::string text = FMask.EmptyEditText();
    for (size_t p = 0; p < std::min(Value.size(), text.size()); ++p)
        if (!FMask.IsLiteral(static_cast<int32_t>(p))) text[p] = Value[p];
    ApplyEditText(text);
    if (Focused()) CheckCursor();
}

void TCustomMaskEdit::ApplyEditText(const std::string& Value) {
    const bool applying = std::exchange(FApplying, true);
    TCustomEdit::SetText(Value);
    FApplying = applying;
}

std::string TCustomMaskEdit::Text() {
    return IsMasked() ? FMask.ExtractText(EditText()) : TCustomEdit::Text();
}

void TCustomMaskEdit::SetText(const std::string& Value) {
    SetEditText(IsMasked() ? FMask.FormatText(Value) : Value);
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    const int32_t error = FMask.FirstError(EditText());
    if (error < 0) return;
    FReEnter = true;
    if (CanFocus()) SetFocus();
    FReEnter = false;
    SetCursor(error);
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    MessageBeep(0);
    throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::Reset() {
    if (!IsMasked() || !Modified()) return;
    SetEditText(FOldValue);
    SetModified(false);
    SetCursor(FMask.NextInputPos(0));
}

void TCustomMaskEdit::SetCursor(int32_t Pos) {
    const int32_t length = static_cast<int32_t>(EditText().size());
    Pos = std::clamp(Pos, 0, length);
    SetSelStart(Pos);
    if (Pos < length) SetSelLength(1);
}

void TCustomMaskEdit::CheckCursor() {
    if (IsMasked() && SelLength() == 0) SetCursor(FMask.NextInputPos(SelStart()));
}

void TCustomMaskEdit::UserChange(const std::string& Value, int32_t Cursor) {
    const std::string old = EditText();
    if (old.size() != Value.size()) {
        ApplyEditText(Value);
        SetModified(true);
    } else if (old != Value) {
        // Only the characters that change are replaced, so the rest of the line stays as drawn.
        const auto first = std::mismatch(old.begin(), old.end(), Value.begin()).first - old.begin();
        const auto last =
            old.rend() - std::mismatch(old.rbegin(), old.rend(), Value.rbegin()).first;
        SetSelStart(static_cast<int32_t>(first));
        SetSelLength(static_cast<int32_t>(last - first));
        const bool applying = std::exchange(FApplying, true);
        SetSelText(Value.substr(first, last - first));
        FApplying = applying;
        SetModified(true);
    }
    SetCursor(Cursor);
}

void TCustomMaskEdit::Change() {
    if (IsMasked() && !FApplying && EditText() != FShown) {
        ConformToMask(EditText());
        return;
    }
    FShown = EditText();
    TCustomEdit::Change();
}

void TCustomMaskEdit::ConformToMask(const std::string& Changed) {
    const std::string& old = FShown;
    const size_t shorter = std::min(old.size(), Changed.size());
    const size_t first =
        std::mismatch(old.begin(), old.begin() + shorter, Changed.begin()).first - old.begin();
    const size_t kept =
        std::mismatch(old.rbegin(), old.rbegin() + (shorter - first), Changed.rbegin()).first -
        old.rbegin();
    std::string edit =
        old.size() == static_cast<size_t>(FMask.Length()) ? old : FMask.EmptyEditText();
    FMask.Clear(edit, static_cast<int32_t>(first), static_cast<int32_t>(old.size() - kept));
    const TEditMask::TInputResult result = FMask.Input(
        edit, static_cast<int32_t>(first), Changed.substr(first, Changed.size() - kept - first));
    if (result.Refused) MessageBeep(0);
    if (edit == Changed) {
        // It fits as it came.
        FShown = edit;
        TCustomEdit::Change();
        return;
    }
    const bool modified = Modified();
    ApplyEditText(edit);
    SetModified(modified);
    SetCursor(FMask.NextInputPos(result.Pos));
}

bool TCustomMaskEdit::CanEdit() {
    if (!ReadOnly()) return true;
    MessageBeep(0);
    return false;
}

void TCustomMaskEdit::InputText(const std::string& Text) {
    if (!CanEdit()) return;
    std::string edit = EditText();
    const int32_t start = SelStart();
    std::string typed = edit;
    if (SelLength() > 1) FMask.Clear(typed, start, start + SelLength());
    const TEditMask::TInputResult result = FMask.Input(typed, start, Text);
    if (result.Refused) MessageBeep(0);
    // A first character that fits nowhere leaves the selection as it was.
    if (result.Refused && result.Pos == start) return;
    UserChange(typed, FMask.NextInputPos(result.Pos));
}

void TCustomMaskEdit::DeleteKeys(uint16_t Key) {
    if (!CanEdit()) return;
    int32_t start = SelStart();
    int32_t stop = start + SelLength();
    if (stop - start <= 1) {
        // The cursor alone: Backspace blanks the data position before it, Delete its own.
        if (Key == VK_BACK) start = FMask.PriorInputPos(start - 1);
        if (start < 0) return;
        stop = start + 1;
    }
    std::string edit = EditText();
    FMask.Clear(edit, start, stop);
    UserChange(edit, FMask.NextInputPos(start));
}

void TCustomMaskEdit::ArrowKeys(uint16_t Key) {
    const int32_t start = SelStart();
    if (Key == VK_LEFT) {
        const int32_t prior = FMask.PriorInputPos(start - 1);
        SetCursor(prior >= 0 ? prior : FMask.NextInputPos(0));
        return;
    }
    SetCursor(FMask.NextInputPos(SelLength() == 0 ? start : start + SelLength()));
}

void TCustomMaskEdit::CutMasked() {
    if (SelLength() == 0 || PasswordChar() != 0 || !CanEdit()) return;
    CopyToClipboard();
    std::string edit = EditText();
    FMask.Clear(edit, SelStart(), SelStart() + SelLength());
    UserChange(edit, FMask.NextInputPos(SelStart()));
}

void TCustomMaskEdit::PasteMasked() {
    if (!CanEdit()) return;
    const std::optional<std::string> text = ClipboardText();
    if (text && !text->empty()) InputText(*text);
}

void TCustomMaskEdit::CutToClipboard() {
    if (IsMasked())
        CutMasked();
    else
        TCustomEdit::CutToClipboard();
}

void TCustomMaskEdit::PasteFromClipboard() {
    if (IsMasked())
        PasteMasked();
    else
        TCustomEdit::PasteFromClipboard();
}

void TCustomMaskEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || Key == 0 || Shift.Contains(ssAlt)) return;
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
    switch (Key) {
        case VK_LEFT:
        case VK_RIGHT:
            // With Shift or Ctrl the edit selects and moves as it always does.
            if (!plain) return;
            ArrowKeys(Key);
            break;
        case VK_HOME:
        case VK_END:
            if (!plain) return;
            SetCursor(Key == VK_HOME ? FMask.NextInputPos(0) : FMask.Length());
            break;
        case VK_UP:
        case VK_DOWN:
            break;
        case VK_BACK:
            DeleteKeys(Key);
            break;
        case VK_DELETE:
            if (Shift.Contains(ssShift))
                CutMasked();
            else
                DeleteKeys(Key);
            break;
        case VK_INSERT:
            // Ctrl+Insert copies, as in any edit.
            if (!Shift.Contains(ssShift) || Shift.Contains(ssCtrl)) return;
            PasteMasked();
            break;
        default:
            return;
    }
    Key = 0;
}

void TCustomMaskEdit::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    if (!IsMasked() || Key == 0) return;
    switch (Key) {
        case '\x03':  // Ctrl+C and Ctrl+Z: copying and undoing keep the text's length
        case '\x1A':
            return;
        case '\x16':
            PasteMasked();
            break;
        case '\x18':
            CutMasked();
            break;
        case '\x1B':
            Reset();
            break;
        default:
            if (static_cast<unsigned char>(Key) >= 0x20 && Key != '\x7F')
                InputText(std::string(1, Key));
            break;
    }
    Key = 0;
}

void TCustomMaskEdit::DoEnter() {
    if (IsMasked() && !FReEnter) FOldValue = EditText();
    TCustomEdit::DoEnter();
    CheckCursor();
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
    // A text that does not fill the mask keeps the focus: the exception ends the move.
    ValidateEdit();
    TCustomEdit::CMExit(Message);
}

void TCustomMaskEdit::WndProc(TMessage& Message) {
    if (IsMasked()) switch (Message.Msg) {
            case WM_CLEAR:
                if (SelLength() > 0) DeleteKeys(VK_DELETE);
                return;
            case EM_LIMITTEXT:
                return;
            case CM_WANTSPECIALKEY:
                // Escape undoes the user's changes before it may close a dialog.
                if (Message.WParam == VK_ESCAPE && Modified()) {
                    Message.Result = 1;
                    return;
                }
                break;
            case WM_LBUTTONUP:
                TCustomEdit::WndProc(Message);
                CheckCursor();
                return;
            default:
                break;
        }
    TCustomEdit::WndProc(Message);
}

}  // namespace vex

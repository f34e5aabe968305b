#include <cstring>

#include "platform/ui/customedit.h"
#include "platform/win/clipboard.h"

namespace vex {

void TCustomEdit::CopyToClipboard() {
    // A password stays in the field.
    if (FPasswordChar != 0 || !FText.HasSelection()) return;
    const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
    if (!clipboard.Open()) return;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, FText.SelText());
}

void TCustomEdit::CutToClipboard() {
    if (!CanRun(TEditAction::Cut)) return;
    CopyToClipboard();
    UserReplace("", false);
}

std::optional<std::string> TCustomEdit::ClipboardText() {
    const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
    if (!clipboard.Open()) return std::nullopt;
    const std::string* data = GetClipboardData(CF_TEXT);
    if (data == nullptr) return std::nullopt;
    // CF_TEXT ends at its first NUL.
    return std::string(data->data(), strnlen(data->data(), data->size()));
}

void TCustomEdit::PasteFromClipboard() {
    if (!UserMayEdit()) return;
    if (const std::optional<std::string> text = ClipboardText()) UserReplace(*text, false);
}

bool TCustomEdit::CanRun(TEditAction Action) {
    const bool selected = FText.HasSelection();
    switch (Action) {
        case TEditAction::Undo:
            return UserMayEdit() && FText.CanUndo();
        case TEditAction::Cut:
            return UserMayEdit() && FPasswordChar == 0 && selected;
        case TEditAction::Copy:
            return FPasswordChar == 0 && selected;
        case TEditAction::Paste:
            return UserMayEdit() && IsClipboardFormatAvailable(CF_TEXT);
        case TEditAction::Clear:
            return UserMayEdit() && selected;
        case TEditAction::SelectAll:
            return FText.TextLength() > 0 && FText.SelLength() < FText.TextLength();
        default:
            return true;
    }
}

void TCustomEdit::ClearSelection() {
    RunAction(TEditAction::Clear, false);
}

void TCustomEdit::Undo() {
    if (!FText.Undo()) return;
    FModified = true;
    AfterEdit();
}

}  // namespace vex

// The editor and the clipboard.
#include "components/entry/OvcEditor.h"
#include "platform/win/clipboard.h"

namespace vex {

void TOvcCustomEditor::CopyToClipboard() {
    if (!HasSelection()) return;
    std::string text = SelectedText();
    if (!OpenClipboard(Handle())) return;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, std::move(text));
    CloseClipboard();
}

void TOvcCustomEditor::CutToClipboard() {
    if (!HasSelection() || GetReadOnly()) return;
    CopyToClipboard();
    DeleteSelection();
    UpdateVertScrollBar();
    Scroll(0, 0);
}

void TOvcCustomEditor::PasteFromClipboard() {
    if (GetReadOnly() || !OpenClipboard(Handle())) return;
    std::string text;
    if (const std::string* data = GetClipboardData(CF_TEXT)) text = *data;
    CloseClipboard();
    // The clipboard's text ends at its first NUL.
    text.resize(std::min(text.size(), text.find('\0')));
    if (text.empty()) return;
    InsertText(text);
    UpdateVertScrollBar();
    Scroll(0, 0);
}

}  // namespace vex

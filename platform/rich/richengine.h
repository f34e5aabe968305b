#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/rich/richdocument.h"
#include "platform/rich/richundo.h"

namespace vex {

// The window-free half of a rich-text edit: the document, the selection, formats of the
// selection, undo and the modified flag. The view and the control build on it.
class TRichEditEngine {
public:
    TRichDocument& Document() { return FDocument; }
    const TRichDocument& Document() const { return FDocument; }
    int32_t TextLength() const { return FDocument.Length(); }

    // The selection; setting it clamps to the text and ends the running typing step.
    int32_t SelStart() const { return FSelStart; }
    int32_t SelLength() const { return FSelLength; }
    void SetSel(int32_t Start, int32_t Length);
    void SelectAll() { SetSel(0, TextLength()); }
    // Paragraph ends read as CR LF.
    std::string SelText() const;
    std::string GetTextRange(int32_t Start, int32_t Length) const;

    // Plain text of the whole document, paragraph ends as CR LF; setting it is not undoable.
    std::string Text() const;
    void SetText(std::string_view Value);

    // Puts text in place of the selection, leaving the caret after it. Typing joins the step
    // of the keystrokes just before it; a replace that cannot be undone forgets every step.
    void ReplaceSelection(std::string_view Text, bool CanUndo = true);
    void ReplaceSelection(const TRichFragment& With, bool CanUndo = true);
    void Type(std::string_view Chars);
    void Replace(int32_t Start, int32_t Length, const TRichFragment& With, bool CanUndo);
    // The object goes in place of the selection as one character, one step that can be undone.
    void InsertObject(std::shared_ptr<IRichObject> Object);
    void Clear();

    // Formats of the selection; Mask gets the fields that hold one value over all of it (over
    // the character after the caret, or the format typing would take, when nothing is
    // selected).
    TRichCharFormat SelCharFormat(uint32_t& Mask) const;
    void SetSelCharFormat(const TRichCharFormat& Format, uint32_t Mask);
    TRichParaFormat SelParaFormat(uint32_t& Mask) const;
    void SetSelParaFormat(const TRichParaFormat& Format, uint32_t Mask);
    const TRichCharFormat& DefaultCharFormat() const;
    // In plain-text mode the whole text takes it.
    void SetDefaultCharFormat(const TRichCharFormat& Format);

    // With no formats the document holds one character and one paragraph format, the
    // defaults; formatting changes the defaults and with them the whole text.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value);

    bool CanUndo() const { return FUndo.CanUndo(); }
    bool CanRedo() const { return FUndo.CanRedo(); }
    void Undo();
    void Redo();
    void ClearUndo() { FUndo.Clear(); }
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

private:
    // The format set for what is typed next, else the one the text at At carries on.
    int32_t TypingFormat(int32_t At) const;
    TRichFragment Formatted(std::string_view Text, int32_t At) const;
    TRichFragment Unformatted(const TRichFragment& Piece) const;
    void ApplyCharFormat(int32_t Start, int32_t Length, const TRichCharFormat& Format,
                         uint32_t Mask);
    void ParagraphRange(int32_t& First, int32_t& Last) const;

    TRichDocument FDocument;
    TRichUndoList FUndo;
    int32_t FSelStart = 0;
    int32_t FSelLength = 0;
    std::optional<int32_t> FTypingFormat;  // set on an empty selection, for what is typed next
    bool FModified = false;
    bool FPlainText = false;
};

}  // namespace vex

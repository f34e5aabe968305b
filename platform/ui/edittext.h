#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// A place in an edit's text: a line and the byte before which it lies in that line.
struct TEditPos {
    int32_t Line = 0;
    int32_t Col = 0;

    friend bool operator==(TEditPos A, TEditPos B) { return A.Line == B.Line && A.Col == B.Col; }
    friend bool operator!=(TEditPos A, TEditPos B) { return !(A == B); }
    friend bool operator<(TEditPos A, TEditPos B) {
        return A.Line != B.Line ? A.Line < B.Line : A.Col < B.Col;
    }
    friend bool operator<=(TEditPos A, TEditPos B) { return !(B < A); }
};

// The text of an edit control and its selection, without any drawing. It is kept as lines, so
// that typing into a long text touches one line only; offsets count a line break as the two
// characters CR LF, as the control's messages do. A single-line text is one line whatever bytes
// it holds. The selection runs from Anchor to Caret (either order). One change can be undone;
// undoing it again brings it back, and typed characters in a row count as one change.
class TEditText {
public:
    explicit TEditText(bool MultiLine = false) : FMultiLine(MultiLine) {}

    bool MultiLine() const { return FMultiLine; }
    // Splits (or joins) the text again; the selection goes to the start.
    void SetMultiLine(bool Value);

    int32_t LineCount() const { return static_cast<int32_t>(FLines.size()); }
    // Index out of range raises EListError.
    const std::string& Line(int32_t Index) const;
    // The text with its lines joined by CR LF.
    std::string Text() const;
    // The first Count bytes at most of Text(), copied to Buffer without building the text; the
    // bytes copied.
    size_t CopyText(char* Buffer, size_t Count) const;
    int32_t TextLength() const { return FLength; }
    // Replaces everything, selects nothing (the caret at the start) and forgets the undo.
    // A multi-line text splits at CR LF, LF or a lone CR.
    void SetText(std::string_view Value);

    // At most this many characters (0: no limit, the default); typing and pasting stop there,
    // a text set as a whole is kept as it is.
    int32_t MaxLength() const { return FMaxLength; }
    void SetMaxLength(int32_t Value) { FMaxLength = Value < 0 ? 0 : Value; }

    // Offsets and places, both kept within the text; an offset between CR and LF is the end
    // of its line.
    int32_t OffsetOf(TEditPos Pos) const;
    TEditPos PosOf(int32_t Offset) const;
    TEditPos Clamp(TEditPos Pos) const;
    TEditPos End() const;

    TEditPos Anchor() const { return FAnchor; }
    TEditPos Caret() const { return FCaret; }
    TEditPos SelFirst() const { return FAnchor < FCaret ? FAnchor : FCaret; }
    TEditPos SelLast() const { return FAnchor < FCaret ? FCaret : FAnchor; }
    bool HasSelection() const { return FAnchor != FCaret; }
    // Both ends are clamped into the text.
    void Select(TEditPos Anchor, TEditPos Caret);
    int32_t SelStart() const { return OffsetOf(SelFirst()); }
    int32_t SelLength() const { return OffsetOf(SelLast()) - SelStart(); }
    std::string SelText() const { return TextBetween(SelFirst(), SelLast()); }
    std::string TextBetween(TEditPos From, TEditPos To) const;

    // Puts Value in place of the selection, as much of it as MaxLength leaves room for; a
    // single-line text takes it up to its first line break. The caret goes after it. Typed
    // joins the change to the typing just before it for the undo. False when nothing changed.
    bool ReplaceSelection(std::string_view Value, bool CanUndo = true, bool Typed = false);

    bool CanUndo() const { return FUndo.Valid; }
    // Takes back the last change (selecting what it brings back); false when there is none.
    bool Undo();
    void EmptyUndoBuffer() { FUndo = TUndo{}; }

    // Where Ctrl+Left and Ctrl+Right go from Pos: the start of the word before, or of the next
    // one; line ends count as word ends.
    TEditPos WordLeft(TEditPos Pos) const;
    TEditPos WordRight(TEditPos Pos) const;
    // The word at Pos (the run of word or of blank characters it is in).
    void WordAt(TEditPos Pos, TEditPos& First, TEditPos& Last) const;

    // Told after every change: the lines from First on that Removed lines were replaced by
    // Inserted ones (a change within one line is 1 and 1).
    std::function<void(int32_t First, int32_t Removed, int32_t Inserted)> OnLinesChanged;

private:
    struct TUndo {
        bool Valid = false;
        int32_t Start = 0;     // offset where the change happened
        std::string Removed;   // what it took out
        std::string Inserted;  // what it put in
        bool Typing = false;
    };

    // Replaces From..To with Value as it stands; answers the end of what went in.
    TEditPos Splice(TEditPos From, TEditPos To, std::string_view Value);
    std::string_view Admissible(std::string_view Value, int32_t Removing) const;
    int32_t LineStart(int32_t Line) const;
    void LinesChanged(int32_t First, int32_t Removed, int32_t Inserted);

    bool FMultiLine;
    std::vector<std::string> FLines{std::string()};
    int32_t FLength = 0;
    int32_t FMaxLength = 0;
    TEditPos FAnchor;
    TEditPos FCaret;
    TUndo FUndo;
    // Offsets of the lines' starts, good up to FStartsValid lines; a change moves that back to
    // the changed line, so typing never walks the whole text.
    mutable std::vector<int32_t> FStarts{0};
    mutable int32_t FStartsValid = 1;
};

// The characters Ctrl+arrows and a double click take as part of a word.
bool IsEditWordChar(char Ch);

}  // namespace vex

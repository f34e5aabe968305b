// The editor's commands: caret moves, selection, typing and deleting.
#include <algorithm>
#include <optional>

#include "components/entry/OvcEditor.h"
#include "components/entry/OvcParasText.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

// Commands after which the text may have changed.
bool ChangesText(uint16_t Command) {
    switch (Command) {
        case ccBack:
        case ccCut:
        case ccDel:
        case ccDelBol:
        case ccDelEol:
        case ccDelLine:
        case ccDelWord:
        case ccPaste:
        case ccRedo:
        case ccTab:
        case ccUndo:
            return true;
        default:
            return false;
    }
}

}  // namespace

constexpr uint16_t ccChar = 249;

bool TOvcCustomEditor::ExecuteCommand(uint16_t Command, char Ch) {
    if (Command >= ccUserFirst) {
        DoOnUserCommand(Command);
        return true;
    }
    if (Command == ccCtrlChar) return true;
    if (MoveCommand(Command)) return true;
    const std::weak_ptr<const void> life = LifeToken();
    if (!EditCommand(Command, Ch)) return false;
    // A read-only text did not change, whatever the command.
    if (!life.expired() && !GetReadOnly() && (ChangesText(Command) || Command == ccChar))
        DoOnChange();
    return true;
}

bool TOvcCustomEditor::MoveCommand(uint16_t Command) {
    const int32_t page = std::max(1, FVisibleLines - 1);
    switch (Command) {
        case ccLeft:
        case ccExtendLeft:
            MoveLeft(Command == ccExtendLeft);
            return true;
        case ccRight:
        case ccExtendRight:
            MoveRight(Command == ccExtendRight);
            return true;
        case ccUp:
        case ccExtendUp:
            MoveLines(-1, Command == ccExtendUp);
            return true;
        case ccDown:
        case ccExtendDown:
            MoveLines(1, Command == ccExtendDown);
            return true;
        case ccHome:
        case ccExtendHome:
            MoveCaretTo(FCaretLine, 1, Command == ccExtendHome);
            return true;
        case ccEnd:
        case ccExtendEnd:
            MoveCaretTo(FCaretLine, LineLength(FCaretLine) + 1, Command == ccExtendEnd);
            return true;
        case ccNextPage:
        case ccExtendPgDn:
            MovePage(page, Command == ccExtendPgDn);
            return true;
        case ccPrevPage:
        case ccExtendPgUp:
            MovePage(-page, Command == ccExtendPgUp);
            return true;
        case ccTopOfPage:
        case ccExtTopOfPage:
            MoveCaretTo(FTopLine, FCaretCol, Command == ccExtTopOfPage);
            return true;
        case ccBotOfPage:
        case ccExtBotOfPage:
            if (FCaretLine < FTopLine || FCaretLine >= FTopLine + FVisibleLines)
                ScrollCaretIntoView();
            MoveCaretTo(std::min(GetLineCount(), FTopLine + FVisibleLines - 1), FCaretCol,
                        Command == ccExtBotOfPage);
            return true;
        case ccFirstPage:
        case ccExtFirstPage:
            MoveCaretTo(1, 1, Command == ccExtFirstPage);
            return true;
        case ccLastPage:
        case ccExtLastPage:
            MoveCaretTo(GetLineCount(), LineLength(GetLineCount()) + 1, Command == ccExtLastPage);
            return true;
        case ccWordLeft:
        case ccExtWordLeft:
            MoveWordLeft(Command == ccExtWordLeft);
            return true;
        case ccWordRight:
        case ccExtWordRight:
            MoveWordRight(Command == ccExtWordRight);
            return true;
        case ccScrollUp:
            Scroll(0, -1);
            return true;
        case ccScrollDown:
            Scroll(0, 1);
            return true;
        case ccIns:
            SetInsertMode(!FInsertMode);
            return true;
        case ccCopy:
            if (HasSelection()) CopyToClipboard();
            return true;
        default:
            if (Command >= ccGotoMarker0 && Command <= ccGotoMarker9) {
                GotoMarker(Command - ccGotoMarker0);
                return true;
            }
            if (Command >= ccSetMarker0 && Command <= ccSetMarker9) {
                SetMarker(Command - ccSetMarker0);
                return true;
            }
            return false;
    }
}

bool TOvcCustomEditor::EditCommand(uint16_t Command, char Ch) {
    if (Command == ccUndo) {
        Undo();
        return true;
    }
    if (Command == ccRedo) {
        Redo();
        return true;
    }
    if (!ChangesText(Command) && Command != ccChar && Command != ccNewLine) return false;
    if (GetReadOnly()) {
        // A read-only text still lets the caret move back, and on to the next line.
        if (Command == ccBack) MoveLeft(false);
        if (Command == ccNewLine) NewLine(false, true);
        return true;
    }
    switch (Command) {
        case ccBack:
            Backspace();
            break;
        case ccCut:
            CutToClipboard();
            break;
        case ccDel:
            DeleteAtCaret();
            break;
        case ccDelBol: {
            const TTextPos from = PosOfLine(FCaretLine, 1);
            const TTextPos to =
                PosOfLine(FCaretLine, std::min(FCaretCol, LineLength(FCaretLine) + 1));
            DeleteRangeTo(from, to);
            break;
        }
        case ccDelEol:
            if (FCaretCol <= LineLength(FCaretLine))
                DeleteRangeTo(FCaretPos, PosOfLine(FCaretLine, LineLength(FCaretLine) + 1));
            break;
        case ccDelLine:
            DeleteLine();
            break;
        case ccDelWord:
            DeleteWord();
            break;
        case ccPaste:
            PasteFromClipboard();
            break;
        case ccTab:
            TabOperation();
            break;
        case ccChar:
            TypeChar(Ch);
            break;
        case ccNewLine:
            NewLine(FInsertMode, true);
            break;
        default:
            break;
    }
    return true;
}

// Moves.

void TOvcCustomEditor::MoveLeft(bool Extend) {
    if (FCaretCol > 1) return MoveCaretTo(FCaretLine, FCaretCol - 1, Extend);
    if (!WrapAtLeft() || FCaretLine == 1) return MoveCaretTo(FCaretLine, 1, Extend);
    const int32_t prev = FCaretLine - 1;
    // Within a wrapped paragraph the character before is the previous line's last one.
    const bool samePara = PosOfLine(prev, 1).Para == FCaretPos.Para;
    MoveCaretTo(prev, LineLength(prev) + (samePara ? 0 : 1), Extend);
}

void TOvcCustomEditor::MoveRight(bool Extend) {
    if (FScrollPastEnd || FCaretCol <= LineLength(FCaretLine))
        return MoveCaretTo(FCaretLine, FCaretCol + 1, Extend);
    if (FCaretLine < GetLineCount()) MoveCaretTo(FCaretLine + 1, 1, Extend);
}

void TOvcCustomEditor::MoveLines(int32_t Delta, bool Extend) {
    MoveCaretTo(std::clamp(FCaretLine + Delta, 1, GetLineCount()), FCaretCol, Extend);
}

void TOvcCustomEditor::MovePage(int32_t Delta, bool Extend) {
    const int32_t topBefore = FTopLine;
    Scroll(0, Delta);
    const int32_t moved = FTopLine - topBefore;
    // At either end of the text the caret still goes the whole page.
    MoveLines(moved != 0 ? moved : Delta, Extend);
}

bool TOvcCustomEditor::IsDelimiter(char C) const {
    return FDelimiters.find(C) != std::string::npos;
}

void TOvcCustomEditor::MoveWordLeft(bool Extend) {
    const std::string_view text = FParas->ParaText(FCaretPos.Para);
    auto pos = static_cast<size_t>(std::min<int32_t>(FCaretPos.Pos - 1, Length(text)));
    if (pos == 0) {
        if (FCaretPos.Para > 1) {
            const int32_t para = FCaretPos.Para - 1;
            MoveCaretToPos({para, Length(FParas->ParaText(para)) + 1}, Extend);
        }
        return;
    }
    while (pos > 0 && IsDelimiter(text[pos - 1]))
        --pos;
    while (pos > 0 && !IsDelimiter(text[pos - 1]))
        --pos;
    MoveCaretToPos({FCaretPos.Para, static_cast<int32_t>(pos) + 1}, Extend);
}

void TOvcCustomEditor::MoveWordRight(bool Extend) {
    const std::string_view text = FParas->ParaText(FCaretPos.Para);
    auto pos = static_cast<size_t>(FCaretPos.Pos - 1);
    if (pos >= text.size()) {
        if (FCaretPos.Para < GetParaCount()) MoveCaretToPos({FCaretPos.Para + 1, 1}, Extend);
        return;
    }
    while (pos < text.size() && !IsDelimiter(text[pos]))
        ++pos;
    while (pos < text.size() && IsDelimiter(text[pos]))
        ++pos;
    MoveCaretToPos({FCaretPos.Para, static_cast<int32_t>(pos) + 1}, Extend);
}

// Editing.

void TOvcCustomEditor::Finish(uint16_t Code, const TTextPos& Caret) {
    int32_t topCol = 1;
    LineOfPos(FTopPos, FTopLine, topCol);
    InvalidateChange();
    UpdateVertScrollBar();
    const int32_t lineBefore = FCaretLine;
    MoveCaretToPos(Caret, false);
    // The caret went on to a wrapped line: show it from its start.
    if (FCaretLine > lineBefore && WordWrap() && FLeftCol != 0) Scroll(-FLeftCol, 0);
    DoOnError(Code);
}

bool TOvcCustomEditor::DeleteSelection() {
    if (!HasSelection()) return false;
    TTextPos start, end;
    SelectionRange(start, end);
    const TChangeScope changing(FChanging);
    const uint16_t code = FParas->DeleteRange(start.Para, start.Pos, end.Para, end.Pos);
    InvalidateLines(std::min(FAnchorLine, FCaretLine), INT32_MAX);
    FAnchorPos = FCaretPos = start;
    Finish(code, start);
    return true;
}

void TOvcCustomEditor::DeleteRangeTo(const TTextPos& From, const TTextPos& To) {
    const TChangeScope changing(FChanging);
    const uint16_t code = FParas->DeleteRange(From.Para, From.Pos, To.Para, To.Pos);
    Finish(code, From);
}

void TOvcCustomEditor::TypeChar(char Ch) {
    const TChangeScope changing(FChanging);
    // Only a selection typed over needs a group; without one, typing on merges into one record.
    std::optional<TUndoGroup> group;
    if (HasSelection()) group.emplace(FParas->UndoBuffer());
    const bool replacedSelection = DeleteSelection();
    const TTextPos at = FCaretPos;
    const std::string s(1, Ch);
    const bool inside = at.Pos <= Length(FParas->ParaText(at.Para));
    const uint16_t code = !FInsertMode && inside && !replacedSelection
                              ? FParas->ReplaceText(at.Para, at.Pos, 1, s)
                              : FParas->InsertText(at.Para, at.Pos, s);
    Finish(code, code == 0 ? TTextPos{at.Para, at.Pos + 1} : at);
}

void TOvcCustomEditor::DeleteAtCaret() {
    if (DeleteSelection()) return;
    const TChangeScope changing(FChanging);
    const TTextPos at = FCaretPos;
    const int32_t length = Length(FParas->ParaText(at.Para));
    uint16_t code = 0;
    if (at.Pos <= length)
        code = FParas->DeleteText(at.Para, at.Pos, 1);
    else if (at.Para < GetParaCount())
        code = FParas->JoinParas(at.Para, at.Pos);
    else
        return;
    Finish(code, at);
}

void TOvcCustomEditor::Backspace() {
    if (DeleteSelection()) return;
    if (FCaretLine == 1 && FCaretCol == 1) return;
    const TTextPos before = FCaretPos;
    MoveLeft(false);
    if (FCaretPos.Para == before.Para && FCaretPos.Pos == before.Pos && FCaretCol == 1 &&
        !WrapAtLeft())
        return;
    DeleteAtCaret();
}

void TOvcCustomEditor::DeleteLine() {
    const TChangeScope changing(FChanging);
    const TTextPos from = PosOfLine(FCaretLine, 1);
    TTextPos to = FCaretLine < GetLineCount() ? PosOfLine(FCaretLine + 1, 1)
                                              : PosOfLine(FCaretLine, LineLength(FCaretLine) + 1);
    if (from.Para == to.Para && from.Pos == to.Pos) return;
    const TUndoGroup group(FParas->UndoBuffer());
    const uint16_t code = FParas->DeleteRange(from.Para, from.Pos, to.Para, to.Pos);
    Finish(code, from);
}

void TOvcCustomEditor::DeleteWord() {
    if (DeleteSelection()) return;
    const std::string_view text = FParas->ParaText(FCaretPos.Para);
    auto end = static_cast<size_t>(FCaretPos.Pos - 1);
    if (end >= text.size()) return DeleteAtCaret();
    while (end < text.size() && !IsDelimiter(text[end]))
        ++end;
    while (end < text.size() && IsBlank(text[end]))
        ++end;
    if (end == static_cast<size_t>(FCaretPos.Pos - 1)) ++end;
    DeleteRangeTo(FCaretPos, {FCaretPos.Para, static_cast<int32_t>(end) + 1});
}

void TOvcCustomEditor::NewLine(bool Split, bool MoveCaret) {
    Split = Split && !GetReadOnly();
    const TChangeScope changing(FChanging);
    const TUndoGroup group(FParas->UndoBuffer());
    bool changed = Split && DeleteSelection();
    if (Split) {
        const TTextPos at = FCaretPos;
        int32_t indent = 0;
        if (FAutoIndent) {
            const std::string_view line = FParas->LineText(FCaretLine);
            size_t blanks = 0;
            while (blanks < line.size() && blanks + 1 < static_cast<size_t>(FCaretCol) &&
                   IsBlank(line[blanks]))
                ++blanks;
            indent = static_cast<int32_t>(ColumnOfPos(line, blanks, TabSize()));
        }
        uint16_t code = FParas->CheckLimits(0, 1, indent + 2);
        std::string indentText;
        if (FTabType == ttReal) indentText.assign(static_cast<size_t>(indent / TabSize()), '\t');
        indentText.append(static_cast<size_t>(FTabType == ttReal ? indent % TabSize() : indent),
                          ' ');
        if (code == 0) code = FParas->SplitPara(at.Para, at.Pos, true, indentText);
        if (code != 0) {
            Finish(code, at);
            if (changed) DoOnChange();
            return;
        }
        changed = true;
        UpdateVertScrollBar();
        FFullRepaint = true;
        Invalidate();
        if (MoveCaret) Finish(0, {at.Para + 1, Length(indentText) + 1});
    } else if (MoveCaret) {
        if (FCaretLine < GetLineCount())
            MoveCaretTo(FCaretLine + 1, 1, false);
        else
            MoveCaretTo(FCaretLine, LineLength(FCaretLine) + 1, false);
    }
    if (changed) DoOnChange();
}

int32_t TOvcCustomEditor::SmartTabColumn() const {
    const uint8_t tab = TabSize();
    const std::string_view here = FParas->LineText(FCaretLine);
    const auto caretColumn =
        static_cast<size_t>(ColumnOfPos(here, static_cast<size_t>(FCaretCol - 1), tab));
    auto nextWordIn = [&](int32_t Line) -> size_t {
        if (Line < 1 || Line > GetLineCount()) return 0;
        const std::string_view s = FParas->LineText(Line);
        size_t pos = PosOfColumn(s, caretColumn, tab);
        while (pos < s.size() && !IsBlank(s[pos]))
            ++pos;
        while (pos < s.size() && IsBlank(s[pos]))
            ++pos;
        if (pos >= s.size()) return 0;
        return ColumnOfPos(s, pos, tab);
    };
    size_t column = nextWordIn(FCaretLine - 1);
    if (column <= caretColumn && FCaretLine < GetLineCount()) column = nextWordIn(FCaretLine + 1);
    return column > caretColumn ? static_cast<int32_t>(column - caretColumn) : 0;
}

void TOvcCustomEditor::TabOperation() {
    const TChangeScope changing(FChanging);
    const TUndoGroup group(FParas->UndoBuffer());
    DeleteSelection();
    if (FTabType == ttReal) return TypeChar('\t');
    const uint8_t tab = TabSize();
    const std::string_view here = FParas->LineText(FCaretLine);
    const auto column =
        static_cast<int32_t>(ColumnOfPos(here, static_cast<size_t>(FCaretCol - 1), tab)) +
        std::max(0, FCaretCol - 1 - Length(here));
    int32_t blanks = FTabType == ttSmart ? SmartTabColumn() : 0;
    if (blanks == 0) blanks = tab - column % tab;
    const TTextPos at = FCaretPos;
    const std::string fill(static_cast<size_t>(blanks), ' ');
    const int32_t length = Length(FParas->ParaText(at.Para));
    const uint16_t code =
        !FInsertMode && at.Pos <= length
            ? FParas->ReplaceText(at.Para, at.Pos, std::min(blanks, length - at.Pos + 1), fill)
            : FParas->InsertText(at.Para, at.Pos, fill);
    Finish(code, code == 0 ? TTextPos{at.Para, at.Pos + blanks} : at);
}

uint16_t TOvcCustomEditor::InsertText(std::string_view Text) {
    const TChangeScope changing(FChanging);
    const TUndoGroup group(FParas->UndoBuffer());
    DeleteSelection();
    TTextPos at = FCaretPos;
    uint16_t code = 0;
    while (!Text.empty() && code == 0) {
        size_t size = std::min(Text.size(), PasteChunk);
        while (size < Text.size() && size < PasteChunkMax &&
               (Text[size] == '\r' || Text[size] == '\n'))
            ++size;
        code = FParas->InsertBlock(at.Para, at.Pos, Text.substr(0, size));
        Text.remove_prefix(size);
    }
    UpdateVertScrollBar();
    FFullRepaint = true;
    Invalidate();
    Finish(code, at);
    return code;
}

}  // namespace vex

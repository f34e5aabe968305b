#include "components/entry/OvcEditor.h"

#include <algorithm>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcParasText.h"
#include "platform/core/filer.h"
#include "platform/gfx/cursors.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/screen.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/timer.h"

namespace vex {

namespace {

constexpr uint16_t DefaultUndoBufferSize = 8 * 1024;

}  // namespace

TOvcCustomEditor::TOvcCustomEditor(TComponent* AOwner)
    : TOvcEditBase(AOwner),
      FCaret(std::make_unique<TOvcCaretPair>(this)),
      FFixedFont(std::make_unique<TOvcFixedFont>()),
      FHighlightColors(std::make_unique<TOvcColors>(clHighlight, clHighlightText)),
      FDelimiters(std::string("\t\r\n '\"`@,./?;:<>[]{}-=\\+|()%&^$#!~*")) {
    CreateParaList();
    SetBounds(Left(), Top(), 200, 150);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetCursor(crIBeam);
    FFixedFont->OnChange = [this](TObject*) {
        if (HandleAllocated()) RefreshView(true);
    };
    FHighlightColors->OnColorChange = [this](TObject*) { Invalidate(); };
    LoadLineSelectCursor();
}

TOvcCustomEditor::~TOvcCustomEditor() {
    Detach();
}

void TOvcCustomEditor::CreateParaList() {
    const bool wrap = FParas ? FParas->WordWrap() : false;
    auto list = std::make_unique<TParaList>(static_cast<TParaListOwner*>(this), wrap,
                                            DefaultUndoBufferSize);
    if (FParas) {
        list->SetParaLengthLimit(FParas->ParaLengthLimit());
        list->SetWrapColumn(FParas->WrapColumn());
        list->SetUndoBufferSize(FParas->UndoBufferSize());
        list->SetParaLimit(FParas->ParaLimit());
        list->SetByteLimit(FParas->ByteLimit());
        list->SetTabSize(FParas->TabSize());
    }
    FOwnedParas = std::move(list);
    FParas = FOwnedParas.get();
}

// The list belongs to the ring, held by one editor of it; leaving hands it to the next.
void TOvcCustomEditor::Detach() {
    if (FNextLinked == this) return;
    TOvcCustomEditor* next = FNextLinked;
    FPrevLinked->FNextLinked = FNextLinked;
    FNextLinked->FPrevLinked = FPrevLinked;
    FNextLinked = FPrevLinked = this;
    if (FOwnedParas) next->FOwnedParas = std::move(FOwnedParas);
    if (FParas->Owner() == static_cast<TParaListOwner*>(this))
        FParas->SetOwner(static_cast<TParaListOwner*>(next));
}

void TOvcCustomEditor::Attach(TOvcCustomEditor* Editor) {
    if (Editor == nullptr || Editor == this || Editor->FParas == FParas) return;
    Detach();
    FOwnedParas.reset();
    FParas = Editor->FParas;
    FNextLinked = Editor->FNextLinked;
    FPrevLinked = Editor;
    Editor->FNextLinked->FPrevLinked = this;
    Editor->FNextLinked = this;
    FCaretLine = FCaretCol = FAnchorLine = FAnchorCol = FTopLine = 1;
    FCaretPos = FAnchorPos = FTopPos = TTextPos{};
    FLeftCol = 0;
    RefreshView(true);
}

void TOvcCustomEditor::ParaListRewrapped() {
    TOvcCustomEditor* e = this;
    do {
        e->FollowRewrap();
        e = e->FNextLinked;
    } while (e != this);
}

void TOvcCustomEditor::ParaListBusy(bool Busy) {
    Screen().SetCursor(Busy ? crHourGlass : crDefault);
}

void TOvcCustomEditor::ParaListChanged(const TParaChange& Change) {
    TOvcCustomEditor* e = this;
    do {
        e->FollowChange(Change);
        e = e->FNextLinked;
    } while (e != this);
}

namespace {

// Like a bookmark, but a place whose text went stays where the text was.
void Follow(const TParaChange& Change, int32_t& Para, int32_t& Pos) {
    const int32_t para = Para, pos = Pos;
    if (TrackPosition(Change, Para, Pos)) return;
    Para = para;
    Pos = pos;
    if (Change.Kind == TParaChangeKind::CharsDeleted) {
        Pos = Change.Pos;
    } else {
        Para = std::max(1, Change.Para - (Para == Change.Para ? 0 : 1));
        Pos = 1;
    }
}

}  // namespace

void TOvcCustomEditor::FollowChange(const TParaChange& Change) {
    if (FAppending) return;
    Follow(Change, FTopPos.Para, FTopPos.Pos);
    if (FChanging) return;
    Follow(Change, FCaretPos.Para, FCaretPos.Pos);
    Follow(Change, FAnchorPos.Para, FAnchorPos.Pos);
    RememberCaret();
    UpdateVertScrollBar();
    FFullRepaint = true;
    Invalidate();
}

void TOvcCustomEditor::FollowRewrap() {
    auto clampPara = [this](TTextPos& P) {
        P.Para = std::clamp(P.Para, 1, FParas->ParaCount());
        P.Pos = std::max(P.Pos, 1);
    };
    clampPara(FCaretPos);
    clampPara(FAnchorPos);
    clampPara(FTopPos);
    LineOfPos(FCaretPos, FCaretLine, FCaretCol);
    LineOfPos(FAnchorPos, FAnchorLine, FAnchorCol);
    int32_t topCol = 1;
    LineOfPos(FTopPos, FTopLine, topCol);
    if (WordWrap()) FCaretCol = std::min(FCaretCol, LineLength(FCaretLine) + 1);
    FLeftCol = std::min(FLeftCol, std::max(0, HorzRange() - FVisibleCols));
    if (HandleAllocated()) RefreshView(false);
}

// After a change made by another editor of the ring: put the caret back on its text.
void TOvcCustomEditor::RememberCaret() {
    LineOfPos(FCaretPos, FCaretLine, FCaretCol);
    LineOfPos(FAnchorPos, FAnchorLine, FAnchorCol);
    int32_t topCol = 1;
    LineOfPos(FTopPos, FTopLine, topCol);
    FTopLine = std::clamp(FTopLine, 1, std::max(1, GetLineCount() - (FVisibleLines - 1)));
}

// Positions.

TOvcCustomEditor::TTextPos TOvcCustomEditor::PosOfLine(int32_t Line, int32_t Col) const {
    TTextPos p;
    FParas->LineToPara(Line, std::max(Col, 1), p.Para, p.Pos);
    return p;
}

void TOvcCustomEditor::LineOfPos(const TTextPos& P, int32_t& Line, int32_t& Col) const {
    const int32_t para = std::clamp(P.Para, 1, FParas->ParaCount());
    FParas->ParaToLine(para, std::max(P.Pos, 1), Line, Col);
}

int32_t TOvcCustomEditor::LineLength(int32_t Line) const {
    return static_cast<int32_t>(FParas->LineText(Line).size());
}

void TOvcCustomEditor::CaretParaPos(int32_t& Para, int32_t& Pos) const {
    const TTextPos p = PosOfLine(FCaretLine, FCaretCol);
    Para = p.Para;
    Pos = p.Pos;
}

void TOvcCustomEditor::ClampCaret() {
    FCaretLine = std::clamp(FCaretLine, 1, GetLineCount());
    FAnchorLine = std::clamp(FAnchorLine, 1, GetLineCount());
    if (!FScrollPastEnd) {
        FCaretCol = std::clamp(FCaretCol, 1, LineLength(FCaretLine) + 1);
        FAnchorCol = std::clamp(FAnchorCol, 1, LineLength(FAnchorLine) + 1);
    }
    FCaretPos = PosOfLine(FCaretLine, FCaretCol);
    FAnchorPos = PosOfLine(FAnchorLine, FAnchorCol);
}

void TOvcCustomEditor::MoveCaretTo(int32_t Line, int32_t Col, bool Extend) {
    const bool hadSelection = HasSelection();
    const int32_t oldCaret = FCaretLine;
    FCaretLine = Line;
    FCaretCol = std::max(Col, 1);
    if (!Extend) {
        FAnchorLine = FCaretLine;
        FAnchorCol = FCaretCol;
    }
    ClampCaret();
    if (!Extend) FAnchorPos = FCaretPos, FAnchorLine = FCaretLine, FAnchorCol = FCaretCol;
    if (hadSelection || Extend) {
        const int32_t from = std::min({oldCaret, FCaretLine, FAnchorLine});
        const int32_t to = hadSelection ? INT32_MAX : std::max(oldCaret, FCaretLine);
        InvalidateLines(from, to);
    }
    ScrollCaretIntoView();
}

void TOvcCustomEditor::MoveCaretToPos(const TTextPos& P, bool Extend) {
    int32_t line = 1, col = 1;
    LineOfPos(P, line, col);
    MoveCaretTo(line, col, Extend);
}

void TOvcCustomEditor::SetCaretPosition(int32_t Line, int32_t Col) {
    if (Line < 1 || Line > GetLineCount()) throw EInvalidLineOrPara();
    if (Col < 1) throw EInvalidLineOrCol();
    MoveCaretTo(Line, Col, false);
}

void TOvcCustomEditor::CollapseSelection() {
    if (HasSelection()) InvalidateLines(std::min(FAnchorLine, FCaretLine), INT32_MAX);
    FAnchorLine = FCaretLine;
    FAnchorCol = FCaretCol;
    FAnchorPos = FCaretPos;
}

bool TOvcCustomEditor::HasSelection() const {
    return FAnchorLine != FCaretLine || FAnchorCol != FCaretCol;
}

void TOvcCustomEditor::GetSelection(int32_t& Line1, int32_t& Col1, int32_t& Line2,
                                    int32_t& Col2) const {
    const bool anchorFirst =
        FAnchorLine < FCaretLine || (FAnchorLine == FCaretLine && FAnchorCol <= FCaretCol);
    Line1 = anchorFirst ? FAnchorLine : FCaretLine;
    Col1 = anchorFirst ? FAnchorCol : FCaretCol;
    Line2 = anchorFirst ? FCaretLine : FAnchorLine;
    Col2 = anchorFirst ? FCaretCol : FAnchorCol;
}

void TOvcCustomEditor::SelectionRange(TTextPos& Start, TTextPos& End) const {
    int32_t l1 = 0, c1 = 0, l2 = 0, c2 = 0;
    GetSelection(l1, c1, l2, c2);
    Start = PosOfLine(l1, c1);
    End = PosOfLine(l2, c2);
}

std::string TOvcCustomEditor::SelectedText() const {
    TTextPos start, end;
    SelectionRange(start, end);
    std::string s;
    for (int32_t para = start.Para; para <= end.Para; ++para) {
        const std::string_view text = FParas->ParaText(para);
        const size_t from = para == start.Para ? static_cast<size_t>(start.Pos - 1) : 0;
        const size_t to = para == end.Para ? static_cast<size_t>(end.Pos - 1) : text.size();
        if (from < text.size()) s.append(text.substr(from, std::min(to, text.size()) - from));
        if (para != end.Para) s += "\r\n";
    }
    return s;
}

void TOvcCustomEditor::SetSelection(int32_t Line1, int32_t Col1, bool CaretAtEnd, int32_t Line2,
                                    int32_t Col2) {
    if (FParas->ByteCount() == 0) return;
    auto clamp = [this](int32_t& Line, int32_t& Col) {
        Line = std::clamp(Line, 1, GetLineCount());
        Col = std::clamp(Col, 1, LineLength(Line) + 1);
    };
    clamp(Line1, Col1);
    clamp(Line2, Col2);
    if (!CaretAtEnd) {
        std::swap(Line1, Line2);
        std::swap(Col1, Col2);
    }
    InvalidateLines(std::min({FAnchorLine, FCaretLine, Line1, Line2}), INT32_MAX);
    FAnchorLine = Line1;
    FAnchorCol = Col1;
    FAnchorPos = PosOfLine(Line1, Col1);
    FCaretLine = Line2;
    FCaretCol = Col2;
    FCaretPos = PosOfLine(Line2, Col2);
    ScrollCaretIntoView();
}

// The text.

void TOvcCustomEditor::GetLine(int32_t LineNum, std::string& S) const {
    if (LineNum < 1 || LineNum > GetLineCount()) throw EInvalidLineOrPara();
    const std::string_view line = FParas->LineText(LineNum);
    if (line.find('\t') == std::string_view::npos) {
        S.assign(line);
        return;
    }
    const uint8_t tab = TabSize();
    S.clear();
    for (const char c : line) {
        if (c != '\t') {
            S += c;
            continue;
        }
        S.append(tab - S.size() % tab, ' ');
    }
}

std::string_view TOvcCustomEditor::GetPara(int32_t ParaNum) const {
    if (ParaNum < 1 || ParaNum > GetParaCount()) throw EInvalidLineOrPara();
    return FParas->ParaText(ParaNum);
}

void TOvcCustomEditor::ParaToLine(int32_t& Para, int32_t& Pos) const {
    if (Para < 1 || Para > GetParaCount()) throw EInvalidLineOrPara();
    int32_t line = 1, col = 1;
    FParas->ParaToLine(Para, std::max(Pos, 1), line, col);
    Para = line;
    Pos = col;
}

// Lines go in before the last, empty paragraph: every view of the ring keeps its lines while
// they do, and finds the paragraph positions behind them again afterwards.
TOvcCustomEditor::TAppendScope::TAppendScope(TOvcCustomEditor& Editor)
    : FEditor(Editor), FOuter(!Editor.FAppending) {
    if (FOuter) FEditor.SetAppending(true);
}

TOvcCustomEditor::TAppendScope::~TAppendScope() {
    if (FOuter) FEditor.SetAppending(false);
}

void TOvcCustomEditor::SetAppending(bool Value) {
    TOvcCustomEditor* e = this;
    do {
        e->FAppending = Value;
        if (!Value) {
            e->FCaretPos = e->PosOfLine(e->FCaretLine, e->FCaretCol);
            e->FAnchorPos = e->PosOfLine(e->FAnchorLine, e->FAnchorCol);
            e->FTopPos = e->PosOfLine(e->FTopLine, 1);
            if (e != this && e->HandleAllocated()) {
                e->UpdateVertScrollBar();
                e->Invalidate();
            }
        }
        e = e->FNextLinked;
    } while (e != this);
}

uint16_t TOvcCustomEditor::AppendPara(std::string_view S) {
    const int32_t linesBefore = GetLineCount();
    const TAppendScope appending(*this);
    uint16_t code = 0;
    while ((code = FParas->CheckLimits(
                0, 1, static_cast<int32_t>(std::min<size_t>(S.size() + 2, INT32_MAX)))) == 0) {
        size_t len = S.size();
        const auto limit = static_cast<size_t>(ParaLengthLimit());
        if (len > limit) len = WordStart(S, limit);
        if (len == 0) len = limit;
        code = FParas->AppendPara(S.substr(0, len), FTrimWhiteSpace);
        if (code != 0 || len >= S.size()) break;
        S.remove_prefix(len);
    }
    if (HandleAllocated() && linesBefore <= FVisibleLines + FTopLine &&
        GetLineCount() > linesBefore) {
        UpdateVertScrollBar();
        Invalidate();
    }
    return code;
}

void TOvcCustomEditor::ResetEditor(bool Refresh) {
    // A linked editor leaves the text to the others and starts an empty one of its own.
    Detach();
    CreateParaList();
    FTopLine = FCaretLine = FCaretCol = FAnchorLine = FAnchorCol = 1;
    FCaretPos = FAnchorPos = FTopPos = TTextPos{};
    FLeftCol = 0;
    FFullRepaint = false;
    if (Refresh && HandleAllocated()) RefreshView(true);
}

void TOvcCustomEditor::SetModified(bool Value) {
    if (Value == FParas->Modified()) return;
    FParas->SetModified(Value);
    TOvcCustomEditor* e = this;
    do {
        e->Invalidate();
        e = e->FNextLinked;
    } while (e != this);
}

// Bookmarks.

void TOvcCustomEditor::SetMarker(int32_t Index) {
    if (Index < 0 || Index > 9) return;
    FParas->SetBookmark(Index, FCaretPos.Para, FCaretPos.Pos);
    Invalidate();
}

void TOvcCustomEditor::SetMarkerAt(int32_t Index, int32_t Line, int32_t Col) {
    if (Line < 1 || Line > GetLineCount() || Col < 1) throw EInvalidLineOrCol();
    if (Index < 0 || Index > 9) return;
    const TTextPos p = PosOfLine(Line, Col);
    FParas->SetBookmark(Index, p.Para, p.Pos);
    Invalidate();
}

void TOvcCustomEditor::GotoMarker(int32_t Index) {
    const TBookmark mark = FParas->Bookmark(Index);
    if (mark.Para == 0 || mark.Pos == 0 || mark.Para > GetParaCount()) return;
    MoveCaretToPos({mark.Para, mark.Pos}, false);
}

// Undo and redo.

void TOvcCustomEditor::Undo() {
    Replay(false);
}

void TOvcCustomEditor::Redo() {
    Replay(true);
}

void TOvcCustomEditor::Replay(bool Forward) {
    if (!(Forward ? CanRedo() : CanUndo())) {
        MessageBeep(0);
        return;
    }
    TTextPos p;
    const uint16_t code = Forward ? FParas->Redo(p.Para, p.Pos) : FParas->Undo(p.Para, p.Pos);
    UpdateVertScrollBar();
    FFullRepaint = true;
    Invalidate();
    MoveCaretToPos(p, false);
    DoOnError(code);
}

// Properties.

void TOvcCustomEditor::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TOvcCustomEditor::SetByteLimit(int32_t Value) {
    if (Value >= 0) FParas->SetByteLimit(Value);
}

void TOvcCustomEditor::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TOvcCustomEditor::SetInsertMode(bool Value) {
    FInsertMode = Value;
    FCaret->SetInsertMode(Value);
}

void TOvcCustomEditor::SetLeftMargin(int32_t Value) {
    if (Value < 0 || Value == FLeftMargin) return;
    FLeftMargin = Value;
    if (HandleAllocated()) UpdateMetrics();
}

void TOvcCustomEditor::SetRightMargin(int32_t Value) {
    if (Value < 0 || Value == FRightMargin) return;
    FRightMargin = Value;
    if (HandleAllocated()) UpdateMetrics();
}

void TOvcCustomEditor::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    if (Value == ssNone) FScrollBarsAlways = false;
    RecreateWnd();
}

void TOvcCustomEditor::SetScrollBarsAlways(bool Value) {
    Value = Value && FScrollBars != ssNone;
    if (Value == FScrollBarsAlways) return;
    FScrollBarsAlways = Value;
    RecreateWnd();
}

void TOvcCustomEditor::SetScrollPastEnd(bool Value) {
    FScrollPastEnd = Value;
    if (Value) SetWordWrap(false);
}

void TOvcCustomEditor::SetShowBookmarks(bool Value) {
    if (Value == FShowBookmarks) return;
    FShowBookmarks = Value;
    if (Value) LoadMarkers();
    Invalidate();
}

void TOvcCustomEditor::SetWordWrap(bool Value) {
    if (Value) {
        FWrapAtLeft = true;
        FScrollPastEnd = false;
    }
    FParas->SetWordWrap(Value);
}

void TOvcCustomEditor::SetWrapToWindow(bool Value) {
    if (Value == FWrapToWindow) return;
    FWrapToWindow = Value;
    if (HandleAllocated()) UpdateMetrics();
}

void TOvcCustomEditor::DefineProperties(TFiler& Filer) {
    TOvcEditBase::DefineProperties(Filer);
    Filer.DefineProperty(
        "Margin",
        [this](TReader& Reader) {
            const int32_t margin = Reader.ReadInteger();
            SetLeftMargin(margin);
            SetRightMargin(margin);
        },
        nullptr, false);
}

// Events.

bool TOvcCustomEditor::DoOnDrawLine(TCanvas& EditorCanvas, const TRect& Rect, const char* S,
                                    int32_t Len, int32_t Line, int32_t Pos, int32_t Count,
                                    int32_t HBLine, int32_t HBCol, int32_t HELine, int32_t HECol) {
    bool drawn = false;
    if (OnDrawLine)
        OnDrawLine(this, EditorCanvas, Rect, S, Len, Line, Pos, Count, HBLine, HBCol, HELine, HECol,
                   drawn);
    return drawn;
}

void TOvcCustomEditor::DoOnChange() {
    if (OnChange) OnChange(this);
}

void TOvcCustomEditor::DoOnError(uint16_t Code) {
    if (Code == 0) return;
    if (OnError) {
        OnError(this, Code);
        return;
    }
    throw EEditorError(EditorErrorText(Code), Code, 0);
}

void TOvcCustomEditor::DoOnShowStatus(int32_t LineNum, int32_t ColNum) {
    if (OnShowStatus) OnShowStatus(this, LineNum, ColNum);
}

void TOvcCustomEditor::DoOnTopLineChanged(int32_t Line) {
    if (OnTopLineChanged) OnTopLineChanged(this, Line);
}

void TOvcCustomEditor::DoOnUserCommand(uint16_t Command) {
    if (OnUserCommand) OnUserCommand(this, Command);
}

}  // namespace vex

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcCaret.h"
#include "components/entry/OvcColor.h"
#include "components/entry/OvcFxFont.h"
#include "components/entry/OvcParas.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/customedit.h"
#include "platform/ui/memo.h"

namespace vex {

class TTimer;

enum TTabType { ttReal, ttFixed, ttSmart };

// SearchReplace options.
inline constexpr uint8_t srBackward = 2;
inline constexpr uint8_t srMatchCase = 4;
inline constexpr uint8_t srGlobal = 8;
inline constexpr uint8_t srReplace = 16;
inline constexpr uint8_t srReplaceAll = 32;
inline constexpr uint8_t srWholeWord = 64;
inline constexpr uint8_t srSelectedOnly = 128;

// The longest Find or Replace text SearchReplace takes.
inline constexpr size_t MaxSearchText = 255;

// Pasted text goes in pieces of this size, each stretched over a line end it would cut.
inline constexpr size_t PasteChunk = 61440;
inline constexpr size_t PasteChunkMax = 65520;

// The program's cursor resource shown over the left margin.
inline constexpr uint32_t LineSelectCursorId = 32668;

using TEditorDrawLineEvent =
    std::function<void(TObject* Sender, TCanvas& EditorCanvas, const TRect& Rect, const char* S,
                       int32_t Len, int32_t Line, int32_t Pos, int32_t Count, int32_t HBLine,
                       int32_t HBCol, int32_t HELine, int32_t HECol, bool& WasDrawn)>;
using TEditorErrorEvent = std::function<void(TObject* Sender, uint16_t& ErrorCode)>;
using TShowStatusEvent = std::function<void(TObject* Sender, int32_t LineNum, int32_t ColNum)>;
using TTopLineChangedEvent = std::function<void(TObject* Sender, int32_t Line)>;
using TUserCommandEvent = std::function<void(TObject* Sender, uint16_t Command)>;

// The base of the editors on the controller; it adds nothing.
class TOvcEditBase : public TOvcBase {
    VEX_CLASS(TOvcEditBase, TOvcBase)

public:
    explicit TOvcEditBase(TComponent* AOwner) : TOvcBase(AOwner) {}
};

// A fixed-pitch text editor over a paragraph list: paragraphs shown as display lines (wrapped or
// not), a caret and a selection, the editing and moving commands the controller translates from
// keys, a margin with bookmark glyphs, the clipboard, search and replace, undo and redo. Editors
// joined with Attach share one paragraph list and follow each other's changes.
//
// Lines are display lines counted over the whole text, columns character positions within
// them, both from 1. The caret and the selection's anchor are kept as line and column; the
// paragraph positions behind them are what follows an edit.
class TOvcCustomEditor : public TOvcEditBase, private TParaListOwner {
    VEX_CLASS(TOvcCustomEditor, TOvcEditBase)

public:
    explicit TOvcCustomEditor(TComponent* AOwner);
    ~TOvcCustomEditor() override;

    // Properties.
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool Value) { FAutoIndent = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    int32_t ByteLimit() const { return FParas->ByteLimit(); }
    // Negative values are ignored.
    virtual void SetByteLimit(int32_t Value);
    TOvcCaret* CaretIns() const { return FCaret->CaretIns(); }
    void SetCaretIns(TOvcCaretRef Value) { FCaret->SetCaretIns(std::move(Value)); }
    TOvcCaret* CaretOvr() const { return FCaret->CaretOvr(); }
    void SetCaretOvr(TOvcCaretRef Value) { FCaret->SetCaretOvr(std::move(Value)); }
    TOvcFixedFont& FixedFont() { return *FFixedFont; }
    void SetFixedFont(const TOvcFixedFont& Value) { FFixedFont->Assign(&Value); }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TOvcColors& HighlightColors() { return *FHighlightColors; }
    bool InsertMode() const { return FInsertMode; }
    void SetInsertMode(bool Value);
    int32_t LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int32_t Value);
    int32_t ParaLengthLimit() const { return FParas->ParaLengthLimit(); }
    void SetParaLengthLimit(int32_t Value) { FParas->SetParaLengthLimit(Value); }
    int32_t ParaLimit() const { return FParas->ParaLimit(); }
    void SetParaLimit(int32_t Value) { FParas->SetParaLimit(Value); }
    bool ReadOnly() const { return GetReadOnly(); }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    int32_t RightMargin() const { return FRightMargin; }
    void SetRightMargin(int32_t Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool ScrollBarsAlways() const { return FScrollBarsAlways; }
    void SetScrollBarsAlways(bool Value);
    bool ScrollPastEnd() const { return FScrollPastEnd; }
    void SetScrollPastEnd(bool Value);
    bool ShowBookmarks() const { return FShowBookmarks; }
    void SetShowBookmarks(bool Value);
    uint8_t TabSize() const { return FParas->TabSize(); }
    void SetTabSize(uint8_t Value) { FParas->SetTabSize(Value); }
    TTabType TabType() const { return FTabType; }
    void SetTabType(TTabType Value) { FTabType = Value; }
    bool TrimWhiteSpace() const { return FTrimWhiteSpace; }
    void SetTrimWhiteSpace(bool Value) { FTrimWhiteSpace = Value; }
    uint16_t UndoBufferSize() const { return FParas->UndoBufferSize(); }
    void SetUndoBufferSize(uint16_t Value) { FParas->SetUndoBufferSize(Value); }
    bool WantEnter() const { return FWantEnter; }
    void SetWantEnter(bool Value) { FWantEnter = Value; }
    bool WantTab() const { return FWantTab; }
    void SetWantTab(bool Value) { FWantTab = Value; }
    bool WordWrap() const { return FParas->WordWrap(); }
    void SetWordWrap(bool Value);
    bool WrapAtLeft() const { return FWrapAtLeft || WordWrap(); }
    void SetWrapAtLeft(bool Value) { FWrapAtLeft = Value; }
    int32_t WrapColumn() const { return FParas->WrapColumn(); }
    void SetWrapColumn(int32_t Value) { FParas->SetWrapColumn(Value); }
    bool WrapToWindow() const { return FWrapToWindow; }
    void SetWrapToWindow(bool Value);

    TNotifyEvent OnChange;
    TEditorDrawLineEvent OnDrawLine;
    TEditorErrorEvent OnError;
    TShowStatusEvent OnShowStatus;
    TTopLineChangedEvent OnTopLineChanged;
    TUserCommandEvent OnUserCommand;

    // The text.
    TParaList& ParaList() const { return *FParas; }
    int32_t GetLineCount() const { return FParas->LineCount(); }
    int32_t GetParaCount() const { return FParas->ParaCount(); }
    // The display line with tabs expanded to blanks; raises EInvalidLineOrPara outside the text.
    void GetLine(int32_t LineNum, std::string& S) const;
    std::string_view GetPara(int32_t ParaNum) const;
    // Converts a paragraph and position into a line and column in place.
    void ParaToLine(int32_t& Para, int32_t& Pos) const;
    uint16_t AppendPara(std::string_view S);
    void ResetEditor(bool Refresh);
    bool Modified() const { return FParas->Modified(); }
    void SetModified(bool Value);

    // The view.
    int32_t GetTopLine() const { return FTopLine; }
    void SetTopLine(int32_t Line);
    int32_t LeftColumn() const { return FLeftCol; }
    int32_t VisibleColumns();
    int32_t VisibleLines() const { return FVisibleLines; }
    int32_t CharWidth() const { return FCharWidth; }
    int32_t LineHeight() const { return FLineHeight; }
    // The vertical scroll bar's scale: lines per position.
    int32_t ScrollScale() const { return FScale; }
    void RefreshView(bool Full);
    virtual void Scroll(int32_t ColDelta, int32_t LineDelta);

    // The caret and the selection.
    int32_t CaretLine() const { return FCaretLine; }
    int32_t CaretCol() const { return FCaretCol; }
    void CaretParaPos(int32_t& Para, int32_t& Pos) const;
    bool HasSelection() const;
    void GetSelection(int32_t& Line1, int32_t& Col1, int32_t& Line2, int32_t& Col2) const;
    std::string SelectedText() const;
    void SetSelection(int32_t Line1, int32_t Col1, bool CaretAtEnd, int32_t Line2, int32_t Col2);
    void SetCaretPosition(int32_t Line, int32_t Col);

    // Bookmarks.
    virtual void SetMarker(int32_t Index);
    virtual void SetMarkerAt(int32_t Index, int32_t Line, int32_t Col);
    void GotoMarker(int32_t Index);

    bool CanUndo() const { return !GetReadOnly() && FParas->CanUndo(); }
    bool CanRedo() const { return !GetReadOnly() && FParas->CanRedo(); }
    virtual void Undo();
    virtual void Redo();

    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();
    // Inserts Text, which may hold line ends, in place of the selection or at the caret.
    uint16_t InsertText(std::string_view Text);

    virtual bool ExecuteCommand(uint16_t Command, char Ch);
    // Raises EEditorError for a Find or Replace text over MaxSearchText characters.
    virtual uint16_t SearchReplace(const std::string& Find, const std::string& Replace,
                                   uint8_t Options);

    // Shares Editor's paragraph list, joining its ring of linked editors.
    virtual void Attach(TOvcCustomEditor* Editor);

    virtual bool GetReadOnly() const { return FReadOnly; }

    // The lines the last paint drew, for measuring how much a change repaints.
    int64_t PaintedLineCount() const { return FPaintedLines; }

    void WndProc(TMessage& Message) override;

protected:
    // Keeps the views of the ring in place while many paragraphs are appended, and finds their
    // positions in the text once at the end.
    class TAppendScope {
    public:
        explicit TAppendScope(TOvcCustomEditor& Editor);
        ~TAppendScope();
        TAppendScope(const TAppendScope&) = delete;
        TAppendScope& operator=(const TAppendScope&) = delete;

    private:
        TOvcCustomEditor& FEditor;
        bool FOuter;
    };

    virtual bool DoOnDrawLine(TCanvas& EditorCanvas, const TRect& Rect, const char* S, int32_t Len,
                              int32_t Line, int32_t Pos, int32_t Count, int32_t HBLine,
                              int32_t HBCol, int32_t HELine, int32_t HECol);
    virtual void DoOnChange();
    virtual void DoOnError(uint16_t Code);
    virtual void DoOnShowStatus(int32_t LineNum, int32_t ColNum);
    virtual void DoOnTopLineChanged(int32_t Line);
    virtual void DoOnUserCommand(uint16_t Command);

    // Reads "Margin" of older form resources into both margins; it is never written.
    void DefineProperties(TFiler& Filer) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

private:
    // A place in the text that follows edits.
    struct TTextPos {
        int32_t Para = 1;
        int32_t Pos = 1;
    };

    static int32_t Length(std::string_view S) { return static_cast<int32_t>(S.size()); }

    // Marks this editor as the one making the change the ring hears of, for one operation.
    class TChangeScope {
    public:
        explicit TChangeScope(bool& Flag) : FFlag(Flag), FWas(Flag) { Flag = true; }
        ~TChangeScope() { FFlag = FWas; }
        TChangeScope(const TChangeScope&) = delete;
        TChangeScope& operator=(const TChangeScope&) = delete;

    private:
        bool& FFlag;
        bool FWas;
    };

    // TParaListOwner, passed round the ring.
    void ParaListRewrapped() override;
    void ParaListBusy(bool Busy) override;
    void ParaListChanged(const TParaChange& Change) override;
    void FollowChange(const TParaChange& Change);
    void FollowRewrap();
    void Detach();
    void CreateParaList();

    // Positions (OvcEditor.cpp).
    TTextPos PosOfLine(int32_t Line, int32_t Col) const;
    void LineOfPos(const TTextPos& P, int32_t& Line, int32_t& Col) const;
    int32_t LineLength(int32_t Line) const;
    void ClampCaret();
    // Puts the caret at P (collapsing the selection unless Extend) and scrolls it into view.
    void MoveCaretTo(int32_t Line, int32_t Col, bool Extend);
    void MoveCaretToPos(const TTextPos& P, bool Extend);
    void CollapseSelection();
    void SelectionRange(TTextPos& Start, TTextPos& End) const;
    void RememberCaret();
    void Replay(bool Forward);
    void SetAppending(bool Value);

    // Commands (OvcEditorCommands.cpp).
    bool MoveCommand(uint16_t Command);
    bool EditCommand(uint16_t Command, char Ch);
    void MoveLeft(bool Extend);
    void MoveRight(bool Extend);
    void MoveWordLeft(bool Extend);
    void MoveWordRight(bool Extend);
    void MoveLines(int32_t Delta, bool Extend);
    void MovePage(int32_t Delta, bool Extend);
    bool DeleteSelection();
    void TypeChar(char Ch);
    void DeleteAtCaret();
    void Backspace();
    void DeleteRangeTo(const TTextPos& From, const TTextPos& To);
    void DeleteLine();
    void DeleteWord();
    void NewLine(bool Split, bool MoveCaret);
    void TabOperation();
    int32_t SmartTabColumn() const;
    // Runs an editing step: reports its code, repaints what changed and places the caret.
    void Finish(uint16_t Code, const TTextPos& Caret);
    bool IsDelimiter(char C) const;

    // Search (OvcEditorSearch.cpp).
    bool MatchAt(std::string_view Para, size_t At, std::string_view Find, uint8_t Options) const;

    // The view (OvcEditorView.cpp).
    void UpdateMetrics();
    bool UpdateVisibleColumns();
    bool UpdateVisibleLines();
    void UpdateHorzScrollBar();
    void UpdateVertScrollBar();
    int32_t HorzRange() const;
    void ScrollCaretIntoView();
    void PlaceCaret();
    void InvalidateLines(int32_t FromLine, int32_t ToLine);
    void InvalidateChange();
    TRect TextRect() const;
    void PaintMarkers(TCanvas& C, int32_t Row, int32_t Line, const TRect& RowRect);
    void PaintRow(TCanvas& C, int32_t Line, const TRect& RowRect);
    void LoadMarkers();

    // Input (OvcEditorInput.cpp).
    void WMKeyDown(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMSysKeyDownEditor(TMessage& Message);
    void WMScroll(TMessage& Message, bool Vertical);
    void WMSetCursor(TMessage& Message);
    void WMMouseActivate(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void MouseToLineCol(int32_t X, int32_t Y, int32_t& Line, int32_t& Col) const;
    void TrackMouse(int32_t X, int32_t Y);
    void AutoScrollTick();
    void StopAutoScroll();
    void LoadLineSelectCursor();

    std::unique_ptr<TParaList> FOwnedParas;
    TParaList* FParas = nullptr;
    // The ring of editors sharing FParas.
    TOvcCustomEditor* FNextLinked = this;
    TOvcCustomEditor* FPrevLinked = this;

    bool FAutoIndent = false;
    TBorderStyle FBorderStyle = bsSingle;
    std::unique_ptr<TOvcCaretPair> FCaret;
    std::unique_ptr<TOvcFixedFont> FFixedFont;
    bool FHideSelection = true;
    std::unique_ptr<TOvcColors> FHighlightColors;
    bool FInsertMode = true;
    int32_t FLeftMargin = 15;
    bool FReadOnly = false;
    int32_t FRightMargin = 5;
    TScrollStyle FScrollBars = ssBoth;
    bool FScrollBarsAlways = false;
    bool FScrollPastEnd = false;
    bool FShowBookmarks = true;
    TTabType FTabType = ttReal;
    bool FTrimWhiteSpace = true;
    bool FWantEnter = true;
    bool FWantTab = false;
    bool FWrapAtLeft = true;
    bool FWrapToWindow = false;
    std::string FDelimiters;

    int32_t FCaretLine = 1;
    int32_t FCaretCol = 1;
    int32_t FAnchorLine = 1;
    int32_t FAnchorCol = 1;
    // Where the caret, the anchor and the top line are in the text, for following edits.
    TTextPos FCaretPos;
    TTextPos FAnchorPos;
    TTextPos FTopPos;
    int32_t FTopLine = 1;
    int32_t FLeftCol = 0;
    int32_t FCharWidth = 8;
    int32_t FLineHeight = 14;
    int32_t FVisibleCols = 1;
    int32_t FVisibleLines = 1;
    int32_t FScale = 1;
    bool FFullRepaint = false;
    bool FChanging = false;   // this editor makes the change the ring hears of
    bool FAppending = false;  // lines are appended; the view is put back afterwards
    bool FMouseCaptured = false;
    bool FMarginSelect = false;
    TTextPos FMarginAnchor;
    bool FSuppressChar = false;
    uint32_t FLastScrollTick = 0;
    int32_t FLastMouseX = 0;
    int32_t FLastMouseY = 0;
    std::unique_ptr<TTimer> FAutoScroll;
    std::unique_ptr<TBitmap> FMarkers;
    int32_t FLineSelectCursor = 0;  // a cursor of the window layer (platform/win/cursor.h)
    int64_t FPaintedLines = 0;
};

}  // namespace vex

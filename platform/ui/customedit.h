#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/editkeys.h"
#include "platform/ui/editlayout.h"
#include "platform/ui/edittext.h"
#include "platform/ui/formtypes.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/win/windowstyles.h"

namespace vex {

class TPopupMenu;

// The border of a control: none, or a single line (sunken when Ctl3D).
using TBorderStyle = TFormBorderStyle;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The text field of the framework: one line by default, several with ES_MULTILINE among its
// edit styles (TMemo). It is its own native edit control: the keys, characters, mouse, EM_* and
// clipboard messages that the framework's handlers leave to the window's procedure end in
// DefaultHandler, which does here what the platform's edit control did. The text lives in a
// TEditText and is laid out by a TEditLayout; painting only reads them. Positions are offsets
// from 0 in Text, a line break counting as two characters.
class TCustomEdit : public TCustomControl {
    VEX_CLASS(TCustomEdit, TCustomControl)

public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    int32_t SelStart() const { return FText.SelStart(); }
    // Puts the caret at Value without a selection.
    void SetSelStart(int32_t Value);
    int32_t SelLength() const { return FText.SelLength(); }
    // Selects Value characters from SelStart (a negative one backwards).
    void SetSelLength(int32_t Value);
    std::string SelText() const { return FText.SelText(); }
    // Replaces the selection (even in a read-only edit: it is the program's change).
    void SetSelText(const std::string& Value);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    // Every cut and paste, by key, message or menu, comes through these, so that a descendant
    // that edits its text its own way takes them over.
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();
    bool CanUndo() const { return FText.CanUndo(); }
    void Undo();
    void ClearUndo() { FText.EmptyUndoBuffer(); }
    // Whether an editing action would do anything now, as a menu shows it.
    bool CanRun(TEditAction Action);
    // Runs the action as the user's keys or menu do; false when it did nothing.
    bool Run(TEditAction Action) { return RunAction(Action, false); }
    void Clear() { SetText(""); }

    // Set by every change the user makes, cleared when the text is set as a whole.
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // 0: no limit.
    int32_t MaxLength() const { return FText.MaxLength(); }
    void SetMaxLength(int32_t Value) { FText.SetMaxLength(Value); }
    // Shown in place of every character (0: none); copying and cutting are refused meanwhile.
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    // Typed and pasted text changes to this case, and the text when it is set.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // The whole text is selected when the focus comes by the keyboard.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // The selection is shown only while the control has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The height follows the font: a row and the border's room.
    void SetAutoSize(bool Value) override;

    // The text and its selection, to read.
    const TEditText& TextBuffer() const { return FText; }
    // The area the text is laid out in, in client coordinates (EM_GETRECT).
    TRect FormattingRect() const { return FFormatRect; }
    // The first line and row shown, and the columns of pixels scrolled off to the left.
    int32_t TopLine() const { return FTopLine; }
    int32_t ScrollX() const { return FScrollX; }

    TNotifyEvent OnChange;

protected:
    // Whether the user may change the text (typing, deleting, cutting, pasting, undoing); a
    // descendant that shuts its editor off answers no, and every such path and the context
    // menu's items follow.
    virtual bool UserMayEdit() const { return !FReadOnly; }
    // The ES_* styles of the text: ES_MULTILINE, ES_AUTOVSCROLL, ES_AUTOHSCROLL, ES_WANTRETURN;
    // a multi-line edit without ES_AUTOHSCROLL and WS_HSCROLL wraps its lines.
    DWORD EditStyle() const { return FEditStyle; }
    void SetEditStyle(DWORD Value);
    // The scroll bars asked for (WS_VSCROLL, WS_HSCROLL).
    DWORD ScrollStyle() const { return FScrollStyle; }
    void SetScrollStyle(DWORD Value);
    bool MultiLine() const;
    bool WordWrapping() const;

    // Fires OnChange; every change of the text comes here once.
    virtual void Change();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DefaultHandler(TMessage& Message) override;
    void Paint() override;
    void AdjustBounds() override;
    void Resize() override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    // The border changes from sunken to a line, and with it the height.
    void CMCtl3DChanged(TMessage& Message) override;
    void DoEnter() override;

    // What WM_GETDLGCODE answers: the arrows and the characters, and Enter when multi-line.
    virtual LRESULT DialogCode();
    // Runs an editing action (a move extends the selection with Extend); false when it did
    // nothing.
    bool RunAction(TEditAction Action, bool Extend);
    // Types a character (line breaks and tabs included) as the keyboard does.
    void TypeChar(char Ch);
    // The text on the clipboard, up to its first NUL; none while another window holds the
    // clipboard or it has no text.
    std::optional<std::string> ClipboardText();

private:
    // The parts of the native behaviour, by concern (editkeys.cpp for the tables).
    void Measure();
    void UpdateFormattingRect(const TRect* Rect, bool Repaint);
    TRect DefaultFormattingRect() const;
    int32_t VisibleRows() const;
    // The control's changes after the text changed.
    void TextChanged(int32_t First, int32_t Removed, int32_t Inserted);
    void AfterEdit();
    // Widens the horizontal bar's range to Count lines from First, when there is that bar.
    void NoteWidths(int32_t First, int32_t Count);
    // Keeps the caret in view, and the scroll bar and the caret in step with the view.
    void ScrollToCaret();
    void SetTop(int32_t Line, int32_t Row);
    // The view from Line and Row down, as a scroll bar or the wheel asks, its last page full.
    void ScrollTo(int32_t Line, int32_t Row);
    // Moves Line and Row by Delta rows within the text; answers the rows moved.
    int32_t StepRows(int32_t& Line, int32_t& Row, int32_t Delta) const;
    void SetScrollX(int32_t Value);
    void UpdateScrollBar();
    void UpdateBar(int Bar, int32_t Max, int32_t Page, int32_t Pos);
    void UpdateCaret();
    void Select(TEditPos Anchor, TEditPos Caret);
    void InvalidateLines(int32_t First, int32_t Last);
    void InvalidateSelection(TEditPos A, TEditPos B);
    TEditPos Moved(TEditAction Action, TEditPos From) const;
    // The row a place is shown on, counted from the top of the view (may be out of it).
    int32_t ViewRowOf(TEditPos Pos) const;
    TPoint PointOf(TEditPos Pos) const;
    TEditPos PosAtPoint(TPoint Point) const;
    std::string Cased(std::string_view Value) const;
    // Replaces the selection as the user does: refused while read-only, and marks Modified.
    bool UserReplace(std::string_view Value, bool Typed);

    void KeyDownNative(TMessage& Message);
    void CharNative(TMessage& Message);
    void TextMessage(TMessage& Message);
    void EditMessage(TMessage& Message);
    // Takes the focus, as a click or the context menu does; false when the control was freed
    // on entering.
    bool TakeFocus();
    void MouseDownNative(TMessage& Message, bool Double);
    void MouseMoveNative(TMessage& Message);
    void MouseUpNative();
    void AutoScrollTick();
    void VScrollNative(TMessage& Message);
    void HScrollNative(TMessage& Message);
    // Three rows a notch, as the wheel scrolls text elsewhere.
    void WheelNative(TMessage& Message);
    // The edit's own menu (editmenu.h) at the pointer, or at the caret from the keyboard, when
    // the control has no PopupMenu of its own.
    void ContextMenuNative(TMessage& Message);
    TPopupMenu& OwnMenu();
    void PaintRow(TCanvas& Canvas, int32_t Line, int32_t Row, int32_t Y, bool ShowSelection);

    TEditText FText;
    TEditLayout FLayout{FText};
    DWORD FEditStyle = ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    DWORD FScrollStyle = 0;
    bool FModified = false;
    // The text is being replaced whole and the control repainted whole after.
    bool FWholeRepaint = false;
    bool FReadOnly = false;
    char FPasswordChar = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    TBorderStyle FBorderStyle = bsSingle;
    TRect FFormatRect;
    bool FFormatRectSet = false;  // by EM_SETRECT: kept while the control changes size
    int32_t FTopLine = 0;
    int32_t FTopRow = 0;  // row of FTopLine at the top
    int32_t FScrollX = 0;
    int32_t FRowHeight = 16;
    // Caret column kept across moves up and down through shorter rows; -1 when none.
    int32_t FGoalX = -1;
    // A drag of the mouse: the word first double-clicked, when it selects by words.
    bool FDragging = false;
    bool FDragWords = false;
    TEditPos FDragFirst;
    TEditPos FDragLast;
    TPoint FDragPoint;
    bool FCaretMade = false;
    // What the scroll bar was last given, so that a keystroke that changes none of it leaves
    // the frame alone.
    struct TScrollBarValues {
        int32_t Max = -1;
        int32_t Page = -1;
        int32_t Pos = -1;
    };
    TScrollBarValues FLastBars[2];  // SB_HORZ, SB_VERT
    // Made at its first use, owned by the control.
    TPopupMenu* FOwnMenu = nullptr;
    // The widest line the text has had since it was set, for the horizontal bar's range.
    int32_t FWidest = 0;
};

// The edit that forms put on: TCustomEdit as it stands, sized to its font.
class TEdit : public TCustomEdit {
    VEX_CLASS(TEdit, TCustomEdit)

public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

}  // namespace vex

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/stringlist.h"
#include "platform/rich/richattributes.h"
#include "platform/rich/richeditmessages.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richformatrange.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlinks.h"
#include "platform/rich/richolecallback.h"
#include "platform/ui/editkeys.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/memo.h"

namespace vex {

class TCustomRichEdit;
class TStream;

// The lines of a rich-text control as a string list: display lines as the control wraps them.
// Whole-document loads and saves read and write RTF (plain text in plain-text mode); a load that
// is not RTF is taken as plain text.
class TRichEditStrings : public TStrings {
    VEX_CLASS(TRichEditStrings, TStrings)

public:
    explicit TRichEditStrings(TCustomRichEdit& Owner) : FOwner(Owner) {}

    int32_t Count() const override;
    void Insert(int32_t Index, const std::string& S) override;
    void Delete(int32_t Index) override;
    void Clear() override;

    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    void LoadFromFile(const std::string& FileName);
    // Written whole or not at all.
    void SaveToFile(const std::string& FileName) const;

protected:
    std::string Get(int32_t Index) const override;
    void Put(int32_t Index, const std::string& S) override;
    TObject* GetObject(int32_t Index) const override;
    void PutObject(int32_t Index, TObject* AObject) override;
    // While the list is updated (Text, Assign) the control tells one change, at the end.
    void SetUpdateState(bool Updating) override;
    void AddItems(std::vector<TStringItem>&& Items) override;

private:
    // Lines, each ended by CR LF, go in before line Index.
    void InsertLines(int32_t Index, std::string Lines);

    TCustomRichEdit& FOwner;
};

// The framework's rich-text control. The document, its formats, the undo steps and the layout
// belong to the control, not to its window: re-creating or re-parenting the window loses
// nothing, and every call below works before the window exists. The window's messages are
// typed calls here; their names are given in comments.
class TCustomRichEdit : public TCustomControl {
    VEX_CLASS(TCustomRichEdit, TCustomControl)

public:
    explicit TCustomRichEdit(TComponent* AOwner);
    ~TCustomRichEdit() override;

    TRichEditEngine& Engine() { return FEngine; }
    const TRichEditEngine& Engine() const { return FEngine; }
    // The lines as shown on screen, laid out when asked.
    const TRichLayout& Layout() const;
    const TRichLinks& Links() const;

    TRichEditStrings& Lines() { return *FLines; }
    void SetLines(const TStrings& Value);
    std::string Text() const;
    void SetText(const std::string& Value);

    int32_t SelStart() const;
    void SetSelStart(int32_t Value);
    int32_t SelLength() const;
    void SetSelLength(int32_t Value);
    std::string SelText() const;
    // The program's edit: allowed in a read-only control.
    void SetSelText(const std::string& Value);
    void SelectAll();
    // EM_EXGETSEL, EM_EXSETSEL: CpMax -1 (or CpMin 0 and CpMax -1) selects to the end; the
    // caret goes to CpMax.
    TCharRange GetSelection() const;
    void SetSelection(TCharRange Range);
    // EM_SELECTIONTYPE.
    uint16_t SelectionType() const;
    // EM_GETTEXTRANGE: paragraph ends as "\r".
    std::string GetTextRange(int32_t Start, int32_t End) const;

    TTextAttributes& SelAttributes() { return *FSelAttributes; }
    void SetSelAttributes(const TTextAttributes& Value);
    TTextAttributes& DefAttributes() { return *FDefAttributes; }
    void SetDefAttributes(const TTextAttributes& Value);
    TParaAttributes& Paragraph() { return *FParagraph; }

    bool PlainText() const;
    void SetPlainText(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // Off: the scroll bars asked for stay, disabled, when the text fits (ES_DISABLENOSCROLL).
    bool HideScrollBars() const { return FHideScrollBars; }
    void SetHideScrollBars(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    // 0: the default limit. The user's edits stop at it; the program's do not.
    int32_t MaxLength() const { return FMaxLength; }
    void SetMaxLength(int32_t Value);
    // Refuses the user's edits only.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool Modified() const;
    void SetModified(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // EM_GETEVENTMASK, EM_SETEVENTMASK: which notices are sent (ENM_*).
    uint32_t EventMask() const { return FEventMask; }
    void SetEventMask(uint32_t Value);
    // EM_AUTOURLDETECT.
    bool AutoUrlDetect() const;
    void SetAutoUrlDetect(bool Value);

    // EM_GETLINECOUNT, EM_LINEINDEX, EM_LINELENGTH, EM_GETLINE, EM_LINEFROMCHAR over the lines
    // as shown (paragraphs while there is no width to wrap at). LineIndex(-1) is the caret's
    // line; LineLength answers for the line holding Position, without its paragraph end;
    // GetLine gives the whole line, "\r" after the last line of a paragraph.
    int32_t GetLineCount() const;
    int32_t LineIndex(int32_t Line) const;
    int32_t LineLength(int32_t Position) const;
    std::string GetLine(int32_t Line) const;
    int32_t LineFromChar(int32_t Position) const;
    // EM_GETFIRSTVISIBLELINE.
    int32_t FirstVisibleLine() const;
    // EM_POSFROMCHAR, EM_CHARFROMPOS, in client coordinates.
    TPoint PosFromChar(int32_t Position) const;
    int32_t CharFromPos(TPoint Point) const;
    // EM_SCROLLCARET.
    void ScrollCaret();
    // The vertical bar's range and position, in pixels (GetScrollRange, GetScrollPos).
    void GetVertScroll(int32_t& Min, int32_t& Max, int32_t& Pos) const;

    // EM_GETRECT, EM_SETRECT: the formatting rectangle, client coordinates. Setting the one in
    // force lays out nothing again; any layout waits for the next query or paint.
    TRect FormattingRect() const;
    void SetFormattingRect(const TRect& Value);
    // EM_SETTARGETDEVICE: lines wrap at Width twips instead of the window's width (0: the
    // window's width again).
    void SetTargetWidth(int32_t Twips);

    // EM_FINDTEXT: Text within [Start, End) (End -1: the end), FR_DOWN, FR_WHOLEWORD,
    // FR_MATCHCASE; the position found or -1.
    virtual int32_t FindText(const std::string& Text, int32_t Start, int32_t End, uint32_t Options);
    // EM_FORMATRANGE: Range null releases what was kept for the pages.
    virtual int32_t FormatRange(const TFormatRange* Range, bool Render);
    // Prints the whole document on the printer as a job called Caption, a page per rectangle
    // of the printer's page.
    virtual void Print(const std::string& Caption);

    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    void ClearUndo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    // EM_CANPASTE: whether the clipboard holds text or RTF, read-only or not.
    bool CanPaste() const;
    void ClearSelection();
    void Clear();

    // Places the caret, or selects the object, at Point (client coordinates) as a click does,
    // without any link notice.
    void PlaceCaretAt(TPoint Point);

    // Embedded objects: the engine asks Callback (not owned; null: none) before inserting,
    // deleting and the rest. The selected object, when the selection is exactly one.
    void SetOleCallback(IRichEditOleCallback* Callback) { FOleCallback = Callback; }
    IRichEditOleCallback* OleCallback() const { return FOleCallback; }
    IRichObject* SelectedObject() const;
    // Puts an object in place of the selection, as one step that can be undone; false when the
    // callback refused it.
    bool InsertObject(std::shared_ptr<IRichObject> Object);

    // EM_STREAMIN, EM_STREAMOUT with SF_RTF or SF_TEXT, and SFF_SELECTION for the selection.
    // Loading RTF that is not RTF raises ERtfError and changes nothing.
    void StreamIn(std::string_view Bytes, uint32_t Format);
    std::string StreamOut(uint32_t Format) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    std::function<void(TObject* Sender, int32_t StartPos, int32_t EndPos, bool& AllowChange)>
        OnProtectChange;
    std::function<void(TObject* Sender, TRect Rect)> OnResizeRequest;
    std::function<void(TObject* Sender, int32_t NumObjects, int32_t NumChars, bool& SaveClipboard)>
        OnSaveClipboard;

protected:
    // EN_LINK: a mouse message over a link while ENM_LINK is in the mask. Nothing by default.
    virtual void LinkNotify(const TENLink& Link);
    // EN_PROTECTED: fires OnProtectChange; false refuses the edit.
    virtual bool ProtectedChange(const TENProtected& Change);
    // EN_CHANGE and EN_SELCHANGE, when the mask asks for them.
    virtual void Change();
    virtual void SelectionChange();
    // EN_REQUESTRESIZE.
    virtual void RequestSize(const TRect& Rect);
    // EN_SAVECLIPBOARD: whether the clipboard keeps what the control put there when it goes.
    virtual bool SaveClipboard(int32_t NumObjects, int32_t NumChars);
    // For an edit made through Engine(): the view, the caret, the resize request and the change
    // and selection notices follow as after the control's own edits. False when a notice's
    // handler freed the control.
    bool EngineEdited() { return AfterEdit(false); }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage& Message) override;
    void Paint() override;
    void Resize() override;
    void CMFontChanged(TMessage& Message) override;

private:
    friend class TRichEditStrings;
    friend class TTextAttributes;
    friend class TParaAttributes;
    class TView;

    // richedit.cpp
    int32_t Limit() const;
    // Apply changes formats: of the text, as an edit with its notices, or the defaults.
    void ChangeFormats(const std::function<void()>& Apply, bool Defaults);
    // EN_SAVECLIPBOARD, when the control's window owns the clipboard.
    void ReleaseClipboard();

    // richeditedits.cpp: notices and the edits every path shares.
    // Whether the user may put Inserted characters in place of [Start, Start + Length): not
    // read-only, protected text allowed (Cause is the message that edits), within MaxLength;
    // Inserted is cut to the room left.
    bool UserMayReplace(int32_t Start, int32_t Length, int64_t& Inserted, const TMessage& Cause);
    // Tells the callback of every object the range removes; false when it freed the control.
    bool ObjectsLeaving(int32_t Start, int32_t Length);
    int32_t ObjectsIn(int32_t Start, int32_t Length) const;
    // After any change of the text: the view follows, then the notices; false when a handler
    // freed the control.
    bool AfterEdit(bool Whole);
    // EN_SELCHANGE when the selection is not what was last told.
    void CheckSelectionChange();
    // EN_REQUESTRESIZE when the text's height is not what was last told; false when a handler
    // freed the control.
    bool CheckHeightChange();
    // The program's replace of a range (lines, SelText): read-only, protection and the limit
    // are the user's, not its.
    void ProgramReplace(int32_t Start, int32_t Length, std::string_view Text, bool CanUndo);
    // The owner's answer through TGuardedOleCallback: E_NOTIMPL without a callback, E_FAIL
    // when it threw.
    template <typename TCall>
    HRESULT CallBack(TCall Call) const;

    // richeditview.cpp: formatting rectangle, scrolling, caret, invalidation.
    TRect DefaultFormattingRect() const;
    void UpdateWrapWidth();
    // Where the layout's (0, 0) is in the client area, and a client point in the layout's terms.
    TPoint Origin() const;
    TPoint LayoutPoint(TPoint Client) const;
    // A copy of the control painted into another's picture (a grid cell showing the control)
    // has no view of its own: the text is formatted into the client area from its start.
    void PaintCopy();
    int32_t PageHeight() const;
    void Select(int32_t Anchor, int32_t Caret);
    void ProgramSelect(int32_t Anchor, int32_t Caret);
    // Takes the selection from the engine when a caller set it there directly.
    void FollowEngineSelection();
    void SetTopY(int32_t Value);
    void SetScrollX(int32_t Value);
    void UpdateScrollBars();
    void UpdateCaret();
    // After the lines were laid out again at another width: the view within the text, the
    // bars and the caret where the text now is.
    void FollowLayout();
    void InvalidateRange(int32_t From, int32_t To);
    void InvalidateChanged();
    void VScrollNative(TMessage& Message);
    void HScrollNative(TMessage& Message);
    void WheelNative(TMessage& Message);

    // richeditkeys.cpp
    LRESULT DialogCode() const;
    void KeyDownNative(TMessage& Message);
    void CharNative(TMessage& Message);
    bool RunAction(TEditAction Action, bool Extend, const TMessage& Cause);
    int32_t Moved(TEditAction Action, int32_t From) const;
    int32_t LineStartOf(int32_t Position) const;
    int32_t LineEndOf(int32_t Position) const;
    int32_t VerticalMove(int32_t From, int32_t Delta) const;
    bool DeleteAround(TEditAction Action, const TMessage& Cause);
    // Removes the range, as the user allowed to.
    bool Remove(int32_t Start, int32_t Length);
    bool CutNative(const TMessage& Cause);
    // Whether Position stands before a cell's end in a table row.
    bool InsideCell(int32_t Position) const;
    void TypeChars(std::string_view Chars, const TMessage& Cause);
    void UserUndo(bool Again);

    // richeditmouse.cpp
    // The character whose box holds Point (client coordinates); -1 for none.
    int32_t CharAtPoint(TPoint Point) const;
    // The object whose box holds Point; -1 for none.
    int32_t ObjectAtPoint(TPoint Point) const;
    // EN_LINK for a mouse message at Point over a link; true when it was over one.
    bool NotifyLink(const TMessage& Message, TPoint Point);
    void MouseDownNative(TMessage& Message, bool Double);
    void MouseMoveNative(TMessage& Message);
    void MouseUpNative();
    void AutoScrollTick();
    bool SetCursorNative(TMessage& Message);
    void ContextMenuNative(TMessage& Message);

    // richeditclipboard.cpp
    // False when nothing went there: another window holds the clipboard, or the callback freed
    // the control.
    bool PutOnClipboard(uint32_t Reason);
    bool PasteNative(const TMessage& Cause);

    TRichEditEngine FEngine;
    std::unique_ptr<TRichEditStrings> FLines;
    std::unique_ptr<TTextAttributes> FSelAttributes;
    std::unique_ptr<TTextAttributes> FDefAttributes;
    std::unique_ptr<TParaAttributes> FParagraph;
    std::unique_ptr<TView> FView;
    IRichEditOleCallback* FOleCallback = nullptr;
    uint32_t FEventMask = 0;
    int32_t FMaxLength = 0;
    bool FHideSelection = true;
    bool FHideScrollBars = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = bsSingle;
};

// The rich-text control forms put on.
class TRichEdit : public TCustomRichEdit {
    VEX_CLASS(TRichEdit, TCustomRichEdit)

public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};

}  // namespace vex

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/stringlist.h"
#include "platform/ui/controlcanvas.h"
#include "platform/ui/listboxcontent.h"
#include "platform/ui/listboxmessages.h"
#include "platform/ui/ownerdraw.h"
#include "platform/ui/wincontrol.h"

namespace vex {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TListBoxStrings;

// A scrolling list of text items to pick one or several from. Items (with objects) are held by
// the control itself, and the LB_ messages (listboxmessages.h) read and change them as the
// window's own procedure would, with or without a window: Items and the properties go through
// the same routines. Keys: the arrows, Page Up/Down, Home and End move the caret (and, but in a
// simple multiple selection, the selection), a typed character jumps to the next item starting
// with it, Space toggles an item of a multiple selection; Shift and Ctrl extend and keep an
// extended selection, with the keys and the mouse. A press selects the item under the pointer
// and a drag carries the selection along, scrolling at the ends. A change the user makes fires
// OnClick (LBN_SELCHANGE), a double click OnDblClick (LBN_DBLCLK). Painting is in
// listboxpaint.cpp, input in listboxinput.cpp, the messages in listboxwindow.cpp.
class TCustomListBox : public TWinControl {
    VEX_CLASS(TCustomListBox, TWinControl)

public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings& Items();
    void SetItems(const TStrings& Value);
    void Clear();

    // The selected item of a single selection, the caret's of a multiple one; -1 for none.
    int32_t ItemIndex();
    void SetItemIndex(int32_t Value);
    // Out of range raises EListError.
    bool Selected(int32_t Index);
    void SetSelected(int32_t Index, bool Value);
    int32_t SelCount();

    // Keeps the items in collating order (letters in any case): switching it on sorts them.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    // With MultiSelect: a click selects one item, Shift and Ctrl extend the selection (on by
    // default); off, a click toggles an item.
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // The row height of the owner-drawn styles (the first guess of the variable one); the
    // standard style takes the font's. A row is at most MaxItemHeight high: a taller one asked
    // for, here or by OnMeasureItem, is cut to it.
    static constexpr int32_t MaxItemHeight = 255;
    int32_t ItemHeight();
    void SetItemHeight(int32_t Value);
    int32_t TopIndex();
    void SetTopIndex(int32_t Value);
    // The distance of the tab stops, in dialog units: a quarter of the font's average character
    // width (0: every 32 units). Tabs align on them where LBS_USETABSTOPS is in the styles, a
    // style a descendant adds in CreateParams.
    int32_t TabWidth() const { return FTabWidth; }
    void SetTabWidth(int32_t Value);
    // Heights that would cut a row off are trimmed to whole rows.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);

    // The item at Pos (client coordinates); with Existing, -1 past the last item, else the
    // index after it.
    int32_t ItemAtPos(TPoint Pos, bool Existing);
    // The item's row in client coordinates, also when scrolled out of sight.
    TRect ItemRect(int32_t Index);

    TCanvas& Canvas() { return FCanvas; }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void WndProc(TMessage& Message) override;
    // The window's own procedure: the LB_ messages, the keys, the mouse and the scroll bar.
    void DefaultHandler(TMessage& Message) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void PaintWindow(HDC DC) override;
    // Draws an item on Canvas, which comes with the brush and font colours of its state.
    virtual void DrawItem(int32_t Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int32_t Index, int32_t& Height);
    // LBN_SELCHANGE and LBN_DBLCLK, which the window sends as the user changes the selection
    // or double-clicks.
    virtual void CNCommand(TMessage& Message);
    void CMFontChanged(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    friend class TListBoxStrings;

    // The styles of the window, made or to be made: a descendant's additions count.
    DWORD ListStyle();
    void StyleChanged();
    bool IsMulti() { return (ListStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool IsExtended() { return (ListStyle() & LBS_EXTENDEDSEL) != 0; }
    bool IsVariable() { return (ListStyle() & LBS_OWNERDRAWVARIABLE) != 0; }

    // Item changes, with the window kept up to date; -1 when refused.
    int32_t AddItem(const std::string& Text, TObject* Object);
    int32_t InsertItem(int32_t Index, const std::string& Text, TObject* Object);
    bool DeleteItem(int32_t Index);
    void ResetContent();
    void SetItemText(int32_t Index, const std::string& Text);
    void SetRedraw(bool Value);

    // Geometry (listboxlayout.cpp).
    int32_t StandardHeight();
    int32_t RowHeight(int32_t Index);
    void MeasureNew(int32_t Index);
    int32_t VisibleRows();
    int32_t MaxTopIndex();
    void ScrollTo(int32_t Top);
    void MakeVisible(int32_t Index);
    void UpdateScrollBar();
    void InvalidateItem(int32_t Index);
    void ContentChanged(int32_t FromIndex);
    // The first tab stop right of X, in pixels.
    int32_t NextTabStop(int32_t X);
    int32_t ItemFromPoint(TPoint Pos, bool& Outside);

    // The user's moves (listboxinput.cpp).
    void Notify(uint16_t Code);
    void SelectByUser(int32_t Index, bool Shift, bool Ctrl, bool Toggle);
    void MoveByKey(uint16_t Key);
    void TypeCharacter(char Ch);
    void PressAt(TPoint Pos, WPARAM Keys, bool Double);
    void DragTo(TPoint Pos);
    void Release();
    void Scroll(WPARAM Request);
    void Wheel(int16_t Delta);

    // The LB_ messages (listboxwindow.cpp).
    bool ListMessage(TMessage& Message);
    LRESULT SetCurSel(int32_t Index);
    LRESULT SelectString(int32_t Start, const char* Prefix);

    void DrawItems(HDC DC);
    void DrawRow(int32_t Index, const TRect& Rect);
    void DrawTabbedText(const TRect& Rect, const std::string& Text);

    TListBoxContent FContent;
    std::unique_ptr<TListBoxStrings> FItems;
    TControlCanvas FCanvas;
    std::vector<int32_t> FTabStops;
    TListBoxStyle FStyle = lbStandard;
    int32_t FItemHeight = 16;
    int32_t FTopIndex = 0;
    int32_t FTabWidth = 0;
    int32_t FWheelRest = 0;
    int32_t FStandardHeight = 0;  // 0 until measured with the font
    int32_t FAverageCharWidth = 0;
    DWORD FListStyle = 0;
    bool FListStyleKnown = false;
    bool FSorted = false;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
    bool FRedraw = true;
    bool FTracking = false;  // the left button went down on the list and is still down
    bool FTrackingToggles = false;
};

// The list box with its properties published.
class TListBox : public TCustomListBox {
    VEX_CLASS(TListBox, TCustomListBox)

public:
    using TCustomListBox::TCustomListBox;
};

}  // namespace vex

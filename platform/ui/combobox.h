#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/stringlist.h"
#include "platform/ui/controlcanvas.h"
#include "platform/ui/wincontrol.h"

namespace vex {

class TComboBoxEdit;
class TComboBoxList;

// csDropDown: an edit with a button; csDropDownList: a face showing the chosen item. The other
// three are for combo boxes that lay out or draw their items themselves (csSimple: no button, no
// list); this one shows them as csDropDownList.
enum TComboBoxStyle { csDropDown, csDropDownList, csSimple, csOwnerDrawFixed, csOwnerDrawVariable };

// A closed face that shows one item of a list the button drops down, or (csDropDown) an edit
// that takes any text, the items offered. Closed, the arrows, Page Up/Down and (but in the edit,
// where they edit) Home, End and a typed letter change the item; Alt+Down, Alt+Up, F4 and a press
// on the face or its button open the list. Open, the same keys move through the list, Enter or a
// click on an item picks it, Escape or a press outside closes it unchanged, and so does losing the
// focus. A change the user makes fires OnClick and OnChange; setting ItemIndex or Text fires
// nothing. The list is a TComboBoxList (comboboxlist.h); input is in comboboxinput.cpp.
class TCustomComboBox : public TWinControl {
    VEX_CLASS(TCustomComboBox, TWinControl)

public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    TStrings& Items();
    void SetItems(const TStrings& Value);
    // The chosen item, -1 for none; the text follows it.
    int32_t ItemIndex();
    void SetItemIndex(int32_t Value);
    // How many rows the list shows at most before it scrolls.
    int32_t DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int32_t Value);
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);
    // The row height of the list, which the face's height follows.
    int32_t ItemHeight();
    void Clear();

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    // The edit takes the focus of a drop-down combo box.
    void SetFocus() override;
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    friend class TComboBoxEdit;
    friend class TComboBoxList;

    void CreateParams(TCreateParams& Params) override;
    void PaintWindow(HDC DC) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();

    // Opens the list under the face (above it when the screen ends below).
    void OpenList();
    // Closes the list; with Accept the item it shows becomes the chosen one.
    void CloseList(bool Accept);
    // Makes Index the chosen item as the user did: the face shows it and, when it changed,
    // OnClick and OnChange fire.
    void ChooseByUser(int32_t Index);

private:
    // Shows Index on the face (in the edit, selected) without telling anyone.
    void ShowItem(int32_t Index);
    // The user changed the edit's text: the item it names is the chosen one, the open list
    // shows the first starting with it, and OnChange fires.
    void EditChanged();
    // Makes or frees the edit as the style asks, and places it left of the button.
    void UpdateEdit();
    // Hands a key or character to the list and makes its new item the chosen one.
    void MoveThroughList(UINT Msg, WPARAM Key);
    bool HandleKey(uint16_t Key, bool Alt);
    int32_t FaceHeight();
    // The chosen item over Face, marked while the control has the focus.
    void PaintFace(HDC DC, const TRect& Face);
    TRect ButtonRect();

    std::unique_ptr<TComboBoxList> FList;
    TComboBoxEdit* FEdit = nullptr;  // owned as a component; only with csDropDown
    bool FShowingItem = false;
    TControlCanvas FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    int32_t FDropDownCount = 8;
    // The chosen item while the list is open: the list's own follows the pointer and keys.
    int32_t FChosen = -1;
    bool FDroppedDown = false;
    // OnDropDown is running: a handler that opens the list only lets this opening go on.
    bool FOpening = false;
};

// The combo box with its properties published.
class TComboBox : public TCustomComboBox {
    VEX_CLASS(TComboBox, TCustomComboBox)

public:
    using TCustomComboBox::TCustomComboBox;
};

}  // namespace vex

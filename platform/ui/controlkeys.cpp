#include <algorithm>
#include <memory>

#include "platform/core/stringutils.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

// The dialog-code bit a control answers to keep Key from dialog navigation; 0 for a key that
// is no dialog key.
LRESULT DialogCodeFor(WPARAM Key) {
    switch (Key) {
        case VK_TAB:
            return DLGC_WANTTAB;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return DLGC_WANTARROWS;
        case VK_RETURN:
        case VK_ESCAPE:
            return DLGC_WANTALLKEYS;
        default:
            return 0;
    }
}

// The form's answer to a dialog key or character; 0 when the control is in no form.
LRESULT AskForm(TControl* Control, UINT Msg, const TMessage& Message) {
    TCustomForm* form = GetParentForm(Control);
    return form != nullptr ? form->Perform(Msg, Message.WParam, Message.LParam) : 0;
}

// A shortcut of the form's menu takes a key before the control that has the focus sees it.
bool IsMenuKey(TControl* Control, TMessage& Message) {
    TCustomForm* form = GetParentForm(Control);
    return form != nullptr && form->IsShortCut(Message);
}

}  // namespace

bool IsAccel(uint16_t Key, const std::string& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        ++i;
        if (Caption[i] == '&') continue;
        return Key <= 0xFF &&
               AnsiSameText(std::string(1, Caption[i]), std::string(1, static_cast<char>(Key)));
    }
    return false;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::FormPreviews(bool (TWinControl::*Step)(TMessage&), TMessage& Message) {
    TCustomForm* form = GetParentForm(this);
    return form != nullptr && form != this && form->KeyPreview() &&
           (static_cast<TWinControl*>(form)->*Step)(Message);
}

bool TWinControl::PassKey(TMessage& Message, bool (TWinControl::*Step)(TMessage&),
                          void (TWinControl::*Method)(uint16_t&, TShiftState)) {
    const std::weak_ptr<const void> life = LifeToken();
    if (FormPreviews(Step, Message) || life.expired()) return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    auto key = static_cast<uint16_t>(Message.WParam);
    (this->*Method)(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0 || life.expired();
}

bool TWinControl::DoKeyDown(TMessage& Message) {
    return PassKey(Message, &TWinControl::DoKeyDown, &TWinControl::KeyDown);
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    return PassKey(Message, &TWinControl::DoKeyUp, &TWinControl::KeyUp);
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    if (FormPreviews(&TWinControl::DoKeyPress, Message) || life.expired()) return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    auto ch = static_cast<char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = static_cast<uint8_t>(ch);
    return ch == '\0' || life.expired();
}

void TWinControl::WMKeyDown(TMessage& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    const std::weak_ptr<const void> life = LifeToken();
    if (IsMenuKey(this, Message) || life.expired()) return;
    const LRESULT wanted = DialogCodeFor(Message.WParam);
    // A control keeps a dialog key when it says so in either way; otherwise the form may use it.
    if (wanted != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, 0) == 0 && !life.expired() &&
        (Perform(WM_GETDLGCODE, 0, 0) & wanted) == 0 && !life.expired() &&
        AskForm(this, CM_DIALOGKEY, Message) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message) {
    Message.Result = 1;
    const std::weak_ptr<const void> life = LifeToken();
    if (IsMenuKey(this, Message) || life.expired()) return;
    Message.Result = AskForm(this, CM_DIALOGKEY, Message) != 0 ? 1 : 0;
}

void TWinControl::CNChar(TMessage& Message) {
    Message.Result = 1;
    const std::weak_ptr<const void> life = LifeToken();
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 && !life.expired() &&
        AskForm(this, CM_DIALOGCHAR, Message) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message) {
    // Alt+Space opens the window menu, which is no accelerator.
    if (Message.WParam != VK_SPACE) Message.Result = AskForm(this, CM_DIALOGCHAR, Message);
}

void TWinControl::CMDialogKey(TMessage& Message) {
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message) {
    Broadcast(Message);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* control : FTabList) {
        List.push_back(control);
        control->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const size_t count = list.size();
    const auto at = std::find(list.begin(), list.end(), CurControl);
    size_t start =
        at != list.end() ? static_cast<size_t>(at - list.begin()) : (GoForward ? count - 1 : 0);
    size_t i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[i];
        if (candidate->CanFocus() && (!CheckTabStop || candidate->TabStop()) &&
            (!CheckParent || candidate->Parent() == this))
            return candidate;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

}  // namespace vex

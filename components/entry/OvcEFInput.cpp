#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "components/entry/OvcEF.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/menus.h"
#include "platform/ui/menutracker.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/capture.h"
#include "platform/win/clipboard.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

bool IsPadDigit(WPARAM Key) {
    return Key >= static_cast<WPARAM>(VK_NUMPAD0) && Key <= static_cast<WPARAM>(VK_NUMPAD9);
}

enum class TMenuAction { None, Restore, Cut, Copy, Paste, Delete, SelectAll };

// In the order of OwnMenuCaption's items.
constexpr std::array<TMenuAction, 8> OwnMenuActions = {
    TMenuAction::Restore, TMenuAction::None,   TMenuAction::Cut,  TMenuAction::Copy,
    TMenuAction::Paste,   TMenuAction::Delete, TMenuAction::None, TMenuAction::SelectAll};

}  // namespace

void TOvcBaseEntryField::Beep() {
    if (FBeepOnError) MessageBeep(0);
}

void TOvcBaseEntryField::DoOnChange() {
    if (!EntryState.Contains(esStoringValue) && OnChange) OnChange(this);
}

bool TOvcBaseEntryField::CommandIsEditing(uint16_t Cmd) const {
    return Cmd == ccBack || (Cmd >= ccCtrlChar && Cmd <= ccDelWord) || Cmd == ccInc ||
           Cmd == ccPaste || Cmd == ccRestore || Cmd == ccChar;
}

void TOvcBaseEntryField::DoEdit(TMessage& Msg, uint16_t Cmd) {
    if (!HandleAllocated() || FDestroying) return;
    if (Cmd == ccChar && static_cast<char>(Msg.WParam) == '\0') return;
    EntryState.Exclude(esAllowChar);
    if (GetReadOnly() && CommandIsEditing(Cmd)) {
        Beep();
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (Cmd >= ccUserFirst) {
        if (OnUserCommand) OnUserCommand(this, Cmd);
        if (life.expired()) return;
        Cmd = ccBrokenSequence;
    }
    PerformEdit(Msg, Cmd);
    if (!life.expired() && FieldHasFocus()) UpdateCaret();
}

std::string TOvcBaseEntryField::ClipboardText() {
    const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
    if (!clipboard.Open()) return {};
    const std::string* data = GetClipboardData(CF_TEXT);
    if (data == nullptr) return {};
    // Nothing longer than the field can hold is ever copied out of the clipboard's block.
    return std::string(data->data(),
                       strnlen(data->data(), std::min<size_t>(data->size(), FMaxLength)));
}

void TOvcBaseEntryField::CopyToClipboard() {
    if (SelEnd <= SelStart) return;
    const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
    if (!clipboard.Open()) return;
    EmptyClipboard();
    const size_t end = std::min<size_t>(SelEnd, EditString.size());
    const size_t start = std::min<size_t>(SelStart, end);
    SetClipboardData(CF_TEXT, EditString.substr(start, end - start));
}

void TOvcBaseEntryField::SetSelection(uint16_t Start, uint16_t End) {
    const auto length = static_cast<uint16_t>(EditString.size());
    Start = std::min(Start, length);
    End = std::min(End, length);
    if (End < Start) return;
    if (FieldClass() == fcNumeric && End > Start) {
        Start = 0;
        End = MaxEntryFieldLength;
    }
    SelStart = Start;
    SelEnd = End;
    Invalidate();
}

void TOvcBaseEntryField::Restore() {
    if (!SavedText) return;
    EditString = *SavedText;
    PlaceCaretOnEnter();
    SelStart = 0;
    SelEnd = static_cast<uint16_t>(EditString.size());
    EntryState.Exclude(esModified);
    if (FieldHasFocus()) UpdateCaret();
    Invalidate();
    DoOnChange();
}

void TOvcBaseEntryField::SetInsertMode(bool Value) {
    if (Value)
        EntryState.Include(esInsertMode);
    else
        EntryState.Exclude(esInsertMode);
    FCaret->SetInsertMode(Value);
}

void TOvcBaseEntryField::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case EM_GETSEL: {
            if (auto* start = reinterpret_cast<uint32_t*>(Message.WParam)) *start = SelStart;
            if (auto* end = reinterpret_cast<uint32_t*>(Message.LParam)) *end = SelEnd;
            Message.Result = MAKELONG(SelStart, SelEnd);
            return;
        }
        case EM_SETSEL: {
            const auto start = LOWORD(Message.LParam);
            const auto end = HIWORD(Message.LParam);
            if (start == 0xFFFF)
                SetSelection(CaretPos, CaretPos);
            else if (start == 0 && end == 0xFFFF)
                SetSelection(0, static_cast<uint16_t>(EditString.size()));
            else
                SetSelection(start, end);
            Invalidate();
            return;
        }
        case EM_GETMODIFY:
            Message.Result = EntryState.Contains(esModified) ? 1 : 0;
            return;
        case EM_SETMODIFY:
            if (static_cast<int32_t>(Message.WParam) >= 1) {
                EntryState.Include(esModified);
                EntryState.Include(esModifiedSinceEnter);
            } else {
                EntryState.Exclude(esModified);
            }
            return;
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(Message.LParam);
            std::string value = text != nullptr ? text : "";
            SetSelection(0, static_cast<uint16_t>(EditString.size()));
            TMessage paste{WM_PASTE, 0, reinterpret_cast<LPARAM>(&value), 0};
            DoEdit(paste, ccPaste);
            Message.Result = 1;
            return;
        }
        case WM_COPY:
            // A password stays in the field.
            if (!FPasswordMode) CopyToClipboard();
            DoEdit(Message, ccCopy);
            return;
        case WM_CUT:
            if (FPasswordMode) {
                // Nor is it cut away into nothing; the key's character is no text either.
                EntryState.Exclude(esAllowChar);
                Beep();
                return;
            }
            // Nothing of a read-only field goes to the clipboard that the cut would not take.
            if (!GetReadOnly()) CopyToClipboard();
            DoEdit(Message, ccCut);
            return;
        case WM_PASTE: {
            std::string text = ClipboardText();
            TMessage paste{WM_PASTE, 0, reinterpret_cast<LPARAM>(&text), 0};
            DoEdit(paste, ccPaste);
            return;
        }
        case WM_CLEAR:
            DoEdit(Message, ccCut);
            return;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return;
        case OVCM_REPORTERROR: {
            // The report's handler may free the field.
            const std::weak_ptr<const void> life = LifeToken();
            ReportError(static_cast<uint16_t>(Message.WParam));
            if (life.expired()) return;
            // A field that could not take the focus back lets the other fields validate again.
            if (!FieldHasFocus()) ClearErrorPendingIfOurs();
            return;
        }
        case OVCM_GETDATASIZE:
            Message.Result = DataSize();
            return;
        default:
            TOvcBase::WndProc(Message);
    }
}

void TOvcBaseEntryField::WMKeyDown(TMessage& Message) {
    const auto key = Message.WParam;
    if (Message.Msg == WM_SYSKEYDOWN && (key == VK_TAB || key == VK_MENU)) {
        TOvcBase::WMKeyDown(Message);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (DoKeyDown(Message) || life.expired()) return;
    if (Message.WParam == VK_SHIFT || Controller() == nullptr) return;
    uint16_t cmd = Controller()->EntryCommands().Translate(Message);
    if (cmd == ccUndo) cmd = ccRestore;
    switch (cmd) {
        case ccNone:
            break;
        case ccIns:
            if (!FForceInsert && !FForceOvertype) DoEdit(Message, cmd);
            break;
        case ccCopy:
            Perform(WM_COPY, 0, 0);
            break;
        case ccCut:
            Perform(WM_CUT, 0, 0);
            break;
        case ccPaste:
            Perform(WM_PASTE, 0, 0);
            break;
        default:
            DoEdit(Message, cmd);
            break;
    }
    if (life.expired()) return;
    if (Message.Msg == WM_SYSKEYDOWN && IsPadDigit(key)) {
        EntryState.Include(esAllowChar);
        EntryState.Include(esAltNumpad);
    }
}

void TOvcBaseEntryField::WMChar(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    if (DoKeyPress(Message) || life.expired()) return;
    if (EntryState.Contains(esAllowChar)) DoEdit(Message, ccChar);
    if (!life.expired()) EntryState.Exclude(esAltNumpad);
}

// Alt+Backspace is the field's restore key, not a form's accelerator.
void TOvcBaseEntryField::CMDialogChar(TMessage& Message) {
    if (Message.WParam == VK_BACK && (GetKeyState(VK_MENU) < 0)) {
        Message.Result = 0;
        return;
    }
    TOvcBase::CMDialogChar(Message);
}

void TOvcBaseEntryField::WMLButtonDown(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    if (!FieldHasFocus()) {
        EntryState.Include(esMouseEntering);
        SelStart = SelEnd = 0;
        if (CanFocus()) SetFocus();
        if (life.expired()) return;
        EntryState.Exclude(esMouseEntering);
    }
    TOvcBase::WMLButtonDown(Message);
    if (!life.expired() && FieldHasFocus()) DoEdit(Message, ccMouse);
}

void TOvcBaseEntryField::WMLButtonDblClk(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcBase::WMLButtonDblClk(Message);
    if (!life.expired() && FieldHasFocus()) DoEdit(Message, ccDblClk);
}

void TOvcBaseEntryField::WMMouseMove(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcBase::WMMouseMove(Message);
    if (!life.expired() && HandleAllocated() && GetCapture() == Handle() &&
        (Message.WParam & MK_LBUTTON) != 0)
        DoEdit(Message, ccMouseMove);
}

void TOvcBaseEntryField::WMRButtonUp(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcBase::WMRButtonUp(Message);
    if (life.expired() || PopupMenu() != nullptr) return;
    ShowOwnMenu(ClientToScreen(Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))));
}

void TOvcBaseEntryField::ShowOwnMenu(TPoint Screen) {
    const bool selected = SelEnd > SelStart;
    const bool readOnly = GetReadOnly();
    const auto enabled = [&](TMenuAction Action) {
        switch (Action) {
            case TMenuAction::Restore:
                return EntryState.Contains(esModified);
            case TMenuAction::Cut:
                return selected && !readOnly && !FPasswordMode;
            case TMenuAction::Delete:
                return selected && !readOnly;
            case TMenuAction::Copy:
                return selected && !FPasswordMode;
            case TMenuAction::Paste:
                return !readOnly && IsClipboardFormatAvailable(CF_TEXT);
            case TMenuAction::SelectAll:
                return EditString.size() > static_cast<size_t>(SelEnd - std::min(SelStart, SelEnd));
            default:
                return true;
        }
    };
    TMenuAction action = TMenuAction::None;
    {
        // The items live only while the menu is open.
        TPopupMenu menu(nullptr);
        for (size_t i = 0; i < OwnMenuActions.size(); ++i) {
            auto* item = new TMenuItem(&menu);
            item->SetCaption(OwnMenuCaption(static_cast<int32_t>(i)));
            item->SetTag(static_cast<int32_t>(OwnMenuActions[i]));
            item->SetEnabled(enabled(OwnMenuActions[i]));
            menu.Items()->Add(item);
        }
        const std::weak_ptr<const void> life = LifeToken();
        TMenuTracker tracker(menu, nullptr);
        TMenuItem* chosen = tracker.TrackPopup(*menu.Items(), Screen);
        if (life.expired()) return;
        if (chosen != nullptr) action = static_cast<TMenuAction>(chosen->Tag());
    }
    switch (action) {
        case TMenuAction::Restore: {
            TMessage msg{WM_COMMAND, 0, 0, 0};
            DoEdit(msg, ccRestore);
            break;
        }
        case TMenuAction::Cut:
            Perform(WM_CUT, 0, 0);
            break;
        case TMenuAction::Copy:
            Perform(WM_COPY, 0, 0);
            break;
        case TMenuAction::Paste:
            Perform(WM_PASTE, 0, 0);
            break;
        case TMenuAction::Delete:
            Perform(WM_CLEAR, 0, 0);
            break;
        case TMenuAction::SelectAll:
            Perform(EM_SETSEL, 0, MAKELONG(0, 0xFFFF));
            break;
        case TMenuAction::None:
            break;
    }
}

void TOvcBaseEntryField::WMSetFocus(TMessage& Message) {
    if (ComponentState().Contains(csDesigning) || FDestroying) {
        TOvcBase::WMSetFocus(Message);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    EntryState.Include(esHasFocus);
    TOvcController* controller = Controller();
    if (controller != nullptr) controller->EntryCommands().ResetCommandProcessor();
    if (EntryState.Contains(esRefocusing)) {
        const auto from = static_cast<HWND>(Message.WParam);
        if (from != 0 && IsWindow(from)) {
            SendMessage(from, WM_CANCELMODE, 0, 0);
            TPoint cursor;
            GetCursorPos(cursor);
            ::vex::ScreenToClient(from, cursor);
            SendMessage(from, WM_LBUTTONUP, 0,
                        MAKELONG(static_cast<uint16_t>(cursor.X), static_cast<uint16_t>(cursor.Y)));
            if (life.expired()) return;
        }
        if (TCustomForm* form = Form()) form->SetActiveControl(this);
    }
    if (!FForceInsert && !FForceOvertype && controller != nullptr)
        SetInsertMode(controller->InsertMode);
    const bool passingThrough =
        controller != nullptr && controller->ErrorPending && !EntryState.Contains(esErrorPosted);
    if (!EntryState.Contains(esLeavingForm) && !passingThrough) {
        if (!EntryState.Contains(esRefocusing)) EntryState.Exclude(esModified);
        if (controller != nullptr)
            controller->DoPreEdit(this, FindControl(static_cast<HWND>(Message.WParam)));
        SavedText = EditString;
    }
    if (!EntryState.Contains(esLeavingForm) && !EntryState.Contains(esMouseEntering)) {
        PlaceCaretOnEnter();
        if (!passingThrough && FAutoSelect)
            SetSelection(0, static_cast<uint16_t>(EditString.size()));
    }
    if (passingThrough && !FSoftValidation)
        EntryState.Include(esNoValidate);
    else
        EntryState.Exclude(esNoValidate);
    for (TEntryState flag : {esErrorPosted, esLeavingForm, esMouseEntering, esRefocusing})
        EntryState.Exclude(flag);
    FOwnsErrorPending = false;
    if (controller != nullptr && !passingThrough) controller->ErrorPending = false;
    TOvcBase::WMSetFocus(Message);
    if (life.expired()) return;
    FCaret->SetLinked(true);
    UpdateCaret();
    FCaret->SetVisible(true);
    Invalidate();
}

void TOvcBaseEntryField::WMKillFocus(TMessage& Message) {
    if (FDestroying) {
        FCaret->SetLinked(false);
        TOvcBase::WMKillFocus(Message);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    const auto target = static_cast<HWND>(Message.WParam);
    TWinControl* targetControl = target != 0 ? FindControl(target) : nullptr;
    TCustomForm* form = Form();
    const bool offForm = target == 0 || (HandleAllocated() && target == Handle()) ||
                         targetControl == nullptr || GetParentForm(targetControl) != form;
    if (offForm)
        EntryState.Include(esLeavingForm);
    else
        EntryState.Exclude(esLeavingForm);
    FCaret->SetVisible(false);
    FCaret->SetLinked(false);
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    TOvcBase::WMKillFocus(Message);
    if (life.expired()) return;
    TOvcController* controller = Controller();
    if (!FForceInsert && !FForceOvertype && controller != nullptr)
        controller->InsertMode = EntryState.Contains(esInsertMode);
    // A field taking the focus back to report its error is no move on: validating this one
    // then would send the focus back and forth between two bad fields for ever.
    const auto* errorField = dynamic_cast<const TOvcBaseEntryField*>(targetControl);
    if (errorField != nullptr && errorField != this &&
        errorField->EntryState.Contains(esErrorPosted))
        EntryState.Include(esNoValidate);
    if (!EntryState.Contains(esErrorPosted) && !EntryState.Contains(esNoValidate)) {
        EntryState.Include(esRefocusing);
        if (!offForm) {
            if (EntryState.Contains(esModified)) FUninitialized = false;
            if (controller != nullptr && controller->IsSpecialControl(target)) {
                LastErrorCode = ValidateData();
            } else {
                ValidateContents(true);
                if (life.expired()) return;
                if (!EntryState.Contains(esErrorPosted)) EntryState.Exclude(esRefocusing);
            }
        }
    } else if (EntryState.Contains(esErrorPosted)) {
        EntryState.Include(esRefocusing);
    } else {
        EntryState.Exclude(esRefocusing);
    }
    EntryState.Exclude(esHasFocus);
    if (!offForm && !EntryState.Contains(esNoValidate) && controller != nullptr)
        controller->DoPostEdit(this, targetControl);
    EntryState.Exclude(esNoValidate);
    if (!offForm) MoveCaretToStart();
    Invalidate();
}

void TOvcBaseEntryField::CMVisibleChanged(TMessage& Message) {
    if (!Visible()) ClearErrorPendingIfOurs();
    TOvcBase::CMVisibleChanged(Message);
}

void TOvcBaseEntryField::CMEnabledChanged(TMessage& Message) {
    if (!Enabled()) ClearErrorPendingIfOurs();
    TOvcBase::CMEnabledChanged(Message);
    Invalidate();
}

}  // namespace vex

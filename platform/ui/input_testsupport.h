#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/window.h"

namespace vex::test {

using TLog = std::vector<std::string>;

// A windowed tab stop that writes into a shared log what reaches it: focus, enter and exit,
// key methods, clicks, and the keys its native procedure gets. It keeps from dialog navigation
// the keys DialogCode names, as an edit control would.
class TLogged : public TWinControl {
public:
    TLogged(TComponent* AOwner, TLog& Log, std::string Tag, LRESULT DialogCode = 0)
        : TWinControl(AOwner), DialogCode(DialogCode), FLog(Log), FTag(std::move(Tag)) {
        SetTabStop(true);
    }
    LRESULT DialogCode;
    bool WantSpecialKey = false;

    void WndProc(TMessage& Message) override {
        switch (Message.Msg) {
            case WM_GETDLGCODE:
                Message.Result = DialogCode;
                return;
            case CM_WANTSPECIALKEY:
                Message.Result = WantSpecialKey ? 1 : 0;
                return;
            case WM_SETFOCUS:
                Note("setfocus");
                break;
            case WM_KILLFOCUS:
                Note("killfocus");
                break;
            case CM_CANCELMODE:
                Note("cancelmode from " + std::to_string(Message.LParam != 0));
                break;
            default:
                break;
        }
        TWinControl::WndProc(Message);
    }
    void DefaultHandler(TMessage& Message) override {
        if (Message.Msg == WM_KEYDOWN) Note("native key " + std::to_string(Message.WParam));
        if (Message.Msg == WM_CHAR) Note("native char " + std::string(1, char(Message.WParam)));
        TWinControl::DefaultHandler(Message);
    }
    void Click() override {
        Note("click");
        TWinControl::Click();
    }

protected:
    void Note(const std::string& What) { FLog.push_back(FTag + " " + What); }
    void DoEnter() override {
        Note("enter");
        TWinControl::DoEnter();
    }
    void DoExit() override {
        Note("exit");
        TWinControl::DoExit();
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        Note("keydown " + std::to_string(Key));
        TWinControl::KeyDown(Key, Shift);
    }
    void KeyPress(char& Key) override {
        Note("keypress " + std::string(1, Key));
        TWinControl::KeyPress(Key);
    }

private:
    TLog& FLog;
    std::string FTag;
};

// A push button reduced to what dialog keys need: Enter clicks the default one, Escape the
// cancel one, and Alt with the caption's accelerator (or the letter alone, when the focused
// control takes no characters) clicks it.
class TTestButton : public TLogged {
public:
    using TLogged::TLogged;
    bool Default = false;
    bool Cancel = false;

protected:
    void CMDialogKey(TMessage& Message) override {
        const bool plain = KeyDataToShiftState(Message.LParam).Empty();
        if (plain && CanFocus() &&
            ((Message.WParam == VK_RETURN && Default) || (Message.WParam == VK_ESCAPE && Cancel))) {
            Click();
            Message.Result = 1;
            return;
        }
        TLogged::CMDialogKey(Message);
    }
    void CMDialogChar(TMessage& Message) override {
        if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        TLogged::CMDialogChar(Message);
    }
};

// Holds keys down for a scope, as the key-state table sees them.
class TKeysHeld {
public:
    explicit TKeysHeld(std::vector<int32_t> Keys) : FKeys(std::move(Keys)) {
        for (int32_t key : FKeys)
            SetKeyState(key, true);
    }
    ~TKeysHeld() {
        for (int32_t key : FKeys)
            SetKeyState(key, false);
    }
    TKeysHeld(const TKeysHeld&) = delete;
    TKeysHeld& operator=(const TKeysHeld&) = delete;

private:
    std::vector<int32_t> FKeys;
};

// Lets go of every key injected input left down, in the device and in the key-state table,
// so that no test starts with a key held.
inline void ReleaseAllKeys() {
    for (int32_t key = 1; key < 256; ++key)
        if (GetAsyncKeyState(key) < 0) SetAsyncKeyState(key, false);
    SetKeyboardState(TKeyboardState{});
}

// The bit of a key message's data that says Alt was down.
inline constexpr LPARAM AltDown = 0x20000000;

// A key message as the application loop hands it on: offered to the controls first, then
// dispatched to the focused window unless a control used it up. True when it was dispatched.
inline bool DeliverKey(UINT Msg, WPARAM Key, LPARAM Data = 0) {
    const MSG msg{vex::GetFocus(), Msg, Key, Data, 0};
    if (msg.hwnd == 0 || IsKeyMsg(msg)) return false;
    DispatchMessage(msg);
    return true;
}

// A key typed: pressed (with the character it makes, unless 0) and released.
inline void TypeKey(WPARAM Key, char Char = 0) {
    if (DeliverKey(WM_KEYDOWN, Key) && Char != 0) DeliverKey(WM_CHAR, static_cast<uint8_t>(Char));
    DeliverKey(WM_KEYUP, Key);
}

}  // namespace vex::test

#include "dataaware/data/Wwcommon.h"

#include <deque>

#include "platform/gfx/drawtext.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/systemparameters.h"
#include "platform/win/window.h"

namespace vex {

namespace {
// A release: repeat count 1, the key was down, and it is going up.
constexpr LPARAM KeyUpData = 0xC0000001;

// Puts a keyboard state back when the loop takes its message, after what was posted before.
class TKeyboardRestorer {
public:
    TKeyboardRestorer()
        : FWindow(AllocateHWnd([this](TMessage& Message) {
              if (Message.Msg != RestoreMessage || FStates.empty()) return;
              SetKeyboardState(FStates.front());
              FStates.pop_front();
          })) {}
    void Restore(const TKeyboardState& State) {
        FStates.push_back(State);
        PostMessage(FWindow, RestoreMessage, 0, 0);
    }

private:
    static constexpr UINT RestoreMessage = WM_USER + 1;
    HWND FWindow;
    std::deque<TKeyboardState> FStates;
};

// Kept until the process ends, as the application's own hidden window is.
TKeyboardRestorer& KeyboardRestorer() {
    static auto* restorer = new TKeyboardRestorer();
    return *restorer;
}
}  // namespace

bool wwCheckEscape() {
    // Only key-downs are looked at: the key that started a long pass leaves its character and
    // its release queued ahead of any Escape pressed during it.
    MSG msg{};
    if (!PeekMessage(msg, 0, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) return false;
    if (msg.wParam != static_cast<WPARAM>(VK_ESCAPE)) return false;
    PeekMessage(msg, 0, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    return true;
}

bool wwIsClassNamed(const TObject* Object, const std::string& ClassName) {
    return Object != nullptr && Object->InheritsFrom(ClassName);
}

void wwPostShiftedKey(HWND Wnd, uint16_t Modifier, uint16_t Key) {
    TKeyboardState saved{};
    GetKeyboardState(saved);
    TKeyboardState shifted = saved;
    constexpr uint8_t DownAndToggled = 129;
    // A code beyond the table names no key that could be held.
    for (const uint16_t held : {Modifier, Key})
        if (held < shifted.size()) shifted[held] = DownAndToggled;
    SetKeyboardState(shifted);
    PostMessage(Wnd, WM_KEYDOWN, Key, 1);
    PostMessage(Wnd, WM_KEYUP, Key, KeyUpData);
    // The receiver reads the modifier when it takes the key, so the state goes back only once
    // the key's messages have been taken.
    KeyboardRestorer().Restore(saved);
}

void wwGetWorkArea(TRect& Rect) {
    SystemParametersInfo(SPI_GETWORKAREA, 0, &Rect, 0);
}

bool wwFitsOneLine(HDC DC, const TRect& Rect, uint32_t Flags) {
    if (DC == nullptr) return false;
    TRect measured = Rect;
    DrawText(DC, " ", measured, Flags | DT_CALCRECT);
    const int32_t lineHeight = measured.Bottom - measured.Top;
    return lineHeight + 3 + 2 * GetSystemMetrics(SM_CYBORDER) >= Rect.Bottom - Rect.Top;
}

bool wwCleanControlTypes(TComponent* Component, TDataSet* DataSet) {
    TStrings* lines = wwGetControlType(DataSet);
    if (Component == nullptr || lines == nullptr) return true;
    for (int32_t i = lines->Count() - 1; i >= 0; --i) {
        const std::vector<std::string> parts = wwLineParts((*lines)[i], ';');
        if (parts.size() < 2 || !wwIsControlKind(parts[1])) continue;
        const std::string name = parts.size() > 2 ? parts[2] : "";
        const size_t dot = name.find('.');
        const TComponent* holder = dot == std::string::npos ? Component : DataSet->Owner();
        const std::string own = dot == std::string::npos ? name : name.substr(dot + 1);
        if (holder == nullptr || holder->FindComponent(own) == nullptr) lines->Delete(i);
    }
    return true;
}

std::string wwStringsToText(const TStrings& Lines, bool OneLine) {
    std::string text;
    for (int32_t i = 0; i < Lines.Count(); ++i) {
        if (i > 0) text += OneLine ? " " : "\r\n";
        text += Lines[i];
    }
    return text;
}

int32_t wwScale96(int32_t Value, int32_t PixelsPerInch) {
    return static_cast<int32_t>(int64_t{Value} * PixelsPerInch / 96);
}

bool wwIsEditKey(uint16_t Key) {
    return Key == VK_BACK || Key == VK_SPACE || Key == VK_DELETE || (Key >= 48 && Key <= 111) ||
           Key >= 146;
}

}  // namespace vex

#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/translatemessage.h"
#include "platform/win/virtualclock.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex::test {

// Windows that write down the input, focus and capture messages they get, as "name MESSAGE
// details", on a virtual clock; the input state is put back after each test.
class InputScene : public ::testing::Test {
protected:
    InputScene() {
        Current() = this;
        Register("InputProbe", CS_DBLCLKS);
        Register("PlainProbe", 0);
    }
    ~InputScene() override {
        Intercept = nullptr;  // it may reach into a derived fixture, gone by now
        for (auto it = FNames.rbegin(); it != FNames.rend(); ++it)
            if (IsWindow(it->first)) DestroyWindow(it->first);
        ReleaseCapture();
        SetFocus(0);
        Pump();
        for (int32_t key = 1; key < 256; ++key)
            if (GetAsyncKeyState(key) < 0) SetAsyncKeyState(key, false);
        SetKeyboardState(TKeyboardState{});
        Current() = nullptr;
    }

    HWND Make(const std::string& Name, DWORD Style, const TRect& Bounds, HWND Parent = 0,
              const char* Class = "InputProbe") {
        const HWND wnd =
            CreateWindowEx(0, Class, Name, Style, Bounds.Left, Bounds.Top,
                           Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top, Parent, 0, 0);
        FNames[wnd] = Name;
        return wnd;
    }

    // Takes and dispatches everything waiting, translating keys as a message loop does.
    void Pump(bool Translate = false) {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE)) {
            if (Translate) TranslateMessage(msg);
            DispatchMessage(msg);
        }
    }
    std::string Take() { return TakeLines(Lines); }
    void Click(TPoint Screen, TDeviceButton Button = TDeviceButton::Left) {
        InjectMouseMove(Screen);
        InjectMouseButton(Button, true);
        InjectMouseButton(Button, false);
    }
    void Key(int32_t VirtualKey) {
        InjectKey(VirtualKey, true);
        InjectKey(VirtualKey, false);
    }

    std::vector<std::string> Lines;
    // Answers a message instead of DefWindowProc when it returns true.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> Intercept;
    TVirtualClock Clock;
    TClockOverride UseClock{Clock};

private:
    static InputScene*& Current() {
        static InputScene* scene = nullptr;
        return scene;
    }
    static void Register(const char* Name, UINT Style) {
        WNDCLASS probe;
        if (GetClassInfo(Name, probe)) return;
        probe.style = Style;
        probe.lpszClassName = Name;
        probe.lpfnWndProc = [](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
            InputScene* scene = Current();
            if (scene == nullptr) return DefWindowProc(Wnd, Msg, WParam, LParam);
            return scene->Receive(Wnd, Msg, WParam, LParam);
        };
        RegisterClass(probe);
    }

    std::string Name(HWND Wnd) const {
        auto it = FNames.find(Wnd);
        return it == FNames.end() ? (Wnd == 0 ? "-" : "?") : it->second;
    }

    LRESULT Receive(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
        const std::string point =
            " " + std::to_string(GET_X_LPARAM(LParam)) + "," + std::to_string(GET_Y_LPARAM(LParam));
        static const std::map<UINT, const char*> mouse = {
            {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
            {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
            {WM_LBUTTONUP, "WM_LBUTTONUP"},
            {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
            {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
            {WM_RBUTTONUP, "WM_RBUTTONUP"},
            {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
            {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
            {WM_MBUTTONUP, "WM_MBUTTONUP"},
            {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
            {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
            {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
            {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"}};
        static const std::map<UINT, const char*> keys = {
            {WM_KEYDOWN, "WM_KEYDOWN"},   {WM_KEYUP, "WM_KEYUP"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
            {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_CHAR, "WM_CHAR"},   {WM_SYSCHAR, "WM_SYSCHAR"}};
        if (auto it = mouse.find(Msg); it != mouse.end())
            Lines.push_back(Name(Wnd) + " " + it->second + " " + std::to_string(WParam) + point);
        if (auto it = keys.find(Msg); it != keys.end())
            Lines.push_back(Name(Wnd) + " " + it->second + " " + std::to_string(WParam));
        if (Msg == WM_MOUSEWHEEL)
            Lines.push_back(Name(Wnd) + " WM_MOUSEWHEEL " +
                            std::to_string(GET_WHEEL_DELTA_WPARAM(WParam)) + " " +
                            std::to_string(LOWORD(WParam)) + point);
        if (Msg == WM_SETFOCUS || Msg == WM_KILLFOCUS)
            Lines.push_back(Name(Wnd) + (Msg == WM_SETFOCUS ? " WM_SETFOCUS " : " WM_KILLFOCUS ") +
                            Name(static_cast<HWND>(WParam)));
        if (Msg == WM_CAPTURECHANGED)
            Lines.push_back(Name(Wnd) + " WM_CAPTURECHANGED " + Name(static_cast<HWND>(LParam)));
        if (Msg == WM_CANCELMODE) Lines.push_back(Name(Wnd) + " WM_CANCELMODE");
        if (Msg == WM_VSCROLL || Msg == WM_HSCROLL)
            Lines.push_back(Name(Wnd) + (Msg == WM_VSCROLL ? " WM_VSCROLL " : " WM_HSCROLL ") +
                            std::to_string(LOWORD(WParam)) + " " + std::to_string(HIWORD(WParam)));
        LRESULT answer = 0;
        if (Intercept && Intercept(Wnd, Msg, WParam, LParam, answer)) return answer;
        return DefWindowProc(Wnd, Msg, WParam, LParam);
    }

    std::map<HWND, std::string> FNames;
};

}  // namespace vex::test

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/presenter.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"
#include "tests/support/casefile.h"

namespace vex::test {

// The bits a table names, apart by "|": "WS_POPUP|WS_BORDER".
inline uint32_t FlagsOf(const std::string& Names, const std::map<std::string, uint32_t>& Bits) {
    uint32_t flags = 0;
    for (size_t start = 0, bar; start <= Names.size(); start = bar + 1) {
        bar = std::min(Names.find('|', start), Names.size());
        flags |= Bits.at(Names.substr(start, bar - start));
    }
    return flags;
}

// The lines, each ended by a line feed, in one string; Lines is empty after.
inline std::string TakeLines(std::vector<std::string>& Lines) {
    std::string all;
    for (const std::string& line : Lines)
        all += line + "\n";
    Lines.clear();
    return all;
}

// The names tests print messages by.
inline const char* MessageName(UINT Msg) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_TIMER, "WM_TIMER"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_USER, "WM_USER"},
    };
    auto it = names.find(Msg);
    return it == names.end() ? "?" : it->second;
}

// Windows of one class whose procedure writes each message it gets into Lines, as "name
// MESSAGE" with the details that tell one such message from another, then leaves it to
// DefWindowProc unless Intercept answers first. One log at a time.
class MessageLog {
public:
    MessageLog() {
        Current() = this;
        WNDCLASS logged;
        if (!GetClassInfo("LoggedWindow", logged)) {
            logged.lpfnWndProc = [](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
                return Current()->Receive(Wnd, Msg, WParam, LParam);
            };
            logged.lpszClassName = "LoggedWindow";
            RegisterClass(logged);
        }
    }
    ~MessageLog() {
        for (auto it = FNames.rbegin(); it != FNames.rend(); ++it)
            if (IsWindow(it->first)) DestroyWindow(it->first);
        Current() = nullptr;
    }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    HWND Create(const std::string& Name, DWORD Style, const TRect& Bounds, HWND Parent = 0,
                DWORD ExStyle = 0) {
        FNaming = Name;
        const HWND wnd =
            CreateWindowEx(ExStyle, "LoggedWindow", Name, Style, Bounds.Left, Bounds.Top,
                           Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top, Parent, 0, 0);
        FNaming.clear();
        return wnd;
    }
    const std::string& NameOf(HWND Wnd) const { return FNames.at(Wnd); }

    // Returns the lines so far, one string, and starts again.
    std::string Take() { return TakeLines(Lines); }

    // Only these messages are written; all are when it is empty.
    std::set<UINT> Watched;
    std::vector<std::string> Lines;
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> Intercept;

private:
    static MessageLog*& Current() {
        static MessageLog* log = nullptr;
        return log;
    }

    LRESULT Receive(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
        if (!FNaming.empty() && FNames.count(Wnd) == 0) FNames[Wnd] = FNaming;
        if (Watched.empty() || Watched.count(Msg) != 0)
            Lines.push_back(FNames[Wnd] + " " + MessageName(Msg) + Details(Msg, WParam, LParam));
        if (Intercept)
            if (std::optional<LRESULT> answer = Intercept(Wnd, Msg, WParam, LParam)) return *answer;
        return DefWindowProc(Wnd, Msg, WParam, LParam);
    }

    std::string Details(UINT Msg, WPARAM WParam, LPARAM LParam) {
        switch (Msg) {
            case WM_SIZE:
                return " " + std::to_string(WParam) + " " + std::to_string(LOWORD(LParam)) + "x" +
                       std::to_string(HIWORD(LParam));
            case WM_MOVE:
                return " " + std::to_string(static_cast<int16_t>(LOWORD(LParam))) + "," +
                       std::to_string(static_cast<int16_t>(HIWORD(LParam)));
            case WM_ACTIVATE: {
                auto other = FNames.find(static_cast<HWND>(LParam));
                return " " + std::to_string(WParam) + " " +
                       (other == FNames.end() ? std::string("-") : other->second);
            }
            case WM_SHOWWINDOW:
            case WM_NCACTIVATE:
            case WM_ACTIVATEAPP:
            case WM_ENABLE:
                return " " + std::to_string(WParam);
            default:
                return "";
        }
    }

    std::map<HWND, std::string> FNames;
    std::string FNaming;
};

// The messages a scenario of testdata/message_order.txt expects, a line each.
inline std::string ExpectedMessages(const std::string& Scenario) {
    static const std::vector<TestBlock> blocks =
        ReadBlocks(VEX_TEST_DIR "/testdata/message_order.txt");
    for (const TestBlock& block : blocks) {
        if (block.Name != Scenario) continue;
        std::string all;
        for (const std::string& line : block.Parts.at(0))
            all += line + "\n";
        return all;
    }
    ADD_FAILURE() << "no scenario " << Scenario;
    return "";
}

// A presenter that writes down what the window tree tells it.
class RecordingPresenter : public THeadlessPresenter {
public:
    explicit RecordingPresenter(std::vector<std::string>& Calls) : FCalls(Calls) {}

    void Show(HWND Wnd, const TRect& Bounds, const TWindowLook& Look) override {
        FCalls.push_back("Show " + Look.Title + " " + std::to_string(Bounds.Left) + "," +
                         std::to_string(Bounds.Top) + " " +
                         std::to_string(Bounds.Right - Bounds.Left) + "x" +
                         std::to_string(Bounds.Bottom - Bounds.Top) + Tag(Wnd));
    }
    void Hide(HWND Wnd) override { FCalls.push_back("Hide" + Tag(Wnd)); }
    void Activate(HWND Wnd) override { FCalls.push_back("Activate" + Tag(Wnd)); }
    void Forget(HWND Wnd) override { FCalls.push_back("Forget" + Tag(Wnd)); }
    void Present(HWND Wnd, const TPixelRows&, const TRect& Dirty) override {
        FCalls.push_back("Present " + std::to_string(Dirty.Left) + "," + std::to_string(Dirty.Top) +
                         "," + std::to_string(Dirty.Right) + "," + std::to_string(Dirty.Bottom) +
                         Tag(Wnd));
    }

private:
    static std::string Tag(HWND Wnd) { return " " + GetWindowText(Wnd); }

    std::vector<std::string>& FCalls;
};

// Installs a presenter for the test and puts a headless one back after.
class PresenterOverride {
public:
    explicit PresenterOverride(std::unique_ptr<TPresenter> Value) {
        SetPresenter(std::move(Value));
    }
    ~PresenterOverride() { SetPresenter(nullptr); }
    PresenterOverride(const PresenterOverride&) = delete;
    PresenterOverride& operator=(const PresenterOverride&) = delete;
};

}  // namespace vex::test

// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11input.h"

#include <map>
#include <sstream>

#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kCases = std::string(VEX_TEST_DIR) + "/testdata/xevents.txt";
constexpr HWND kWindow = 42;
constexpr DWORD kTime = 123456;

unsigned StateOf(const std::string& Names) {
    static const std::map<std::string, unsigned> masks = {
        {"repeat", 0},     {"none", 0},           {"shift", ShiftMask},    {"control", ControlMask},
        {"alt", Mod1Mask}, {"left", Button1Mask}, {"middle", Button2Mask}, {"right", Button3Mask}};
    unsigned state = 0;
    std::istringstream words(Names);
    for (std::string word; std::getline(words, word, '+');)
        state |= masks.at(word);
    return state;
}

UINT MessageOf(const std::string& Name) {
    static const std::map<std::string, UINT> messages = {
        {"WM_MOUSEMOVE", WM_MOUSEMOVE},   {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
        {"WM_LBUTTONUP", WM_LBUTTONUP},   {"WM_MBUTTONDOWN", WM_MBUTTONDOWN},
        {"WM_MBUTTONUP", WM_MBUTTONUP},   {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
        {"WM_RBUTTONUP", WM_RBUTTONUP},   {"WM_MOUSEWHEEL", WM_MOUSEWHEEL},
        {"WM_KEYDOWN", WM_KEYDOWN},       {"WM_KEYUP", WM_KEYUP},
        {"WM_SYSKEYDOWN", WM_SYSKEYDOWN}, {"WM_SYSKEYUP", WM_SYSKEYUP}};
    return messages.at(Name);
}

int EventTypeOf(const std::string& Kind, const std::string& Name) {
    if (Name == "motion") return MotionNotify;
    if (Kind == "pointer") return Name == "press" ? ButtonPress : ButtonRelease;
    return Name == "press" ? KeyPress : KeyRelease;
}

void ExpectMessage(const std::optional<MSG>& Got, const test::TestCase& Row, size_t First) {
    if (Row[First] == "-") {
        EXPECT_FALSE(Got.has_value());
        return;
    }
    ASSERT_TRUE(Got.has_value());
    EXPECT_EQ(Got->hwnd, kWindow);
    EXPECT_EQ(Got->message, MessageOf(Row[First]));
    EXPECT_EQ(Got->wParam, static_cast<WPARAM>(Row.Int(First + 1)));
    // The original's lParam is 32 bits wide; ours holds it sign-extended.
    EXPECT_EQ(Got->lParam, static_cast<LPARAM>(static_cast<int32_t>(Row.Int(First + 2))));
    EXPECT_EQ(Got->time, kTime);
}

TEST(TranslateXEvent, TurnsPointerEventsIntoMouseMessages) {
    for (const test::TestCase& row : test::ReadCases(kCases, "pointer")) {
        SCOPED_TRACE(row.Where);
        XEvent event{};
        event.type = EventTypeOf("pointer", row[0]);
        // Motion and button events share their layout up to the button.
        event.xbutton.button = static_cast<unsigned>(row.Int(1));
        event.xbutton.x = static_cast<int>(row.Int(2));
        event.xbutton.y = static_cast<int>(row.Int(3));
        event.xbutton.x_root = static_cast<int>(row.Int(4));
        event.xbutton.y_root = static_cast<int>(row.Int(5));
        event.xbutton.state = StateOf(row[6]);
        ExpectMessage(TranslateXEvent(event, kWindow, TXKey{}, kTime), row, 7);
    }
}

TEST(TranslateXEvent, TurnsKeyEventsIntoKeyMessages) {
    for (const test::TestCase& row : test::ReadCases(kCases, "key")) {
        SCOPED_TRACE(row.Where);
        XEvent event{};
        event.type = EventTypeOf("key", row[0]);
        event.xkey.keycode = static_cast<unsigned>(row.Int(2));
        event.xkey.state = StateOf(row[3]);
        const TXKey key{XStringToKeysym(row[1].c_str()),
                        row[3].find("repeat") != std::string::npos};
        ExpectMessage(TranslateXEvent(event, kWindow, key, kTime), row, 4);
    }
}

TEST(TranslateXEvent, LeavesOtherEventsAlone) {
    for (int type : {Expose, ConfigureNotify, ClientMessage, EnterNotify, FocusIn, MapNotify}) {
        XEvent event{};
        event.type = type;
        EXPECT_FALSE(TranslateXEvent(event, kWindow, TXKey{}, kTime).has_value()) << type;
    }
}

}  // namespace
}  // namespace vex

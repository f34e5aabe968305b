#include "platform/win/translatemessage.h"

#include "platform/win/input_testsupport.h"

namespace vex {
namespace {

class Translation : public test::InputScene {
protected:
    Translation() {
        SetFocus(Make("w", WS_POPUP | WS_VISIBLE, TRect{0, 0, 100, 100}));
        Take();
    }
    // The characters the keys type, as "WM_CHAR 97", with Held pressed around them.
    std::string Typed(const std::vector<int32_t>& Held, const std::vector<int32_t>& Keys) {
        for (int32_t key : Held)
            InjectKey(key, true);
        for (int32_t key : Keys) {
            InjectKey(key, true);
            InjectKey(key, false);
        }
        for (auto it = Held.rbegin(); it != Held.rend(); ++it)
            InjectKey(*it, false);
        Pump(true);
        std::string chars;
        for (const std::string& line : Lines)
            if (line.find("CHAR") != std::string::npos) chars += line.substr(2) + ";";
        Lines.clear();
        return chars;
    }
};

TEST_F(Translation, KeysTypeTheirCharactersByShiftCapsLockAndCtrl) {
    struct TCase {
        std::vector<int32_t> Held;
        std::vector<int32_t> Keys;
        const char* Typed;
    };
    const TCase cases[] = {
        {{}, {'A', '1', VK_SPACE}, "WM_CHAR 97;WM_CHAR 49;WM_CHAR 32;"},
        {{VK_SHIFT}, {'A', '1', VK_OEM_2}, "WM_CHAR 65;WM_CHAR 33;WM_CHAR 63;"},
        {{},
         {VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_MINUS, VK_OEM_1, VK_OEM_7},
         "WM_CHAR 44;WM_CHAR 46;WM_CHAR 45;WM_CHAR 59;WM_CHAR 39;"},
        {{}, {VK_NUMPAD7, VK_MULTIPLY, VK_DECIMAL}, "WM_CHAR 55;WM_CHAR 42;WM_CHAR 46;"},
        {{}, {VK_RETURN, VK_BACK, VK_ESCAPE, VK_TAB}, "WM_CHAR 13;WM_CHAR 8;WM_CHAR 27;WM_CHAR 9;"},
        {{VK_CONTROL},
         {'A', 'Z', VK_OEM_4, VK_RETURN, VK_BACK, '1'},
         "WM_CHAR 1;WM_CHAR 26;WM_CHAR 27;WM_CHAR 10;WM_CHAR 127;"},
        {{VK_CONTROL, VK_SHIFT}, {'6', VK_OEM_MINUS}, "WM_CHAR 30;WM_CHAR 31;"},
        {{VK_MENU}, {'F'}, "WM_SYSCHAR 102;"},
        {{VK_MENU, VK_SHIFT}, {'F'}, "WM_SYSCHAR 70;"},
        {{VK_CONTROL, VK_MENU}, {'Q'}, ""},  // AltGr types nothing on a US board
        {{}, {VK_F1, VK_LEFT, VK_SHIFT}, ""},
        // Alt and pad digits type the number's character when Alt goes up.
        {{VK_MENU}, {VK_NUMPAD0, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD3}, "WM_CHAR 233;"},
        {{VK_MENU}, {VK_NUMPAD6, VK_NUMPAD5}, "WM_CHAR 65;"},
        {{VK_MENU}, {VK_NUMPAD3, VK_NUMPAD2, VK_NUMPAD1}, "WM_CHAR 65;"},  // 321 mod 256
        {{VK_MENU}, {VK_NUMPAD9, VK_NUMPAD9, VK_NUMPAD9, VK_NUMPAD9}, "WM_CHAR 15;"},
        // A number whose low byte is 0 types no NUL into the text.
        {{VK_MENU}, {VK_NUMPAD2, VK_NUMPAD5, VK_NUMPAD6}, ""},
        {{VK_MENU}, {VK_NUMPAD0}, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        EXPECT_EQ(Typed(c.Held, c.Keys), c.Typed);
    }
}

TEST_F(Translation, CapsLockTurnsLettersAroundAndLeavesTheRest) {
    Typed({}, {VK_CAPITAL});
    EXPECT_EQ(Typed({}, {'A', '1'}), "WM_CHAR 65;WM_CHAR 49;");
    EXPECT_EQ(Typed({VK_SHIFT}, {'A', '1'}), "WM_CHAR 97;WM_CHAR 33;");
    Typed({}, {VK_CAPITAL});
    EXPECT_EQ(Typed({}, {'A'}), "WM_CHAR 97;");
}

TEST_F(Translation, TheCharacterComesRightAfterItsKey) {
    InjectKey('A', true);
    InjectKey('A', false);
    Pump(true);
    EXPECT_EQ(Take(), "w WM_KEYDOWN 65\nw WM_CHAR 97\nw WM_KEYUP 65\n");
}

TEST(VkKeyScan, SeparatorsAndShiftedCharactersHaveTheirUsKeys) {
    struct TCase {
        char Ch;
        int16_t Key;
    };
    const TCase cases[] = {{',', VK_OEM_COMMA},
                           {'.', VK_OEM_PERIOD},
                           {'/', VK_OEM_2},
                           {'-', VK_OEM_MINUS},
                           {';', VK_OEM_1},
                           {':', 0x100 | VK_OEM_1},
                           {'a', 'A'},
                           {'A', 0x100 | 'A'},
                           {'5', '5'},
                           {'%', 0x100 | '5'},
                           {' ', VK_SPACE},
                           {'\r', VK_RETURN},
                           {'\x01', 0x200 | 'A'},
                           {static_cast<char>(0xE9), -1}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Ch));
        EXPECT_EQ(VkKeyScan(c.Ch), c.Key);
    }
}

}  // namespace
}  // namespace vex

#pragma once

// A shown form with edits bound to a table of the fixture database, and typing as a keyboard
// does it, for the tests of the data-aware edit and the combos built on it.

#include <string>
#include <vector>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwdataaware.h"
#include "dataaware/data/wwtestsupport.h"
#include "dataaware/edits/wwdbedit.h"
#include "platform/ui/form.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "tests/support/idlepump.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// The key and the Shift it needs for a character of a US keyboard.
inline std::vector<int32_t> KeysTyping(const std::string& Text) {
    std::vector<int32_t> keys;
    for (const char c : Text) {
        if (c >= 'a' && c <= 'z') {
            keys.push_back(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            keys.insert(keys.end(), {VK_SHIFT, c});
        } else if (c >= '0' && c <= '9') {
            keys.push_back(c);
        } else if (c == ' ') {
            keys.push_back(VK_SPACE);
        } else if (c == '/') {
            keys.push_back(VK_OEM_2);
        } else if (c == ':') {
            keys.insert(keys.end(), {VK_SHIFT, VK_OEM_1});
        } else if (c == '-') {
            keys.push_back(VK_OEM_MINUS);
        } else {
            throw std::invalid_argument(std::string("no key types ") + c);
        }
    }
    return keys;
}

// Takes what the keys made through the application's loop, which makes characters of them
// and reports what a handler raised, as it does when running.
inline void TakeKeys() {
    for (;;) {
        try {
            Application().ProcessMessages();
            break;
        } catch (...) {
            Application().HandleException(nullptr);
        }
    }
    PumpUntilIdle();
}

inline void Type(const std::string& Text) {
    InjectKeys(KeysTyping(Text));
    TakeKeys();
}

inline void Press(int32_t Key, const std::vector<int32_t>& Held = {}) {
    std::vector<int32_t> keys = Held;
    keys.push_back(Key);
    InjectKeys(keys);
    TakeKeys();
}

// The people table of testdata/wwdbedit.sql, open, with a source of the library's class, and a
// form with a second control to move the focus to.
struct TBoundForm {
    TBoundForm() {
        CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/wwdbedit.sql");
        People.SetDatabaseName(Folder.Path());
        People.SetTableName("people");
        People.Open();
        Source.SetDataSet(&People);
        Other = Shown.Add<TwwDBEdit>(Shown.Form, Rect(10, 60, 150, 84));
    }
    ~TBoundForm() { People.Close(); }

    TwwDBEdit* Edit(const std::string& Field, TRect Bounds = Rect(10, 20, 150, 44)) {
        auto* edit = Shown.Add<TwwDBEdit>(Shown.Form, Bounds);
        edit->SetDataSource(&Source);
        edit->SetDataField(Field);
        return edit;
    }
    // What the engine holds now for the person, read by a table of its own.
    std::string Stored(const std::string& Field) {
        TwwTable fresh(nullptr);
        fresh.SetDatabaseName(Folder.Path());
        fresh.SetTableName("people");
        fresh.Open();
        return fresh.FieldByName(Field)->Text();
    }

    TempDir Folder;
    TMessageBoxOverride Boxes{[this](HWND, const std::string& Text, const std::string&, UINT) {
        Messages.push_back(Text);
        return IDOK;
    }};
    std::vector<std::string> Messages;
    TwwTable People{nullptr};
    TwwDataSource Source{nullptr};
    TShownForm Shown{Rect(20, 20, 320, 200)};
    TwwDBEdit* Other;
};

}  // namespace vex::test

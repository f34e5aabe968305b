#include "components/misc/EditBtn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/caret_testsupport.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/clipboard.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A focused edit with a button on a shown form, in the fixed font, beside a field to leave to.
struct TEditBtnScene {
    test::TShownForm Shown;
    TEditBtn* Edit;
    test::TPlainPanel* Other;
    std::vector<std::string> Log;
    TEditBtnScene() {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-8);
        Edit = Shown.Add<TEditBtn>(Shown.Form, Rect(8, 8, 88, 32));
        Other = Shown.Add<test::TPlainPanel>(Shown.Form, Rect(8, 40, 50, 60));
        Other->SetTabStop(true);
        Edit->OnClickBtn = [this](TObject* Sender) {
            Log.push_back(Sender == Edit->Button() ? "click button" : "click other");
        };
        Edit->SetFocus();
    }
    ~TEditBtnScene() { test::ReleaseAllKeys(); }
    void ClickButton() {
        TEditButton* button = Edit->Button();
        InjectMouseMove(button->ClientToScreen(Point(button->Width() / 2, button->Height() / 2)));
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
        test::PumpUntilIdle();
    }
};

void PutOnClipboard(const std::string& Text) {
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Text);
    CloseClipboard();
}

// The edit's own context menu, with Item chosen in it.
void ChooseFromOwnMenu(TEditBtn& Edit, const char* Item) {
    TModalScript script;
    script.Then([Item] { test::ClickAt(test::ItemCentre(Item)); });
    const TPoint at = Edit.ClientToScreen(Point(20, 5));
    Edit.Perform(WM_CONTEXTMENU, Edit.Handle(), MAKELONG(at.X, at.Y));
    test::PumpUntilIdle();
}

TEST(EditBtn, PastesAndCutsOnlyWithTheEditorOnAndTypesUnlessReadOnly) {
    const test::TFixedMenuFont menuFont;
    const struct {
        const char* Path;
        std::function<void(TEditBtn&)> Run;
    } paths[] = {
        {"WM_PASTE", [](TEditBtn& E) { E.Perform(WM_PASTE, 0, 0); }},
        {"menu Paste", [](TEditBtn& E) { ChooseFromOwnMenu(E, "Paste"); }},
        {"Ctrl+V", [](TEditBtn&) { test::DeliverKey(WM_CHAR, 0x16); }},
        {"Shift+Insert",
         [](TEditBtn&) {
             const test::TKeysHeld shift({VK_SHIFT});
             test::TypeKey(VK_INSERT);
         }},
        {"WM_CUT", [](TEditBtn& E) { E.Perform(WM_CUT, 0, 0); }},
        {"menu Cut", [](TEditBtn& E) { ChooseFromOwnMenu(E, "Cut"); }},
        {"Ctrl+X", [](TEditBtn&) { test::DeliverKey(WM_CHAR, 0x18); }},
        {"Shift+Delete",
         [](TEditBtn&) {
             const test::TKeysHeld shift({VK_SHIFT});
             test::TypeKey(VK_DELETE);
         }},
        {"typing", [](TEditBtn&) { test::DeliverKey(WM_CHAR, 'q'); }},
    };
    const struct {
        bool EditorEnabled, ReadOnly;
        // What each path leaves of "abc" selected whole, the clipboard holding "xy".
        std::vector<std::string> Texts;
    } cases[] = {
        {true, false, {"xy", "xy", "xy", "xy", "", "", "", "", "q"}},
        {false, false, {"abc", "abc", "abc", "abc", "abc", "abc", "abc", "abc", "q"}},
        {true, true, {"abc", "abc", "abc", "abc", "abc", "abc", "abc", "abc", "abc"}},
        {false, true, {"abc", "abc", "abc", "abc", "abc", "abc", "abc", "abc", "abc"}},
    };
    for (const auto& c : cases) {
        TEditBtnScene scene;
        scene.Edit->SetEditorEnabled(c.EditorEnabled);
        scene.Edit->SetReadOnly(c.ReadOnly);
        std::vector<std::string> texts;
        for (const auto& path : paths) {
            PutOnClipboard("xy");
            scene.Edit->SetText("abc");
            scene.Edit->SelectAll();
            path.Run(*scene.Edit);
            texts.push_back(scene.Edit->Text());
        }
        EXPECT_EQ(texts, c.Texts) << "editor " << c.EditorEnabled << " read-only " << c.ReadOnly;
    }
}

TEST(EditBtn, LaysTheTextOutLeftOfTheButtonAndScrollsItThere) {
    TEditBtnScene scene;
    EXPECT_EQ(scene.Edit->Text(), "0");
    TEditBtn& edit = *scene.Edit;
    const TRect expected{2, 2, edit.ClientWidth() - edit.Button()->Width() - 2,
                         edit.ClientHeight() + 1};
    EXPECT_EQ(edit.FormattingRect(), expected);
    EXPECT_LT(edit.FormattingRect().Right, edit.Button()->Left());

    edit.SetText("");
    for (char c : std::string("a long line typed past the button"))
        test::DeliverKey(WM_CHAR, static_cast<uint8_t>(c));
    EXPECT_EQ(edit.Text(), "a long line typed past the button");
    EXPECT_GT(edit.ScrollX(), 0);
    EXPECT_EQ(edit.TopLine(), 0);
    TPoint caret;
    ASSERT_TRUE(GetCaretPos(caret));
    EXPECT_LE(caret.X, edit.FormattingRect().Right);

    edit.SetWidth(120);  // a resize sets the rectangle again
    EXPECT_EQ(edit.FormattingRect().Right, edit.ClientWidth() - edit.Button()->Width() - 2);
}

TEST(EditBtn, ClickOnTheButtonFiresOnClickBtnAndKeepsTheFocusInTheEdit) {
    TEditBtnScene scene;
    scene.Edit->SetText("abc");
    scene.Edit->SetSelStart(1);
    scene.ClickButton();
    EXPECT_EQ(scene.Log, std::vector<std::string>{"click button"});
    EXPECT_EQ(scene.Shown.Form->ActiveControl(), scene.Edit);
    EXPECT_TRUE(scene.Edit->Focused());
    EXPECT_EQ(scene.Edit->SelLength(), 0);  // the held button kept the text from selecting

    scene.Other->SetFocus();
    scene.ClickButton();
    EXPECT_EQ(scene.Log.size(), 2u);
    EXPECT_TRUE(scene.Edit->Focused());
}

TEST(EditBtn, SelectsAllOnEnteringByTheKeyboard) {
    for (const bool autoSelect : {true, false}) {
        TEditBtnScene scene;
        scene.Edit->SetText("abcd");
        scene.Edit->SetAutoSelect(autoSelect);
        scene.Other->SetFocus();
        scene.Edit->SetFocus();
        EXPECT_EQ(scene.Edit->SelLength(), autoSelect ? 4 : 0) << autoSelect;
    }
}

TEST(EditBtn, KeepsItsMinimumHeightAndPlacesTheButtonByItsBorder) {
    const struct {
        bool Ctl3D;
        int32_t Height;
        int32_t ExpectedHeight;
    } cases[] = {{true, 40, 40}, {true, 5, -1}, {false, 40, 40}, {false, 5, -1}};
    for (const auto& c : cases) {
        TEditBtnScene scene;
        TEditBtn& edit = *scene.Edit;
        edit.SetCtl3D(c.Ctl3D);
        edit.SetHeight(c.Height);
        const int32_t minHeight = edit.MinHeight();
        // The fixed font's rows are 8 high: 8 + 8 div 4 and four border lines.
        EXPECT_EQ(minHeight, 8 + 2 + 4 * GetSystemMetrics(SM_CYBORDER));
        const int32_t height = c.ExpectedHeight < 0 ? minHeight : c.ExpectedHeight;
        EXPECT_EQ(edit.Height(), height) << c.Ctl3D << " " << c.Height;
        const TRect button = edit.Button()->BoundsRect();
        // The button itself is never lower than 15.
        const TRect expected = c.Ctl3D ? Rect(80 - 15 - 5, 0, 80 - 5, std::max(height - 5, 15))
                                       : Rect(80 - 15, 1, 80, 1 + std::max(height - 3, 15));
        EXPECT_EQ(button, expected) << c.Ctl3D << " " << c.Height;
    }
}

TEST(EditBtn, TellsOfPressesButNotOfReleases) {
    TEditBtnScene scene;
    std::vector<std::string> log;
    scene.Edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        log.push_back("down");
    };
    scene.Edit->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        log.push_back("up");
    };
    scene.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(5, 5));
    scene.Edit->Perform(WM_LBUTTONUP, 0, MAKELONG(5, 5));
    EXPECT_EQ(log, std::vector<std::string>{"down"});
}

// A button beside a field it hands the focus to, and a third control to start from.
struct TEditButtonScene {
    test::TShownForm Shown;
    TEditButton* Button = Shown.Add<TEditButton>(Shown.Form, Rect(100, 8, 120, 33));
    test::TPlainPanel* Field = Shown.Add<test::TPlainPanel>(Shown.Form, Rect(8, 8, 90, 30));
    test::TPlainPanel* Start = Shown.Add<test::TPlainPanel>(Shown.Form, Rect(8, 40, 90, 60));
    ~TEditButtonScene() { test::ReleaseAllKeys(); }
    void Press() {
        InjectMouseMove(Button->ClientToScreen(Point(5, 5)));
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
        test::PumpUntilIdle();
    }
};

TEST(EditButton, NeverGrowsLowerThanFifteenAndIsFilledByItsButton) {
    test::TShownForm shown;
    auto* button = new TEditButton(shown.Form);
    EXPECT_EQ(button->Width(), 20);
    EXPECT_EQ(button->Height(), 25);
    EXPECT_EQ(button->Button()->Caption(), "...");
    EXPECT_FALSE(button->Button()->TabStop());
    EXPECT_FALSE(button->TabStop());
    button->SetParent(shown.Form);
    for (const auto& [asked, got] : {std::pair{5, 15}, {15, 15}, {16, 16}, {40, 40}, {-3, 15}}) {
        button->SetBounds(1, 2, 30, asked);
        EXPECT_EQ(button->Height(), got) << asked;
        EXPECT_EQ(button->Button()->BoundsRect(), Rect(0, 0, 30, got)) << asked;
    }
    button->SetHeight(4);
    EXPECT_EQ(button->Height(), 15);

    TBitmap glyph;
    glyph.SetSize(4, 4);
    button->SetGlyph(&glyph);
    button->SetGlyph(nullptr);
    EXPECT_EQ(button->Glyph().Width(), 4);
}

TEST(EditButton, FiresOnClickThenHandsTheFocusOn) {
    const struct {
        const char* Name;
        bool HasFocusControl, FieldTabStop, FieldEnabled, ButtonTabStop;
        const char* Focused;
    } cases[] = {
        {"to the field", true, true, true, false, "field"},
        {"field no tab stop", true, false, true, false, "button"},
        {"field disabled, button tab stop", true, true, false, true, "button"},
        {"no field, button tab stop", false, true, true, true, "button"},
        {"no field, no tab stop", false, true, true, false, "button"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditButtonScene scene;
        std::vector<std::string> log;
        scene.Button->OnClick = [&](TObject* Sender) {
            log.push_back(Sender == scene.Button ? "click" : "click other");
        };
        scene.Field->SetTabStop(c.FieldTabStop);
        scene.Field->SetEnabled(c.FieldEnabled);
        scene.Button->SetTabStop(c.ButtonTabStop);
        if (c.HasFocusControl) scene.Button->SetFocusControl(scene.Field);
        scene.Start->SetFocus();
        scene.Press();
        EXPECT_EQ(log, std::vector<std::string>{"click"});
        const std::string focused = scene.Field->Focused()              ? "field"
                                    : scene.Button->Focused()           ? "button"
                                    : scene.Button->Button()->Focused() ? "button"
                                                                        : "elsewhere";
        EXPECT_EQ(focused, c.Focused);
    }
}

TEST(EditButton, ForgetsAFreedFocusControl) {
    TEditButtonScene scene;
    scene.Button->SetFocusControl(scene.Field);
    delete scene.Field;
    EXPECT_EQ(scene.Button->FocusControl(), nullptr);
    scene.Press();  // nothing left to hand the focus to
    EXPECT_TRUE(scene.Button->Button()->Focused());
}

TEST(EditBtn, LooksAsReviewed) {
    TEditBtnScene scene;
    const test::TSteadyCaret steady;
    scene.Edit->SetText("a text too long to show");
    scene.Edit->SetSelStart(23);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Edit, kPictures, "editbtn"));
}

}  // namespace
}  // namespace vex

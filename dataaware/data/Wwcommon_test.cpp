#include "dataaware/data/Wwcommon.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwqbe.h"
#include "dataaware/data/Wwquery.h"
#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwstorep.h"
#include "dataaware/data/wwtestsupport.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

TEST(SharedRoutines, ReadTheExtensionPropertiesOfAnyObject) {
    TwwTable table(nullptr);
    TwwQuery query(nullptr);
    TwwStoredProc proc(nullptr);
    TwwQBE qbe(nullptr);
    TTable plain(nullptr);
    TStringList notADataSet;
    table.SetDatabaseName("here");
    table.SetPictureMasks(test::LinesOf({"Phone\t###"}));
    table.OnInvalidValue = [](TDataSet*, TField*) {};
    for (TObject* o : std::initializer_list<TObject*>{&table, &query, &proc, &qbe}) {
        SCOPED_TRACE(o->ClassName());
        EXPECT_TRUE(wwIsLibraryDataSet(o));
        EXPECT_NE(wwGetControlType(o), nullptr);
        EXPECT_NE(wwGetLookupTables(o), nullptr);
        EXPECT_EQ(wwGetValidateWithMask(o), o != &qbe) << "the QBE dataset does not validate";
    }
    EXPECT_EQ(wwGetPictureMasks(&table)->Count(), 1);
    EXPECT_TRUE(wwGetOnInvalidValue(&table));
    EXPECT_FALSE(wwGetOnInvalidValue(&query));
    EXPECT_EQ(wwGetDatabaseName(&table), "here");
    for (TObject* o : std::initializer_list<TObject*>{&plain, &notADataSet, nullptr}) {
        EXPECT_FALSE(wwIsLibraryDataSet(o));
        EXPECT_EQ(wwGetControlType(o), nullptr);
        EXPECT_EQ(wwGetLookupFields(o), nullptr);
        EXPECT_EQ(wwGetLookupLinks(o), nullptr);
        EXPECT_EQ(wwGetPictureMasks(o), nullptr);
        EXPECT_EQ(wwGetLookupTables(o), nullptr);
        EXPECT_FALSE(wwGetValidateWithMask(o));
        EXPECT_FALSE(wwGetOnInvalidValue(o));
    }
    EXPECT_EQ(wwGetDatabaseName(&notADataSet), "");
}

TEST(SharedRoutines, KnowTheClientDataSetByItsName) {
    class TwwClientDataSet : public TDataSet {
        VEX_CLASS(TwwClientDataSet, TDataSet)

    public:
        TwwClientDataSet() : TDataSet(nullptr) {}
    } client;
    EXPECT_TRUE(wwIsLibraryDataSet(&client));
    EXPECT_EQ(wwGetControlType(&client), nullptr) << "it carries none of the lines";
}

TEST(SharedRoutines, JoinLinesWithoutASeparatorAfterTheLast) {
    EXPECT_EQ(wwStringsToText(test::LinesOf({"a", "", "b c"}), true), "a  b c");
    EXPECT_EQ(wwStringsToText(test::LinesOf({"a", "", "b c"}), false), "a\r\n\r\nb c");
    EXPECT_EQ(wwStringsToText(TStringList(), false), "");
    EXPECT_EQ(wwStringsToText(test::LinesOf({""}), false), "");
}

TEST(SharedRoutines, TellEditKeysAndScaleSizes) {
    for (const uint16_t key : {8, 32, 46, 48, 57, 65, 90, 96, 111, 146, 186, 255})
        EXPECT_TRUE(wwIsEditKey(key)) << key;
    for (const uint16_t key : {0, 9, 13, 27, 33, 36, 37, 38, 39, 40, 45, 47, 112, 123, 145})
        EXPECT_FALSE(wwIsEditKey(key)) << key;
    EXPECT_EQ(wwScale96(7, 120), 8);
    EXPECT_EQ(wwScale96(1000000000, 192), 2000000000) << "no overflow on the way";
}

// A window that notes the keys it is sent with the modifiers held at the time.
class TKeyNotes : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<std::string> Notes;

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        Notes.push_back("down " + std::to_string(Key) + (Shift.Contains(ssCtrl) ? " ctrl" : ""));
    }
    void KeyUp(uint16_t& Key, TShiftState) override {
        Notes.push_back("up " + std::to_string(Key));
    }
};

TEST(SharedRoutines, CheckingForEscapeTakesOnlyAnEscapeFromTheQueue) {
    test::TShownForm shown;
    auto* window = shown.Add<TKeyNotes>(shown.Form, Rect(0, 0, 50, 20));
    test::PumpUntilIdle();
    PostMessage(window->Handle(), WM_KEYDOWN, 'A', 1);
    EXPECT_FALSE(wwCheckEscape());
    test::PumpUntilIdle();
    EXPECT_EQ(window->Notes, std::vector<std::string>{"down 65"})
        << "the key was left for its window";
    PostMessage(window->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(wwCheckEscape());
    EXPECT_FALSE(wwCheckEscape()) << "it was taken";
    EXPECT_FALSE(wwCheckEscape()) << "an empty queue";
}

// The key that started a long pass leaves its release and its character queued; an Escape
// pressed during the pass comes after them.
TEST(SharedRoutines, CheckingForEscapeLooksPastReleasesAndCharacters) {
    test::TShownForm shown;
    auto* window = shown.Add<TKeyNotes>(shown.Form, Rect(0, 0, 50, 20));
    test::PumpUntilIdle();
    PostMessage(window->Handle(), WM_CHAR, '\r', 1);
    PostMessage(window->Handle(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001));
    PostMessage(window->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(wwCheckEscape());
    test::PumpUntilIdle();
    EXPECT_EQ(window->Notes, std::vector<std::string>{"up 13"}) << "only the Escape was taken";
}

TEST(SharedRoutines, APostedShiftedKeyArrivesWithItsModifierAndLeavesTheKeyboardAsItWas) {
    test::TShownForm shown;
    auto* window = shown.Add<TKeyNotes>(shown.Form, Rect(0, 0, 50, 20));
    test::PumpUntilIdle();
    wwPostShiftedKey(window->Handle(), VK_CONTROL, VK_TAB);
    test::PumpUntilIdle();
    EXPECT_EQ(window->Notes, (std::vector<std::string>{"down 9 ctrl", "up 9"}));
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState(VK_TAB), 0);

    // Codes beyond the keyboard's table are posted, but mark no key as held.
    const TKeyboardState before = [] {
        TKeyboardState state{};
        GetKeyboardState(state);
        return state;
    }();
    window->Notes.clear();
    wwPostShiftedKey(window->Handle(), 0x1FF, 0x2FF);
    test::PumpUntilIdle();
    EXPECT_EQ(window->Notes, (std::vector<std::string>{"down 767", "up 767"}));
    TKeyboardState after{};
    GetKeyboardState(after);
    EXPECT_EQ(after, before);
}

TEST(SharedRoutines, TellClassesByNameAlongTheChain) {
    TwwTable table(nullptr);
    for (const char* name : {"TwwTable", "twwtable", "TTable", "TDataSet", "TObject"})
        EXPECT_TRUE(wwIsClassNamed(&table, name)) << name;
    EXPECT_FALSE(wwIsClassNamed(&table, "TwwQuery"));
    EXPECT_FALSE(wwIsClassNamed(nullptr, "TObject"));
}

TEST(SharedRoutines, SwitchFilteringKeepingTheOtherOptions) {
    TwwTable table(nullptr);
    table.SetOnFilterOptions({ofoEnabled, ofoCancelOnEscape});
    EXPECT_EQ(wwGetFilterOptions(&table), 0b101);
    wwSetFilterOptionsFirst(&table, false);
    EXPECT_EQ(table.OnFilterOptions(), TwwOnFilterOptions{ofoCancelOnEscape});
    wwSetFilterOptionsFirst(&table, true);
    EXPECT_EQ(wwGetFilterOptions(&table), 0b101);
    TTable plain(nullptr);
    wwSetFilterOptionsFirst(&plain, true);
    EXPECT_EQ(wwGetFilterOptions(&plain), 0);
    EXPECT_EQ(wwGetFilterOptions(nullptr), 0);
}

TEST(SharedRoutines, FindTheOwningFormOrTheLastOwner) {
    TForm form(nullptr);
    auto* holder = new TComponent(&form);
    auto* inner = new TComponent(holder);
    EXPECT_EQ(wwGetParentForm(inner), &form);
    EXPECT_EQ(wwGetParentForm(&form), &form);
    TComponent top(nullptr);
    auto* below = new TComponent(&top);
    EXPECT_EQ(wwGetParentForm(below), &top);
    EXPECT_EQ(wwGetParentForm(nullptr), nullptr);
}

TEST(SharedRoutines, CleanControlTypesOfControlsNoLongerThere) {
    TComponent form(nullptr), dataModule(nullptr);
    (new TComponent(&form))->SetName("Combo1");
    (new TComponent(&dataModule))->SetName("Lookup1");
    auto* table = new TwwTable(&dataModule);
    const TStringList lines =
        test::LinesOf({"A;CustomEdit;Combo1", "B;Combo;Gone", "C;LookupCombo;Form2.Lookup1",
                       "D;Combo;Form2.Gone", "E;RichEdit;Gone", "F"});
    table->SetControlType(lines);
    EXPECT_TRUE(wwCleanControlTypes(&form, table));
    EXPECT_EQ(wwStringsToText(table->ControlType(), true),
              "A;CustomEdit;Combo1 C;LookupCombo;Form2.Lookup1 E;RichEdit;Gone F");
}

TEST(SharedRoutines, TellWhetherOneLineFillsARectangle) {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas().Font().SetName(FixedFontName);
    const int32_t line = bitmap.Canvas().TextHeight(" ");
    const int32_t room = line + 3 + 2 * GetSystemMetrics(SM_CYBORDER);
    EXPECT_TRUE(wwFitsOneLine(&bitmap.Canvas(), Rect(0, 0, 100, room), DT_SINGLELINE));
    EXPECT_FALSE(wwFitsOneLine(&bitmap.Canvas(), Rect(0, 0, 100, room + 1), DT_SINGLELINE));
    EXPECT_FALSE(wwFitsOneLine(nullptr, Rect(0, 0, 100, room), DT_SINGLELINE))
        << "nothing to measure with";
}

}  // namespace
}  // namespace vex

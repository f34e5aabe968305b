// One script of clicks and keys through two data-aware combo boxes, run twice: injected with no
// display, and typed by xdotool on an Xvfb display, where the open list is a top-level window of
// its own that must leave the focus in its combo. Both runs must leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dataaware/edits/wwdbcomb_testsupport.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/win/focus.h"
#include "platform/win/toplevel.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using TRecord = std::vector<std::string>;

// A combo box that completes typed text and a drop-down list; their drop-downs and close-ups go
// into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Combo box script");
        FForm->SetBounds(40, 50, 320, 200);
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-test::RowHeight);
        for (TwwDBComboBox* combo : {FMatching, FChoosing}) {
            combo->SetParent(FForm);
            combo->SetReadOnly(false);
            for (const char* item : {"Apple", "Banana", "Mango", "Melon"})
                combo->Items().Add(item);
            combo->OnDropDown = [this, combo](TObject*) { Note(combo, "opens"); };
            combo->OnCloseUp = [this](TwwDBComboBox* Sender, bool Select) {
                Note(Sender, (Select ? "closes on " : "closes without ") + Sender->Text());
            };
        }
        FMatching->SetName("Matching");
        FMatching->SetBounds(8, 8, 140, 21);
        FMatching->SetShowMatchText(true);
        FChoosing->SetName("Choosing");
        FChoosing->SetBounds(160, 8, 140, 21);
        FChoosing->SetStyle(csDropDownList);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FMatching->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    // A screen point: of a combo's text, or of a row of the open list.
    TPoint Text(bool Choosing) {
        return (Choosing ? FChoosing : FMatching)->ClientToScreen(Point(30, 8));
    }
    TPoint OpenRow(int32_t Row) {
        for (TwwDBComboBox* combo : {FMatching, FChoosing})
            if (combo->IsDroppedDown())
                return combo->PopupList()->ClientToScreen(
                    Point(30, Row * test::RowHeight + test::RowHeight / 2));
        return Point(0, 0);
    }
    std::string State() {
        std::string state;
        for (TwwDBComboBox* combo : {FMatching, FChoosing})
            state += combo->Name() + " " + combo->Text() + " [" + combo->SelText() + "]" +
                     (combo->IsDroppedDown() ? " open" : "") +
                     (combo->Focused() ? " focused" : "") + ", ";
        return state;
    }

    TRecord Record;

private:
    void Note(TObject* Sender, const std::string& What) {
        Record.push_back(static_cast<TComponent*>(Sender)->Name() + " " + What);
    }

    TForm* FForm = new TForm(nullptr);
    TwwDBComboBox* FMatching = new TwwDBComboBox(FForm);
    TwwDBComboBox* FChoosing = new TwwDBComboBox(FForm);
};

// One step: a click at a point the scene names when the step comes, or keys.
struct TStep {
    std::function<TPoint(TScene&)> At;  // empty for keys
    std::vector<int32_t> Keys;          // VK_MENU holds Alt for the next key
    size_t Notes = 0;                   // how many lines the step adds to the record
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {nullptr, {'M', 'A'}, 0},
        {nullptr, {VK_MENU, VK_DOWN}, 1},
        {[](TScene& S) { return S.OpenRow(1); }, {}, 1},
        {[](TScene& S) { return S.Text(true); }, {}, 1},
        {nullptr, {VK_DOWN, VK_RETURN}, 1},
        {nullptr, {'M'}, 0},
    };
    return script;
}

class DBComboBoxOnDisplay : public test::OnDisplayTest {};

TEST_F(DBComboBoxOnDisplay, ClicksAndKeysOnTheDisplayDoWhatTheSameInputInjectedDoes) {
    TRecord injected;
    {
        TScene scene;
        injected = test::RunRecordedScriptInjected<TScene, TStep>(
            scene, Script(), [](TScene& S, const TStep& Step) {
                if (Step.At)
                    test::ClickAt(Step.At(S));
                else
                    test::InjectKeys(Step.Keys);
            });
    }
    const TRecord expected = {
        "Matching Mango [ngo] focused, Choosing  [], ",
        "Matching opens",
        "Matching Mango [Mango] open focused, Choosing  [], ",
        "Matching closes on Banana",
        "Matching Banana [Banana] focused, Choosing  [], ",
        "Choosing opens",
        "Matching Banana [Banana], Choosing  [] open focused, ",
        "Choosing closes on Apple",
        "Matching Banana [Banana], Choosing Apple [] focused, ",
        "Matching Banana [Banana], Choosing Mango [] focused, ",
    };
    EXPECT_EQ(injected, expected);

    PresentOnDisplay();
    TScene scene;
    ASSERT_TRUE(WaitUntilShown("Combo box script"));
    const std::string display = FServer.DisplayName();
    const TRecord typed = RunRecordedScriptOnDisplay<TScene, TStep>(
        scene, "Combo box script", Script(), [&](TScene& S, const TStep& Step) {
            if (Step.At)
                test::ClickOnDisplay(display, Step.At(S));
            else
                test::TypeOnDisplay(display, Step.Keys, 30);
            if (Step.Keys == std::vector<int32_t>{VK_MENU, VK_DOWN})
                SaveActiveFormPicture("combo-on-display.png");
        });
    EXPECT_EQ(typed, expected);
}

}  // namespace
}  // namespace vex

// One script of clicks and keys through a list box and a drop-down list, run twice: injected with
// no display, and typed by xdotool on an Xvfb display, where the combo box's list is a popup
// window of its own that holds the pointer. Both runs must leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/combobox.h"
#include "platform/ui/comboboxlist.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/listbox.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using TRecord = std::vector<std::string>;

// A list box and a drop-down list on a form; what a person's input does goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Lists script");
        FForm->SetBounds(40, 50, 320, 260);
        // Rows of 12 pixels whatever fonts are installed: the script's rows and pages count on it.
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-12);
        FList->SetBounds(8, 8, 140, 120);
        FList->SetParent(FForm);
        for (int i = 0; i < 30; ++i)
            FList->Items().Add("message " + std::to_string(i));
        FList->OnClick = [this](TObject*) { Note("list " + std::to_string(FList->ItemIndex())); };
        FList->OnDblClick = [this](TObject*) { Note("list double click"); };
        FCombo->SetStyle(csDropDownList);
        FCombo->SetBounds(160, 8, 140, 0);
        FCombo->SetParent(FForm);
        FCombo->Items().SetCommaText("Single,\"1.5 Lines\",Double,\"At least\",Exactly,Multiple");
        FCombo->SetItemIndex(0);
        FCombo->OnChange = [this](TObject*) { Note("combo " + FCombo->Text()); };
        FCombo->OnDropDown = [this](TObject*) { Note("combo opens"); };
        FCombo->OnCloseUp = [this](TObject*) { Note("combo closes"); };
        FFonts->SetBounds(160, 40, 140, 0);
        FFonts->SetParent(FForm);
        FFonts->Items().SetCommaText("Arial,Courier,Times");
        FFonts->OnChange = [this](TObject*) { Note("fonts " + FFonts->Text()); };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FList->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TCustomForm& Form() { return *FForm; }
    // A screen point: of a list box row, of the combo box's face, or of a row of its open list.
    TPoint ListRow(int32_t Row) { return FList->ClientToScreen(Point(30, Row * RowHeight() + 4)); }
    TPoint Face() { return FCombo->ClientToScreen(Point(40, FCombo->ClientHeight() / 2)); }
    TPoint FontsEdit() { return FFonts->ClientToScreen(Point(40, FFonts->ClientHeight() / 2)); }
    TPoint OpenRow(int32_t Row) {
        TControl* list = FindControl(GetCapture());
        return list == nullptr ? Point(0, 0)
                               : list->ClientToScreen(Point(30, Row * RowHeight() + 4));
    }
    std::string State() {
        return "list " + std::to_string(FList->ItemIndex()) + " top " +
               std::to_string(FList->TopIndex()) + ", combo " + FCombo->Text() +
               (FCombo->DroppedDown() ? " open" : " closed") + ", fonts " + FFonts->Text() +
               ", capture " + (GetCapture() != 0 ? "held" : "free");
    }

    TRecord Record;

private:
    void Note(const std::string& What) { Record.push_back(What); }
    int32_t RowHeight() { return FList->ItemHeight(); }

    TForm* FForm = new TForm(nullptr);
    TListBox* FList = new TListBox(FForm);
    TComboBox* FCombo = new TComboBox(FForm);
    TComboBox* FFonts = new TComboBox(FForm);  // a drop-down: an edit for any text
};

// One step: a click at a point the scene names when the step comes, or keys.
struct TStep {
    std::function<TPoint(TScene&)> At;  // empty for keys
    std::vector<int32_t> Keys;          // VK_MENU holds Alt for the next key
    size_t Notes = 0;                   // how many lines the step adds to the record
};

TStep Click(std::function<TPoint(TScene&)> At, size_t Notes) {
    return TStep{std::move(At), {}, Notes};
}
TStep Keys(std::vector<int32_t> Keys, size_t Notes) {
    return TStep{nullptr, std::move(Keys), Notes};
}

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        Click([](TScene& S) { return S.ListRow(3); }, 1),
        Keys({VK_DOWN, VK_DOWN, VK_NEXT}, 3),
        Keys({VK_END}, 1),
        Click([](TScene& S) { return S.Face(); }, 1),
        Click([](TScene& S) { return S.OpenRow(2); }, 2),
        Keys({VK_MENU, VK_DOWN}, 1),
        Keys({VK_DOWN, VK_DOWN, VK_RETURN}, 2),
        Keys({VK_F4, VK_DOWN, VK_ESCAPE}, 2),
        Keys({VK_UP}, 1),
        Click([](TScene& S) { return S.FontsEdit(); }, 0),
        Keys({'T', 'I', 'M'}, 3),
        Keys({VK_DOWN}, 1),
        Keys({VK_F4, VK_DOWN, VK_RETURN}, 1),
    };
    return script;
}

TRecord RunInjected() {
    const auto deliver = [](TScene& S, const TStep& Step) {
        if (!Step.At) {
            test::InjectKeys(Step.Keys);
            return;
        }
        test::ClickAt(Step.At(S));
    };
    TScene scene;
    return test::RunRecordedScriptInjected<TScene, TStep>(scene, Script(), deliver);
}

class ListsOnDisplay : public test::OnDisplayTest {
protected:
    TRecord RunTyped() {
        return RunKeysAndClicksOnDisplay<TScene, TStep>("Lists script", Script());
    }
};

TEST_F(ListsOnDisplay, ClicksAndKeysOnTheDisplayDoWhatTheSameInputInjectedDoes) {
    const TRecord injected = RunInjected();
    // The script reaches what it aims at: the rows clicked, the item picked from the open list.
    for (const char* line :
         {"list 3", "list 13", "combo Double", "combo Exactly", "combo At least", "fonts tim",
          "fonts Arial", "list 29 top 21, combo At least closed, fonts Courier, capture free"})
        EXPECT_NE(std::find(injected.begin(), injected.end(), line), injected.end()) << line;
    const TRecord typed = RunTyped();
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex

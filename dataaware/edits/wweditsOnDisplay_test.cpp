// The bound edit controls driven by one script twice: injected with no display, and by xdotool
// on an Xvfb display. A phone number typed under its picture: the texts, and the fields the
// post writes, come out the same at either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wweditsfixture_testsupport.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// The second contact on a form of its phone.
class TScene {
public:
    TScene() {
        FData.Contacts.Open();
        FData.Contacts.FindKey({"2"});
        FForm->SetCaption("Edit controls script");
        FForm->SetBounds(40, 50, 420, 200);
        Phone = Add<TwwDBEdit>(10);
        Phone->SetDataSource(&FData.Source);
        Phone->SetDataField("Phone");
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    std::string State() const {
        return "phone " + Phone->Text() + ", fields " + FData.Phone.AsString();
    }

    TPoint Middle(TControl& Control) const { return test::MiddleOf(Control); }

    void Post() { FData.Contacts.Post(); }

    TwwDBEdit* Phone;
    std::vector<std::string> Record;

private:
    template <class T>
    T* Add(int32_t Top) {
        auto* control = new T(FForm);
        control->SetBounds(10, Top, 200, 24);
        control->SetParent(FForm);
        return control;
    }

    test::TEditsFixture FData{VEX_TEST_DIR "/testdata/wwedits.sql"};
    TForm* FForm = new TForm(nullptr);
};

// Each step is keys typed, a click, or something the program does between them.
struct TStep {
    std::vector<int32_t> Keys;
    TPoint (*At)(const TScene&) = nullptr;
    void (*Do)(TScene&) = nullptr;
};

const std::vector<TStep> kScript = {
    {{}, [](const TScene& S) { return S.Middle(*S.Phone); }},
    {{'5', '5', '5', '1', '2', '3', '4', '5', '6', '7'}},
    {{}, nullptr, [](TScene& S) { S.Post(); }},
};

std::vector<std::string> RunScript(const test::TScriptInput& Input, int64_t Settle) {
    return test::RunModalSteps<TScene>(
        kScript,
        [&Input](const TStep& Step, TScene& S) {
            if (Step.Do != nullptr)
                Step.Do(S);
            else if (Step.At != nullptr)
                Input.Click(Step.At(S));
            else
                Input.Keys(Step.Keys);
        },
        Settle);
}

class EditsOnDisplay : public test::OnDisplayTest {};

TEST_F(EditsOnDisplay, TypingPickingAndClickingDoTheSameOnTheDisplayAsInjected) {
    const std::vector<std::string> injected = RunScript(test::InjectedInput(), 50);
    const std::vector<std::string> expected = {
        "phone , fields ",
        "phone (555)123-4567, fields ",
        "phone (555)123-4567, fields (555)123-4567",
    };
    EXPECT_EQ(injected, expected);

    PresentOnDisplay();
    EXPECT_EQ(RunScript(test::DisplayInput(FServer.DisplayName()), 400), injected);
}

}  // namespace
}  // namespace vex

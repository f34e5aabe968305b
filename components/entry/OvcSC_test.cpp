#include "components/entry/OvcSC.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "components/entry/OvcErrors.h"
#include "components/entry/spinner_testsupport.h"
#include "platform/win/window.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kCases = VEX_TEST_DIR "/testdata/spinner_place.txt";

TOvcBaseSpinner::TPosition PositionNamed(const std::string& Name) {
    static const std::map<std::string, TOvcBaseSpinner::TPosition> names = {
        {"scRight", TOvcBaseSpinner::scRight},
        {"scLeft", TOvcBaseSpinner::scLeft},
        {"scTop", TOvcBaseSpinner::scTop},
        {"scBottom", TOvcBaseSpinner::scBottom}};
    return names.at(Name);
}

std::string BoundsOf(const TControl& Control) {
    return std::to_string(Control.Left()) + " " + std::to_string(Control.Top()) + " " +
           std::to_string(Control.Width()) + " " + std::to_string(Control.Height());
}

std::string Fields(const test::TestCase& Case, size_t From) {
    std::string all;
    for (size_t i = From; i < Case.size(); ++i)
        all += (i == From ? "" : " ") + Case[i];
    return all;
}

// A control that says a spinner already follows it, as the hook of one did.
class TFollowedField : public test::TStandInField {
public:
    using TStandInField::TStandInField;
    HWND Follower = 0;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == OVCM_ISATTACHED) {
            Message.Result = static_cast<LRESULT>(Follower);
            return;
        }
        TStandInField::WndProc(Message);
    }
};

TEST(Spinner, StandsBesideItsFieldAsPositionAndSeparationSay) {
    for (const test::TestCase& c : test::ReadCases(kCases, "place")) {
        SCOPED_TRACE(c.Where);
        test::TSpinnerScene scene;
        scene.Spinner->SetPosition(PositionNamed(c[0]));
        scene.Spinner->SetSeparation(static_cast<int32_t>(c.Int(1)));
        EXPECT_EQ(BoundsOf(*scene.Spinner), Fields(c, 2));
        EXPECT_EQ(BoundsOf(*scene.Field), "20 20 80 24");
    }
}

TEST(Spinner, TakesItsFieldAlongWhenAttachedBothWays) {
    for (const test::TestCase& c : test::ReadCases(kCases, "twoway")) {
        SCOPED_TRACE(c.Where);
        test::TSpinnerScene scene;
        scene.Spinner->SetPosition(PositionNamed(c[0]));
        scene.Spinner->SetAttachTwoWay(true);
        scene.Spinner->SetBounds(150, 70, scene.Spinner->Width(), scene.Spinner->Height());
        EXPECT_EQ(BoundsOf(*scene.Field), Fields(c, 1));
    }
    test::TSpinnerScene oneWay;
    oneWay.Spinner->SetLeft(150);
    EXPECT_EQ(BoundsOf(*oneWay.Field), "20 20 80 24");
}

TEST(Spinner, AttachingFocusesTheFieldAndRefusesOneAlreadyFollowed) {
    test::TSpinnerScene scene;
    EXPECT_EQ(scene.Spinner->FocusedControl(), scene.Field);

    auto* followed = scene.Shown.Add<TFollowedField>(scene.Shown.Form, Rect(20, 60, 100, 84));
    followed->Follower = scene.Spinner->Handle();
    TOvcSpinner second(scene.Shown.Form);
    second.SetParent(scene.Shown.Form);
    try {
        second.SetAttachedControl(followed);
        ADD_FAILURE() << "attached a followed control";
    } catch (const EOvcException& e) {
        EXPECT_STREQ(e.what(), "This control is already attached to Spinner1");
    }
    EXPECT_EQ(second.AttachedControl(), nullptr);
    EXPECT_EQ(second.FocusedControl(), nullptr);

    // Any other answer is no spinner: the field's own window, or nothing at all.
    followed->Follower = followed->Handle();
    second.SetAttachedControl(followed);
    EXPECT_EQ(second.AttachedControl(), followed);
}

TEST(Spinner, ForgetsAFieldThatIsFreed) {
    test::TSpinnerScene scene;
    delete scene.Field;
    EXPECT_EQ(scene.Spinner->AttachedControl(), nullptr);
    EXPECT_EQ(scene.Spinner->FocusedControl(), nullptr);
}

TEST(Spinner, KeepsItsSizeRulesAcrossOrientationAndOddSize) {
    TOvcSpinner spinner(nullptr);
    spinner.SetForceOddSize(true);
    EXPECT_EQ(BoundsOf(spinner), "0 0 16 25");
    spinner.SetHeight(24);
    EXPECT_EQ(spinner.Height(), 25);
    spinner.SetOrientation(soHorizontal);
    EXPECT_EQ(BoundsOf(spinner), "0 0 25 17");  // exchanged, then made odd

    // A change of attached control gives the odd size up, so that the field's height holds.
    test::TSpinnerScene scene;
    scene.Spinner->SetForceOddSize(true);
    EXPECT_EQ(scene.Spinner->Height(), 25);
    scene.Spinner->SetAttachedControl(nullptr);
    EXPECT_FALSE(scene.Spinner->ForceOddSize());
}

TEST(Spinner, IgnoresAnAccelerationAboveTen) {
    TOvcSpinner spinner(nullptr);
    spinner.SetAcceleration(10);
    spinner.SetAcceleration(11);
    EXPECT_EQ(spinner.Acceleration(), 10);
}

}  // namespace
}  // namespace vex

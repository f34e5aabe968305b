#include <gtest/gtest.h>

#include <string>

#include "components/entry/spinner_testsupport.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// Every shape and look side by side on one panel: the form's vertical spinner, the old
// rounded look, one without arrows, a disabled one, a horizontal one and a large one.
TEST(SpinnerPicture, ShowsEachShapeAndLook) {
    test::TSpinnerScene scene;
    auto* panel = scene.Shown.Add<test::TPlainPanel>(scene.Shown.Form, Rect(0, 0, 170, 50));
    const auto add = [&](int32_t Left, int32_t Width, int32_t Height) {
        auto* spinner = new TOvcSpinner(scene.Shown.Form);
        spinner->SetBounds(Left, 4, Width, Height);
        spinner->SetParent(panel);
        return spinner;
    };
    add(4, 16, 25);
    add(24, 16, 25)->SetStyle(bsWin31);
    add(44, 16, 25)->SetShowArrows(false);
    add(64, 16, 25)->SetEnabled(false);
    TOvcSpinner* horizontal = add(84, 16, 25);
    horizontal->SetOrientation(soHorizontal);
    add(116, 30, 42);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*panel, kPictures, "spinner-shapes"));
}

// A button held shows pressed, its arrow a pixel down and right; the other stays up.
TEST(SpinnerPicture, ShowsTheHeldButtonPressed) {
    const struct {
        TSpinOrientation Orientation;
        TButtonStyle Style;
        TSpinState Button;
        const char* Name;
    } cases[] = {{soVertical, bsAutoDetect, stUpButton, "spinner-up-held"},
                 {soVertical, bsWin31, stDownButton, "spinner-down-held-win31"},
                 {soHorizontal, bsNew, stRightButton, "spinner-right-held"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TVirtualClock clock;
        TClockOverride use(clock);
        test::TSpinnerScene scene;
        scene.Spinner->SetAttachedControl(nullptr);
        scene.Spinner->SetOrientation(c.Orientation);
        scene.Spinner->SetStyle(c.Style);
        scene.Spinner->SetFocusedControl(scene.Field);
        TModalScript script;
        script.Then([&] {
            InjectMouseMove(scene.At(c.Button));
            InjectMouseButton(mbLeft, true);
        });
        script.Wait(100);
        script.Then([&] {
            test::PumpUntilIdle();
            EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Spinner, kPictures, c.Name));
            InjectMouseButton(mbLeft, false);
        });
        bool done = false;
        script.Then([&] { done = true; });
        RunModalLoop([&] { return done; });
        test::ReleaseAllKeys();
    }
}

}  // namespace
}  // namespace vex

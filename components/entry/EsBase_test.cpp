#include "components/entry/EsBase.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "components/entry/EsUtil.h"
#include "platform/core/clock.h"
#include "platform/ui/ui_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(EsUtil, DaysInMonthTakesLeapYearsAndTwoDigitYearsInTheCurrentCentury) {
    TFixedClock clock;
    clock.SetUtcMilliseconds(2538907200000);  // 15 June 2050, noon
    const TClockOverride use(clock);
    EXPECT_EQ(CurrentCentury(), 2000);
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/esdays.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(DaysInMonth(static_cast<int32_t>(c.Int(0)), static_cast<int32_t>(c.Int(1))),
                  c.Int(2));
    }
}

// A host named dtStart at (20, 46) on a shown form, as the date edits carry one.
class EsAttachedLabel : public ::testing::Test {
protected:
    EsAttachedLabel() {
        Host = Form.Add<TEsBase>(Form.Form, Rect(20, 46, 120, 70));
        Host->SetName("dtStart");
        test::PumpUntilIdle();
    }
    TEsAttachedLabel* Label() { return Host->EsLabelInfo().Label(); }

    test::TShownForm Form{Rect(10, 10, 300, 200)};
    TEsBase* Host = nullptr;
};

TEST_F(EsAttachedLabel, ShowingTheLabelMakesOneCaptionedAfterTheHostOnTopOfIt) {
    Host->EsLabelInfo().SetVisible(true);
    ASSERT_NE(Label(), nullptr);
    EXPECT_EQ(Label()->Caption(), "dtStartLabel");
    EXPECT_EQ(Label()->Owner(), Form.Form);
    EXPECT_EQ(Label()->Parent(), Host->Parent());
    EXPECT_EQ(Label()->EsControl(), Host);
    EXPECT_EQ(Label()->Left(), 20);
    EXPECT_EQ(Label()->BoundsRect().Bottom, 46);
    EXPECT_FALSE(Label()->AutoSize()) << "it keeps the size of its first caption";
    const int32_t width = Label()->Width();
    Label()->SetCaption("A much longer caption than before");
    EXPECT_EQ(Label()->Width(), width);
    test::PumpUntilIdle();
    EXPECT_EQ(Host->EsLabelInfo().OffsetX(), 0);
    EXPECT_EQ(Host->EsLabelInfo().OffsetY(), 0);
    EXPECT_TRUE(Host->EsLabelInfo().Visible());
}

TEST_F(EsAttachedLabel, TheLabelFollowsTheHostOnceThePostedMessageIsHandled) {
    Host->EsLabelInfo().SetVisible(true);
    test::PumpUntilIdle();
    Host->SetLeft(30);
    EXPECT_EQ(Label()->Left(), 20) << "not before the message is handled";
    test::PumpUntilIdle();
    EXPECT_EQ(Label()->Left(), 30);
    Host->SetBounds(30, 100, 100, 24);
    test::PumpUntilIdle();
    EXPECT_EQ(Label()->BoundsRect().Bottom, 100);
}

TEST_F(EsAttachedLabel, MovingTheLabelRecordsItsOffsetsWhichTheHostKeeps) {
    Host->EsLabelInfo().SetVisible(true);
    test::PumpUntilIdle();
    Label()->SetBounds(25, 20, Label()->Width(), Label()->Height());
    test::PumpUntilIdle();
    const int32_t bottom = 20 + Label()->Height();
    EXPECT_EQ(Host->EsLabelInfo().OffsetX(), 5);
    EXPECT_EQ(Host->EsLabelInfo().OffsetY(), bottom - 46);
    Host->SetTop(146);
    test::PumpUntilIdle();
    EXPECT_EQ(Label()->Left(), 25);
    EXPECT_EQ(Label()->BoundsRect().Bottom, bottom + 100);
    // Offsets set by the program place the label at once.
    Host->EsLabelInfo().SetOffsets(-4, 2);
    EXPECT_EQ(Label()->Left(), 16);
    EXPECT_EQ(Label()->BoundsRect().Bottom, 148);
}

TEST_F(EsAttachedLabel, HidingFreesTheLabelAndFreeingItByHandHidesItQuietly) {
    Host->EsLabelInfo().SetVisible(true);
    TComponent* made = Label();
    Host->EsLabelInfo().SetVisible(false);
    EXPECT_EQ(Label(), nullptr);
    for (int32_t i = 0; i < Form.Form->ComponentCount(); ++i)
        EXPECT_NE(Form.Form->Components(i), made);

    Host->EsLabelInfo().SetVisible(true);
    int told = 0;
    Host->EsLabelInfo().OnVisibleChange = [&](TObject*, bool) { ++told; };
    delete Label();
    EXPECT_EQ(Label(), nullptr);
    EXPECT_FALSE(Host->EsLabelInfo().Visible());
    EXPECT_EQ(told, 0);
    test::PumpUntilIdle();
}

TEST_F(EsAttachedLabel, FreeingTheHostOrTheFormFreesTheLabel) {
    Host->EsLabelInfo().SetVisible(true);
    test::PumpUntilIdle();
    const int32_t before = Form.Form->ComponentCount();
    delete Host;
    EXPECT_EQ(Form.Form->ComponentCount(), before - 2);
    test::PumpUntilIdle();

    auto* other = Form.Add<TEsBase>(Form.Form, Rect(20, 100, 120, 124));
    other->EsLabelInfo().SetVisible(true);
    // The form goes with the fixture, the label being the last component made, so freed first.
}

// A label read with its form links itself to its host, which counts it as shown from then on.
TEST_F(EsAttachedLabel, ALabelLoadedWithItsFormFindsItsHostAndRecordsWhereItSits) {
    TForm* form = Form.Form;
    form->BeginLoading();
    auto* label = new TEsAttachedLabel(form);
    label->SetAutoSize(false);
    label->SetEsControl(Host);
    label->SetParent(form);
    label->SetBounds(30, 10, 60, 16);
    form->EndLoading();
    EXPECT_EQ(Label(), label);
    EXPECT_FALSE(Host->EsLabelInfo().Visible()) << "not before the posted message";
    test::PumpUntilIdle();
    EXPECT_TRUE(Host->EsLabelInfo().Visible());
    EXPECT_EQ(Host->EsLabelInfo().OffsetX(), 10);
    EXPECT_EQ(Host->EsLabelInfo().OffsetY(), -20);
    EXPECT_EQ(label->BoundsRect(), Rect(30, 10, 90, 26));
}

TEST_F(EsAttachedLabel, AHostTakesOnlyItsOwnLabelsFromTheAssignMessage) {
    Host->EsLabelInfo().SetVisible(true);
    TEsAttachedLabel* own = Label();
    int stranger = 0;
    auto* notHis = new TEsAttachedLabel(Form.Form);
    SendMessage(Host->Handle(), ESM_ASSIGNLABEL, 0, reinterpret_cast<LPARAM>(&stranger));
    SendMessage(Host->Handle(), ESM_ASSIGNLABEL, 0, reinterpret_cast<LPARAM>(notHis));
    EXPECT_EQ(Label(), own);
    delete notHis;
}

TEST(EsBase, AHostWithoutAFormMakesNoLabel) {
    TEsBase host(nullptr);
    EXPECT_EQ(host.Width(), 75);
    EXPECT_EQ(host.Height(), 25);
    host.EsLabelInfo().SetVisible(true);
    EXPECT_EQ(host.EsLabelInfo().Label(), nullptr);
}

// The wheel message: the keys and the turn in WParam's low and high words, the screen point in
// LParam's.
TEST(EsBase, TheWheelEventGetsTheSignedTurnThePointAndTheKeys) {
    const struct {
        WPARAM WParam;
        LPARAM LParam;
        int16_t Delta, X, Y;
        TShiftState Shift;
    } cases[] = {
        {0x00780000, 0x00C80064, 120, 100, 200, {}},
        {0xFF880000, 0x00C80064, -120, 100, 200, {}},  // 65416: a notch towards the user
        {0xFF100004, 0, -240, 0, 0, {ssShift}},
        {0x0078000B, 0xFFF6FFEC, 120, -20, -10, {ssLeft, ssRight, ssCtrl}},
        {0x00780010, 0, 120, 0, 0, {ssMiddle}},
    };
    TEsBase host(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Delta);
        int calls = 0;
        host.OnMouseWheel = [&](TObject* Sender, TShiftState Shift, int16_t Delta, int16_t X,
                                int16_t Y) {
            ++calls;
            EXPECT_EQ(Sender, &host);
            EXPECT_TRUE(Shift == c.Shift);
            EXPECT_EQ(Delta, c.Delta);
            EXPECT_EQ(X, c.X);
            EXPECT_EQ(Y, c.Y);
        };
        host.Perform(WM_MOUSEWHEEL, c.WParam, c.LParam);
        EXPECT_EQ(calls, 1);
    }
    int calls = 0;
    host.OnMouseWheel = [&](TObject*, TShiftState, int16_t, int16_t, int16_t) { ++calls; };
    host.SetEnabled(false);
    host.Perform(WM_MOUSEWHEEL, 0x00780000, 0);
    EXPECT_EQ(calls, 0) << "a disabled control hears no wheel";
    host.OnMouseWheel = nullptr;
    host.SetEnabled(true);
    host.Perform(WM_MOUSEWHEEL, 0x00780000, 0);
}

TEST(EsBase, AWheelHandlerOfTheFrameworkMayFreeTheControl) {
    test::TShownForm shown;
    auto* host = shown.Add<TEsBase>(shown.Form, Rect(10, 10, 85, 35));
    host->SetFocus();
    int calls = 0;
    host->OnMouseWheel = [&](TObject*, TShiftState, int16_t, int16_t, int16_t) { ++calls; };
    // The focused control hears the wheel first, through the framework's own event.
    static_cast<TControl*>(host)->OnMouseWheel = [&host](TObject*, TShiftState, int32_t, TPoint,
                                                         bool&) {
        delete std::exchange(host, nullptr);
    };
    SendMessage(host->Handle(), WM_MOUSEWHEEL, 0x00780000, 0);
    EXPECT_EQ(host, nullptr);
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace vex

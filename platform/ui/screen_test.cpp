#include "platform/ui/screen.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/ui/form.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/systemparameters.h"
#include "platform/win/win_testsupport.h"

namespace vex {
namespace {

TEST(Screen, MeasuresThePresentersScreenAndItsWorkArea) {
    test::PresenterOverride presenter(std::make_unique<THeadlessPresenter>(Rect(0, 0, 1280, 1024)));
    EXPECT_EQ(Screen().Width(), 1280);
    EXPECT_EQ(Screen().Height(), 1024);
    TRect saved;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &saved, 0));
    TRect bars = Rect(0, 24, 1280, 1000);
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &bars, 0));
    EXPECT_EQ(Screen().WorkAreaRect(), bars);
    EXPECT_EQ(Screen().WorkAreaTop(), 24);
    EXPECT_EQ(Screen().WorkAreaHeight(), 976);
    SystemParametersInfo(SPI_SETWORKAREA, 0, &saved, 0);
}

TEST(Screen, KeepsItsDensityAboveZero) {
    EXPECT_EQ(Screen().PixelsPerInch(), 96);
    Screen().SetPixelsPerInch(120);
    EXPECT_EQ(Screen().PixelsPerInch(), 120);
    EXPECT_THROW(Screen().SetPixelsPerInch(0), ERangeError);
    EXPECT_EQ(Screen().PixelsPerInch(), 120);
    Screen().SetPixelsPerInch(96);
}

TEST(Screen, ListsTheInstalledFontFamiliesInOrder) {
    TStrings& fonts = Screen().Fonts();
    EXPECT_GE(fonts.IndexOf("DejaVu Sans"), 0);
    EXPECT_GE(fonts.IndexOf("Vex Fixed"), 0);
    for (int32_t i = 1; i < fonts.Count(); ++i)
        EXPECT_LE(AnsiCompareText(fonts[i - 1], fonts[i]), 0) << fonts[i];
}

// A form of the framework's base class only, which Forms leaves out.
class TBareForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

std::vector<std::string> CaptionsOf(int32_t Count, const std::function<TCustomForm*(int32_t)>& At) {
    std::vector<std::string> captions;
    for (int32_t i = 0; i < Count; ++i)
        captions.push_back(At(i)->Caption());
    return captions;
}

TEST(Screen, ListsTheFormsTopmostFirstAndTheirActiveOne) {
    TScreen& screen = Screen();
    std::vector<TCustomForm*> changes;
    screen.OnActiveFormChange = [&](TObject*) { changes.push_back(screen.ActiveForm()); };
    TForm a(nullptr), b(nullptr), unshown(nullptr);
    TBareForm bare(nullptr);
    for (auto [form, caption] : {std::pair<TCustomForm*, const char*>{&a, "a"},
                                 {&b, "b"},
                                 {&unshown, "unshown"},
                                 {&bare, "bare"}})
        form->SetCaption(caption);
    a.Show();
    bare.Show();
    b.Show();
    const auto custom = [&](int32_t I) { return screen.CustomForms(I); };
    const auto plain = [&](int32_t I) { return static_cast<TCustomForm*>(screen.Forms(I)); };
    EXPECT_EQ(CaptionsOf(screen.CustomFormCount(), custom),
              std::vector<std::string>({"b", "bare", "a", "unshown"}));
    EXPECT_EQ(CaptionsOf(screen.FormCount(), plain),
              std::vector<std::string>({"b", "a", "unshown"}));
    a.BringToFront();
    EXPECT_EQ(CaptionsOf(screen.FormCount(), plain),
              std::vector<std::string>({"a", "b", "unshown"}));
    EXPECT_EQ(screen.ActiveForm(), &a);
    EXPECT_THROW(screen.CustomForms(4), EListError);
    EXPECT_THROW(screen.Forms(-1), EListError);
    EXPECT_EQ(changes, std::vector<TCustomForm*>({&a, &bare, &b, &a}));
    screen.OnActiveFormChange = nullptr;
}

TEST(Screen, ForgetsAFreedActiveForm) {
    auto* form = new TForm(nullptr);
    form->Show();
    EXPECT_EQ(Screen().ActiveForm(), form);
    delete form;
    EXPECT_NE(Screen().ActiveForm(), form);
}

TEST(Screen, TheCursorGuardPutsBackTheCursorAlsoWhenATaskThrows) {
    Screen().SetCursor(crDefault);
    {
        TScreenCursorGuard wait(crHourGlass);
        EXPECT_EQ(Screen().Cursor(), crHourGlass);
        try {
            TScreenCursorGuard drag(crDrag);
            EXPECT_EQ(Screen().Cursor(), crDrag);
            throw EInvalidOperation("task failed");
        } catch (const EInvalidOperation&) {
        }
        EXPECT_EQ(Screen().Cursor(), crHourGlass);
    }
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST(Screen, CursorsByNumberFallBackToTheDefault) {
    Screen().SetCursors(5, 12345);
    EXPECT_EQ(Screen().Cursors(5), 12345);
    EXPECT_EQ(Screen().Cursors(crHourGlass), crHourGlass);
    EXPECT_EQ(Screen().Cursors(6), Screen().Cursors(crDefault));
    EXPECT_EQ(Screen().HintFont().Size(), 8);
}

}  // namespace
}  // namespace vex

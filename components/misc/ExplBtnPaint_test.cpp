#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "components/misc/ExplBtn.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"

namespace vex {
namespace {

using test::PumpUntilIdle;

const std::string Pictures = std::string(VEX_TEST_DIR) + "/testdata/pictures";

// A 16 by 16 picture on a green background: a red square with a dark blue frame and a white
// middle, so dimming and disabling both have something to show.
void DrawGlyph(TBitmap& Bitmap) {
    Bitmap.SetSize(16, 16);
    TCanvas& c = Bitmap.Canvas();
    c.Brush().SetColor(clLime);
    c.FillRect(Rect(0, 0, 16, 16));
    c.Brush().SetColor(clNavy);
    c.FillRect(Rect(2, 2, 14, 14));
    c.Brush().SetColor(clRed);
    c.FillRect(Rect(4, 4, 12, 12));
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(6, 6, 10, 10));
}

// One button of 64 by 44 with the glyph and a caption on a form in the fixed font, the pointer
// parked away from it.
class ExplorerButtonLooks : public ::testing::Test {
protected:
    ExplorerButtonLooks() {
        Form.Form->Font().SetName(FixedFontName);
        Form.Form->SetColor(clBtnFace);
        Button = Form.Add<TExplorerButton>(Form.Form, Rect(8, 8, 72, 52));
        TBitmap glyph;
        DrawGlyph(glyph);
        Button->SetBitmap(glyph);
        Button->SetCaption("&Mark");
        InjectMouseMove(Form.Form->ClientToScreen(Point(150, 90)));
        PumpUntilIdle();
    }
    void Hover() {
        InjectMouseMove(Button->ClientToScreen(Point(20, 20)));
        PumpUntilIdle();
    }
    void Press() {
        Hover();
        InjectMouseButton(mbLeft, true);
        PumpUntilIdle();
    }
    ~ExplorerButtonLooks() override {
        InjectMouseButton(mbLeft, false);
        PumpUntilIdle();
    }
    ::testing::AssertionResult Looks(const std::string& Name) {
        PumpUntilIdle();
        return test::ControlMatchesReferencePicture(*Button, Pictures, Name);
    }

    test::TShownForm Form{Rect(10, 10, 210, 130)};
    TExplorerButton* Button = nullptr;
};

TEST_F(ExplorerButtonLooks, IdleIsFlat) {
    EXPECT_TRUE(Looks("explorer-idle"));
}

TEST_F(ExplorerButtonLooks, HotRaisesABevel) {
    Hover();
    EXPECT_TRUE(Looks("explorer-hot"));
}

TEST_F(ExplorerButtonLooks, PressedSinksAndMovesTheFace) {
    Press();
    EXPECT_TRUE(Looks("explorer-pressed"));
}

TEST_F(ExplorerButtonLooks, DownShowsThePattern) {
    Button->SetGroupIndex(1);
    Button->SetDown(true);
    EXPECT_TRUE(Looks("explorer-down"));
}

TEST_F(ExplorerButtonLooks, DisabledIsEmbossedAndEtched) {
    Button->SetEnabled(false);
    EXPECT_TRUE(Looks("explorer-disabled"));
}

TEST_F(ExplorerButtonLooks, AMonoDisplayDimsTheBitmapUntilTheMouseComes) {
    Button->SetShadingType(stDark);
    Button->SetOptions(Button->Options() + TExplorerButtonOptions{boMonoDisplay});
    Button->SetUnselectedFontColor(clGray);
    EXPECT_TRUE(Looks("explorer-dimmed"));
    Hover();
    EXPECT_TRUE(Looks("explorer-hot"));
}

TEST_F(ExplorerButtonLooks, AnOfficeButtonHasAnArrowPart) {
    TPopupMenu menu(nullptr);
    Button->SetDropDownMenu(&menu);
    Button->SetDropDownStyle(ddsOffice);
    Button->SetLayout(blBitmapLeft);
    Button->SetCaption("Go");
    Hover();
    EXPECT_TRUE(Looks("explorer-office"));
}

TEST_F(ExplorerButtonLooks, AnIconOnlyButtonShowsNoCaption) {
    Button->SetOptions(Button->Options() + TExplorerButtonOptions{boIconOnly});
    Button->SetButtonSize(bsSmall);
    Hover();
    EXPECT_TRUE(Looks("explorer-icononly"));
}

TEST_F(ExplorerButtonLooks, ALongCaptionWrapsOrEndsInAnEllipsis) {
    Button->SetCaption("Delete marked msgs");
    EXPECT_TRUE(Looks("explorer-ellipsis"));
    Button->SetOptions(Button->Options() + TExplorerButtonOptions{boWordWrap});
    EXPECT_TRUE(Looks("explorer-wrapped"));
}

// Sizes and captions no toolbar would have: each button paints, hot, disabled and pressed,
// within its own bounds.
TEST(ExplorerButtonExtremes, PaintsWhateverItsSizeBitmapsAndCaption) {
    const struct {
        int32_t Width, Height;
        const char* Caption;
        TSize Bitmap, NoFocus, Disabled;
        TExplorerButtonButtonSize Size;
        TExplorerButtonLayout Layout;
    } cases[] = {
        {1,
         40,
         "A very long caption that wraps word by word",
         {16, 16},
         {3, 5},
         {40, 2},
         bsCustom,
         blBitmapTop},
        {0, 0, "&&&", {1, 1}, {}, {}, bsCustom, blBitmapLeft},
        {-5, -7, "&", {}, {2, 2}, {}, bsCustom, blBitmapRight},
        {50, 40, "", {16384, 1}, {1, 1}, {1, 300}, bsCustom, blBitmapBottom},
        {50, 40, "Wide", {16384, 2}, {}, {}, bsLarge, blBitmapLeft},
        {12, 3, "&x\xE9&&", {1, 1}, {}, {}, bsSmall, blBitmapTop},
    };
    const auto picture = [](TSize Size, TColor Colour, TBitmap& B) {
        B.SetSize(Size.cx, Size.cy);
        if (B.Empty()) return;
        B.Canvas().Brush().SetColor(Colour);
        B.Canvas().FillRect(Rect(0, 0, Size.cx, Size.cy));
        B.ScanLine(0)[0] = 0;  // a background pixel apart from the rest
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " " << c.Caption);
        test::TShownForm form{Rect(10, 10, 200, 120)};
        auto* b = form.Add<TExplorerButton>(form.Form, Rect(5, 5, 55, 45));
        b->SetOptions(TExplorerButtonOptions{boMonoDisplay, boPopupMark, boShowBevel, boWordWrap});
        TBitmap bitmap, noFocus, disabled;
        picture(c.Bitmap, clRed, bitmap);
        picture(c.NoFocus, clBlue, noFocus);
        picture(c.Disabled, clGray, disabled);
        b->SetBitmap(bitmap);
        b->SetNoFocusBitmap(noFocus);
        b->SetDisabledBitmap(disabled);
        b->SetButtonSize(c.Size);
        b->SetLayout(c.Layout);
        b->SetCaption(c.Caption);
        b->SetBounds(5, 5, c.Width, c.Height);
        TBitmap shot;
        for (int step = 0; step < 3; ++step) {
            if (step == 1) InjectMouseMove(b->ClientToScreen(Point(0, 0)));
            if (step == 2) b->SetEnabled(false);
            PumpUntilIdle();
            PictureOfControl(*b, shot);
            EXPECT_EQ(shot.Width(), b->Width());
            EXPECT_EQ(shot.Height(), b->Height());
        }
    }
}

// A red square the form paints under the button's top-left corner shows through only when the
// button is transparent.
TEST(ExplorerButtonBackground, ATransparentButtonShowsWhatItsParentPaintsUnderIt) {
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        test::TShownForm form{Rect(10, 10, 200, 120)};
        form.Form->SetColor(clTeal);
        form.Add<test::TPaintedBy>(form.Form, Rect(0, 0, 20, 20), [](TCanvas& C) {
            C.Brush().SetColor(clRed);
            C.FillRect(Rect(0, 0, 20, 20));
        });
        auto* button = form.Add<TExplorerButton>(form.Form, Rect(10, 10, 60, 50));
        if (transparent)
            button->SetOptions(button->Options() + TExplorerButtonOptions{boTransparent});
        PumpUntilIdle();
        TBitmap picture;
        PictureOfControl(*button, picture);
        EXPECT_EQ(picture.ScanLine(2)[2] & 0xFFFFFF, transparent ? 0xFF0000u : 0x008080u);
        EXPECT_EQ(picture.ScanLine(20)[20] & 0xFFFFFF, 0x008080u);
    }
}

}  // namespace
}  // namespace vex

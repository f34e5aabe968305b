#include "platform/ui/defaultpainting.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/ui/scrollbarpainting.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/toplevel.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

// Windows of a class that paints by default, on a white background.
const char* WhiteClass() {
    WNDCLASS white;
    if (!GetClassInfo("TestWhiteWindow", white)) {
        white.lpfnWndProc = DefPaintProc;
        white.hbrBackground = 14 + 1;  // the highlighted text's colour, white
        white.lpszClassName = "TestWhiteWindow";
        RegisterClass(white);
    }
    return "TestWhiteWindow";
}

TEST(DefaultPainting, DrawsTheFrameEachStyleAsksFor) {
    const std::map<std::string, uint32_t> bits = {{"0", 0},
                                                  {"WS_BORDER", WS_BORDER},
                                                  {"WS_DLGFRAME", WS_DLGFRAME},
                                                  {"WS_THICKFRAME", WS_THICKFRAME},
                                                  {"WS_VSCROLL", WS_VSCROLL},
                                                  {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE}};
    const TPictureLegend legend = {
        {'.', 0xFFFFFF}, {'k', 0x000000}, {'s', 0x808080}, {'f', 0xC0C0C0}};
    test::TShownForm shown;
    for (const TPictureCase& c : LoadPictureCases("frames.txt")) {
        SCOPED_TRACE(c.Name);
        const HWND wnd = CreateWindowEx(test::FlagsOf(c.Fields[1], bits), WhiteClass(), "",
                                        WS_CHILD | WS_VISIBLE | test::FlagsOf(c.Fields[0], bits), 0,
                                        0, 12, 10, shown.Form->Handle(), 0, 0);
        test::PumpUntilIdle();
        TBitmap picture;
        PictureOfWindow(wnd, picture);
        EXPECT_EQ(PictureOf(picture, legend), c.Picture);
        DestroyWindow(wnd);
    }
}

TEST(DefaultPainting, ShowsWhetherTheWindowIsActiveInItsCaption) {
    test::TShownForm first(Rect(0, 0, 100, 60));
    first.Form->SetCaption("First");
    const auto captionColour = [](TForm& Form) {
        TBitmap picture;
        PictureOfWindow(Form.Handle(), picture);
        return PixelToColor(picture.ScanLine(8)[90 - 30]);  // a pixel of the bar left of the box
    };
    EXPECT_EQ(captionColour(*first.Form), ColorToRGB(clActiveCaption));
    // The title is written in the caption's text colour inside the bar, left of the close box.
    TBitmap picture;
    PictureOfWindow(first.Form->Handle(), picture);
    const TRect bar = Rect(4, 4, 76, 4 + GetSystemMetrics(SM_CYCAPTION) - 1);
    TBitmap inBar;
    inBar.SetSize(bar.Right - bar.Left, bar.Bottom - bar.Top);
    inBar.Canvas().CopyRect(Rect(0, 0, inBar.Width(), inBar.Height()), picture.Canvas(), bar);
    const TRect title = InkBounds(inBar, clCaptionText);
    EXPECT_GE(title.Left, 3);
    EXPECT_GT(title.Right, title.Left + 10) << "five letters";

    test::TShownForm second(Rect(200, 0, 300, 60));
    EXPECT_EQ(GetActiveWindow(), second.Form->Handle());
    EXPECT_EQ(captionColour(*first.Form), ColorToRGB(clInactiveCaption));
}

TEST(ScrollBarPainting, PutsTheThumbWhereThePositionSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/scrollthumb.txt")) {
        SCOPED_TRACE(c.Where);
        TScrollBarState state;
        state.Min = static_cast<int32_t>(c.Int(1));
        state.Max = static_cast<int32_t>(c.Int(2));
        state.Page = static_cast<uint32_t>(c.Int(3));
        state.Pos = static_cast<int32_t>(c.Int(4));
        state.DisabledArrows = static_cast<UINT>(c.Int(5));
        state.Visible = true;
        int32_t offset = -1, length = -1;
        const bool shown = ScrollThumb(static_cast<int32_t>(c.Int(0)), state, offset, length);
        if (c[6] == "none") {
            EXPECT_FALSE(shown);
            continue;
        }
        ASSERT_TRUE(shown);
        EXPECT_EQ(offset, c.Int(6));
        EXPECT_EQ(length, c.Int(7));
    }
}

}  // namespace
}  // namespace vex

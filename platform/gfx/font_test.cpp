#include "platform/gfx/font.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/fontengine.h"
#include "platform/gfx/gfx_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(Font, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    for (const auto& [size, height] : {std::pair{10, -13}, {12, -16}}) {
        font.SetSize(size);
        EXPECT_EQ(font.Height(), height);
    }
    font.SetHeight(INT32_MAX);
    EXPECT_EQ(font.Height(), MaxFontHeight);
    font.SetSize(INT32_MIN);
    EXPECT_EQ(font.Height(), MaxFontHeight);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
}

// A device's font takes sizes in points at the device's resolution; copying between
// resolutions keeps the size in points, and a font of the same resolution keeps its height.
TEST(Font, SizesFollowTheFontsResolutionAndCopiesKeepThePoints) {
    TFont printer;
    printer.SetPixelsPerInch(600);
    printer.SetSize(10);
    EXPECT_EQ(printer.Height(), -83);
    for (const int32_t refused : {0, -96, MaxPixelsPerInch + 1}) {
        printer.SetPixelsPerInch(refused);
        EXPECT_EQ(printer.PixelsPerInch(), 600);
    }
    TFont screen;
    screen.SetSize(12);
    screen.SetStyle({fsBold});
    printer.Assign(&screen);
    EXPECT_EQ(printer.Size(), 12);
    EXPECT_EQ(printer.Height(), -100);
    EXPECT_EQ(printer.Style(), TFontStyles{fsBold});
    printer.SetHeight(-85);
    TFont sameResolution;
    sameResolution.SetPixelsPerInch(600);
    sameResolution.Assign(&printer);
    EXPECT_EQ(sameResolution.Height(), -85) << "no round trip through points";
    screen.Assign(&printer);
    EXPECT_EQ(screen.Size(), 10);
    printer.SetHeight(-MaxFontHeight);
    screen.SetPixelsPerInch(MaxPixelsPerInch);
    screen.Assign(&printer);
    EXPECT_EQ(screen.Height(), -MaxFontHeight) << "kept within the heights a font has";
}

// A size in points is a height in pixels at any resolution and back, and however small it
// comes out it stays a small font: a height of 0 would be the default size.
TEST(Font, SizesRoundTripAtAnyResolutionAndNeverBecomeTheDefaultSize) {
    struct TCase {
        int32_t PixelsPerInch, Size, Height;
    };
    const TCase cases[] = {
        {96, 12, -16}, {300, 12, -50}, {600, 10, -83}, {127, 9, -16},
        {10, 3, -1},   {1, 10, -1},    {1, -10, 1},    {96, 0, 0},
    };
    for (const TCase& c : cases) {
        TFont font;
        font.SetPixelsPerInch(c.PixelsPerInch);
        font.SetSize(c.Size);
        EXPECT_EQ(font.Height(), c.Height) << c.Size << " points at " << c.PixelsPerInch;
    }
    for (const int32_t dpi : {72, 96, 127, 300, 600}) {
        TFont font;
        font.SetPixelsPerInch(dpi);
        for (int32_t size = 1; size <= 72; ++size) {
            font.SetSize(size);
            ASSERT_EQ(font.Size(), size) << "at " << dpi;
        }
    }
    TFont printer, screen;
    printer.SetPixelsPerInch(600);
    printer.SetHeight(-4);
    screen.Assign(&printer);
    EXPECT_EQ(screen.Height(), -1) << "a tiny printer font is a tiny screen font";
    printer.SetHeight(4);
    screen.Assign(&printer);
    EXPECT_EQ(screen.Height(), 1);
}

TEST(FontHandle, AdoptedHandleIsOwnedByTheFontAndAStaleOneRaises) {
    TLogFont lf;
    lf.lfHeight = -20;
    lf.lfEscapement = lf.lfOrientation = 900;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfPitchAndFamily = FIXED_PITCH;
    lf.lfFaceName = "Courier New";
    const HFONT handle = CreateFontIndirect(lf);
    TLogFont back;
    EXPECT_EQ(GetObject(handle, back), static_cast<int32_t>(sizeof(TLogFont)));
    EXPECT_EQ(back, lf);
    {
        TFont font;
        font.SetHandle(handle);
        EXPECT_EQ(font.LogFont(), lf);
        EXPECT_EQ(font.Handle(), handle);
        // A change lets the adopted handle go.
        font.SetSize(30);
        EXPECT_THROW(GetObject(handle, back), EInvalidFontHandle);
        const HFONT own = font.Handle();
        EXPECT_NE(own, handle);
        EXPECT_EQ(GetObject(own, back), static_cast<int32_t>(sizeof(TLogFont)));
        // The released handle is stale: it raises and changes nothing.
        EXPECT_THROW(DeleteObject(handle), EInvalidFontHandle);
        EXPECT_THROW(DeleteObject(0), EInvalidFontHandle);
        EXPECT_THROW(font.SetHandle(handle), EInvalidFontHandle);
        EXPECT_EQ(font.Handle(), own);
    }
}

// A font copied again and again (a control's font into its canvas at every paint) must still
// take each change, whichever of the two fonts it was made to, and still tell the canvas.
TEST(FontCopy, EveryChangeOfSourceOrCopyIsTakenAtTheNextCopy) {
    const struct {
        const char* Change;
        std::function<void(TFont&)> Apply;
    } changes[] = {
        {"name", [](TFont& F) { F.SetName("Courier New"); }},
        {"height", [](TFont& F) { F.SetHeight(-20); }},
        {"colour", [](TFont& F) { F.SetColor(clRed); }},
        {"style", [](TFont& F) { F.SetStyle(TFontStyles{fsBold}); }},
        {"pitch", [](TFont& F) { F.SetPitch(fpFixed); }},
        {"charset", [](TFont& F) { F.SetCharset(SYMBOL_CHARSET); }},
        {"orientation", [](TFont& F) { F.SetOrientation(900); }},
        {"handle",
         [](TFont& F) {
             TLogFont lf;
             lf.lfHeight = -15;
             lf.lfFaceName = "Arial";
             F.SetHandle(CreateFontIndirect(lf));
         }},
        {"copy of another",
         [](TFont& F) {
             TFont other;
             other.SetName("Times New Roman");
             other.SetColor(clBlue);
             F.Assign(&other);
         }},
    };
    const auto same = [](const TFont& A, const TFont& B) {
        return A.LogFont() == B.LogFont() && A.Color() == B.Color();
    };
    for (const auto& change : changes)
        for (const bool ofCopy : {false, true}) {
            SCOPED_TRACE(std::string(change.Change) + (ofCopy ? " of the copy" : " of the source"));
            TFont source, copy;
            int told = 0;
            copy.OnChange = [&](TObject*) { ++told; };
            copy.Assign(&source);
            change.Apply(ofCopy ? copy : source);
            EXPECT_FALSE(same(source, copy));
            told = 0;
            copy.Assign(&source);
            EXPECT_TRUE(same(source, copy));
            EXPECT_EQ(told, 1);
            // Copying what is already there still counts as a change, handle and all.
            const HFONT handle = copy.Handle();
            copy.Assign(&source);
            EXPECT_EQ(told, 2);
            TLogFont gone;
            EXPECT_THROW(GetObject(handle, gone), EInvalidFontHandle);
        }
}

TEST(FontEngine, OriginalFaceNamesMapToInstalledFamilies) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/faces.txt"))
        EXPECT_EQ(MapFaceName(c[0], c[1] == "fixed"), c[2]) << c.Where;
}

TEST(FontEngine, FamilyListHasTheFixedPitchFlag) {
    int found = 0;
    for (const TFontFamily& f : InstalledFontFamilies())
        if (f.Name == "DejaVu Sans Mono" || f.Name == "DejaVu Sans") {
            EXPECT_EQ(f.FixedPitch, f.Name == "DejaVu Sans Mono") << f.Name;
            ++found;
        }
    EXPECT_EQ(found, 2);
}

class InstalledFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bitmap.SetSize(200, 120);
        Canvas().Brush().SetStyle(bsClear);
    }
    TCanvas& Canvas() { return Bitmap.Canvas(); }
    TTextMetric Metrics() {
        TTextMetric tm;
        GetTextMetrics(Canvas().Handle(), tm);
        return tm;
    }
    TRect Ink() {
        return InkBounds(Bitmap, [](uint32_t P) { return (P & 0xFFFFFF) != 0xFFFFFF; });
    }
    TBitmap Bitmap;
};

TEST_F(InstalledFontTest, MetricsFollowTheFaceStyleAndCharset) {
    Canvas().Font().SetName("Tahoma");
    TTextMetric tm = Metrics();
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH);  // variable
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    EXPECT_EQ(Canvas().TextHeight("Pp"), tm.tmHeight);
    Canvas().Font().SetName("Courier New");
    EXPECT_EQ(Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    EXPECT_EQ(Canvas().TextWidth("iiii"), Canvas().TextWidth("WWWW"));
    Canvas().Font().SetHeight(20);  // a positive height is the whole cell
    EXPECT_NEAR(Metrics().tmHeight, 20, 1);

    // Each change of the description gives new metrics, also a change back.
    Canvas().Font().SetName("Arial");
    const int32_t regular = Canvas().TextWidth("Hello");
    for (const auto& [style, charset] : std::vector<std::pair<TFontStyles, TFontCharset>>{
             {{fsBold}, DEFAULT_CHARSET},
             {{fsUnderline, fsStrikeOut}, ANSI_CHARSET},
             {{}, SYMBOL_CHARSET},
             {{}, DEFAULT_CHARSET}}) {
        SCOPED_TRACE(charset);
        Canvas().Font().SetStyle(style);
        Canvas().Font().SetCharset(charset);
        tm = Metrics();
        EXPECT_EQ(tm.tmUnderlined, style.Contains(fsUnderline) ? 1 : 0);
        EXPECT_EQ(tm.tmStruckOut, style.Contains(fsStrikeOut) ? 1 : 0);
        EXPECT_EQ(tm.tmCharSet, charset);
        EXPECT_EQ(tm.tmWeight, style.Contains(fsBold) ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(Canvas().TextWidth("Hello") > regular, style.Contains(fsBold));
    }
}

TEST_F(InstalledFontTest, UnknownAndOddFontsStillDraw) {
    for (int32_t height : {0, 1, -1, MaxFontHeight, -MaxFontHeight}) {
        SCOPED_TRACE(height);
        Canvas().Font().SetName("No Such Face At All");
        Canvas().Font().SetHeight(height);
        EXPECT_GT(Metrics().tmHeight, 0);
        Canvas().TextOut(0, 0, "Ag\x80\xE9\x01");
    }
    // Asked for directly, heights beyond the limit are realized at the limit.
    for (int32_t height : {INT32_MIN, -MaxFontHeight - 1, MaxFontHeight + 1, INT32_MAX}) {
        SCOPED_TRACE(height);
        TLogFont lf;
        lf.lfHeight = height;
        lf.lfFaceName = FixedFontName;
        EXPECT_EQ(RealizeFont(lf)->Metrics().tmHeight, MaxFontHeight);
        lf.lfFaceName = "Arial";
        EXPECT_LE(RealizeFont(lf)->Metrics().tmHeight, 2 * MaxFontHeight);
    }
}

TEST_F(InstalledFontTest, RotatedQuarterTurnIsTallerThanWide) {
    Canvas().Font().SetName("Arial");
    Canvas().Font().SetSize(12);
    Canvas().TextOut(10, 10, "Hello");
    const TRect flat = Ink();
    EXPECT_GT(flat.Right - flat.Left, flat.Bottom - flat.Top);

    Bitmap.SetSize(0, 0);
    Bitmap.SetSize(200, 120);
    TLogFont lf = Canvas().Font().LogFont();
    lf.lfEscapement = 900;
    Canvas().Font().SetHandle(CreateFontIndirect(lf));
    Canvas().TextOut(50, 100, "Hello");
    const TRect turned = Ink();
    EXPECT_GT(turned.Bottom - turned.Top, turned.Right - turned.Left);
    EXPECT_LE(turned.Bottom, 100);
    EXPECT_NEAR(turned.Bottom - turned.Top, flat.Right - flat.Left, 2);
}

}  // namespace
}  // namespace vex

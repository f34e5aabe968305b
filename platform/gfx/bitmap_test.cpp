#include "platform/gfx/bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/pngcodec.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(Bitmap, PngRoundTripKeepsEveryPixel) {
    test::TempDir dir;
    TBitmap original;
    original.SetSize(300, 200);
    FillDistinct(original);
    original.SaveToFile(dir.File("distinct.png"));

    TBitmap loaded;
    loaded.LoadFromFile(dir.File("distinct.png"));
    EXPECT_EQ(PixelsOf(original), PixelsOf(loaded));
    TStringStream saved("");
    original.SaveToStream(saved);
    TStringStream stream(saved.DataString());
    loaded.SetSize(1, 1);
    loaded.LoadFromStream(stream);
    EXPECT_EQ(PixelsOf(original), PixelsOf(loaded));

    // A picture of one colour throughout deflates about a thousand to one, and loads.
    TBitmap plain;
    plain.SetSize(4096, 4096);
    plain.ScanLine(4095)[4095] = 0x123456;
    TStringStream plainSaved("");
    plain.SaveToStream(plainSaved);
    TStringStream plainStream(plainSaved.DataString());
    loaded.LoadFromStream(plainStream);
    EXPECT_EQ(loaded.Height(), 4096);
    EXPECT_EQ(loaded.ScanLine(4095)[4095], 0x123456u);
    EXPECT_EQ(loaded.ScanLine(0)[0], 0xFFFFFFu);
}

// Truncated, corrupt, not a PNG, dimensions (with checksums made to fit) beyond the cap or
// beyond what the image data could ever hold, and pictures that must load however tightly they
// are packed. A file that cannot be read leaves the bitmap as it was.
TEST(Bitmap, PngFilesLoadOrRaiseAndKeepTheBitmap) {
    const std::string folder = VEX_TEST_DIR "/testdata/";
    int badFiles = 0;
    for (const test::TestCase& row : test::ReadCases(folder + "pngfiles.txt")) {
        SCOPED_TRACE(row.Where);
        TBitmap bitmap;
        bitmap.SetSize(2, 2);
        bitmap.ScanLine(0)[0] = 0x123456;
        TStringStream stream(ReadFileToString(folder + row[0]));
        if (row.size() == 3) {
            bitmap.LoadFromStream(stream);
            EXPECT_EQ(bitmap.Width(), row.Int(1));
            EXPECT_EQ(bitmap.Height(), row.Int(2));
            continue;
        }
        ++badFiles;
        EXPECT_EQ(test::ErrorText<EInvalidGraphic>([&] { bitmap.LoadFromStream(stream); }), row[1]);
        EXPECT_EQ(bitmap.Width(), 2);
        EXPECT_EQ(bitmap.ScanLine(0)[0], 0x123456u);
    }
    EXPECT_EQ(badFiles, std::distance(std::filesystem::directory_iterator(folder + "badpng"), {}));
}

TEST(Bitmap, FailedSaveLeavesTheOldFile) {
    test::TempDir dir;
    const std::string name = dir.File("kept.png");
    TBitmap bitmap;
    bitmap.SetSize(3, 3);
    bitmap.SaveToFile(name);
    const std::string before = ReadFileToString(name);
    TBitmap empty;
    EXPECT_THROW(empty.SaveToFile(name), EInvalidGraphic);
    EXPECT_EQ(ReadFileToString(name), before);
}

TEST(Bitmap, ResizingKeepsWhatStaysInsideAndPaintsTheRestWhite) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    FillDistinct(bitmap);
    const uint32_t kept = bitmap.ScanLine(2)[3];
    bitmap.SetSize(6, 3);
    EXPECT_EQ(bitmap.ScanLine(2)[3], kept);
    EXPECT_EQ(bitmap.ScanLine(2)[5], 0xFFFFFFu);
    EXPECT_THROW(bitmap.SetSize(-1, 3), EInvalidGraphic);
    EXPECT_THROW(bitmap.SetSize(3, MaxBitmapDimension + 1), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_THROW(bitmap.ScanLine(3), ERangeError);
    EXPECT_THROW(bitmap.ScanLine(-1), ERangeError);
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency) {
    TBitmap source;
    source.SetSize(5, 4);
    FillDistinct(source);
    source.SetTransparent(true);
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(PixelsOf(source), PixelsOf(copy));
    EXPECT_TRUE(copy.Transparent());
    copy.ScanLine(0)[0] ^= 1;
    EXPECT_NE(PixelsOf(source), PixelsOf(copy));
    EXPECT_THROW(copy.Assign(nullptr), EConvertError);

    // The transparent colour is the bottom-left pixel unless fixed.
    copy.Canvas().SetPixels(0, 3, clFuchsia);
    EXPECT_EQ(copy.TransparentColor(), clFuchsia);
    copy.SetTransparentColor(clLime);
    EXPECT_EQ(copy.TransparentColor(), clLime);
    copy.SetTransparentColor(clDefault);
    EXPECT_EQ(copy.TransparentColor(), clFuchsia);
}

TEST(BitmapView, KeepsItsSizeAndItsRowsThroughEveryChange) {
    TForeignRows rows(4, 3, 7);
    TBitmap& view = rows.View;
    FillDistinct(view);
    EXPECT_FALSE(view.OwnsPixels());
    EXPECT_EQ(view.ScanLine(1), rows.Pixels.data() + 7);
    const std::vector<uint32_t> before = PixelsOf(view);
    const std::string resizeError = "Cannot resize a bitmap over pixels it does not own";
    EXPECT_EQ(test::ErrorText<EInvalidGraphic>([&] { view.SetSize(5, 3); }), resizeError);
    EXPECT_EQ(test::ErrorText<EInvalidGraphic>([&] { view.SetHeight(2); }), resizeError);
    view.SetSize(4, 3);
    TBitmap other;
    other.SetSize(2, 2);
    EXPECT_EQ(test::ErrorText<EInvalidGraphic>([&] { view.Assign(&other); }), resizeError);
    TStringStream png("");
    other.SaveToStream(png);
    TStringStream reread(png.DataString());
    EXPECT_EQ(test::ErrorText<EInvalidGraphic>([&] { view.LoadFromStream(reread); }), resizeError);
    EXPECT_EQ(PixelsOf(view), before);

    // A picture of the view's own size comes in row by row, and a view saves what it shows.
    other.SetSize(4, 3);
    FillDistinct(other);
    other.ScanLine(2)[3] = 0xABCDEF;
    view.Assign(&other);
    EXPECT_EQ(PixelsOf(view), PixelsOf(other));
    TStringStream saved("");
    view.SaveToStream(saved);
    TStringStream loaded(saved.DataString());
    TBitmap copy;
    copy.LoadFromStream(loaded);
    EXPECT_EQ(PixelsOf(copy), PixelsOf(other));
    copy.Assign(&view);
    EXPECT_EQ(PixelsOf(copy), PixelsOf(view));
    EXPECT_TRUE(copy.OwnsPixels());

    view.SetMonochrome(true);
    EXPECT_EQ(view.TransparentColor(), clBlack);
    EXPECT_TRUE(rows.OutsideUntouched());
}

// Painting points one bitmap, under a canvas that keeps referring to it, at other rows again and
// again: each time it must be just what a bitmap made anew would be.
TEST(BitmapView, RetargetedIsWhatABitmapMadeAnewWouldBe) {
    TForeignRows rows(4, 3, 7);
    uint32_t pixel = 0;
    const auto owned = [](TBitmap& B) {
        B.SetSize(3, 2);
        B.SetMonochrome(true);
        B.SetTransparentColor(clLime);
        B.SetTransparent(true);
        B.Canvas().SetPixels(0, 0, clRed);
    };
    const auto viewing = [&](TBitmap& B) { B.Retarget(rows.Pixels.data(), 4, 3, 7); };
    const struct {
        const char* Case;
        std::function<void(TBitmap&)> From;
        uint32_t* Pixels;
        int32_t Width, Height, Stride;
        std::string Error;
    } cases[] = {
        {"owned to rows", owned, rows.Pixels.data(), 4, 3, 7, ""},
        {"view to other rows", viewing, &pixel, 1, 1, 1, ""},
        {"view to none", viewing, nullptr, 0, 0, 0, ""},
        {"owned to none", owned, nullptr, 5, 5, 5, ""},
        {"view to a narrow stride", viewing, &pixel, 3, 2, 2,
         "Bitmap stride 2 is less than its width 3"},
        {"owned to a bad size", owned, &pixel, -1, 2, 2, "Invalid bitmap size -1 x 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TBitmap bitmap;
        TCanvas over(bitmap);
        c.From(bitmap);
        EXPECT_EQ(test::ErrorText<EInvalidGraphic>(
                      [&] { bitmap.Retarget(c.Pixels, c.Width, c.Height, c.Stride); }),
                  c.Error.empty() ? "no error" : c.Error);
        const bool view = c.Error.empty() && c.Pixels != nullptr;
        EXPECT_EQ(bitmap.OwnsPixels(), !view);
        EXPECT_EQ(bitmap.Width(), view ? c.Width : 0);
        EXPECT_EQ(bitmap.Height(), view ? c.Height : 0);
        EXPECT_EQ(bitmap.Stride(), view ? c.Stride : 0);
        EXPECT_FALSE(bitmap.Monochrome());
        EXPECT_FALSE(bitmap.Transparent());
        if (view) {
            EXPECT_EQ(bitmap.ScanLine(0), c.Pixels);
            // The canvas over it draws on the new rows, and the transparent colour is theirs.
            over.SetPixels(0, c.Height - 1, clFuchsia);
            EXPECT_EQ(over.Pixels(0, c.Height - 1), clFuchsia);
            EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
        } else {
            EXPECT_EQ(over.Pixels(0, 0), -1);
            EXPECT_EQ(bitmap.TransparentColor(), clDefault);
        }
    }
    EXPECT_TRUE(rows.OutsideUntouched());
}

TEST(BitmapView, RefusesRowsItCannotAddress) {
    uint32_t pixel = 0;
    for (const auto& [width, height, stride, pixels, error] :
         std::vector<std::tuple<int32_t, int32_t, int32_t, uint32_t*, std::string>>{
             {3, 2, 2, &pixel, "Bitmap stride 2 is less than its width 3"},
             {-1, 2, 2, &pixel, "Invalid bitmap size -1 x 2"},
             {2, MaxBitmapDimension + 1, 2, &pixel, "Invalid bitmap size 2 x 16385"},
             {2, 2, 2, nullptr, "A bitmap view needs pixels"},
             {0, 5, 0, nullptr, "no error"},
             {1, 1, 1, &pixel, "no error"}}) {
        SCOPED_TRACE(error);
        EXPECT_EQ(test::ErrorText<EInvalidGraphic>([&] { TBitmap(pixels, width, height, stride); }),
                  error);
    }
}

}  // namespace
}  // namespace vex

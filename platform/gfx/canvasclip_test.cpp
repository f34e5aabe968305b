#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/gfx/rasterops.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

// Runs one line of a clip case (see testdata/clips.txt) on the canvas, through the drawing
// context's functions; Base is its base clip.
void ApplyClipLine(TCanvas& C, TRegion& Base, const test::TestCase& Line) {
    const std::string& op = Line[0];
    const auto rect = [&](size_t First) { return CaseRect(Line, First); };
    if (op == "Base" || op == "BaseHole") {
        if (op == "Base")
            Base.Union(rect(1));
        else
            Base.Subtract(rect(1));
        C.SetBaseClip(Base);
    } else if (op == "Origin") {
        C.SetOrigin(Point(static_cast<int32_t>(Line.Int(1)), static_cast<int32_t>(Line.Int(2))));
    } else if (op == "Intersect") {
        const TRect r = rect(1);
        EXPECT_EQ(IntersectClipRect(C.Handle(), r.Left, r.Top, r.Right, r.Bottom), Line.Int(5));
    } else if (op == "Exclude") {
        const TRect r = rect(1);
        EXPECT_EQ(ExcludeClipRect(C.Handle(), r.Left, r.Top, r.Right, r.Bottom), Line.Int(5));
    } else if (op == "Select") {
        TRegion region;
        for (size_t i = 2; i + 3 < Line.size(); i += 4)
            region.Union(rect(i));
        EXPECT_EQ(SelectClipRgn(C.Handle(), Line.size() > 2 ? &region : nullptr), Line.Int(1));
    } else if (op == "Save") {
        EXPECT_EQ(SaveDC(C.Handle()), Line.Int(1));
    } else if (op == "Restore") {
        EXPECT_EQ(RestoreDC(C.Handle(), static_cast<int32_t>(Line.Int(1))), Line.Int(2) != 0);
    } else if (op == "Reset") {
        C.ResetClip();
    } else if (op == "Box") {
        TRect box;
        EXPECT_EQ(GetClipBox(C.Handle(), box), Line.Int(5));
        EXPECT_EQ(box, rect(1));
        EXPECT_EQ(C.ClipRect(), rect(1));
    } else {
        FAIL() << "unknown clip call " << op;
    }
}

TEST(CanvasClip, ClipCallsLetThroughWhatTheirPicturesShow) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/clips.txt")) {
        SCOPED_TRACE(b.Name);
        const Rows& expected = b.Parts.at(0);
        TBitmap bitmap;
        bitmap.SetSize(static_cast<int32_t>(expected[0].size()),
                       static_cast<int32_t>(expected.size()));
        TCanvas& canvas = bitmap.Canvas();
        TRegion base;
        for (const std::string& line : b.Parts.at(1))
            ApplyClipLine(canvas, base, test::CaseOf(line, b.Where));
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect(Rect(-1000, -1000, 1000, 1000));
        EXPECT_EQ(PictureOf(bitmap), expected);
    }
}

// Two sibling controls on one back buffer: the left one ('r') paints through a canvas whose
// base clip is what of it shows, with the right one ('g') lying over its corner. Whatever it does
// to its own clip, its sibling and the parent ('.') keep their pixels.
TEST(CanvasClip, AControlThatResetsItsClipStillCannotPaintOverItsSibling) {
    TBitmap buffer;
    PaintPicture(buffer, {"........", ".rrrr...", ".rrggg..", ".rrggg..", "........"});
    TBitmap view(buffer.ScanLine(0), buffer.Width(), buffer.Height(), buffer.Stride());
    TCanvas canvas(view);
    TRegion visible(Rect(1, 1, 5, 4));
    visible.Subtract(Rect(3, 2, 6, 4));
    canvas.SetBaseClip(visible);
    canvas.SetOrigin(Point(1, 1));
    canvas.Brush().SetColor(clBlue);
    for (const std::function<void()>& escape : std::vector<std::function<void()>>{
             [&] { canvas.ResetClip(); }, [&] { canvas.SelectClipRgn(nullptr); },
             [&] {
                 const TRegion all(Rect(-1000, -1000, 1000, 1000));
                 canvas.SelectClipRgn(&all);
             }}) {
        canvas.IntersectClipRect(Rect(0, 0, 1, 1));
        escape();
        canvas.FillRect(Rect(-1000, -1000, 1000, 1000));
        EXPECT_EQ(PictureOf(buffer),
                  (Rows{"........", ".bbbb...", ".bbggg..", ".bbggg..", "........"}));
    }
}

// An empty base clip, as a window that cannot paint gets, leaves nothing to draw on, whatever
// the canvas's own clip says; only a reset canvas has no base clip at all.
TEST(CanvasClip, AnEmptyBaseClipLetsNothingBeDrawn) {
    TBitmap buffer;
    PaintPicture(buffer, {"....", "...."});
    TCanvas canvas(buffer);
    canvas.SetBaseClip(TRegion());
    ASSERT_TRUE(canvas.BaseClip().has_value());
    canvas.Brush().SetColor(clBlue);
    for (const std::function<void()>& escape :
         std::vector<std::function<void()>>{[&] { canvas.ResetClip(); },
                                            [&] {
                                                const TRegion all(Rect(-1000, -1000, 1000, 1000));
                                                canvas.SelectClipRgn(&all);
                                            }}) {
        escape();
        TRect box;
        EXPECT_EQ(canvas.GetClipBox(box), NULLREGION);
        canvas.FillRect(Rect(-100, -100, 100, 100));
        canvas.SetPixels(1, 1, clRed);
        EXPECT_EQ(PictureOf(buffer), (Rows{"....", "...."}));
    }
    canvas.ResetState();
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(Rect(-100, -100, 100, 100));
    EXPECT_EQ(PictureOf(buffer), (Rows{"bbbb", "bbbb"}));
}

// A parent lends its canvas to a child within the child's bounds: what the parent could reach
// there, its own clip included, bounds the child whatever the child does to its clip, and the
// parent's base clip comes back as it was.
TEST(CanvasClip, ACanvasLentWithinItsReachGetsItsOwnClipBack) {
    TBitmap buffer;
    PaintPicture(buffer, {"........", "........", "........", "........", "........"});
    TCanvas canvas(buffer);
    TRegion ring(Rect(0, 0, 8, 5));
    ring.Subtract(Rect(2, 1, 5, 4));
    canvas.SetBaseClip(ring);
    canvas.ExcludeClipRect(Rect(6, 0, 7, 5));
    std::optional<TClipSpans> own = canvas.ExchangeBaseClip(canvas.ReachWithin(Rect(1, 1, 8, 3)));
    canvas.ResetClip();
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(Rect(-100, -100, 100, 100));
    EXPECT_EQ(PictureOf(buffer),
              (Rows{"........", ".b...b.b", ".b...b.b", "........", "........"}));
    canvas.ExchangeBaseClip(std::move(own));
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(-100, -100, 100, 100));
    EXPECT_EQ(PictureOf(buffer),
              (Rows{"rrrrrrrr", "rr...rrr", "rr...rrr", "rr...rrr", "rrrrrrrr"}));
}

// A canvas bound to one context after another takes each base clip in place: it draws what the
// same clip set from its region lets through, whatever it had before, and null leaves none.
TEST(CanvasClip, ABaseClipTakenInPlaceDrawsAsOneSetFromItsRegion) {
    TRegion ring(Rect(0, 0, 8, 5));
    ring.Subtract(Rect(2, 1, 5, 4));
    const Rows blank{"........", "........", "........", "........", "........"};
    for (const TRegion& base : {ring, TRegion(Rect(1, 1, 6, 4)), TRegion()}) {
        for (const TRegion& before : {TRegion(), TRegion(Rect(0, 0, 3, 3)), ring}) {
            TBitmap expected, actual;
            PaintPicture(expected, blank);
            PaintPicture(actual, blank);
            TCanvas fromRegion(expected), inPlace(actual);
            fromRegion.SetBaseClip(base);
            if (!before.Empty()) inPlace.SetBaseClip(before);
            inPlace.SetBaseClip(&*fromRegion.BaseClip());
            for (TCanvas* canvas : {&fromRegion, &inPlace}) {
                canvas->Brush().SetColor(clBlue);
                canvas->FillRect(Rect(-100, -100, 100, 100));
            }
            EXPECT_EQ(PictureOf(actual), PictureOf(expected));
            inPlace.SetBaseClip(nullptr);
            EXPECT_FALSE(inPlace.BaseClip().has_value());
            inPlace.Brush().SetColor(clRed);
            inPlace.FillRect(Rect(-100, -100, 100, 100));
            EXPECT_EQ(PictureOf(actual), (Rows(5, "rrrrrrrr")));
        }
    }
}

// Each drawing call made through a clip of several rectangles changes exactly the pixels it
// changes without a clip that lie inside the clip, and no other.
TEST(CanvasClip, EveryDrawingCallHonoursARegion) {
    TBitmap picture;
    PaintPicture(picture, {"rb.g", "gkrb", "..kr"});
    TBitmap transparent;
    transparent.Assign(&picture);
    transparent.SetTransparent(true);
    transparent.SetTransparentColor(clWhite);
    TBitmap stripes;
    PaintPicture(stripes, {"rb", "br"});

    struct TCall {
        std::string Name;
        std::function<void(TCanvas&)> Draw;
    };
    const std::vector<TCall> calls = {
        {"LineTo", [](TCanvas& C) { C.MoveTo(-3, 2), C.LineTo(40, 25); }},
        {"wide line", [](TCanvas& C) { C.Pen().SetWidth(5), C.MoveTo(2, 28), C.LineTo(38, 3); }},
        {"dashed line",
         [](TCanvas& C) { C.Pen().SetStyle(psDashDot), C.MoveTo(0, 14), C.LineTo(40, 14); }},
        {"Polyline",
         [](TCanvas& C) {
             C.Polyline({{1, 1}, {38, 5}, {3, 28}, {39, 29}});
         }},
        {"Polygon",
         [](TCanvas& C) {
             C.Polygon({{20, -5}, {45, 15}, {20, 35}, {-5, 15}});
         }},
        {"Rectangle", [](TCanvas& C) { C.Rectangle(3, 2, 37, 27); }},
        {"Ellipse", [](TCanvas& C) { C.Pen().SetWidth(3), C.Ellipse(0, 0, 40, 30); }},
        {"RoundRect", [](TCanvas& C) { C.RoundRect(2, 2, 38, 28, 12, 9); }},
        {"xor Rectangle", [](TCanvas& C) { C.Pen().SetMode(pmXor), C.Rectangle(1, 1, 39, 29); }},
        {"FillRect", [](TCanvas& C) { C.FillRect(Rect(-9, -9, 99, 99)); }},
        {"pattern FillRect",
         [&](TCanvas& C) { C.Brush().SetBitmap(&stripes), C.FillRect(Rect(0, 0, 40, 30)); }},
        {"FrameRect", [](TCanvas& C) { C.FrameRect(Rect(4, 3, 36, 27)); }},
        {"SetPixels",
         [](TCanvas& C) {
             for (int32_t y = 0; y < 30; ++y)
                 for (int32_t x = y % 3; x < 40; x += 3)
                     C.SetPixels(x, y, clFuchsia);
         }},
        {"TextOut", [](TCanvas& C) { C.Font().SetHeight(-20), C.TextOut(-2, 4, "Wgy#|"); }},
        {"TextRect",
         [](TCanvas& C) { C.Font().SetHeight(-20), C.TextRect(Rect(5, 3, 33, 26), 2, 4, "MWM"); }},
        {"rotated TextOut",
         [](TCanvas& C) {
             C.Font().SetHeight(-16), C.Font().SetOrientation(300), C.TextOut(2, 28, "Tilted");
         }},
        {"DrawText",
         [](TCanvas& C) {
             TRect r = Rect(0, 0, 40, 30);
             DrawText(C.Handle(), "&Under &lined words", r, DT_WORDBREAK);
         }},
        {"Draw", [&](TCanvas& C) { C.Draw(23, 17, picture); }},
        {"transparent StretchDraw",
         [&](TCanvas& C) { C.StretchDraw(Rect(-2, -1, 42, 31), transparent); }},
        {"BrushCopy",
         [&](TCanvas& C) { C.BrushCopy(Rect(0, 0, 40, 30), picture, Rect(0, 0, 4, 3), clBlack); }},
        {"CopyRect onto itself",
         [](TCanvas& C) { C.CopyRect(Rect(3, 2, 40, 30), C, Rect(0, 0, 37, 28)); }},
        {"mirrored StretchBlt",
         [](TCanvas& C) {
             StretchBlt(C.Handle(), 39, 0, -40, 30, C.Handle(), 0, 0, 20, 15, SRCINVERT);
         }},
        {"PatBlt", [](TCanvas& C) { PatBlt(C.Handle(), 0, 0, 40, 30, PATINVERT); }},
        {"DrawEdge",
         [](TCanvas& C) {
             TRect r = Rect(1, 1, 39, 29);
             DrawEdge(C.Handle(), r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
         }},
        {"DrawFocusRect", [](TCanvas& C) { DrawFocusRect(C.Handle(), Rect(3, 2, 33, 25)); }},
        {"radio button",
         [](TCanvas& C) {
             TRect r = Rect(5, 0, 35, 30);
             DrawFrameControl(C.Handle(), r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
         }},
    };

    // A ring from the base clip with a hole from the user clip, and a notch in its corner; and
    // the base clip alone, which a canvas lent a context's reach has.
    TRegion base(Rect(2, 1, 37, 28));
    base.Subtract(Rect(30, 1, 37, 6));
    for (const bool userClip : {true, false}) {
        const auto inClip = [&](int32_t X, int32_t Y) {
            return base.Contains(Point(X, Y)) &&
                   (!userClip || (!PtInRect(Rect(10, 8, 25, 20), Point(X, Y)) &&
                                  !PtInRect(Rect(0, 0, 5, 4), Point(X, Y))));
        };
        for (const TCall& call : calls) {
            SCOPED_TRACE(call.Name + (userClip ? " with a user clip" : " in a base clip alone"));
            TBitmap plain, clipped;
            for (TBitmap* b : {&plain, &clipped}) {
                b->SetSize(40, 30);
                FillDistinct(*b);
            }
            const std::vector<uint32_t> before = PixelsOf(plain);
            call.Draw(plain.Canvas());
            TCanvas& canvas = clipped.Canvas();
            canvas.SetBaseClip(base);
            if (userClip) {
                canvas.SetOrigin(Point(1, 1));
                EXPECT_EQ(canvas.ExcludeClipRect(Rect(9, 7, 24, 19)), COMPLEXREGION);
                canvas.SetOrigin(Point(0, 0));
                canvas.ExcludeClipRect(Rect(0, 0, 5, 4));
            }
            call.Draw(canvas);
            const std::vector<uint32_t> drawn = PixelsOf(plain);
            size_t changed = 0, wrong = 0;
            for (int32_t y = 0; y < 30; ++y)
                for (int32_t x = 0; x < 40; ++x) {
                    const size_t i = 1 + static_cast<size_t>(y) * 40 + x;
                    const uint32_t want = inClip(x, y) ? drawn[i] : before[i];
                    changed += want != before[i];
                    wrong += clipped.ScanLine(y)[x] != want;
                }
            EXPECT_GT(changed, 0u);
            EXPECT_EQ(wrong, 0u);
        }
    }
}

// Text clipped to a rectangle reaches what text drawn with that rectangle intersected into the
// clip reaches, under any clip, origin and font, with the rectangle anywhere; and the clip is
// afterwards what it was, state stack included.
TEST(CanvasClip, TextClippedToARectangleLeavesTheClipAsItWas) {
    struct TSetup {
        std::string Name;
        std::function<void(TCanvas&)> Apply;
    };
    TRegion ring(Rect(2, 1, 37, 28));
    ring.Subtract(Rect(12, 9, 22, 18));
    const std::vector<TSetup> clips = {
        {"no clip", [](TCanvas&) {}},
        {"base clip", [&](TCanvas& C) { C.SetBaseClip(ring); }},
        {"user clip", [](TCanvas& C) { C.ExcludeClipRect(Rect(5, 5, 15, 12)); }},
        {"both and saved",
         [&](TCanvas& C) {
             C.SetBaseClip(ring);
             SaveDC(C.Handle());
             C.IntersectClipRect(Rect(0, 3, 30, 40));
         }},
        {"empty base clip", [](TCanvas& C) { C.SetBaseClip(TRegion()); }},
    };
    const std::vector<TSetup> fonts = {
        {"plain", [](TCanvas& C) { C.Font().SetHeight(-18); }},
        {"rotated", [](TCanvas& C) { C.Font().SetHeight(-16), C.Font().SetOrientation(450); }},
    };
    const std::vector<TRect> rects = {Rect(4, 2, 30, 24),   Rect(-20, -9, 12, 14),
                                      Rect(30, 20, 90, 70), Rect(50, 50, 60, 60),
                                      Rect(9, 9, 9, 20),    Rect(20, 20, 5, 5)};
    for (const TSetup& clip : clips)
        for (const TSetup& font : fonts)
            for (const TPoint origin : {Point(0, 0), Point(-3, 4)})
                for (const TRect& r : rects) {
                    SCOPED_TRACE(clip.Name + ", " + font.Name + " font, origin " +
                                 std::to_string(origin.X) + " rect " + std::to_string(r.Left) +
                                 "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
                                 std::to_string(r.Bottom));
                    TBitmap clipped, expected;
                    for (TBitmap* b : {&clipped, &expected}) {
                        b->SetSize(40, 30);
                        FillDistinct(*b);
                        clip.Apply(b->Canvas());
                        font.Apply(b->Canvas());
                        b->Canvas().SetOrigin(origin);
                        b->Canvas().Brush().SetStyle(bsClear);
                    }
                    TCanvas& canvas = clipped.Canvas();
                    TRect box;
                    const int kind = canvas.GetClipBox(box);
                    const std::optional<TClipSpans> base = canvas.BaseClip();
                    const int depth = SaveDC(canvas.Handle());
                    RestoreDC(canvas.Handle(), -1);
                    canvas.TextRect(r, 1, 22, "WgMy");

                    TCanvas& reference = expected.Canvas();
                    SaveDC(reference.Handle());
                    reference.IntersectClipRect(r);
                    reference.TextOut(1, 22, "WgMy");
                    RestoreDC(reference.Handle(), -1);
                    EXPECT_EQ(PixelsOf(clipped), PixelsOf(expected));

                    TRect after;
                    EXPECT_EQ(canvas.GetClipBox(after), kind);
                    EXPECT_EQ(after, box);
                    EXPECT_EQ(canvas.BaseClip().has_value(), base.has_value());
                    EXPECT_EQ(SaveDC(canvas.Handle()), depth);
                    RestoreDC(canvas.Handle(), -1);
                    // What a fill reaches now shows the whole clip, not its box alone.
                    for (TCanvas* c : {&canvas, &reference}) {
                        c->Brush().SetStyle(bsSolid);
                        c->FillRect(Rect(-100, -100, 100, 100));
                    }
                    EXPECT_EQ(PixelsOf(clipped), PixelsOf(expected));
                }
}

}  // namespace
}  // namespace vex

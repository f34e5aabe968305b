// Draws one panel of every canvas operation into a PNG, so a person can see how the drawing layer
// paints: sampler [file.png] (default sampler.png).

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/imagelist.h"
#include "platform/gfx/rasterops.h"

namespace {

using namespace vex;

constexpr int kPanelWidth = 200;
constexpr int kPanelHeight = 150;
constexpr int kColumns = 4;
constexpr int kCaptionHeight = 18;

struct TPanel {
    const char* Caption;
    // Paints inside a kPanelWidth x kPanelHeight area whose top-left corner is (0, 0).
    std::function<void(TCanvas&)> Paint;
};

void ResetTools(TCanvas& C) {
    C.Pen().SetColor(clBlack);
    C.Pen().SetWidth(1);
    C.Pen().SetStyle(psSolid);
    C.Pen().SetMode(pmCopy);
    C.Brush().SetBitmap(nullptr);
    C.Brush().SetColor(clWhite);
    C.Brush().SetStyle(bsSolid);
    C.Font().SetName("MS Sans Serif");
    C.Font().SetSize(8);
    C.Font().SetColor(clBlack);
    C.Font().SetStyle({});
    C.Font().SetOrientation(0);
    C.SetTextAlign(TA_LEFT | TA_TOP);
    C.SetCopyMode(SRCCOPY);
}

// A small picture to copy around: four coloured quarters on a fuchsia ground.
void MakeTile(TBitmap& Tile) {
    Tile.SetSize(24, 24);
    TCanvas& t = Tile.Canvas();
    t.Brush().SetColor(clFuchsia);
    t.FillRect(Rect(0, 0, 24, 24));
    t.Brush().SetColor(clRed);
    t.FillRect(Rect(3, 3, 12, 12));
    t.Brush().SetColor(clLime);
    t.FillRect(Rect(12, 3, 21, 12));
    t.Brush().SetColor(clBlue);
    t.FillRect(Rect(3, 12, 12, 21));
    t.Brush().SetColor(clYellow);
    t.FillRect(Rect(12, 12, 21, 21));
}

void Checkers(TBitmap& Pattern, TColor A, TColor B) {
    Pattern.SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            Pattern.Canvas().SetPixels(x, y, ((x / 2 + y / 2) % 2) ? A : B);
}

void Label(TCanvas& C, int X, int Y, const std::string& Text) {
    C.Brush().SetStyle(bsClear);
    C.TextOut(X, Y, Text);
    C.Brush().SetStyle(bsSolid);
}

std::vector<TPanel> Panels() {
    return {
        {"Pen styles and widths",
         [](TCanvas& C) {
             const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
             for (int i = 0; i < 5; ++i) {
                 C.Pen().SetStyle(styles[i]);
                 C.MoveTo(10, 10 + i * 12);
                 C.LineTo(190, 10 + i * 12);
             }
             C.Pen().SetStyle(psSolid);
             for (int w = 1; w <= 4; ++w) {
                 C.Pen().SetWidth(w * 2);
                 C.Pen().SetColor(clNavy);
                 C.MoveTo(10 + (w - 1) * 45, 120);
                 C.LineTo(40 + (w - 1) * 45, 75);
             }
         }},
        {"Pen modes: copy, not, xor",
         [](TCanvas& C) {
             C.Brush().SetColor(clTeal);
             C.FillRect(Rect(10, 10, 190, 120));
             const TPenMode modes[] = {pmCopy, pmNot, pmXor};
             for (int i = 0; i < 3; ++i) {
                 C.Pen().SetMode(modes[i]);
                 C.Pen().SetColor(clYellow);
                 C.Pen().SetWidth(5);
                 C.MoveTo(20 + i * 60, 20);
                 C.LineTo(60 + i * 60, 110);
             }
             C.Pen().SetMode(pmXor);
             C.Pen().SetWidth(1);
             C.Brush().SetStyle(bsClear);
             C.Rectangle(5, 50, 195, 80);
         }},
        {"Rectangle, ellipse, round rect",
         [](TCanvas& C) {
             C.Brush().SetColor(clYellow);
             C.Rectangle(10, 10, 60, 60);
             C.Brush().SetColor(clAqua);
             C.Ellipse(70, 10, 130, 60);
             C.Brush().SetColor(clLime);
             C.RoundRect(140, 10, 190, 60, 16, 16);
             C.Pen().SetWidth(3);
             C.Pen().SetColor(clMaroon);
             C.Brush().SetColor(clSilver);
             C.Ellipse(10, 70, 190, 125);
             C.FrameRect(Rect(60, 85, 140, 110));
         }},
        {"Polygon, polyline",
         [](TCanvas& C) {
             C.Brush().SetColor(clFuchsia);
             C.Polygon({{50, 10},
                        {62, 45},
                        {95, 45},
                        {68, 65},
                        {80, 100},
                        {50, 78},
                        {20, 100},
                        {32, 65},
                        {5, 45},
                        {38, 45}});
             C.Pen().SetColor(clBlue);
             C.Pen().SetWidth(2);
             C.Polyline({{110, 110}, {125, 20}, {140, 110}, {155, 20}, {170, 110}, {185, 20}});
         }},
        {"Brush pattern",
         [](TCanvas& C) {
             TBitmap pattern;
             Checkers(pattern, clNavy, clSilver);
             C.Brush().SetBitmap(&pattern);
             C.FillRect(Rect(10, 10, 90, 120));
             C.Ellipse(100, 10, 190, 120);
             C.Brush().SetBitmap(nullptr);
         }},
        {"TextOut alignment",
         [](TCanvas& C) {
             const uint32_t aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE,
                                        TA_RIGHT | TA_BOTTOM};
             const char* names[] = {"left, top", "centre, baseline", "right, bottom"};
             for (int i = 0; i < 3; ++i) {
                 const int y = 20 + i * 40;
                 C.Pen().SetColor(clRed);
                 C.MoveTo(95, y);
                 C.LineTo(106, y);
                 C.MoveTo(100, y - 5);
                 C.LineTo(100, y + 6);
                 C.SetTextAlign(aligns[i]);
                 C.Font().SetSize(10);
                 C.Brush().SetColor(clInfoBk);
                 C.TextOut(100, y, names[i]);
             }
         }},
        {"DrawText flags",
         [](TCanvas& C) {
             C.Brush().SetColor(clGray);
             TRect box = Rect(10, 5, 190, 55);
             C.FrameRect(box);
             DrawText(C.Handle(), "Centred text that breaks into lines at the words", box,
                      DT_CENTER | DT_WORDBREAK);
             box = Rect(10, 60, 190, 80);
             C.FrameRect(box);
             DrawText(C.Handle(), "An end ellipsis when the line is far too long", box,
                      DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
             box = Rect(10, 85, 190, 105);
             C.FrameRect(box);
             DrawText(C.Handle(), "&File and &&, right", box, DT_SINGLELINE | DT_RIGHT);
             box = Rect(10, 110, 190, 128);
             C.FrameRect(box);
             DrawText(C.Handle(), "tab\tstops\tx", box, DT_SINGLELINE | DT_EXPANDTABS);
         }},
        {"Fonts",
         [](TCanvas& C) {
             struct TSample {
                 const char* Name;
                 int Size;
                 TFontStyles Style;
             };
             const TSample samples[] = {{"Arial", 9, {}},
                                        {"Times New Roman", 10, {fsBold}},
                                        {"Courier New", 9, {fsItalic}},
                                        {"Tahoma", 9, {fsUnderline}},
                                        {"Verdana", 9, {fsStrikeOut}},
                                        {FixedFontName, 8, {}}};
             int y = 4;
             for (const TSample& s : samples) {
                 C.Font().SetName(s.Name);
                 C.Font().SetSize(s.Size);
                 C.Font().SetStyle(s.Style);
                 Label(C, 8, y, std::string(s.Name) + " \x80 \xE9\xE8 \x93quoted\x94");
                 y += C.TextHeight("Ag") + 3;
             }
         }},
        {"Rotated text",
         [](TCanvas& C) {
             C.Font().SetName("Arial");
             C.Font().SetSize(10);
             const int angles[] = {0, 450, 900, 1800, 2700};
             for (int a : angles) {
                 C.Font().SetOrientation(a);
                 Label(C, 100, 65, "  " + std::to_string(a / 10) + " degrees");
             }
         }},
        {"ExtTextOut opaque, clipped",
         [](TCanvas& C) {
             SetBkColor(C.Handle(), clYellow);
             SetTextColor(C.Handle(), clNavy);
             TRect opaque = Rect(10, 10, 190, 40);
             ExtTextOut(C.Handle(), 20, 18, ETO_OPAQUE, &opaque, "Opaque rectangle");
             TRect clip = Rect(10, 60, 80, 90);
             C.Brush().SetColor(clSilver);
             C.FillRect(clip);
             ExtTextOut(C.Handle(), 15, 68, ETO_CLIPPED, &clip, "Clipped to the grey box");
             SetBkMode(C.Handle(), TRANSPARENT);
             ExtTextOut(C.Handle(), 15, 110, 0, nullptr, "Transparent background");
             SetBkMode(C.Handle(), OPAQUE);
         }},
        {"BitBlt raster operations",
         [](TCanvas& C) {
             TBitmap tile;
             MakeTile(tile);
             TBitmap pattern;
             Checkers(pattern, clGray, clWhite);
             const TCopyMode rops[] = {SRCCOPY,    SRCPAINT,  SRCAND,    SRCINVERT,
                                       NOTSRCCOPY, DSTINVERT, PATCOPY,   MERGECOPY,
                                       SRCERASE,   BLACKNESS, WHITENESS, PATINVERT};
             for (int i = 0; i < 12; ++i) {
                 const int x = 8 + (i % 6) * 31, y = 8 + (i / 6) * 55;
                 C.Brush().SetColor(clAqua);
                 C.FillRect(Rect(x, y, x + 28, y + 14));
                 C.Brush().SetColor(clBlack);
                 C.FillRect(Rect(x, y + 14, x + 28, y + 28));
                 C.Brush().SetBitmap(&pattern);
                 BitBlt(C.Handle(), x + 2, y + 2, 24, 24, tile.Canvas().Handle(), 0, 0, rops[i]);
                 C.Brush().SetBitmap(nullptr);
                 Label(C, x + 8, y + 30, std::to_string(i + 1));
             }
         }},
        {"StretchBlt, StretchDraw, mirror",
         [](TCanvas& C) {
             TBitmap tile;
             MakeTile(tile);
             C.Draw(10, 10, tile);
             StretchBlt(C.Handle(), 45, 10, 60, 60, tile.Canvas().Handle(), 0, 0, 24, 24, SRCCOPY);
             StretchBlt(C.Handle(), 175, 10, -60, 60, tile.Canvas().Handle(), 0, 0, 24, 24,
                        SRCCOPY);
             C.StretchDraw(Rect(10, 80, 190, 125), tile);
         }},
        {"Transparent Draw, BrushCopy",
         [](TCanvas& C) {
             TBitmap ground;
             Checkers(ground, clSilver, clWhite);
             C.Brush().SetBitmap(&ground);
             C.FillRect(Rect(0, 0, kPanelWidth, kPanelHeight - kCaptionHeight));
             C.Brush().SetBitmap(nullptr);
             TBitmap tile;
             MakeTile(tile);
             C.Draw(20, 20, tile);
             tile.SetTransparent(true);
             C.Draw(60, 20, tile);
             C.Brush().SetColor(clBtnFace);
             C.BrushCopy(Rect(100, 20, 172, 92), tile, Rect(0, 0, 24, 24), clFuchsia);
         }},
        {"DrawEdge",
         [](TCanvas& C) {
             C.Brush().SetColor(clBtnFace);
             C.FillRect(Rect(0, 0, kPanelWidth, kPanelHeight - kCaptionHeight));
             const uint32_t edges[] = {EDGE_RAISED, EDGE_SUNKEN,     EDGE_ETCHED,
                                       EDGE_BUMP,   BDR_RAISEDINNER, BDR_SUNKENOUTER};
             for (int i = 0; i < 6; ++i) {
                 TRect r = Rect(10 + (i % 3) * 62, 10 + (i / 3) * 60, 62 + (i % 3) * 62,
                                60 + (i / 3) * 60);
                 DrawEdge(C.Handle(), r, edges[i], BF_RECT | (i == 5 ? BF_MIDDLE : 0));
             }
         }},
        {"Frame controls, focus rectangle",
         [](TCanvas& C) {
             C.Brush().SetColor(clBtnFace);
             C.FillRect(Rect(0, 0, kPanelWidth, kPanelHeight - kCaptionHeight));
             const uint32_t pushes[] = {0, DFCS_PUSHED, DFCS_INACTIVE};
             for (int i = 0; i < 3; ++i) {
                 TRect r = Rect(10 + i * 62, 8, 65 + i * 62, 32);
                 DrawFrameControl(C.Handle(), r, DFC_BUTTON, DFCS_BUTTONPUSH | pushes[i]);
             }
             const uint32_t states[] = {0, DFCS_CHECKED, DFCS_CHECKED | DFCS_INACTIVE,
                                        DFCS_CHECKED | DFCS_FLAT};
             for (int i = 0; i < 4; ++i) {
                 TRect check = Rect(10 + i * 25, 45, 23 + i * 25, 58);
                 DrawFrameControl(C.Handle(), check, DFC_BUTTON, DFCS_BUTTONCHECK | states[i]);
                 TRect radio = Rect(110 + i * 20, 45, 123 + i * 20, 58);
                 DrawFrameControl(C.Handle(), radio, DFC_BUTTON, DFCS_BUTTONRADIO | states[i]);
             }
             const uint32_t arrows[] = {DFCS_SCROLLUP,       DFCS_SCROLLDOWN,
                                        DFCS_SCROLLLEFT,     DFCS_SCROLLRIGHT,
                                        DFCS_SCROLLCOMBOBOX, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE};
             for (int i = 0; i < 6; ++i) {
                 TRect r = Rect(10 + i * 22, 70, 27 + i * 22, 87);
                 DrawFrameControl(C.Handle(), r, DFC_SCROLL, arrows[i]);
             }
             DrawFocusRect(C.Handle(), Rect(10, 100, 190, 125));
             Label(C, 16, 106, "Focus rectangle");
         }},
        {"Image list; clip and origin",
         [](TCanvas& C) {
             TImageList images(nullptr);
             images.SetWidth(24);
             images.SetHeight(24);
             TBitmap strip;
             strip.SetSize(72, 24);
             for (int i = 0; i < 3; ++i) {
                 TBitmap tile;
                 MakeTile(tile);
                 strip.Canvas().Draw(i * 24, 0, tile);
             }
             strip.Canvas().Pen().SetColor(clBlack);
             strip.Canvas().MoveTo(24, 23);
             strip.Canvas().LineTo(48, 0);
             images.AddMasked(strip, clFuchsia);
             C.Brush().SetColor(clBtnFace);
             C.FillRect(Rect(0, 0, kPanelWidth, 70));
             for (int i = 0; i < images.Count(); ++i) {
                 images.Draw(C, 10 + i * 30, 8, i, true);
                 images.Draw(C, 10 + i * 30, 38, i, false);
             }
             // A child window's area: its own origin, clipped to its size.
             const TPoint origin = C.Origin();
             C.SetOrigin(Point(origin.X + 110, origin.Y + 75));
             C.IntersectClipRect(Rect(0, 0, 80, 50));
             C.Brush().SetColor(clYellow);
             C.Ellipse(-20, -20, 100, 70);
             C.SetOrigin(origin);
         }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    const std::string fileName = argc > 1 ? argv[1] : "sampler.png";
    try {
        const std::vector<TPanel> panels = Panels();
        const int rows = (static_cast<int>(panels.size()) + kColumns - 1) / kColumns;
        TBitmap sheet;
        sheet.SetSize(kColumns * kPanelWidth, rows * kPanelHeight);
        TCanvas& c = sheet.Canvas();
        c.Brush().SetColor(clWhite);
        c.FillRect(c.ClipRect());
        for (size_t i = 0; i < panels.size(); ++i) {
            const int left = static_cast<int>(i % kColumns) * kPanelWidth;
            const int top = static_cast<int>(i / kColumns) * kPanelHeight;
            ResetTools(c);
            c.Brush().SetColor(clBtnFace);
            c.FillRect(Rect(left, top, left + kPanelWidth, top + kCaptionHeight));
            c.Font().SetStyle({fsBold});
            Label(c, left + 4, top + 3, panels[i].Caption);
            c.Pen().SetColor(clBtnShadow);
            c.Brush().SetStyle(bsClear);
            c.Rectangle(left, top, left + kPanelWidth, top + kPanelHeight);
            ResetTools(c);
            c.SetOrigin(Point(left, top + kCaptionHeight));
            c.IntersectClipRect(Rect(1, 0, kPanelWidth - 1, kPanelHeight - kCaptionHeight - 1));
            panels[i].Paint(c);
            c.SetOrigin(Point(0, 0));
            c.ResetClip();
        }
        sheet.SaveToFile(fileName);
        std::printf("%s: %d x %d\n", fileName.c_str(), sheet.Width(), sheet.Height());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sampler: %s\n", e.what());
        return 1;
    }
}

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "components/entry/EsLabel.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"

namespace vex {

namespace {

// The colour the face is drawn in on the mask, for the gradient's bands to replace.
constexpr TColor MaskKeyColor = 0xFE09F1;
// The gradient runs through this many bands after the first.
constexpr int32_t GradientSteps = 15;

// Halves go to the even neighbour, as the platform's rounding does.
int32_t RoundHalfEven(double Value) {
    return static_cast<int32_t>(std::nearbyint(Value));
}

TPoint StepOf(TEsShadeDirection Direction) {
    static constexpr std::array<TPoint, 9> steps = {
        {{0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};
    return steps.at(static_cast<size_t>(Direction));
}

// From + Round(K x (To - From) / Steps) in each channel; From itself when Steps is not positive.
TColor StepColor(TColor From, TColor To, int32_t Steps, int32_t K) {
    const TColor from = ColorToRGB(From), to = ColorToRGB(To);
    const auto channel = [&](int Shift) {
        const int32_t f = (from >> Shift) & 0xFF, t = (to >> Shift) & 0xFF;
        const double step = Steps > 0 ? static_cast<double>(t - f) / Steps : 0.0;
        return static_cast<TColor>(f + RoundHalfEven(K * step)) << Shift;
    };
    return channel(0) | channel(8) | channel(16);
}

// One effect: copies of the text from its depth in its direction down to the nearest.
struct TShade {
    TColor Color;
    TEsDepth Depth;
    TPoint Step;
    TEsShadeStyle Style;
};

TShade ShadowOf(const TEsCustomSettings& S) {
    return {S.ShadowColor(), S.ShadowDepth(), StepOf(S.ShadowDirection()), S.ShadowStyle()};
}

TShade HighlightOf(const TEsCustomSettings& S) {
    return {S.HighlightColor(), S.HighlightDepth(), StepOf(S.HighlightDirection()),
            S.HighlightStyle()};
}

// One paint of a label: its text, and where the face goes so that every effect fits in the
// client area (and stays centred or right-aligned with it).
class TEsPainter {
public:
    explicit TEsPainter(TEsCustomLabel& Label)
        : FText(Label.Caption()),
          FFlags(DT_EXPANDTABS | (Label.WordWrap() ? DT_WORDBREAK : 0) |
                 AlignmentFlags(Label.Alignment()) | (Label.ShowAccelChar() ? 0 : DT_NOPREFIX)),
          FClient(Label.ClientRect()),
          FAlignment(Label.Alignment()),
          FFontColor(Label.Font().Color()),
          FShadow(ShadowOf(Label.CustomSettings())),
          FHighlight(HighlightOf(Label.CustomSettings())) {
        FText.resize(std::min(FText.size(), FText.find('\0')));
        const int32_t offsets[] = {
            0, FHighlight.Step.X * FHighlight.Depth, FShadow.Step.X * FShadow.Depth,
            FHighlight.Step.Y * FHighlight.Depth, FShadow.Step.Y * FShadow.Depth};
        FMinOff = *std::min_element(std::begin(offsets), std::end(offsets));
        FMaxOff = *std::max_element(std::begin(offsets), std::end(offsets));
        const int32_t spread = FMaxOff - FMinOff;
        FXShift = FAlignment == taCenter ? spread / 2 : FAlignment == taRightJustify ? spread : 0;
    }

    // The shadow, then the highlight over it.
    void DrawShades(TCanvas& Canvas) {
        DrawShade(Canvas, FShadow);
        DrawShade(Canvas, FHighlight);
    }

    void DrawFace(TCanvas& Canvas) { DrawAt(Canvas, FFontColor, 0, 0); }

    // Mask becomes Work with the face in the key colour. The platform smooths text, and a pixel
    // blended with the key would escape the bands and stay tinted with it, so each pixel is
    // either wholly the key or as Work has it: the face's when the face covers it at least half.
    void MaskFace(TBitmap& Mask, const TBitmap& Work) {
        TCanvas& canvas = Mask.Canvas();
        canvas.Brush().SetColor(clBlack);
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(FClient);
        DrawAt(canvas, clWhite, 0, 0);  // each pixel's cover in each channel
        const uint32_t key = ColorToPixel(MaskKeyColor);
        for (int32_t y = 0; y < Mask.Height(); ++y) {
            uint32_t* row = Mask.ScanLine(y);
            const uint32_t* under = Work.ScanLine(y);
            for (int32_t x = 0; x < Mask.Width(); ++x)
                row[x] = (row[x] & 0xFF) >= 0x80 ? key : under[x];
        }
    }

    // The bands of a gradient from From to the font colour, each brushed over the key colour
    // of the mask's face. The bands span one pixel less than the text (or client height), and
    // their rounding can end them before a narrow face does: the end bands reach on to the
    // client's edges, so no pixel of the face is left without a colour.
    void Graduate(TBitmap& Work, const TBitmap& Mask, TColor From, TEsGraduateStyle Style) {
        TCanvas& canvas = Work.Canvas();
        const int32_t width = ShownWidth(canvas);
        const int32_t clientWidth = FClient.Right, clientHeight = FClient.Bottom;
        const bool vertical = Style == gsVertical;
        const double band = ((vertical ? clientHeight : width) - 1) / double{GradientSteps};
        int32_t origin = -FMinOff;
        if (!vertical && FAlignment == taCenter)
            origin = (clientWidth - width) / 2 - FMinOff - FXShift;
        else if (!vertical && FAlignment == taRightJustify)
            origin = clientWidth - FMaxOff - width;
        canvas.Brush().SetStyle(bsSolid);
        const int32_t extent = vertical ? clientHeight : clientWidth;
        for (int32_t i = 0; i <= GradientSteps; ++i) {
            canvas.Brush().SetColor(StepColor(From, FFontColor, GradientSteps, i));
            int32_t from = origin + RoundHalfEven(i * band);
            int32_t to = origin + RoundHalfEven((i + 1) * band);
            if (i == 0) from = std::min(from, 0);
            if (i == GradientSteps) to = std::max(to, extent);
            const TRect r =
                vertical ? Rect(0, from, clientWidth, to) : Rect(from, 0, to, clientHeight);
            canvas.BrushCopy(r, Mask, r, MaskKeyColor);
        }
    }

private:
    // The caption's width on one line as it shows: without the prefix characters of
    // accelerators, with tabs expanded, so that the bands lie where the face does.
    int32_t ShownWidth(TCanvas& Canvas) const {
        TRect r = FClient;
        DrawText(&Canvas, FText, r, DT_CALCRECT | DT_SINGLELINE | (FFlags & ~DT_WORDBREAK));
        return r.Right - r.Left;
    }

    void DrawShade(TCanvas& Canvas, const TShade& Shade) {
        const int32_t first = Shade.Style != ssPlain && Shade.Depth > 1 ? 1 : Shade.Depth;
        const int32_t steps = Shade.Style == ssGraduated ? Shade.Depth - 1 : 0;
        for (int32_t i = Shade.Depth; i >= first; --i)
            DrawAt(Canvas, StepColor(Shade.Color, FFontColor, steps, Shade.Depth - i),
                   Shade.Step.X * i, Shade.Step.Y * i);
    }

    void DrawAt(TCanvas& Canvas, TColor Color, int32_t DX, int32_t DY) {
        Canvas.Font().SetColor(Color);
        TRect r = FClient;
        OffsetRect(r, -FMinOff - FXShift + DX, -FMinOff + DY);
        DrawText(&Canvas, FText, r, FFlags);
    }

    std::string FText;
    uint32_t FFlags;
    TRect FClient;
    TAlignment FAlignment;
    TColor FFontColor;
    TShade FShadow;
    TShade FHighlight;
    int32_t FMinOff = 0;
    int32_t FMaxOff = 0;
    int32_t FXShift = 0;
};

// A bitmap of the client area's size that draws text in the label's font, over no background.
void PrepareBitmap(TBitmap& Bitmap, const TRect& Client, const TFont& Font) {
    Bitmap.SetSize(Client.Right, Client.Bottom);
    Bitmap.Canvas().Font().Assign(&Font);
    SetBkMode(&Bitmap.Canvas(), TRANSPARENT);
}

}  // namespace

void TEsCustomLabel::Paint() {
    TEsPainter painter(*this);
    const TRect client = ClientRect();
    TBitmap work, mask;
    PrepareBitmap(work, client, Font());
    PrepareBitmap(mask, client, Font());
    TCanvas& canvas = work.Canvas();
    canvas.CopyRect(client, Canvas(), client);
    if (!Transparent()) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(client);
    }
    canvas.Brush().SetStyle(bsClear);
    painter.DrawShades(canvas);
    if (FCustomSettings.GraduateStyle() == gsNone) {
        painter.DrawFace(canvas);
    } else {
        painter.MaskFace(mask, work);
        painter.Graduate(work, mask, FCustomSettings.GraduateFromColor(),
                         FCustomSettings.GraduateStyle());
    }
    Canvas().CopyRect(client, canvas, client);
}

}  // namespace vex

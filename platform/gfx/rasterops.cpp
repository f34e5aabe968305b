#include "platform/gfx/rasterops.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvasrecorder.h"

namespace vex {

namespace {

constexpr uint32_t White = 0xFFFFFF;

uint8_t TruthTable(TCopyMode Rop) {
    return static_cast<uint8_t>(Rop >> 16);
}

// The destination pixels [First, Last) of one axis, as steps from the start, that fall inside
// [ClipLo, ClipHi); Step is +1 or -1.
struct TAxis {
    int64_t Start, Step, Count;
    int64_t First, Last;
};

TAxis ClipAxis(int32_t Start, int32_t Size, int64_t ClipLo, int64_t ClipHi) {
    TAxis axis{Start, Size < 0 ? -1 : 1, std::abs(int64_t{Size}), 0, 0};
    if (axis.Step > 0) {
        axis.First = ClipLo - Start;
        axis.Last = ClipHi - Start;
    } else {
        axis.First = Start - ClipHi + 1;
        axis.Last = Start - ClipLo + 1;
    }
    axis.First = std::max<int64_t>(axis.First, 0);
    axis.Last = std::min(axis.Last, axis.Count);
    if (axis.Last < axis.First) axis.Last = axis.First;
    return axis;
}

// The source step, counted from the source's start, that the destination step I samples: the
// one under the centre of the destination pixel.
int64_t SourceStep(int64_t I, int64_t DestCount, int64_t SrcCount) {
    const __int128 num = static_cast<__int128>(2 * I + 1) * SrcCount;
    return static_cast<int64_t>(num / (2 * static_cast<__int128>(DestCount)));
}

// A blit's logical area as device coordinates of the same form: under MM_TEXT moved with its
// signs kept, so that negative sizes still mirror; under the metric mode normalised, so that the
// mapping's upward y does not.
void ToDevice(const TCanvas& Canvas, int32_t& X, int32_t& Y, int32_t& Width, int32_t& Height) {
    if (!Canvas.Mapped()) return;
    const TRect device = Canvas.LPtoDP(
        Rect(X, Y, SaturateToInt32(int64_t{X} + Width), SaturateToInt32(int64_t{Y} + Height)));
    X = device.Left;
    Y = device.Top;
    Width = SaturateToInt32(int64_t{device.Right} - device.Left);
    Height = SaturateToInt32(int64_t{device.Bottom} - device.Top);
}

}  // namespace

uint32_t ApplyRop3(TCopyMode Rop, uint32_t P, uint32_t S, uint32_t D) {
    const uint8_t table = TruthTable(Rop);
    uint32_t result = 0;
    for (int index = 0; index < 8; ++index) {
        if (!(table & (1 << index))) continue;
        const uint32_t p = index & 4 ? P : ~P;
        const uint32_t s = index & 2 ? S : ~S;
        const uint32_t d = index & 1 ? D : ~D;
        result |= p & s & d;
    }
    return result & White;
}

bool RopUsesSource(TCopyMode Rop) {
    const uint8_t table = TruthTable(Rop);
    return ((table >> 2) & 0x33) != (table & 0x33);
}

bool StretchRaster(TCanvas& Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height,
                   const TBlitSource& Src, int32_t XSrc, int32_t YSrc, int32_t WidthSrc,
                   int32_t HeightSrc, TCopyMode Rop) {
    const bool usesSource = RopUsesSource(Rop) || Src.BrushPixel || Src.TransparentPixel;
    if (usesSource && !Src.Bitmap) return false;
    if (usesSource && (WidthSrc == 0 || HeightSrc == 0)) return true;
    if (Width == 0 || Height == 0) return true;

    TBitmap& target = Dest.Bitmap();
    const TPoint origin = Dest.Origin();
    TRect clip = Dest.Reach().Bounds();
    OffsetRect(clip, -origin.X, -origin.Y);
    const TAxis ax = ClipAxis(X, Width, clip.Left, clip.Right);
    const TAxis ay = ClipAxis(Y, Height, clip.Top, clip.Bottom);
    if (ax.First == ax.Last || ay.First == ay.Last) return true;
    const TAxis sx{XSrc, WidthSrc < 0 ? -1 : 1, std::abs(int64_t{WidthSrc}), 0, 0};
    const TAxis sy{YSrc, HeightSrc < 0 ? -1 : 1, std::abs(int64_t{HeightSrc}), 0, 0};

    const bool destMono = target.Monochrome();
    const bool srcMono = Src.Bitmap && Src.Bitmap->Monochrome();
    const uint32_t destText = ColorToPixel(Dest.TextColor());
    const uint32_t destBk = ColorToPixel(Dest.BkColor());
    const uint32_t srcBk = ColorToPixel(Src.BkColor);
    const TBrushPattern& pattern = Dest.Brush().Pattern();
    const uint32_t brushColor = ColorToPixel(Dest.Brush().Color());
    const auto toMono = [](uint32_t Pixel, uint32_t Background) {
        return Pixel == Background ? White : 0;
    };

    // Everything is read into this buffer before anything is written, so a canvas copying onto
    // itself sees the picture as it was.
    const int64_t w = ax.Last - ax.First;
    const int64_t h = ay.Last - ay.First;
    struct TOut {
        uint32_t Pixel;
        bool Write;
    };
    std::vector<TOut> out(static_cast<size_t>(w * h), TOut{0, false});
    for (int64_t j = ay.First; j < ay.Last; ++j) {
        const int64_t dy = ay.Start + ay.Step * j;
        const int64_t by = dy + origin.Y;
        const uint32_t* destRow = target.ScanLine(static_cast<int32_t>(by));
        const uint32_t* srcRow = nullptr;
        const uint32_t* maskRow = nullptr;
        if (usesSource) {
            const int64_t syy = sy.Start + sy.Step * SourceStep(j, ay.Count, sy.Count);
            if (syy < 0 || syy >= Src.Bitmap->Height()) continue;
            srcRow = Src.Bitmap->ScanLine(static_cast<int32_t>(syy));
            if (Src.Mask && syy < Src.Mask->Height())
                maskRow = Src.Mask->ScanLine(static_cast<int32_t>(syy));
        }
        for (int64_t i = ax.First; i < ax.Last; ++i) {
            const int64_t bx = ax.Start + ax.Step * i + origin.X;
            TOut& o = out[static_cast<size_t>((j - ay.First) * w + (i - ax.First))];
            uint32_t p = pattern.Empty() ? brushColor : pattern.At(bx, by);
            uint32_t d = destRow[bx];
            if (destMono) {
                p = toMono(p, destBk);
                d = toMono(d, White);
            }
            uint32_t s = 0;
            if (srcRow) {
                const int64_t sxx = sx.Start + sx.Step * SourceStep(i, ax.Count, sx.Count);
                if (sxx < 0 || sxx >= Src.Bitmap->Width()) continue;
                s = srcRow[sxx];
                if (maskRow && sxx < Src.Mask->Width() && maskRow[sxx] == White) continue;
                if (Src.TransparentPixel && s == *Src.TransparentPixel) continue;
                if (Src.BrushPixel && s == *Src.BrushPixel) {
                    o = {p, true};
                    continue;
                }
                if (srcMono && !destMono)
                    s = s == White ? destBk : destText;
                else if (!srcMono && destMono)
                    s = toMono(s, srcBk);
            }
            o = {ApplyRop3(Rop, p, s, d), true};
        }
    }
    // Only what the destination's clip lets through is written; within its bounds that may be
    // less than the whole row.
    const int64_t xa = ax.Start + ax.Step * ax.First, xb = ax.Start + ax.Step * (ax.Last - 1);
    for (int64_t j = ay.First; j < ay.Last; ++j) {
        const int64_t dy = ay.Start + ay.Step * j;
        uint32_t* destRow = target.ScanLine(static_cast<int32_t>(dy + origin.Y)) + origin.X;
        const TOut* outRow = out.data() + (j - ay.First) * w;
        Dest.ForEachVisibleRun(dy, std::min(xa, xb), std::max(xa, xb) + 1,
                               [&](int64_t From, int64_t To) {
                                   for (int64_t x = From; x < To; ++x) {
                                       const TOut& o = outRow[(x - ax.Start) * ax.Step - ax.First];
                                       if (o.Write) destRow[x] = o.Pixel;
                                   }
                               });
    }
    return true;
}

// A blit as a recorder sees it: the destination, the source when there is one, the operation.
auto BlitCall(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, HDC Src, int32_t XSrc,
              int32_t YSrc, int32_t WidthSrc, int32_t HeightSrc, TCopyMode Rop) {
    const auto extent = [](int32_t Left, int32_t Top, int32_t W, int32_t H) {
        return Rect(Left, Top, SaturateToInt32(int64_t{Left} + W),
                    SaturateToInt32(int64_t{Top} + H));
    };
    return [=](TCanvasCall& C) {
        C.Rects = {OnDevice(*Dest, extent(X, Y, Width, Height))};
        if (Src) C.Rects.push_back(OnDevice(*Src, extent(XSrc, YSrc, WidthSrc, HeightSrc)));
        C.Flags = Rop;
    };
}

bool StretchBlt(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, HDC Src,
                int32_t XSrc, int32_t YSrc, int32_t WidthSrc, int32_t HeightSrc, TCopyMode Rop) {
    if (!Dest) return false;
    TBlitSource source;
    if (Src) {
        source.Bitmap = &Src->Bitmap();
        source.BkColor = Src->BkColor();
    }
    const auto fill =
        BlitCall(Dest, X, Y, Width, Height, Src, XSrc, YSrc, WidthSrc, HeightSrc, Rop);
    const TRecordedCall call(*Dest, "StretchBlt", [&](TCanvasCall& C) {
        fill(C);
        if (Src && RopUsesSource(Rop) && TCanvasRecorder::KeepsPictures(*Dest))
            RecordCopiedPicture(C, source);
    });
    ToDevice(*Dest, X, Y, Width, Height);
    if (Src) {
        ToDevice(*Src, XSrc, YSrc, WidthSrc, HeightSrc);
        XSrc = SaturateToInt32(int64_t{XSrc} + Src->Origin().X);
        YSrc = SaturateToInt32(int64_t{YSrc} + Src->Origin().Y);
    }
    return StretchRaster(*Dest, X, Y, Width, Height, source, XSrc, YSrc, WidthSrc, HeightSrc, Rop);
}

bool BitBlt(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, HDC Src, int32_t XSrc,
            int32_t YSrc, TCopyMode Rop) {
    if (!Dest) return false;
    const TRecordedCall call(
        *Dest, "BitBlt", BlitCall(Dest, X, Y, Width, Height, Src, XSrc, YSrc, Width, Height, Rop));
    return StretchBlt(Dest, X, Y, Width, Height, Src, XSrc, YSrc, Width, Height, Rop);
}

bool PatBlt(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, TCopyMode Rop) {
    if (!Dest || RopUsesSource(Rop)) return false;
    const TRecordedCall call(
        *Dest, "PatBlt", BlitCall(Dest, X, Y, Width, Height, nullptr, 0, 0, Width, Height, Rop));
    return StretchBlt(Dest, X, Y, Width, Height, nullptr, 0, 0, Width, Height, Rop);
}

}  // namespace vex

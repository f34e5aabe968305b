#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/core/object.h"
#include "platform/core/region.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/brush.h"
#include "platform/gfx/clipspans.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/font.h"
#include "platform/gfx/mapmode.h"
#include "platform/gfx/pen.h"
#include "platform/gfx/polygonfill.h"
#include "platform/gfx/textmetrics.h"
#include "platform/win/updateregion.h"

namespace vex {

class TCanvas;
class TCanvasRecorder;
class TRealizedFont;
class TIcon;

// What a clip is, as the clip calls answer it: RGN_ERROR, or the region kinds the window
// layer's update regions share.
inline constexpr int RGN_ERROR = 0;

// A raster operation code (rasterops.h names them): the canvas's CopyMode is one.
using TCopyMode = uint32_t;

// The drawing-context handle of the original's free drawing functions: the canvas itself, so
// DrawText(Canvas.Handle(), ...) reads as it did.
using HDC = TCanvas*;

// Draws into a bitmap with the original's pixel rules: a line leaves out its end point, a
// rectangle's right and bottom are exclusive, shapes are outlined with the pen and filled with
// the brush. Any coordinates are accepted; whatever falls outside the bitmap is clipped.
// Drawing takes logical coordinates, which the mapping (mapmode.h) turns into device pixels;
// under MM_TEXT with no origins they are the same. Pen widths, font heights and the sizes of
// pictures are logical lengths too. Where the device's y runs against the logical one
// (MM_LOMETRIC), rectangles are normalised after mapping and text and pictures hang down the
// page from the point they are placed at, so nothing comes out mirrored.
class TCanvas : public TPersistent {
    VEX_CLASS(TCanvas, TPersistent)

public:
    explicit TCanvas(TBitmap& ABitmap);

    HDC Handle() { return this; }
    TBitmap& Bitmap() { return FBitmap; }

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint Value) { FPenPos = Value; }
    void MoveTo(int32_t X, int32_t Y) { FPenPos = Point(X, Y); }
    // From PenPos up to, not including, (X, Y); PenPos moves there.
    void LineTo(int32_t X, int32_t Y);
    // Joined lines; only the last point is left out. PenPos is not moved.
    void Polyline(const std::vector<TPoint>& Points);
    // Filled with the brush (alternate rule), then outlined with the pen, closed.
    void Polygon(const std::vector<TPoint>& Points);

    // Pen outline, brush inside, all within [X1, X2) x [Y1, Y2). Without a pen the filled area
    // ends one pixel short at the right and bottom, as on the original.
    void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    // Corners are quarters of an X3 x Y3 ellipse.
    void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3);

    // Brush only, pen and pen mode ignored; a clear brush paints nothing.
    void FillRect(const TRect& R);
    // With Brush in place of the canvas's, which stays as it was.
    void FillRect(const TRect& R, const TBrush& Brush);
    // A one-pixel border in the brush colour.
    void FrameRect(const TRect& R);

    // Outside what drawing can reach (the bitmap within the clip) reads -1, no colour, and
    // writes nothing.
    TColor Pixels(int32_t X, int32_t Y) const;
    void SetPixels(int32_t X, int32_t Y, TColor Value);

    // Where the canvas's device (0, 0) lies on the bitmap; a child window paints through an
    // origin at its own top-left corner. The clip stays where it is on the bitmap.
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint Value) { FOrigin = Value; }

    // Drawing reaches the pixels of the bitmap inside the base clip and the user clip. The base
    // clip belongs to whoever made the canvas (a control's visible area, so that no component
    // paints over its siblings); none means the whole bitmap. The user clip is the drawing
    // code's own, and none of its calls can reach beyond the base. Both stay where they are on
    // the bitmap when the origin moves; rectangles given are logical, regions in device
    // coordinates (as on the original), both as they are at the call. Each change answers what the
    // clip has become: NULLREGION, SIMPLEREGION or COMPLEXREGION. The base clip alone is given and
    // answered in the bitmap's own coordinates. A new canvas, or one reset, has none;
    // ExchangeBaseClip with nothing returns to none.
    void SetBaseClip(const TRegion& Region);
    // The base clip as drawing uses it; exchanging it answers the one it replaces, so that a
    // canvas lent for a while gets its own back without working it out again.
    const std::optional<TClipSpans>& BaseClip() const { return FBaseClip; }
    std::optional<TClipSpans> ExchangeBaseClip(std::optional<TClipSpans> Spans);
    // The same in place, for what binds and lends canvases at every paint: the base clip becomes
    // a copy of Spans (null: none), or trades places with Spans.
    void SetBaseClip(const TClipSpans* Spans);
    void SwapBaseClip(std::optional<TClipSpans>& Spans);
    // What drawing can reach now (base clip, user clip and bitmap) within R, in the bitmap's
    // coordinates: the base clip of something drawn inside this canvas's reach.
    TClipSpans ReachWithin(const TRect& R) const { return Clip().Intersected(R); }
    // All that drawing can reach now, in the bitmap's coordinates.
    const TClipSpans& Reach() const { return Clip(); }
    int IntersectClipRect(const TRect& R);
    int ExcludeClipRect(const TRect& R);
    // The user clip becomes Region; null returns to the base clip.
    int SelectClipRgn(const TRegion* Region);
    // Back to the base clip, not to the whole bitmap.
    void ResetClip();
    // The bounding box of what drawing can reach, in logical coordinates, and its kind. Its
    // corners are the device box's mapped back, so under MM_LOMETRIC its top is above (greater
    // than) its bottom, and given back to IntersectClipRect it names the same pixels.
    TRect ClipRect() const;
    int GetClipBox(TRect& Box) const;
    bool PtVisible(int32_t X, int32_t Y) const {
        const TPoint p = LPtoDP(Point(X, Y));
        return QueryClip().Contains(int64_t{p.X} + FOrigin.X, int64_t{p.Y} + FOrigin.Y);
    }

    // The sheet of the device the canvas stands for, in device pixels, when it is no screen: a
    // printer's canvas draws into no pixels, yet its clip queries (ClipRect, GetClipBox,
    // PtVisible and the kinds the clip calls answer) take the printable area as the pixels it
    // has, so that code which asks what is visible lays a page out as it would on paper.
    // GetDeviceCaps answers its PHYSICAL* and *RES values from it.
    struct TDeviceSheet {
        TSize Paper;
        // From the sheet's top-left corner to the printable area's, where the canvas's (0, 0) is.
        TPoint PrintableOffset;
        TSize Printable;

        friend bool operator==(const TDeviceSheet&, const TDeviceSheet&) = default;
    };
    const std::optional<TDeviceSheet>& DeviceSheet() const { return FDeviceSheet; }
    void SetDeviceSheet(const std::optional<TDeviceSheet>& Value);
    // Fn(Left, Right) for each run of row Y within [X0, X1) that drawing can reach, left to
    // right, in device coordinates.
    template <typename TFn>
    void ForEachVisibleRun(int64_t Y, int64_t X0, int64_t X1, TFn&& Fn) const {
        Clip().ForEachRun(Y + FOrigin.Y, X0 + FOrigin.X, X1 + FOrigin.X,
                          [&](int64_t From, int64_t To) { Fn(From - FOrigin.X, To - FOrigin.X); });
    }

    // The context's text and background colours and background mode, which text output and the
    // monochrome conversions of the raster operations use; see dcstate.h.
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value) { FTextColor = Value; }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value) { FBkColor = Value; }
    bool BkTransparent() const { return FBkTransparent; }
    void SetBkTransparent(bool Value) { FBkTransparent = Value; }

    // A stack of drawing states (canvasstate.cpp): pen, brush, font, text and background
    // colours, background mode, text alignment, copy mode, origin, pen position and user clip;
    // the base clip is not the drawing code's to save. SaveDC answers the new depth, counted
    // from 1, or 0 once MaxSavedStates are kept. RestoreDC(N) returns to the state saved at
    // depth N, RestoreDC(-N) to the one N saves back (-1 the last), dropping it and every later
    // one; an index that names no saved state answers false and changes nothing.
    static constexpr int32_t MaxSavedStates = 1024;
    int32_t SaveDC();
    bool RestoreDC(int32_t Index);
    // Back to the state of a canvas just made, base clip and saved states included, so that a
    // canvas can be used again for a new device context. The resolution is the device's and
    // stays.
    void ResetState();

    // The mapping (canvasmapping.cpp): its mode, origins and the device's resolution. Mode and
    // origins are drawing state that SaveDC keeps.
    int32_t MapMode() const { return FMapping.Mode(); }
    // Answers the mode it replaced, or 0 for a mode the canvas does not have, changing nothing.
    int32_t SetMapMode(int32_t Mode);
    TPoint WindowOrg() const { return FMapping.WindowOrg(); }
    void SetWindowOrg(TPoint Value);
    TPoint ViewportOrg() const { return FMapping.ViewportOrg(); }
    void SetViewportOrg(TPoint Value);
    // The screen's 96 until the device sets its own (a printer page); EInvalidGraphicOperation
    // outside 1 to MaxPixelsPerInch.
    int32_t PixelsPerInchX() const { return FMapping.PixelsPerInchX(); }
    int32_t PixelsPerInchY() const { return FMapping.PixelsPerInchY(); }
    void SetPixelsPerInch(int32_t X, int32_t Y);
    const TMapping& Mapping() const { return FMapping; }
    // Whether coordinates go through the mapping now: not when it is the identity, nor while a
    // TDeviceUnits lasts.
    bool Mapped() const { return FMapped; }
    // The pen's width in the pixels lines are drawn with.
    int32_t PenWidthOnDevice() const {
        return FMapped ? FMapping.PenWidthToDevice(FPen.Width()) : FPen.Width();
    }
    // Logical to device coordinates and back; a device point is the canvas's, before the
    // origin. A rectangle is normalised as drawing does (TMapping::ToDevice); going back, its
    // corners are mapped each as they are.
    TPoint LPtoDP(TPoint P) const { return FMapped ? FMapping.ToDevice(P) : P; }
    TRect LPtoDP(const TRect& R) const { return FMapped ? FMapping.ToDevice(R) : R; }
    TPoint DPtoLP(TPoint P) const { return FMapped ? FMapping.ToLogical(P) : P; }
    TRect DPtoLP(const TRect& R) const;

    // Text (canvastext.cpp). A change of the font sets the context's text colour to the font's
    // colour; TextOut and TextRect also take the background from the brush (clear: none,
    // otherwise an opaque box in the brush colour), as the original did.
    TFont& Font() { return FFont; }
    // The TA_ flags of drawtext.h; TA_LEFT | TA_TOP by default.
    uint32_t TextAlign() const { return FTextAlign; }
    void SetTextAlign(uint32_t Value) { FTextAlign = Value; }
    // With TA_UPDATECP the text starts at PenPos, X and Y are ignored, and PenPos moves past it.
    void TextOut(int32_t X, int32_t Y, const std::string& Text);
    // Text at (X, Y) clipped to Rect, whose background is filled with the brush unless clear.
    void TextRect(const TRect& Rect, int32_t X, int32_t Y, const std::string& Text);
    // Logical units, however large the font is drawn.
    int32_t TextWidth(const std::string& Text);
    int32_t TextHeight(const std::string& Text);
    TSize TextExtent(std::string_view Text);
    // Output with the context's colours, background mode and alignment as they are; Options
    // are the ETO_ flags, Rect (may be null) the rectangle they apply to.
    void ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect,
                    std::string_view Text);
    // The font as drawn, for measuring in device pixels: its height mapped from logical units.
    std::shared_ptr<const TRealizedFont> RealizedFont();
    // Copying pictures (canvasblit.cpp). CopyRect, and Draw and StretchDraw of an opaque bitmap,
    // combine through CopyMode; a transparent bitmap leaves its TransparentColor pixels out and an
    // icon its masked ones, both copied whatever CopyMode says, as on the original.
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    void CopyRect(const TRect& Dest, TCanvas& Canvas, const TRect& Source);
    void Draw(int32_t X, int32_t Y, const TBitmap& Graphic);
    void Draw(int32_t X, int32_t Y, const TIcon& Graphic);
    void StretchDraw(const TRect& Rect, const TBitmap& Graphic);
    void StretchDraw(const TRect& Rect, const TIcon& Graphic);
    // Copies Source of Bitmap to Dest with the pixels of Color replaced by the brush.
    void BrushCopy(const TRect& Dest, const TBitmap& Bitmap, const TRect& Source, TColor Color);

private:
    friend class TDeviceUnits;
    friend class TCanvasRecorder;
    // Draws Text from Ref, both in device coordinates; with UpdateCP it answers where the text
    // ends, where TA_UPDATECP moves the pen.
    TPoint DrawTextRun(TPoint Ref, bool UpdateCP, std::string_view Text, const TRealizedFont& Face);
    void TakeTextColors();

    using TPixelOp = uint32_t (*)(uint32_t Dest, uint32_t Color);
    struct TPaint {
        uint32_t Color;
        TPixelOp Op;
        // When set, the colour of each pixel comes from the brush's pattern instead.
        const TBrushPattern* Pattern = nullptr;
    };

    // Bounds in device coordinates; right and bottom exclusive.
    struct TBounds {
        int64_t Left, Top, Right, Bottom;
    };
    // The clip's bounds, in device coordinates; empty when nothing can be drawn.
    TBounds DeviceClip() const;
    // The bounds of Spans (bitmap coordinates) in device coordinates.
    TBounds DeviceBounds(const TClipSpans& Spans) const;
    // The clip in bitmap coordinates: the base clip itself while it is all there is and lies
    // on the bitmap, otherwise made anew once the clips or the bitmap's size changed.
    const TClipSpans& Clip() const {
        if (!FUserClip && FBaseClip && OnBitmap(FBaseClip->Bounds())) return *FBaseClip;
        if (FClipWidth != FBitmap.Width() || FClipHeight != FBitmap.Height()) RebuildClip();
        return FClip;
    }
    bool OnBitmap(const TRect& R) const {
        return R.Left >= 0 && R.Top >= 0 && R.Right <= FBitmap.Width() &&
               R.Bottom <= FBitmap.Height();
    }
    void RebuildClip() const;
    void InvalidateClip() {
        FClipWidth = -1;
        FQueryClipValid = false;
    }
    // The clip's spans within Extent (bitmap coordinates): the user clip and base clip applied.
    TClipSpans ClipWithin(const TRect& Extent) const;
    // What the clip queries answer from: the clip, or on a device sheet the clip as it would be
    // over the printable area's pixels.
    const TClipSpans& QueryClip() const;
    int ClipKind() const;
    // The pixel at device coordinates (X, Y), or null outside the clip.
    uint32_t* PixelAt(int64_t X, int64_t Y);
    // Pixel over R (device coordinates) within the clip, whatever the pen and brush.
    void FillSolid(const TRect& R, uint32_t Pixel);
    // After any change of the mapping; a change of scale sizes the font anew.
    void MappingChanged(bool ScaleChanged);

    TPaint PenPaint() const;
    TPaint BrushPaint() const;
    // The brush with its pattern, but always copied, for FillRect and FrameRect.
    TPaint BrushCopyPaint(const TBrush& Brush) const;
    uint32_t PaintColor(const TPaint& Paint, int64_t X, int64_t Y) const;
    void Plot(int64_t X, int64_t Y, TPaint Paint);
    void Plot(const TClipSpans& Visible, int64_t X, int64_t Y, TPaint Paint);
    void FillSpan(int64_t Y, int64_t X0, int64_t X1, TPaint Paint);
    void FillPolygon(const std::vector<TPointF>& Points, TPaint Paint);
    // Strokes A to B, leaving out B; Phase carries the dash pattern from one segment on.
    void StrokeSegment(TPoint A, TPoint B, int64_t& Phase);
    void StrokeThin(TPoint A, TPoint B, int64_t& Phase, TPaint Paint);
    void StrokeWide(TPoint A, TPoint B, TPaint Paint);
    void StrokePath(const std::vector<TPoint>& Points, bool Closed);
    void DrawShape(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int64_t CornerW,
                   int64_t CornerH);

    TBitmap& FBitmap;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;  // logical
    TPoint FOrigin;
    // In bitmap coordinates, so moving the origin leaves them in place.
    std::optional<TClipSpans> FBaseClip;
    std::optional<TRegion> FUserClip;
    // Their intersection with the bitmap, and the bitmap size it was made for.
    mutable TClipSpans FClip;
    mutable int32_t FClipWidth = -1;
    mutable int32_t FClipHeight = -1;
    TColor FTextColor = clBlack;
    TColor FBkColor = clWhite;
    bool FBkTransparent = false;
    TFont FFont;
    uint32_t FTextAlign = 0;
    TLogFont FRealizedFor;
    std::shared_ptr<const TRealizedFont> FRealized;
    uint64_t FRealizedVersion = 0;     // of the font FRealized was last found right for
    TCopyMode FCopyMode = 0x00CC0020;  // SRCCOPY
    // The recorder every call on this canvas goes to, if one is attached.
    TCanvasRecorder* FAttachedRecorder = nullptr;
    struct TSavedState {
        TPen Pen;
        TBrush Brush;
        TFont Font;
        TColor TextColor;
        TColor BkColor;
        bool BkTransparent;
        uint32_t TextAlign;
        TCopyMode CopyMode;
        TPoint Origin;
        TPoint PenPos;
        std::optional<TRegion> UserClip;
        int32_t MapMode;
        TPoint WindowOrg;
        TPoint ViewportOrg;
    };
    void SaveStateTo(TSavedState& State) const;
    // Takes State, its user clip moved out.
    void TakeState(TSavedState& State);
    void DropSavedStatesFrom(size_t Depth);
    // TFont cannot move, so each state is held apart. The first FSavedDepth are saved; the
    // rest wait to be used again.
    std::vector<std::unique_ptr<TSavedState>> FSaved;
    size_t FSavedDepth = 0;
    std::optional<TDeviceSheet> FDeviceSheet;
    mutable TClipSpans FQueryClip;
    mutable bool FQueryClipValid = false;
    // Last, so that the fields screen painting reads stay where they were.
    TMapping FMapping;
    bool FMapped = false;
    bool FInDeviceUnits = false;
};

// While it lives the canvas takes and answers coordinates, lengths and text extents in device
// pixels, its font still drawn at the size the mapping gives it: for code that lays out in
// pixels what it was given in logical units (DrawText).
class TDeviceUnits {
public:
    explicit TDeviceUnits(TCanvas& Canvas)
        : FCanvas(Canvas), FWasInDeviceUnits(Canvas.FInDeviceUnits) {
        FCanvas.FInDeviceUnits = true;
        FCanvas.FMapped = false;
    }
    ~TDeviceUnits() {
        FCanvas.FInDeviceUnits = FWasInDeviceUnits;
        FCanvas.MappingChanged(false);
    }
    TDeviceUnits(const TDeviceUnits&) = delete;
    TDeviceUnits& operator=(const TDeviceUnits&) = delete;

private:
    TCanvas& FCanvas;
    bool FWasInDeviceUnits;
};

}  // namespace vex

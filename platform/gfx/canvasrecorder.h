#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/region.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/pngcodec.h"

namespace vex {

// One drawing call as a canvas received it, so that a test can check exact geometry and
// attributes without reading pixels. Positions are in the bitmap's coordinates (mapped, the
// origin applied) and as given, before any clipping.
struct TCanvasCall {
    const TCanvas* Canvas = nullptr;
    // The canvas method or drawing function: "FillRect", "LineTo", "TextOut", "DrawText",
    // "BitBlt", "DrawFocusRect"...
    std::string Name;
    // What the call covers: its rectangle, a copy's destination then its source (a source
    // canvas's device coordinates, a bitmap's own).
    std::vector<TRect> Rects;
    // Its points: a line's ends, a polygon's corners, where text starts. RoundRect's corner
    // size is the one entry that is a size and not a position; mapped, it is in pixels.
    std::vector<TPoint> Points;
    std::string Text;
    // ETO_ options of text output, DT_ flags of DrawText, the raster operation of a copy.
    uint32_t Flags = 0;
    // The colour the call names: SetPixels's, the one BrushCopy replaces.
    TColor Color = clNone;

    TColor PenColor = clNone;
    TPenStyle PenStyle = psSolid;
    // In pixels, as the line is drawn.
    int32_t PenWidth = 1;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clNone;
    TBrushStyle BrushStyle = bsSolid;
    std::string FontName;
    int32_t FontSize = 0;
    TFontStyles FontStyle;
    // The colour text is drawn in, and its background (clNone when transparent).
    TColor TextColor = clNone;
    TColor BkColor = clNone;

    // What replaying a text call needs to draw the text where the canvas did: the TA_ flags, the
    // font as drawn (its height in device pixels) and its escapement in tenths of a degree.
    uint32_t TextAlign = 0;
    std::shared_ptr<const TRealizedFont> Face;
    int32_t Escapement = 0;
    // The drawing code's own clip at the call, in the same coordinates as the call; none when it
    // had none. The clip of the call itself (ETO_CLIPPED's rectangle) is in Rects.
    std::optional<TRegion> UserClip;
    // A picture call's pixels as they land on its destination rectangle (scaled to it by the
    // replay): 0xAARRGGBB, alpha 0 where the call leaves the canvas as it was (a transparent
    // colour, an icon's mask). Only a recorder of primitives attached to the canvas keeps them,
    // since only a replay needs them; copies of the call share one picture.
    std::shared_ptr<const TPixelImage> Picture;
};

struct TBlitSource;

// Which calls a recorder keeps: the outermost, as the code that draws made them (what a test
// checks), or the innermost, the drawing primitives each of those came down to (what a device
// that draws by other means replays: DrawText becomes its lines of ExtTextOut, DrawEdge its
// lines).
enum class TRecordLevel { Outermost, Primitives };

// Records the drawing calls made on this thread's canvases while it exists: on every canvas,
// or only on the one given. The canvases draw as always. A call made of other calls (TextOut,
// DrawText, BitBlt) is recorded once, by its own name; a composite routine that is no call of
// its own (DrawEdge) shows as the calls it makes. Recorders nest: the newest one records until
// it is destroyed, then the one before it again.
class TCanvasRecorder {
public:
    TCanvasRecorder();
    explicit TCanvasRecorder(const TCanvas& Canvas);
    // Records every call on Canvas, at Level, for as long as both exist, whatever recorders of
    // the thread come and go meanwhile; that canvas's calls reach no other recorder. One attached
    // over another takes the canvas's calls until it goes.
    // The recorder goes before the canvas does.
    TCanvasRecorder(TCanvas& Canvas, TRecordLevel Level);
    ~TCanvasRecorder();
    TCanvasRecorder(const TCanvasRecorder&) = delete;
    TCanvasRecorder& operator=(const TCanvasRecorder&) = delete;

    const std::vector<TCanvasCall>& Calls() const { return FCalls; }
    // The calls recorded so far, leaving the recorder empty; only between calls.
    // What follows is made room for at once: a printer's pages are much alike.
    std::vector<TCanvasCall> TakeCalls() {
        std::vector<TCanvasCall> next;
        next.reserve(FCalls.size());
        return std::exchange(FCalls, std::move(next));
    }
    // The calls of one name, in the order they were made.
    std::vector<TCanvasCall> Named(std::string_view Name) const;
    void Clear() { FCalls.clear(); }

    // Whether the calls on Canvas that copy pixels should carry them (TCanvasCall::Picture).
    static bool KeepsPictures(const TCanvas& Canvas) {
        return Canvas.FAttachedRecorder &&
               Canvas.FAttachedRecorder->FLevel == TRecordLevel::Primitives;
    }

    // The recorder to tell of a call on Canvas: none when none listens to it, or when the call
    // is part of one already being recorded.
    static TCanvasRecorder* For(const TCanvas& Canvas) {
        if (TCanvasRecorder* attached = Canvas.FAttachedRecorder) return attached->Accepting();
        TCanvasRecorder* r = FCurrent;
        if (!r || (r->FOnly && r->FOnly != &Canvas)) return nullptr;
        return r->Accepting();
    }

private:
    friend class TRecordedCall;
    TCanvasRecorder* Accepting() {
        return FOpen.empty() || FLevel == TRecordLevel::Primitives ? this : nullptr;
    }
    // A new call with the canvas's pen, brush, font and colours as they are.
    TCanvasCall& Begin(TCanvas& Canvas, std::string_view Name);
    void End();

    static inline thread_local TCanvasRecorder* FCurrent = nullptr;
    // The recorder this one covers: the thread's, or the one attached to the canvas before it.
    TCanvasRecorder* FPrevious = nullptr;
    const TCanvas* FOnly = nullptr;
    TCanvas* FAttachedTo = nullptr;
    TRecordLevel FLevel = TRecordLevel::Outermost;
    // The calls begun and not yet ended, by index; under Primitives one that another call begins
    // inside of is marked, and dropped when it ends.
    struct TOpenCall {
        size_t Index;
        bool Superseded;
    };
    std::vector<TOpenCall> FOpen;
    std::vector<TCanvasCall> FCalls;
};

// Records one call on a canvas for as long as it lives; calls made meanwhile on that thread's
// canvases are parts of it and are not recorded again. Fill sets what the call covers; it runs
// only when a recorder listens, so a canvas without one pays a test and nothing more.
class TRecordedCall {
public:
    template <typename TFill>
    TRecordedCall(TCanvas& Canvas, std::string_view Name, TFill&& Fill)
        : FRecorder(TCanvasRecorder::For(Canvas)) {
        if (FRecorder) Fill(FRecorder->Begin(Canvas, Name));
    }
    ~TRecordedCall() {
        if (FRecorder) FRecorder->End();
    }
    TRecordedCall(const TRecordedCall&) = delete;
    TRecordedCall& operator=(const TRecordedCall&) = delete;

private:
    TCanvasRecorder* FRecorder;
};

// What a copy from Source's Rect (its bitmap's own coordinates) puts on the canvas, for
// TCanvasCall::Picture; BrushColor replaces Source's BrushPixel.
std::shared_ptr<const TPixelImage> RecordedPicture(const TBlitSource& Source, const TRect& Rect,
                                                   TColor BrushColor = clNone);
// The same for a copy recorded with its destination and source in Call.Rects. A source reaching
// beyond its bitmap reads nothing there, so the record keeps only the part on the bitmap and the
// part of the destination it lands on: a record holds no more pixels than the bitmap has.
void RecordCopiedPicture(TCanvasCall& Call, const TBlitSource& Source, TColor BrushColor = clNone);

// Logical coordinates to the bitmap's (mapped, then the origin applied), kept at the ends of the
// 32-bit range.
TRect OnDevice(const TCanvas& Canvas, const TRect& R);
TPoint OnDevice(const TCanvas& Canvas, TPoint P);
std::vector<TPoint> OnDevice(const TCanvas& Canvas, const std::vector<TPoint>& Points);

}  // namespace vex

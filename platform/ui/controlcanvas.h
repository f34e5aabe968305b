#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

namespace vex {

class TControl;

namespace controlcanvas_detail {
// The bitmap a control canvas draws on; a base of the canvas listed before TCanvas, so that it
// exists before the canvas that refers to it.
struct TTarget {
    TBitmap Target;
};
}  // namespace controlcanvas_detail

// The canvas of a control. It draws on the pixels of the device context it is given (the one its
// control paints on, or one a component took with BeginPaint or GetDC), with that context's
// origin and clip, base clip included, as they are when given; its own pen, brush and font stay
// from one context to the next. Without a context it draws nowhere and still measures text.
class TControlCanvas : private controlcanvas_detail::TTarget, public TCanvas {
    VEX_CLASS(TControlCanvas, TCanvas)

public:
    TControlCanvas();
    ~TControlCanvas() override;
    TControlCanvas(const TControlCanvas&) = delete;
    TControlCanvas& operator=(const TControlCanvas&) = delete;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }

    // The context drawn through; nil when there is none.
    HDC DrawingContext() const { return FContext; }
    // Draws through DC from now on; nil lets the context go.
    void SetHandle(HDC DC);

    // The context the canvas took itself, over its control's area, so that drawing outside
    // painting reaches the window: it is taken again at each call (a window's pixels move when
    // it is resized) and the screen is brought up to date once the current message is handled.
    // Nothing when the control does not show.
    void TakeControlContext();
    // Lets go of a context the canvas took itself, putting what was drawn on the screen.
    void FreeHandle();

    // Canvases of one kind (those with a context, those with one they took), each knowing its
    // place in the roll, so that joining or leaving it on every paint costs a few stores.
    class TRoll {
    public:
        static constexpr size_t kNowhere = SIZE_MAX;
        void Join(TControlCanvas* Canvas, size_t& Place);
        void Leave(size_t& Place);
        std::vector<TControlCanvas*> Canvases() const;
        bool Holds(const TControlCanvas* Canvas) const;

    private:
        struct TEntry {
            TControlCanvas* Canvas;
            size_t* Place;
        };
        std::vector<TEntry> FEntries;
    };

private:
    // Points the target at DC's pixels (or at none).
    void Retarget(HDC DC);

    TControl* FControl = nullptr;
    HDC FContext = nullptr;
    // A context the canvas took itself, released when it takes another or is given one.
    HDC FOwnContext = nullptr;
    size_t FPlaceAmongDrawers = TRoll::kNowhere;
    size_t FPlaceAmongTakers = TRoll::kNowhere;
};

// Makes every canvas let go of the context it took itself and puts what was drawn on the screen;
// the framework calls it once the message the drawing came in is handled.
void FreeTakenContexts();

// A top-level window's pixels, those beginning at Gone, moved (it was resized, hidden or
// destroyed): every control canvas drawing on them lets go of its context, and every context the
// framework made over them points at nothing, so a canvas or context kept from before draws
// nowhere instead of into pixels that are gone. Those drawing elsewhere, another window's
// painting among them, draw on. The window tree calls it.
void LetGoOfWindowPixels(const uint32_t* Gone);

}  // namespace vex

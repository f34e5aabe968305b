#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/core/object.h"
#include "platform/core/set.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/ui/controlmessages.h"
#include "platform/win/lifetoken.h"

namespace vex {

class TControl;
class TTimer;

// The frame styles of the raised and recessed labels, drawn by DrawBorder.
enum TFrameStyle {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup
};

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide, 4>;

// The routines draw lines with the canvas's pen, whose colour they set (DrawBevel its width
// too) and leave as they set it. Each answers the rectangle inside what it drew: Bounds shrunk by
// one pixel a line on each chosen side. An empty rectangle gets no lines, only the answer.

// Left and top in ULColor, right and bottom in LRColor, each along the whole side it is on;
// the right and bottom lines own the corners they share with the others.
TRect DrawSides(TCanvas& Canvas, const TRect& Bounds, TColor ULColor, TSides Sides, TColor LRColor);
// DrawSides Width times, each inside the last, with a pen one pixel wide.
TRect DrawBevel(TCanvas& Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, int32_t Width,
                TSides Sides);
// The frame of a style in the system colours: one line for flat, status and popup frames, two
// for the others. A groove is etched (a highlight line one pixel right of and below a shadow
// line) and a bump the same the other way round; their corner pixels join lines that stop at
// an undrawn side.
TRect DrawBorder(TCanvas& Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides);

// A new font like Font with its text turned Angle degrees counter-clockwise; the caller owns
// it (DeleteObject, or TFont::SetHandle to hand it to a font).
HFONT CreateRotatedFont(const TFont& Font, int32_t Angle);

// What the blink list asks and tells its controls: whether one blinks (it answers 1 when it
// does), and the new blink state in WParam (nonzero: the blink colour is to show).
inline constexpr UINT CM_BLINKING = CM_BASE + 100;
inline constexpr UINT CM_BLINKSTATECHANGED = CM_BASE + 101;

// One timer that makes every registered control blink in step: at each flip of the blink state
// each control is asked whether it blinks, and those that do are told the new state. The state
// lasts BlinkIntervalOn milliseconds when on and BlinkIntervalOff when off; a new interval
// takes effect at the next flip, except that an interval of 0 holds its state until it is given
// a length again. Controls told may free or remove themselves or others, or the list itself
// (by releasing the shared one): whatever has gone is not told any more.
class TRzBlinkingControlsList : public TObject {
    VEX_CLASS(TRzBlinkingControlsList, TObject)

public:
    TRzBlinkingControlsList();
    ~TRzBlinkingControlsList() override;
    TRzBlinkingControlsList(const TRzBlinkingControlsList&) = delete;
    TRzBlinkingControlsList& operator=(const TRzBlinkingControlsList&) = delete;

    // A control is listed once however often it is added; nil is not listed.
    void Add(TControl* Control);
    void Remove(TControl* Control);
    // The controls listed that still exist.
    int32_t Count() const;

    uint16_t BlinkIntervalOn() const { return FOnInterval; }
    void SetBlinkIntervalOn(uint16_t Value);
    uint16_t BlinkIntervalOff() const { return FOffInterval; }
    void SetBlinkIntervalOff(uint16_t Value);

    // The list all blinking labels share: the first Acquire makes it, each adds its control,
    // and the Release that leaves it empty frees it.
    static TRzBlinkingControlsList& Acquire(TControl* Control);
    static void Release(TControl* Control);
    // The shared list, or nil while no control holds it.
    static TRzBlinkingControlsList* Shared();

private:
    struct TEntry {
        TControl* Control;
        std::weak_ptr<const void> Life;
    };

    void Flip();
    bool Lists(const TEntry& Entry) const;
    // Starts a timer an interval of 0 stopped, when State is the one it holds.
    void Resume(bool State, uint16_t Interval);

    TLifeToken FLife;
    bool FBlinkState = true;
    std::vector<TEntry> FControls;
    std::unique_ptr<TTimer> FTimer;
    uint16_t FOffInterval = 500;
    uint16_t FOnInterval = 500;
};

}  // namespace vex

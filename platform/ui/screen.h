#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/component.h"
#include "platform/core/geometry.h"
#include "platform/core/stringlist.h"
#include "platform/gfx/cursors.h"

namespace vex {

// The screen the application's windows are on, as the presenter reports it: the display's, or
// the headless one's.
class TScreen : public TComponent {
    VEX_CLASS(TScreen, TComponent)

public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int32_t Width() const;
    int32_t Height() const;
    // The part of the screen windows are placed in: all of it but what desktop bars take.
    TRect WorkAreaRect() const;
    int32_t WorkAreaLeft() const { return WorkAreaRect().Left; }
    int32_t WorkAreaTop() const { return WorkAreaRect().Top; }
    int32_t WorkAreaWidth() const { return WorkAreaRect().Right - WorkAreaRect().Left; }
    int32_t WorkAreaHeight() const { return WorkAreaRect().Bottom - WorkAreaRect().Top; }

    // 96, the density every measure of the platform is made for (see design: windows are
    // presented 1:1). A test may set another to see how a component scales; fonts keep
    // converting points at 96. A value below 1 raises ERangeError.
    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t Value);

    // The cursor the whole application shows, crDefault letting each control show its own.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value) { FCursor = Value; }

    // The names of the installed font families, sorted; read once, when first asked for.
    TStrings& Fonts();

private:
    int32_t FPixelsPerInch = 96;
    TCursor FCursor = crDefault;
    std::unique_ptr<TStringList> FFonts;
};

TScreen& Screen();

}  // namespace vex

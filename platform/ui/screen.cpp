#include "platform/ui/screen.h"

#include "platform/core/exceptions.h"
#include "platform/gfx/fontengine.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/systemparameters.h"

namespace vex {

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

int32_t TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int32_t TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const {
    TRect area;
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0)) area = Rect(0, 0, Width(), Height());
    return area;
}

void TScreen::SetPixelsPerInch(int32_t Value) {
    if (Value < 1) throw ERangeError("Pixels per inch must be at least 1");
    FPixelsPerInch = Value;
}

TStrings& TScreen::Fonts() {
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        for (const TFontFamily& family : InstalledFontFamilies())
            FFonts->Add(family.Name);
    }
    return *FFonts;
}

TScreen& Screen() {
    static TScreen screen(nullptr);
    return screen;
}

}  // namespace vex

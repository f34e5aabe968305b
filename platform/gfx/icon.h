#pragma once

#include <cstdint>
#include <string>

#include "platform/core/object.h"
#include "platform/gfx/bitmap.h"

namespace vex {

class TStream;

// A picture with a mask: pixels whose mask is white are transparent. Read from a PNG with an
// alpha channel, where alpha below half counts as transparent; Canvas.Draw leaves those out.
class TIcon : public TPersistent {
    VEX_CLASS(TIcon, TPersistent)

public:
    TIcon();
    ~TIcon() override;

    int32_t Width() const { return FImage.Width(); }
    int32_t Height() const { return FImage.Height(); }
    bool Empty() const { return FImage.Empty(); }

    // Colour pixels (transparent ones black) and the monochrome mask, both of the icon's size.
    const TBitmap& Image() const { return FImage; }
    const TBitmap& Mask() const { return FMask; }

    // A bad file raises EInvalidGraphic and leaves the icon as it was.
    void LoadFromFile(const std::string& FileName);
    void LoadFromStream(TStream& Stream);

    void Assign(const TPersistent* Source) override;

private:
    void LoadFromPng(const std::string& Data);

    TBitmap FImage;
    TBitmap FMask;
};

}  // namespace vex

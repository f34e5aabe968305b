#pragma once

// Pixel tests against reviewed pictures. A control is drawn (with the built-in fixed-metric font,
// so the picture does not change with the installed fonts) and compared pixel for pixel with a PNG
// kept in the test's testdata folder. VEX_UPDATE_PICTURES=1 writes the pictures instead; a
// written picture is looked at before it is committed.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/files.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/pngcodec.h"
#include "platform/ui/windowpicture.h"

namespace vex::test {

inline TPixelImage ImageOf(const TBitmap& Picture) {
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(Picture.Width()) * static_cast<size_t>(Picture.Height()));
    for (int32_t y = 0; y < Picture.Height(); ++y)
        pixels.insert(pixels.end(), Picture.ScanLine(y), Picture.ScanLine(y) + Picture.Width());
    return TPixelImage{Picture.Width(), Picture.Height(), std::move(pixels)};
}

// Passes when Picture equals <Folder>/<Name>.png. On a difference the picture drawn is left
// beside the build (in the temporary folder, <Name>.actual.png) for a look.
inline ::testing::AssertionResult MatchesReferencePicture(const TBitmap& Picture,
                                                          const std::string& Folder,
                                                          const std::string& Name) {
    const std::string reference = Folder + "/" + Name + ".png";
    const TPixelImage drawn = ImageOf(Picture);
    const char* update = std::getenv("VEX_UPDATE_PICTURES");
    if (update && std::string(update) == "1") {
        WriteFileAtomic(reference, EncodePng(drawn));
        return ::testing::AssertionSuccess() << "wrote " << reference;
    }
    if (!FileExists(reference))
        return ::testing::AssertionFailure()
               << reference << " is missing; VEX_UPDATE_PICTURES=1 writes it";
    const TPixelImage expected = DecodePng(ReadFileToString(reference));
    auto failure = [&] {
        const std::string actual =
            (std::filesystem::temp_directory_path() / (Name + ".actual.png")).string();
        WriteFileAtomic(actual, EncodePng(drawn));
        return ::testing::AssertionFailure()
               << Name << " differs from " << reference << " (drawn: " << actual << "): ";
    };
    if (drawn.Width != expected.Width || drawn.Height != expected.Height)
        return failure() << "size " << drawn.Width << "x" << drawn.Height << ", reviewed "
                         << expected.Width << "x" << expected.Height;
    int differing = 0, firstX = 0, firstY = 0;
    for (int y = 0; y < drawn.Height; ++y)
        for (int x = 0; x < drawn.Width; ++x) {
            const size_t i = static_cast<size_t>(y) * drawn.Width + x;
            if ((drawn.Pixels[i] & 0xFFFFFF) == (expected.Pixels[i] & 0xFFFFFF)) continue;
            if (differing++ == 0) firstX = x, firstY = y;
        }
    if (differing == 0) return ::testing::AssertionSuccess();
    return failure() << differing << " pixels, the first at (" << firstX << ", " << firstY << ")";
}

// The same for what a control shows on the screen.
inline ::testing::AssertionResult ControlMatchesReferencePicture(TControl& Control,
                                                                 const std::string& Folder,
                                                                 const std::string& Name) {
    TBitmap picture;
    PictureOfControl(Control, picture);
    return MatchesReferencePicture(picture, Folder, Name);
}

}  // namespace vex::test

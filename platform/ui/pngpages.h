#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/pagereplayfile.h"
#include "platform/ui/printerdevice.h"

namespace vex {

// The whole sheet of a printed page at PixelsPerInch: white paper with the page's drawing
// from the printable area's corner on, clipped to that area. A sheet too large for a bitmap at
// that resolution is an EPrinter.
void RenderPage(const TPrintedPage& Page, const TPageFormat& Format, int32_t PixelsPerInch,
                TBitmap& Sheet);

// Printed pages as PNG files <Folder>/<BaseName>-<n>.png, n from 1, each rendered and written
// as it comes (one sheet in memory at a time) to a temporary file, and all of them renamed
// into place by Commit: a cancelled or failed job leaves no page behind and replaces none.
class TPngPages {
public:
    TPngPages(std::string Folder, std::string BaseName, int32_t PixelsPerInch);

    void Add(const TPrintedPage& Page, const TPageFormat& Format);
    void Commit();

private:
    std::string PageFileName(size_t Index) const;

    std::string FFolder;
    std::string FBaseName;
    int32_t FPixelsPerInch;
    std::vector<std::unique_ptr<TPageFile>> FPages;
};

}  // namespace vex

#pragma once

#include <cstdint>
#include <string>

#include <cairo.h>

#include "platform/ui/cairoreplay.h"
#include "platform/ui/pagereplayfile.h"
#include "platform/ui/printerdevice.h"

namespace vex {

// A PDF document written page by page: each page is replayed onto cairo's PDF surface as it
// comes and then let go, so memory does not grow with the page count. The file appears under
// its name only when Commit succeeds; until then, and after any failure, nothing is there.
class TPdfPages {
public:
    // Title goes into the document's information, Windows-1252 like all our text.
    TPdfPages(const std::string& FileName, const std::string& Title);
    ~TPdfPages();
    TPdfPages(const TPdfPages&) = delete;
    TPdfPages& operator=(const TPdfPages&) = delete;

    // The page on a sheet of Format's size, its drawing clipped to the printable area. A
    // failed write is an EPrinter.
    void Add(const TPrintedPage& Page, const TPageFormat& Format);
    int32_t Count() const { return FCount; }
    void Commit();

private:
    static cairo_status_t WriteData(void* Closure, const unsigned char* Data, unsigned int Length);
    void Check();

    TPageFile FFile;
    cairo_surface_t* FSurface = nullptr;
    TCairoFonts FFonts;
    int32_t FCount = 0;
};

// The points (1/72 inch) of Pixels at PixelsPerInch.
double PixelsToPoints(int64_t Pixels, int32_t PixelsPerInch);

}  // namespace vex

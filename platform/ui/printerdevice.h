#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/geometry.h"
#include "platform/gfx/canvasrecorder.h"

namespace vex {

// A printer cannot be used: there is none, a job is in the wrong state, or its output failed.
VEX_EXCEPTION(EPrinter, Exception);

// Where a sheet's drawing goes, in the device's pixels at its resolution (the same across and
// down). The printer's canvas starts at the printable area's top-left corner.
struct TPageFormat {
    int32_t PixelsPerInch = 600;
    // The whole sheet as it lies (landscape: the long side across).
    TSize Paper;
    // From the sheet's top-left corner to the printable area's.
    TPoint PrintableOffset;
    TSize Printable;
};

// A page as the printer's canvas drew it: the drawing primitives in the order they were made,
// in the canvas's device pixels (the printable area's top-left is (0, 0)).
struct TPrintedPage {
    std::vector<TCanvasCall> Calls;
};

struct TPrintJob {
    std::string Title;
    int32_t Copies = 1;
    bool Collate = false;
    TPageFormat Format;
};

// One document on its way to a device: pages one by one, then Finish or Cancel.
class TPrintDocument {
public:
    virtual ~TPrintDocument() = default;
    // A failing output raises EPrinter; the document can then only be cancelled.
    virtual void AddPage(TPrintedPage Page) = 0;
    // Every page is in: the output is complete (a file renamed into place, a queue that took the
    // job), or EPrinter says why not and nothing is left half written.
    virtual void Finish() = 0;
    // Drops the job; no output is left behind.
    virtual void Cancel() noexcept = 0;
};

// One entry of the printer list: where a document's pages end up.
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;
    virtual std::string Name() const = 0;
    virtual int32_t PixelsPerInch() const { return 600; }
    // The border of each edge of the sheet the device cannot print on, in tenths of a millimetre.
    virtual int32_t UnprintableMargin() const { return 0; }
    virtual std::unique_ptr<TPrintDocument> Start(const TPrintJob& Job) = 0;
};

}  // namespace vex

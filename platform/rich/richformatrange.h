#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/geometry.h"

namespace vex {

class TCanvas;
class TRichDocument;
class TRichLinks;

// A request to fit part of a document into a rectangle of a device (a printed page, a copy of
// the control painted elsewhere). Rectangles are in twips from the device's (0, 0).
struct TFormatRange {
    TCanvas* Canvas = nullptr;  // drawn onto when rendering
    TCanvas* Target = nullptr;  // measured with (its resolution); null: Canvas
    TRect Rect;                 // the area the text goes into
    TRect PageRect;             // the whole page
    int32_t CpMin = 0;          // first character
    int32_t CpMax = -1;         // end of the range; -1: the end of the text
};

// Formats a document page by page onto a device: each call fills the rectangle with the whole
// lines from CpMin on that fit (at least one, so that a line taller than the page still moves
// on), draws them when asked, and answers the position of the first character left over. The
// lines at the device's resolution and width are kept between calls until Release, so that
// paginating a long document lays it out once; they follow the document's edits meanwhile, so
// the formatter must go before the document does.
class TRichFormatter {
public:
    explicit TRichFormatter(const TRichDocument& Document);
    ~TRichFormatter();
    TRichFormatter(const TRichFormatter&) = delete;
    TRichFormatter& operator=(const TRichFormatter&) = delete;

    int32_t Format(const TFormatRange& Range, bool Render, const TRichLinks* Links = nullptr);
    void Release();

private:
    class TImpl;
    std::unique_ptr<TImpl> FImpl;
};

}  // namespace vex

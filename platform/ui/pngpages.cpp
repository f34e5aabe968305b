#include "platform/ui/pngpages.h"

#include <cmath>
#include <cstring>

#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/ui/pagereplaycanvas.h"

namespace vex {

void RenderPage(const TPrintedPage& Page, const TPageFormat& Format, int32_t PixelsPerInch,
                TBitmap& Sheet) {
    const double scale = static_cast<double>(PixelsPerInch) / Format.PixelsPerInch;
    const auto scaled = [&](int32_t V) { return SaturateToInt32(std::llround(V * scale)); };
    try {
        // Emptied first: a resize keeps what a used sheet showed, and a page starts as white paper.
        Sheet.SetSize(0, 0);
        Sheet.SetSize(scaled(Format.Paper.cx), scaled(Format.Paper.cy));
    } catch (const EInvalidGraphic&) {
        throw EPrinter("A page of " + std::to_string(Format.Paper.cx) + " x " +
                       std::to_string(Format.Paper.cy) + " pixels is too large at " +
                       std::to_string(PixelsPerInch) + " pixels per inch");
    }
    TCanvas canvas(Sheet);
    const TPoint corner = Point(scaled(Format.PrintableOffset.X), scaled(Format.PrintableOffset.Y));
    canvas.SetBaseClip(
        TRegion(Rect(corner.X, corner.Y, scaled(Format.PrintableOffset.X + Format.Printable.cx),
                     scaled(Format.PrintableOffset.Y + Format.Printable.cy))));
    canvas.SetOrigin(corner);
    TCanvasPageTarget target(canvas, scale);
    ReplayPage(Page, target);
}

TPngPages::TPngPages(std::string Folder, std::string BaseName, int32_t PixelsPerInch)
    : FFolder(std::move(Folder)), FBaseName(std::move(BaseName)), FPixelsPerInch(PixelsPerInch) {
    if (FPixelsPerInch < 1 || FPixelsPerInch > MaxPixelsPerInch)
        throw EPrinter("PNG pages cannot be made at " + std::to_string(FPixelsPerInch) +
                       " pixels per inch");
    if (FBaseName.empty()) throw EPrinter("No base name is set for the PNG pages");
}

std::string TPngPages::PageFileName(size_t Index) const {
    return IncludeTrailingPathDelimiter(FFolder) + FBaseName + "-" + std::to_string(Index + 1) +
           ".png";
}

void TPngPages::Add(const TPrintedPage& Page, const TPageFormat& Format) {
    TBitmap sheet;
    RenderPage(Page, Format, FPixelsPerInch, sheet);
    TStringStream png;
    sheet.SaveToStream(png);
    auto file = std::make_unique<TPageFile>(PageFileName(FPages.size()));
    const std::string& data = png.DataString();
    if (const int error = file->Write(data.data(), data.size()); error != 0)
        throw EPrinter("Cannot write the file " + file->FileName() + ": " + std::strerror(error));
    FPages.push_back(std::move(file));
}

void TPngPages::Commit() {
    // Every page in its place before any is there for good: a page that cannot be placed fails
    // the job, and the pages placed before it go again with the pages object.
    for (auto& page : FPages)
        page->Place();
    for (auto& page : FPages)
        page->Commit();
}

}  // namespace vex

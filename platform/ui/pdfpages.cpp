#include "platform/ui/pdfpages.h"
#include "platform/win/x11/x11text.h"

#include <cairo-pdf.h>

namespace vex {

double PixelsToPoints(int64_t Pixels, int32_t PixelsPerInch) {
    return static_cast<double>(Pixels) * 72.0 / PixelsPerInch;
}

TPdfPages::TPdfPages(const std::string& FileName, const std::string& Title) : FFile(FileName) {
    // A4 until the first page says otherwise; every page sets its own size.
    FSurface = cairo_pdf_surface_create_for_stream(WriteData, this, 595.0, 842.0);
    // The destructor does not run for a constructor that throws.
    try {
        Check();
    } catch (...) {
        cairo_surface_destroy(FSurface);
        throw;
    }
    if (!Title.empty())
        cairo_pdf_surface_set_metadata(FSurface, CAIRO_PDF_METADATA_TITLE,
                                       Win1252ToUtf8(Title).c_str());
}

TPdfPages::~TPdfPages() {
    // A document not committed is dropped: nothing more reaches the file, which goes with FFile.
    FFile.Discard();
    cairo_surface_destroy(FSurface);
}

cairo_status_t TPdfPages::WriteData(void* Closure, const unsigned char* Data, unsigned int Length) {
    auto* self = static_cast<TPdfPages*>(Closure);
    return self->FFile.Write(Data, Length) == 0 ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

void TPdfPages::Check() {
    const cairo_status_t status = cairo_surface_status(FSurface);
    if (status == CAIRO_STATUS_SUCCESS) return;
    throw EPrinter("Cannot write the file " + FFile.FileName() + ": " +
                   cairo_status_to_string(status));
}

void TPdfPages::Add(const TPrintedPage& Page, const TPageFormat& Format) {
    Check();
    const int32_t ppi = Format.PixelsPerInch;
    cairo_pdf_surface_set_size(FSurface, PixelsToPoints(Format.Paper.cx, ppi),
                               PixelsToPoints(Format.Paper.cy, ppi));
    cairo_t* cr = cairo_create(FSurface);
    cairo_scale(cr, 72.0 / ppi, 72.0 / ppi);
    cairo_translate(cr, Format.PrintableOffset.X, Format.PrintableOffset.Y);
    cairo_rectangle(cr, 0, 0, Format.Printable.cx, Format.Printable.cy);
    cairo_clip(cr);
    {
        TCairoPageTarget target(cr, FFonts);
        ReplayPage(Page, target);
    }
    cairo_show_page(cr);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS)
        throw EPrinter(std::string("Cannot draw a page: ") + cairo_status_to_string(status));
    Check();
    ++FCount;
}

void TPdfPages::Commit() {
    cairo_surface_finish(FSurface);
    Check();
    FFile.Commit();
}

}  // namespace vex

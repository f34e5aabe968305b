#include "platform/ui/printer.h"

#include <algorithm>
#include <set>
#include <utility>

#include "platform/gfx/fontfaces.h"
#include "platform/gfx/mapmode.h"
#include "platform/ui/printerfonts.h"

namespace vex {

namespace {

// Tenths of a millimetre to device pixels, to the nearest.
int32_t ToPixels(int64_t TenthsOfMm, int32_t PixelsPerInch) {
    return static_cast<int32_t>((TenthsOfMm * PixelsPerInch * 2 + 254) / (2 * 254));
}

bool ValidOrientation(int16_t Value) {
    return Value == DMORIENT_PORTRAIT || Value == DMORIENT_LANDSCAPE;
}

EPrinter NoRoom(const TPrinterDevice& Device) {
    return EPrinter("The margins of the printer \"" + Device.Name() +
                    "\" leave no room to print on the paper");
}

void CheckCopies(int32_t Value) {
    if (Value < 1 || Value > kMostCopies) throw EPrinter(CopiesRangeText());
}

}  // namespace

std::string CopiesRangeText() {
    return "The number of copies must be from 1 to " + std::to_string(kMostCopies);
}

const std::vector<TPaperSize>& PaperSizes() {
    static const std::vector<TPaperSize> sizes = {
        {DMPAPER_LETTER, "Letter", 2159, 2794},
        {DMPAPER_LEGAL, "Legal", 2159, 3556},
        {DMPAPER_EXECUTIVE, "Executive", 1842, 2667},
        {DMPAPER_A4, "A4", 2100, 2970},
        {DMPAPER_A5, "A5", 1480, 2100},
        {DMPAPER_B5, "B5 (JIS)", 1820, 2570},
    };
    return sizes;
}

const TPaperSize* FindPaperSize(int16_t Code) {
    const auto& sizes = PaperSizes();
    const auto found = std::find_if(sizes.begin(), sizes.end(),
                                    [Code](const TPaperSize& s) { return s.Code == Code; });
    return found == sizes.end() ? nullptr : &*found;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
    if (FDocument) FDocument->Cancel();
}

std::vector<std::unique_ptr<TPrinterDevice>> TPrinter::SetDevices(
    std::vector<std::unique_ptr<TPrinterDevice>> Devices) {
    if (FPrinting) Abort();
    std::swap(FDevices, Devices);
    FIndex = FDevices.empty() ? -1 : 0;
    if (HasPrinter()) ApplyFormat();
    return Devices;
}

bool TPrinter::HasPrinter() const {
    return FIndex >= 0;
}

std::vector<std::string> TPrinter::Printers() const {
    std::vector<std::string> names;
    names.reserve(FDevices.size());
    for (const auto& device : FDevices)
        names.push_back(device->Name());
    return names;
}

int32_t TPrinter::PrinterIndex() const {
    return FIndex;
}

void TPrinter::SetPrinterIndex(int32_t Value) {
    RequirePrinter();
    RequireIdle("change the printer");
    if (Value == -1) Value = 0;
    if (Value < 0 || static_cast<size_t>(Value) >= FDevices.size())
        throw EPrinter("Printer selected is not valid");
    FIndex = Value;
    ApplyFormat();
}

TPrinterDevice& TPrinter::Device() {
    RequirePrinter();
    return *FDevices[static_cast<size_t>(FIndex)];
}

void TPrinter::SetCopies(int32_t Value) {
    RequireIdle("change the number of copies");
    CheckCopies(Value);
    FMode.dmCopies = static_cast<int16_t>(Value);
}

TPrinterOrientation TPrinter::Orientation() const {
    return FMode.dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
    RequireIdle("change the orientation");
    FMode.dmOrientation = Value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (HasPrinter()) ApplyFormat();
}

void TPrinter::GetPrinter(std::string& DeviceName, TDeviceMode& Mode) const {
    RequirePrinter();
    DeviceName = FDevices[static_cast<size_t>(FIndex)]->Name();
    Mode = FMode;
    Mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
}

void TPrinter::SetPrinter(const std::string& DeviceName, const TDeviceMode& Mode) {
    RequirePrinter();
    RequireIdle("change the printer");
    const auto found = std::find_if(FDevices.begin(), FDevices.end(),
                                    [&](const auto& d) { return d->Name() == DeviceName; });
    if (found == FDevices.end()) throw EPrinter("There is no printer named \"" + DeviceName + "\"");
    // Everything is checked before anything changes.
    if ((Mode.dmFields & DM_PAPERSIZE) && !FindPaperSize(Mode.dmPaperSize))
        throw EPrinter("Paper size " + std::to_string(Mode.dmPaperSize) + " is not supported");
    if ((Mode.dmFields & DM_ORIENTATION) && !ValidOrientation(Mode.dmOrientation))
        throw EPrinter("Orientation " + std::to_string(Mode.dmOrientation) + " is not supported");
    if (Mode.dmFields & DM_COPIES) CheckCopies(Mode.dmCopies);
    FIndex = static_cast<int32_t>(found - FDevices.begin());
    if (Mode.dmFields & DM_PAPERSIZE) FMode.dmPaperSize = Mode.dmPaperSize;
    if (Mode.dmFields & DM_ORIENTATION) FMode.dmOrientation = Mode.dmOrientation;
    if (Mode.dmFields & DM_COPIES) FMode.dmCopies = Mode.dmCopies;
    ApplyFormat();
}

TPageFormat TPrinter::PageFormat() const {
    RequirePrinter();
    const TPrinterDevice& device = *FDevices[static_cast<size_t>(FIndex)];
    TPageFormat format;
    format.PixelsPerInch = device.PixelsPerInch();
    if (format.PixelsPerInch < 1 || format.PixelsPerInch > MaxPixelsPerInch)
        throw EPrinter("The printer \"" + device.Name() + "\" has no usable resolution");
    const TPaperSize& paper = *FindPaperSize(FMode.dmPaperSize);
    int32_t across = ToPixels(paper.Width, format.PixelsPerInch);
    int32_t down = ToPixels(paper.Height, format.PixelsPerInch);
    if (FMode.dmOrientation == DMORIENT_LANDSCAPE) std::swap(across, down);
    format.Paper = TSize{across, down};
    // Measured against the paper before it is a pixel count: a border of any size then leaves
    // no room, and never wraps into some other page.
    const int32_t border = std::max(device.UnprintableMargin(), 0);
    if (int64_t{border} * 2 >= std::min(paper.Width, paper.Height)) throw NoRoom(device);
    const int32_t margin = ToPixels(border, format.PixelsPerInch);
    format.PrintableOffset = Point(margin, margin);
    format.Printable = TSize{across - 2 * margin, down - 2 * margin};
    if (format.Printable.cx <= 0 || format.Printable.cy <= 0) throw NoRoom(device);
    return format;
}

int32_t TPrinter::PageWidth() const {
    return PageFormat().Printable.cx;
}

int32_t TPrinter::PageHeight() const {
    return PageFormat().Printable.cy;
}

TCanvas& TPrinter::Canvas() {
    RequirePrinter();
    return FCanvas;
}

std::vector<std::string> TPrinter::Fonts() const {
    RequirePrinter();
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const TFontFace& face : PrintableFontFaces())
        if (seen.insert(face.FaceName).second) names.push_back(face.FaceName);
    return names;
}

void TPrinter::BeginDoc() {
    RequirePrinter();
    if (FPrinting) throw EPrinter("Printing in progress");
    TPrintJob job;
    job.Title = FTitle;
    job.Copies = FMode.dmCopies;
    job.Collate = FCollate;
    job.Format = PageFormat();
    try {
        FDocument = Device().Start(job);
    } catch (const EPrinter&) {
        throw;
    } catch (const std::exception& error) {
        throw EPrinter(error.what());
    }
    if (!FDocument) throw EPrinter("The printer \"" + Device().Name() + "\" did not start the job");

    // A new job is a new device context; the pen, brush and font are the canvas's own objects.
    TPen pen;
    pen.Assign(&FCanvas.Pen());
    TBrush brush;
    brush.Assign(&FCanvas.Brush());
    TFont font;
    font.SetPixelsPerInch(FCanvas.Font().PixelsPerInch());
    font.Assign(&FCanvas.Font());
    FCanvas.ResetState();
    FCanvas.Pen().Assign(&pen);
    FCanvas.Brush().Assign(&brush);
    FCanvas.Font().Assign(&font);
    ApplyFormat();

    FRecorder = std::make_unique<TCanvasRecorder>(FCanvas, TRecordLevel::Primitives);
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
}

void TPrinter::NewPage() {
    RequirePrinting();
    FinishPage();
    ++FPageNumber;
}

void TPrinter::EndDoc() {
    RequirePrinting();
    FinishPage();
    try {
        FDocument->Finish();
    } catch (const std::exception& error) {
        Fail(error);
    }
    CloseJob(false);
}

void TPrinter::Abort() {
    RequirePrinting();
    FDocument->Cancel();
    CloseJob(true);
}

void TPrinter::FinishPage() {
    try {
        FDocument->AddPage(TPrintedPage{FRecorder->TakeCalls()});
    } catch (const std::exception& error) {
        Fail(error);
    }
}

void TPrinter::Fail(const std::exception& Error) {
    FDocument->Cancel();
    CloseJob(true);
    if (const auto* printer = dynamic_cast<const EPrinter*>(&Error)) throw *printer;
    throw EPrinter(Error.what());
}

void TPrinter::CloseJob(bool Aborted) {
    FDocument.reset();
    FRecorder.reset();
    FPrinting = false;
    FAborted = Aborted;
    FPageNumber = 0;
}

void TPrinter::ApplyFormat() {
    // A device that cannot give a page says so when a job or the page's size is asked for; until
    // then choosing it is no error.
    TPageFormat format;
    try {
        format = PageFormat();
    } catch (const EPrinter&) {
        return;
    }
    FCanvas.SetPixelsPerInch(format.PixelsPerInch, format.PixelsPerInch);
    // A size in points prints as large as it shows, on whichever printer is chosen after it was
    // set.
    TFont& font = FCanvas.Font();
    if (font.PixelsPerInch() != format.PixelsPerInch) {
        TFont points;
        points.SetPixelsPerInch(font.PixelsPerInch());
        points.Assign(&font);
        font.SetPixelsPerInch(format.PixelsPerInch);
        font.Assign(&points);
    }
    FCanvas.SetDeviceSheet(
        TCanvas::TDeviceSheet{format.Paper, format.PrintableOffset, format.Printable});
}

void TPrinter::RequirePrinter() const {
    if (!HasPrinter()) throw EPrinter("There is no printer");
}

void TPrinter::RequirePrinting() const {
    RequirePrinter();
    if (!FPrinting) throw EPrinter("Printer is not currently printing");
}

void TPrinter::RequireIdle(const char* What) const {
    if (FPrinting) throw EPrinter(std::string("Cannot ") + What + " while printing");
}

}  // namespace vex

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/ui/printerdevice.h"

namespace vex {

enum TPrinterOrientation { poPortrait, poLandscape };

// A device-mode record: which fields are set, and their values.
inline constexpr uint32_t DM_ORIENTATION = 0x00000001;
inline constexpr uint32_t DM_PAPERSIZE = 0x00000002;
inline constexpr uint32_t DM_COPIES = 0x00000100;
inline constexpr int16_t DMORIENT_PORTRAIT = 1;
inline constexpr int16_t DMORIENT_LANDSCAPE = 2;
inline constexpr int16_t DMPAPER_LETTER = 1;
inline constexpr int16_t DMPAPER_LEGAL = 5;
inline constexpr int16_t DMPAPER_EXECUTIVE = 7;
inline constexpr int16_t DMPAPER_A4 = 9;
inline constexpr int16_t DMPAPER_A5 = 11;
inline constexpr int16_t DMPAPER_B5 = 13;

struct TDeviceMode {
    uint32_t dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    int16_t dmOrientation = DMORIENT_PORTRAIT;
    int16_t dmPaperSize = DMPAPER_A4;
    int16_t dmCopies = 1;
};

// How many copies a print can have, and what a user is told outside that.
inline constexpr int32_t kMostCopies = 9999;
std::string CopiesRangeText();

// A paper size a device mode can name, portrait, in tenths of a millimetre.
struct TPaperSize {
    int16_t Code;
    const char* Name;
    int32_t Width;
    int32_t Height;
};
const std::vector<TPaperSize>& PaperSizes();
// Null for a code that names none of them.
const TPaperSize* FindPaperSize(int16_t Code);

// The printer documents are printed on: one of the list of devices, a job at a time. A printer
// starts with no devices (Printer() gives the process's the machine's list); with none, every use
// of a device (its canvas, page, fonts, device mode, a job) raises EPrinter with a text that says
// there is none, while asking (HasPrinter, Printers, PrinterIndex, the job settings and state)
// answers as ever.
//
// The canvas is one device context for the printer's lifetime. BeginDoc gives it a fresh context
// state (mapping mode, origins, clip, saved states, colours, text alignment back to a new
// canvas's) and keeps its pen, brush and font, which callers set before starting a job. Within a
// job nothing changes at a page break: a mapping mode or font set after BeginDoc holds on every
// page. Drawing outside a job is measured and recorded nowhere.
class TPrinter : public TObject {
    VEX_CLASS(TPrinter, TObject)

public:
    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Replaces the list, answering the one replaced; a job in progress is aborted. The first
    // device becomes the printer.
    std::vector<std::unique_ptr<TPrinterDevice>> SetDevices(
        std::vector<std::unique_ptr<TPrinterDevice>> Devices);
    bool HasPrinter() const;
    std::vector<std::string> Printers() const;
    // -1 with no printer; setting -1 picks the first. Outside the list, or while printing,
    // EPrinter and nothing changes.
    int32_t PrinterIndex() const;
    void SetPrinterIndex(int32_t Value);
    TPrinterDevice& Device();

    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    // 1 to kMostCopies; the rest raise EPrinter.
    int32_t Copies() const { return FMode.dmCopies; }
    void SetCopies(int32_t Value);
    bool Collate() const { return FCollate; }
    void SetCollate(bool Value) { FCollate = Value; }
    TPrinterOrientation Orientation() const;
    // While printing EPrinter, as every change of the page's shape.
    void SetOrientation(TPrinterOrientation Value);

    // The device-mode record of the printer and its name; setting it selects the printer of
    // that name (EPrinter when there is none) and takes the fields the record marks. An unknown
    // paper size or orientation is an EPrinter and changes nothing.
    void GetPrinter(std::string& Device, TDeviceMode& Mode) const;
    void SetPrinter(const std::string& Device, const TDeviceMode& Mode);

    // A job: BeginDoc starts page 1, NewPage hands the page to the device and starts the next,
    // EndDoc hands the last and has the device finish, Abort drops the job. Any of them without
    // a job, or BeginDoc during one, is an EPrinter. A device that fails (at the start, a page
    // or the finish) leaves no job, its document cancelled, and its error reaches the caller as
    // EPrinter; Aborted then answers true, as after Abort, until the next job starts.
    void BeginDoc();
    void EndDoc();
    void Abort();
    void NewPage();
    int32_t PageNumber() const { return FPageNumber; }
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }

    // The page's canvas, at the device's resolution, its (0, 0) the printable area's top-left.
    TCanvas& Canvas();
    // The printable area in device pixels.
    int32_t PageWidth() const;
    int32_t PageHeight() const;
    TPageFormat PageFormat() const;
    // The faces the printer prints with, by name.
    std::vector<std::string> Fonts() const;

private:
    void RequirePrinter() const;
    void RequirePrinting() const;
    void RequireIdle(const char* What) const;
    // The canvas takes the selected device's resolution and sheet.
    void ApplyFormat();
    void FinishPage();
    // No job is left; an aborted one (Abort, a failing device) answers Aborted until the next.
    void CloseJob(bool Aborted);
    // After the device failed: the document cancelled, no job left, the failure as EPrinter.
    [[noreturn]] void Fail(const std::exception& Error);

    std::vector<std::unique_ptr<TPrinterDevice>> FDevices;
    int32_t FIndex = -1;
    std::string FTitle;
    bool FCollate = false;
    TDeviceMode FMode;
    bool FPrinting = false;
    bool FAborted = false;
    int32_t FPageNumber = 0;
    // The canvas draws into no pixels: its calls are recorded and handed over page by page.
    TBitmap FNoPixels;
    TCanvas FCanvas{FNoPixels};
    std::unique_ptr<TCanvasRecorder> FRecorder;
    std::unique_ptr<TPrintDocument> FDocument;
};

// The process's printer, made with the system's list on first use.
TPrinter& Printer();

// What this machine offers: the PDF printer unless the settings turn it off, then one printer
// per CUPS queue that lpstat lists.
std::vector<std::unique_ptr<TPrinterDevice>> SystemPrinters();

}  // namespace vex

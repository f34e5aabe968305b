#include "platform/ui/printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gfx/dcstate.h"
#include "platform/gfx/mapmode.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/printerfonts.h"
#include "platform/ui/recordingprinter.h"

namespace vex {
namespace {

// A printer with recording devices; the first is selected.
struct TRecordedPrinter {
    TPrinter Printer;
    std::vector<TRecordingPrinter*> Devices;

    explicit TRecordedPrinter(std::vector<std::string> Names = {"Recorder"}) {
        std::vector<std::unique_ptr<TPrinterDevice>> list;
        for (const std::string& name : Names) {
            auto device = std::make_unique<TRecordingPrinter>(name);
            Devices.push_back(device.get());
            list.push_back(std::move(device));
        }
        Printer.SetDevices(std::move(list));
    }
    TRecordingPrinter& Device() { return *Devices.at(0); }
};

std::string ErrorOf(const std::function<void()>& Step) {
    try {
        Step();
    } catch (const EPrinter& e) {
        return e.Message();
    }
    return "";
}

TEST(Printer, AJobGoesThroughItsStatesAndRefusesTheWrongSteps) {
    struct TCase {
        const char* Name;
        std::vector<std::string> Steps;
        // The error of the last step ("" for none), and the state after it.
        std::string Error;
        bool Printing;
        int32_t PageNumber;
        bool Aborted;
    };
    const std::vector<TCase> cases = {
        {"idle", {}, "", false, 0, false},
        {"begun", {"Begin"}, "", true, 1, false},
        {"next page", {"Begin", "New", "New"}, "", true, 3, false},
        {"ended", {"Begin", "New", "End"}, "", false, 0, false},
        {"aborted", {"Begin", "Abort"}, "", false, 0, true},
        {"begun again after an abort", {"Begin", "Abort", "Begin"}, "", true, 1, false},
        {"begun twice", {"Begin", "Begin"}, "Printing in progress", true, 1, false},
        {"end without a job", {"End"}, "Printer is not currently printing", false, 0, false},
        {"new page without a job", {"New"}, "Printer is not currently printing", false, 0, false},
        {"abort without a job", {"Abort"}, "Printer is not currently printing", false, 0, false},
        {"end after the end",
         {"Begin", "End", "End"},
         "Printer is not currently printing",
         false,
         0,
         false},
        {"printer changed while printing",
         {"Begin", "Index"},
         "Cannot change the printer while printing",
         true,
         1,
         false},
        {"orientation changed while printing",
         {"Begin", "Landscape"},
         "Cannot change the orientation while printing",
         true,
         1,
         false},
        {"device mode set while printing",
         {"Begin", "SetPrinter"},
         "Cannot change the printer while printing",
         true,
         1,
         false},
        {"copies changed while printing",
         {"Begin", "Copies"},
         "Cannot change the number of copies while printing",
         true,
         1,
         false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRecordedPrinter p({"One", "Two"});
        const std::map<std::string, std::function<void()>> steps = {
            {"Begin", [&] { p.Printer.BeginDoc(); }},
            {"New", [&] { p.Printer.NewPage(); }},
            {"End", [&] { p.Printer.EndDoc(); }},
            {"Abort", [&] { p.Printer.Abort(); }},
            {"Index", [&] { p.Printer.SetPrinterIndex(1); }},
            {"Landscape", [&] { p.Printer.SetOrientation(poLandscape); }},
            {"SetPrinter", [&] { p.Printer.SetPrinter("Two", TDeviceMode{}); }},
            {"Copies", [&] { p.Printer.SetCopies(2); }},
        };
        std::string error;
        for (const std::string& step : c.Steps)
            error = ErrorOf(steps.at(step));
        EXPECT_EQ(error, c.Error);
        EXPECT_EQ(p.Printer.Printing(), c.Printing);
        EXPECT_EQ(p.Printer.PageNumber(), c.PageNumber);
        EXPECT_EQ(p.Printer.Aborted(), c.Aborted);
        EXPECT_EQ(p.Printer.PrinterIndex(), 0) << "a refused change leaves the first printer";
        EXPECT_EQ(p.Printer.Orientation(), poPortrait);
    }
}

TEST(Printer, PagesReachTheDeviceInOrderWithTheirCalls) {
    TRecordedPrinter p;
    p.Printer.SetTitle("Rules");
    p.Printer.SetCopies(3);
    p.Printer.SetCollate(true);
    p.Printer.Canvas().TextOut(0, 0, "outside a job");
    p.Printer.BeginDoc();
    p.Printer.Canvas().TextOut(10, 20, "first");
    p.Printer.NewPage();
    p.Printer.NewPage();
    p.Printer.Canvas().MoveTo(0, 0);
    p.Printer.Canvas().LineTo(100, 0);
    p.Printer.Canvas().TextOut(5, 6, "third");
    EXPECT_TRUE(p.Device().Jobs().empty()) << "nothing is out before EndDoc";
    p.Printer.EndDoc();
    p.Printer.Canvas().TextOut(0, 0, "outside a job");

    ASSERT_EQ(p.Device().Jobs().size(), 1u);
    const TRecordedJob& job = p.Device().Jobs()[0];
    EXPECT_EQ(job.Job.Title, "Rules");
    EXPECT_EQ(job.Job.Copies, 3);
    EXPECT_TRUE(job.Job.Collate);
    ASSERT_EQ(job.Pages.size(), 3u);
    ASSERT_FALSE(job.Pages[0].Calls.empty());
    EXPECT_EQ(job.Pages[0].Calls.back().Text, "first");
    EXPECT_EQ(job.Pages[0].Calls.back().Points.at(0), Point(10, 20));
    for (const TCanvasCall& call : job.Pages[0].Calls)
        EXPECT_NE(call.Text, "outside a job");
    EXPECT_TRUE(job.Pages[1].Calls.empty()) << "an empty page is still a page";
    std::vector<std::string> names;
    for (const TCanvasCall& call : job.Pages[2].Calls)
        names.push_back(call.Name);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "LineTo");
    EXPECT_EQ(job.Pages[2].Calls.back().Text, "third");
    EXPECT_EQ(p.Device().OpenJobs(), 0);
}

// A grid sets the metric mode once after BeginDoc and prints page after page in it; the next job
// starts from a fresh context but with the fonts the caller chose.
TEST(Printer, TheCanvasKeepsItsStateAcrossPagesAndStartsEachJobFresh) {
    TRecordedPrinter p;
    TCanvas& canvas = p.Printer.Canvas();
    EXPECT_EQ(canvas.PixelsPerInchX(), 600);
    canvas.Font().SetName("DejaVu Serif");
    p.Printer.BeginDoc();
    EXPECT_EQ(canvas.Font().Name(), "DejaVu Serif") << "a font set before the job is kept";
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.SetWindowOrg(Point(0, 0));
    canvas.Font().SetHeight(-50);
    canvas.IntersectClipRect(Rect(0, 0, 2540, -2540));
    p.Printer.NewPage();
    EXPECT_EQ(canvas.MapMode(), MM_LOMETRIC);
    EXPECT_EQ(canvas.Font().Height(), -50);
    canvas.MoveTo(254, -254);
    canvas.LineTo(508, -254);
    p.Printer.EndDoc();
    const TCanvasCall& line = p.Device().Jobs().at(0).Pages.at(1).Calls.at(0);
    EXPECT_EQ(line.Points.at(0), Point(600, 600)) << "a tenth of a millimetre at 600 dpi";
    EXPECT_EQ(line.Points.at(1), Point(1200, 600));
    ASSERT_TRUE(line.UserClip.has_value()) << "the clip holds on the next page";
    EXPECT_EQ(line.UserClip->Bounds(), Rect(0, 0, 6000, 6000));

    p.Printer.BeginDoc();
    EXPECT_EQ(canvas.MapMode(), MM_TEXT);
    EXPECT_EQ(canvas.Font().Name(), "DejaVu Serif");
    EXPECT_EQ(canvas.Font().Height(), -50);
    canvas.MoveTo(10, 10);
    canvas.LineTo(20, 10);
    p.Printer.EndDoc();
    const TCanvasCall& next = p.Device().Jobs().at(1).Pages.at(0).Calls.at(0);
    EXPECT_EQ(next.Points.at(0), Point(10, 10));
    EXPECT_FALSE(next.UserClip.has_value());
}

// Sizes in points print as large as they show, and saving the state keeps a height exactly.
TEST(Printer, ItsCanvasFontMeasuresPointsAtTheDevicesResolution) {
    TRecordedPrinter p;
    TCanvas& canvas = p.Printer.Canvas();
    EXPECT_EQ(canvas.Font().PixelsPerInch(), 600);
    p.Printer.BeginDoc();
    canvas.Font().SetSize(10);
    EXPECT_EQ(canvas.Font().Height(), -83);
    TFont screen;
    screen.SetSize(9);
    canvas.Font().Assign(&screen);
    EXPECT_EQ(canvas.Font().Height(), -75);
    canvas.Font().SetHeight(-85);
    const int32_t saved = canvas.SaveDC();
    canvas.Font().SetHeight(-200);
    canvas.RestoreDC(saved);
    EXPECT_EQ(canvas.Font().Height(), -85);
    p.Printer.EndDoc();
    p.Printer.BeginDoc();
    EXPECT_EQ(canvas.Font().Height(), -85) << "the font set before a job is kept as it was";
    p.Printer.EndDoc();
}

// Choosing a printer of another resolution keeps the size in points the font was given, as
// choosing it in the print dialog between setting the font and printing does.
TEST(Printer, ItsCanvasFontKeepsItsPointsFromPrinterToPrinter) {
    TRecordedPrinter p({"Fine", "Coarse"});
    p.Devices[1]->SetPixelsPerInch(300);
    TFont& font = p.Printer.Canvas().Font();
    EXPECT_EQ(font.Size(), 8) << "a new printer's font prints as large as the screen's shows";
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -100);
    p.Printer.SetPrinterIndex(1);
    EXPECT_EQ(font.Size(), 12);
    EXPECT_EQ(font.Height(), -50);
    p.Printer.BeginDoc();
    EXPECT_EQ(font.Height(), -50);
    p.Printer.EndDoc();
    p.Printer.SetPrinterIndex(0);
    EXPECT_EQ(font.Height(), -100);
    font.SetHeight(-3);
    p.Printer.SetPrinterIndex(1);
    EXPECT_EQ(font.Height(), -1) << "less than half a point is still no default size";
}

TEST(Printer, TheDeviceModeRoundTripsAndRefusesWhatItCannotPrint) {
    struct TCase {
        const char* Name;
        std::string Device;
        TDeviceMode Mode;
        std::string Error;
        // What GetPrinter answers afterwards.
        std::string DeviceAfter;
        TDeviceMode After;
    };
    const TDeviceMode start{};
    const std::vector<TCase> cases = {
        {"all fields",
         "Two",
         {DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES, 2, DMPAPER_LEGAL, 4},
         "",
         "Two",
         {DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES, 2, DMPAPER_LEGAL, 4}},
        {"only the paper",
         "One",
         {DM_PAPERSIZE, 2, DMPAPER_B5, 4},
         "",
         "One",
         {DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES, 1, DMPAPER_B5, 1}},
        {"no fields selects the printer", "Two", {0, 2, 99, 0}, "", "Two", start},
        {"unknown paper",
         "Two",
         {DM_PAPERSIZE, 1, 99, 1},
         "Paper size 99 is not supported",
         "One",
         start},
        {"unknown orientation",
         "Two",
         {DM_ORIENTATION, 3, DMPAPER_A4, 1},
         "Orientation 3 is not supported",
         "One",
         start},
        {"no copies",
         "Two",
         {DM_COPIES, 1, DMPAPER_A4, 0},
         "The number of copies must be from 1 to 9999",
         "One",
         start},
        {"a bad field among good ones",
         "Two",
         {DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES, 2, -1, 2},
         "Paper size -1 is not supported",
         "One",
         start},
        {"unknown printer", "Three", start, "There is no printer named \"Three\"", "One", start},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRecordedPrinter p({"One", "Two"});
        EXPECT_EQ(ErrorOf([&] { p.Printer.SetPrinter(c.Device, c.Mode); }), c.Error);
        std::string device;
        TDeviceMode mode;
        p.Printer.GetPrinter(device, mode);
        EXPECT_EQ(device, c.DeviceAfter);
        EXPECT_EQ(mode.dmFields, c.After.dmFields);
        EXPECT_EQ(mode.dmOrientation, c.After.dmOrientation);
        EXPECT_EQ(mode.dmPaperSize, c.After.dmPaperSize);
        EXPECT_EQ(mode.dmCopies, c.After.dmCopies);
        EXPECT_EQ(p.Printer.Copies(), c.After.dmCopies);
    }
}

// Sheets at 600 dpi with a 5 mm border the device cannot print on (59 pixels).
TEST(Printer, ThePageIsTheSheetLessTheBorderAndLandscapeTurnsIt) {
    struct TCase {
        int16_t Paper;
        TSize Sheet;
    };
    const std::vector<TCase> cases = {
        {DMPAPER_LETTER, {5100, 6600}}, {DMPAPER_A4, {4961, 7016}}, {DMPAPER_B5, {4299, 6071}}};
    TRecordedPrinter p;
    p.Device().SetUnprintableMargin(50);
    for (const TCase& c : cases) {
        SCOPED_TRACE(FindPaperSize(c.Paper)->Name);
        std::string device;
        TDeviceMode mode;
        p.Printer.GetPrinter(device, mode);
        mode.dmPaperSize = c.Paper;
        mode.dmOrientation = DMORIENT_PORTRAIT;
        p.Printer.SetPrinter(device, mode);
        TPageFormat format = p.Printer.PageFormat();
        EXPECT_EQ(format.PixelsPerInch, 600);
        EXPECT_EQ(format.Paper, c.Sheet);
        EXPECT_EQ(format.PrintableOffset, Point(118, 118));
        EXPECT_EQ(p.Printer.PageWidth(), c.Sheet.cx - 236);
        EXPECT_EQ(p.Printer.PageHeight(), c.Sheet.cy - 236);

        p.Printer.SetOrientation(poLandscape);
        format = p.Printer.PageFormat();
        EXPECT_EQ(format.Paper, (TSize{c.Sheet.cy, c.Sheet.cx}));
        EXPECT_EQ(p.Printer.PageWidth(), c.Sheet.cy - 236);
        EXPECT_EQ(p.Printer.PageHeight(), c.Sheet.cx - 236);
        p.Printer.GetPrinter(device, mode);
        EXPECT_EQ(mode.dmOrientation, DMORIENT_LANDSCAPE);
        p.Printer.SetOrientation(poPortrait);
    }
    EXPECT_EQ(FindPaperSize(0), nullptr);
}

TEST(Printer, TheJobCarriesThePageOfTheSelectedDevice) {
    TRecordedPrinter p({"One", "Two"});
    p.Devices[1]->SetPixelsPerInch(300);
    p.Printer.SetPrinterIndex(1);
    EXPECT_EQ(p.Printer.Canvas().PixelsPerInchX(), 300);
    p.Printer.SetOrientation(poLandscape);
    p.Printer.BeginDoc();
    p.Printer.EndDoc();
    ASSERT_EQ(p.Devices[1]->Jobs().size(), 1u);
    EXPECT_TRUE(p.Devices[0]->Jobs().empty());
    const TPageFormat& format = p.Devices[1]->Jobs()[0].Job.Format;
    EXPECT_EQ(format.PixelsPerInch, 300);
    EXPECT_EQ(format.Paper, (TSize{3508, 2480}));
    EXPECT_EQ(p.Printer.PrinterIndex(), 1);
    p.Printer.SetPrinterIndex(-1);
    EXPECT_EQ(p.Printer.PrinterIndex(), 0) << "-1 picks the first";
    EXPECT_THROW(p.Printer.SetPrinterIndex(2), EPrinter);
    EXPECT_EQ(p.Printer.PrinterIndex(), 0);
}

// What a page is laid out against: the sheet and printable area by GetDeviceCaps, and clip
// queries over the printable area though the canvas draws into no pixels.
TEST(Printer, ItsCanvasKnowsTheSheetAndThePrintableArea) {
    TRecordedPrinter p;
    p.Device().SetPixelsPerInch(300);
    p.Device().SetUnprintableMargin(64);
    p.Printer.SetOrientation(poLandscape);
    HDC dc = p.Printer.Canvas().Handle();
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 3508);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 76);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 2328);
    EXPECT_EQ(p.Printer.PageWidth(), 3356);

    p.Printer.BeginDoc();
    TCanvas& canvas = p.Printer.Canvas();
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 3356, 2328));
    canvas.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(canvas.IntersectClipRect(Rect(0, 0, 1000, -1000)), SIMPLEREGION);
    p.Printer.NewPage();
    EXPECT_TRUE(canvas.PtVisible(999, -999));
    EXPECT_FALSE(canvas.PtVisible(1001, -500));
    p.Printer.EndDoc();
    p.Printer.BeginDoc();
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 3356, 2328)) << "a new job starts unclipped";
    p.Printer.Abort();

    p.Printer.SetOrientation(poPortrait);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 2480);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 2328);
}

TEST(Printer, ADeviceWhoseBorderLeavesNoPageIsRefusedAtTheJob) {
    TRecordedPrinter p;
    p.Device().SetUnprintableMargin(1100);
    EXPECT_THROW(p.Printer.PageWidth(), EPrinter);
    EXPECT_THROW(p.Printer.BeginDoc(), EPrinter);
    EXPECT_FALSE(p.Printer.Printing());
    EXPECT_EQ(p.Device().OpenJobs(), 0);
    p.Device().SetUnprintableMargin(0);
    p.Device().SetPixelsPerInch(0);
    EXPECT_THROW(p.Printer.BeginDoc(), EPrinter);
}

// A device's border comes from outside; however large, it leaves no room rather than a page of
// some other size.
TEST(Printer, AnyBorderTooWideForTheSheetIsRefused) {
    const std::vector<int32_t> borders = {1485, 100'000, 1'000'000'000, INT32_MAX};
    for (const int32_t border : borders) {
        SCOPED_TRACE(border);
        TRecordedPrinter p;
        p.Device().SetUnprintableMargin(border);
        EXPECT_EQ(ErrorOf([&] { p.Printer.PageFormat(); }),
                  "The margins of the printer \"Recorder\" leave no room to print on the paper");
        EXPECT_THROW(p.Printer.BeginDoc(), EPrinter);
        EXPECT_EQ(p.Device().OpenJobs(), 0);
    }
}

TEST(Printer, WithNoPrinterEveryUseButAskingSaysThereIsNone) {
    TPrinter printer;
    EXPECT_FALSE(printer.HasPrinter());
    EXPECT_TRUE(printer.Printers().empty());
    EXPECT_EQ(printer.PrinterIndex(), -1);
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(printer.Aborted());
    EXPECT_EQ(printer.PageNumber(), 0);
    printer.SetTitle("kept");
    printer.SetCopies(2);
    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.Title(), "kept");
    EXPECT_EQ(printer.Copies(), 2);
    EXPECT_EQ(printer.Orientation(), poLandscape);

    std::string device;
    TDeviceMode mode;
    const std::vector<std::pair<const char*, std::function<void()>>> uses = {
        {"SetPrinterIndex", [&] { printer.SetPrinterIndex(0); }},
        {"SetPrinterIndex(-1)", [&] { printer.SetPrinterIndex(-1); }},
        {"Device", [&] { printer.Device(); }},
        {"GetPrinter", [&] { printer.GetPrinter(device, mode); }},
        {"SetPrinter", [&] { printer.SetPrinter("PDF", mode); }},
        {"BeginDoc", [&] { printer.BeginDoc(); }},
        {"EndDoc", [&] { printer.EndDoc(); }},
        {"NewPage", [&] { printer.NewPage(); }},
        {"Abort", [&] { printer.Abort(); }},
        {"Canvas", [&] { printer.Canvas(); }},
        {"PageWidth", [&] { printer.PageWidth(); }},
        {"PageHeight", [&] { printer.PageHeight(); }},
        {"PageFormat", [&] { printer.PageFormat(); }},
        {"Fonts", [&] { printer.Fonts(); }},
    };
    for (const auto& [name, use] : uses)
        EXPECT_EQ(ErrorOf(use), "There is no printer") << name;
}

TEST(Printer, EmptyingTheListAbortsTheJob) {
    TRecordedPrinter p;
    p.Printer.BeginDoc();
    p.Printer.SetDevices({});
    EXPECT_FALSE(p.Printer.Printing());
    EXPECT_TRUE(p.Printer.Aborted());
    EXPECT_FALSE(p.Printer.HasPrinter());
}

TEST(Printer, AFailingDeviceEndsTheJobAndTheErrorReachesTheCaller) {
    struct TCase {
        const char* Name;
        int32_t FailAtPage;
        bool FailFinish;
        // Pages begun before EndDoc.
        int32_t Pages;
        const char* Error;
    };
    const std::vector<TCase> cases = {
        {"the first page at a page break", 1, false, 3, "The recording printer failed at page 1"},
        {"a later page at a page break", 2, false, 3, "The recording printer failed at page 2"},
        {"the last page at the end", 3, false, 3, "The recording printer failed at page 3"},
        {"finishing", 0, true, 2, "The recording printer failed to finish the job"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRecordedPrinter p;
        p.Device().SetFailAtPage(c.FailAtPage);
        p.Device().SetFailFinish(c.FailFinish);
        p.Printer.BeginDoc();
        const std::string error = ErrorOf([&] {
            for (int32_t page = 1; page < c.Pages; ++page)
                p.Printer.NewPage();
            p.Printer.EndDoc();
        });
        EXPECT_EQ(error, c.Error);
        EXPECT_FALSE(p.Printer.Printing());
        EXPECT_TRUE(p.Printer.Aborted());
        EXPECT_EQ(p.Printer.PageNumber(), 0);
        EXPECT_TRUE(p.Device().Jobs().empty());
        EXPECT_EQ(p.Device().CancelledJobs(), 1);
        EXPECT_EQ(p.Device().OpenJobs(), 0);

        p.Device().SetFailAtPage(0);
        p.Device().SetFailFinish(false);
        p.Printer.BeginDoc();
        p.Printer.EndDoc();
        EXPECT_EQ(p.Device().Jobs().size(), 1u) << "the printer prints again";
    }
}

// A device that cannot start a job refuses with its own words, as EPrinter.
TEST(Printer, ADeviceThatRefusesToStartLeavesNothingPrinting) {
    struct TRefusing : TRecordingPrinter {
        std::unique_ptr<TPrintDocument> Start(const TPrintJob&) override {
            throw std::runtime_error("queue is disabled");
        }
    };
    TPrinter printer;
    test::UseDevice(printer, std::make_unique<TRefusing>());
    EXPECT_EQ(ErrorOf([&] { printer.BeginDoc(); }), "queue is disabled");
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(ErrorOf([&] { printer.NewPage(); }), "Printer is not currently printing");
}

// The face list has a face once for each character set it covers; the printer's fonts are names.
TEST(Printer, ItsFontsNameEachFaceOnce) {
    TRecordedPrinter p;
    const std::vector<std::string> fonts = p.Printer.Fonts();
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "DejaVu Sans"), fonts.end());
    EXPECT_EQ(std::set<std::string>(fonts.begin(), fonts.end()).size(), fonts.size());

    SetPrinterFontFaces([] {
        return std::vector<TFontFace>{{"Serif", ANSI_CHARSET},
                                      {"Serif", GREEK_CHARSET},
                                      {"Mono", ANSI_CHARSET},
                                      {"Serif", RUSSIAN_CHARSET}};
    });
    EXPECT_EQ(p.Printer.Fonts(), (std::vector<std::string>{"Serif", "Mono"}));
    SetPrinterFontFaces(nullptr);
}

}  // namespace
}  // namespace vex

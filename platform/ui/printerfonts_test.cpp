#include "platform/ui/printerfonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/printer.h"
#include "platform/ui/printer_testsupport.h"
#include "platform/ui/recordingprinter.h"

namespace vex {
namespace {

std::vector<std::unique_ptr<TPrinterDevice>> OneRecorder(const std::string& Name) {
    std::vector<std::unique_ptr<TPrinterDevice>> devices;
    devices.push_back(std::make_unique<TRecordingPrinter>(Name));
    return devices;
}

// A font list is filled from inside paints: without a printer it is empty, never an error.
TEST(PrinterFonts, AreNoneWithoutAPrinterAndTheScreensWithOne) {
    {
        test::TPrinterDevicesScope none({});
        EXPECT_TRUE(PrinterFontFaces().empty());
        EXPECT_THROW(Printer().Fonts(), EPrinter);
    }
    test::TPrinterDevicesScope one(OneRecorder("Recorder"));
    EXPECT_EQ(PrinterFontFaces(), ScreenFontFaces());
    const std::vector<std::string> names = Printer().Fonts();
    EXPECT_NE(std::find(names.begin(), names.end(), "DejaVu Sans"), names.end());
}

TEST(PrinterDevicesScope, PutsBackTheDevicesAndTheJobSettings) {
    const std::vector<std::string> before = Printer().Printers();
    const int32_t index = Printer().PrinterIndex();
    const std::string title = Printer().Title();
    const TPrinterOrientation orientation = Printer().Orientation();
    {
        test::TPrinterDevicesScope scope(OneRecorder("Scoped"));
        EXPECT_EQ(Printer().Printers(), std::vector<std::string>{"Scoped"});
        TDeviceMode mode;
        mode.dmPaperSize = DMPAPER_LEGAL;
        mode.dmOrientation = DMORIENT_LANDSCAPE;
        mode.dmCopies = 7;
        Printer().SetPrinter("Scoped", mode);
        Printer().SetTitle("scoped job");
        Printer().BeginDoc();
    }
    EXPECT_FALSE(Printer().Printing()) << "the scope's job went with its devices";
    EXPECT_EQ(Printer().Printers(), before);
    EXPECT_EQ(Printer().PrinterIndex(), index);
    EXPECT_EQ(Printer().Title(), title);
    EXPECT_EQ(Printer().Orientation(), orientation);
    EXPECT_EQ(Printer().Copies(), 1);
}

}  // namespace
}  // namespace vex

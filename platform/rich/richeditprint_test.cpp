#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/ui/printer_testsupport.h"
#include "platform/ui/recordingprinter.h"

namespace vex {
namespace {

struct TPrinting {
    TRecordingPrinter* Device = nullptr;
    std::unique_ptr<test::TPrinterDevicesScope> Scope;
    TRichEdit Edit{nullptr};
    TPrinting() {
        std::vector<std::unique_ptr<TPrinterDevice>> devices;
        auto device = std::make_unique<TRecordingPrinter>("Recorder", 300);
        Device = device.get();
        devices.push_back(std::move(device));
        Scope = std::make_unique<test::TPrinterDevicesScope>(std::move(devices));
    }
};

std::string Paragraphs(int32_t Count) {
    std::string text;
    for (int32_t i = 0; i < Count; ++i)
        text += "Paragraph " + std::to_string(i) + " of the printed text.\r\n";
    return text;
}

TEST(RichEditPrint, PrintsEveryPageOfTheTextAsOneJob) {
    struct TCase {
        const char* Name;
        int32_t Paragraphs;
        bool SeveralPages;
    };
    for (const TCase& c :
         std::vector<TCase>{{"empty", 0, false}, {"short", 3, false}, {"long", 400, true}}) {
        SCOPED_TRACE(c.Name);
        TPrinting printing;
        printing.Edit.SetText(Paragraphs(c.Paragraphs));
        printing.Edit.Print("Release note");
        ASSERT_EQ(printing.Device->Jobs().size(), 1u);
        const TRecordedJob& job = printing.Device->Jobs()[0];
        EXPECT_EQ(job.Job.Title, "Release note");
        ASSERT_GE(job.Pages.size(), 1u);  // an empty text is a blank page
        EXPECT_EQ(job.Pages.size() > 1, c.SeveralPages);
        for (const TPrintedPage& page : job.Pages)
            EXPECT_EQ(page.Calls.empty(), c.Paragraphs == 0);
    }
}

TEST(RichEditPrint, AFailingPrinterLeavesNoJobAndReportsIt) {
    TPrinting printing;
    printing.Device->SetFailAtPage(2);
    printing.Edit.SetText(Paragraphs(400));
    EXPECT_THROW(printing.Edit.Print("doc"), EPrinter);
    EXPECT_EQ(printing.Device->OpenJobs(), 0);
    EXPECT_FALSE(Printer().Printing());

    const test::TPrinterDevicesScope none({});
    EXPECT_THROW(printing.Edit.Print("doc"), EPrinter);
}

}  // namespace
}  // namespace vex

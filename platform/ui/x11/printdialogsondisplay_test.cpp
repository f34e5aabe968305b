// The print and page-setup dialogs driven by one script twice: injected with no display, and by
// xdotool on an Xvfb display. The print dialog takes another printer, copies and collation; the
// page setup another paper, orientation and margin.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/checkbox.h"
#include "platform/ui/pagesetup.h"
#include "platform/ui/printdialog.h"
#include "platform/ui/printdialog_testsupport.h"
#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

// A form whose buttons run the two dialogs on a printer list of three.
class TScene : public test::TDialogLauncher {
public:
    TScene() : TDialogLauncher("Print dialog script", 240) {
        test::UsePrinters({"PDF", "Office", "Lab"});
        FPage.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
        FPage.Margins = Rect(2000, 2000, 2000, 2000);
        PrintButton = AddButton("Print...", 10, [this] {
            Record.push_back(FPrint->Execute() ? "print " + Printed() : "cancelled");
        });
        SetupButton = AddButton("Page Setup...", 120, [this] {
            Printer().GetPrinter(FPage.Device, FPage.DevMode);
            Record.push_back(PageSetupDlg(FPage) ? "page " + Page() : "cancelled");
        });
        Show();
    }
    ~TScene() override {
        Printer().SetCopies(1);
        Printer().SetCollate(false);
    }

    // What the dialog that runs shows, and the focus; "closed" when none runs.
    std::string State() const {
        TCustomForm* form = test::RunningModalForm();
        if (form == nullptr) return "closed";
        const auto text = [](const char* Name) {
            return test::DialogPart<TCustomEdit>(Name).Text();
        };
        const std::string focus = test::FocusedName();
        if (form->FindComponent("PrinterName") != nullptr)
            return test::ComboShown("PrinterName") + " " + text("Copies") +
                   (test::DialogPart<TCheckBox>("Collate").Checked() ? " collated" : "") + " | " +
                   focus;
        return test::ComboShown("PaperSize") + " " + test::ComboShown("Orientation") + " " +
               text("LeftMargin") + " | " + focus;
    }

    TControl* PrintButton = nullptr;
    TControl* SetupButton = nullptr;

private:
    std::string Printed() const {
        TPrinter& printer = Printer();
        return printer.Printers()[static_cast<size_t>(printer.PrinterIndex())] + " " +
               std::to_string(printer.Copies()) + (printer.Collate() ? " collated" : "");
    }
    std::string Page() const {
        return std::string(FindPaperSize(FPage.DevMode.dmPaperSize)->Name) +
               (FPage.DevMode.dmOrientation == DMORIENT_LANDSCAPE ? " landscape " : " portrait ") +
               std::to_string(FPage.Margins.Left);
    }

    TPrintDialog* FPrint = new TPrintDialog(FForm);
    TPageSetupDlg FPage;
};

// A step clicks one of the scene's buttons, or types keys.
struct TStep {
    const char* Click;
    std::vector<int32_t> Keys;
};
const std::vector<TStep> kScript = {
    {"print", {}},
    {nullptr, {VK_DOWN}},
    {nullptr, {VK_TAB, '3'}},
    {nullptr, {VK_TAB, VK_SPACE}},
    {nullptr, {VK_RETURN}},
    {"setup", {}},
    {nullptr, {VK_DOWN}},
    {nullptr, {VK_TAB, VK_DOWN}},
    {nullptr, {VK_TAB, '1', '2', VK_OEM_PERIOD, '7'}},
    {nullptr, {VK_RETURN}},
};

class PrintDialogsOnDisplay : public test::OnDisplayTest {
protected:
    ~PrintDialogsOnDisplay() override { test::UsePrinters({"PDF"}); }
};

TEST_F(PrintDialogsOnDisplay, ChoosingPrinterCopiesPaperAndMarginsDoesTheSameOnTheDisplay) {
    const auto deliver = [](const TStep& Step, TScene& S, const test::TScriptInput& Input) {
        if (Step.Click != nullptr)
            Input.Click(test::MiddleOf(std::string(Step.Click) == "print" ? *S.PrintButton
                                                                          : *S.SetupButton));
        else
            Input.Keys(Step.Keys);
    };
    const std::vector<std::string> injected = test::RunModalStepsInjected<TScene>(kScript, deliver);
    const std::vector<std::string> expected = {
        "PDF 1 | PrinterName",
        "Office 1 | PrinterName",
        "Office 3 | Copies",
        "Office 3 collated | Collate",
        "print Office 3 collated",
        "closed",
        "A4 Portrait 20 | PaperSize",
        "A5 Portrait 20 | PaperSize",
        "A5 Landscape 20 | Orientation",
        "A5 Landscape 12.7 | LeftMargin",
        "page A5 landscape 1270",
        "closed",
    };
    EXPECT_EQ(injected, expected);

    const std::vector<std::string> onDisplay = RunModalStepsOnDisplay<TScene>(
        kScript, [&](const TStep& Step, TScene& S, const test::TScriptInput& Input) {
            deliver(Step, S, Input);
            if (&Step == &kScript[3]) SaveActiveFormPicture("printdialog-on-display.png");
            if (&Step == &kScript[8]) SaveActiveFormPicture("pagesetup-on-display.png");
        });
    EXPECT_EQ(onDisplay, injected);
}

}  // namespace
}  // namespace vex

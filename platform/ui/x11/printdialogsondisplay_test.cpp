// The print and page-setup dialogs driven by one script twice: injected with no display, and by
// xdotool on an Xvfb display. The print dialog takes another printer, copies and collation; the
// page setup another paper, orientation and margin.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/pagesetup.h"
#include "platform/ui/printdialog.h"
#include "platform/ui/printdialog_testsupport.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// A form whose buttons run the two dialogs on a printer list of three.
class TScene {
public:
    TScene() {
        test::UsePrinters({"PDF", "Office", "Lab"});
        FPage.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
        FPage.Margins = Rect(2000, 2000, 2000, 2000);
        FForm->SetCaption("Print dialog script");
        FForm->SetBounds(40, 50, 240, 100);
        PrintButton = AddButton("Print...", 10, [this] {
            Record.push_back(FPrint->Execute() ? "print " + Printed() : "cancelled");
        });
        SetupButton = AddButton("Page Setup...", 120, [this] {
            Printer().GetPrinter(FPage.Device, FPage.DevMode);
            Record.push_back(PageSetupDlg(FPage) ? "page " + Page() : "cancelled");
        });
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() {
        delete FForm;
        Printer().SetCopies(1);
        Printer().SetCollate(false);
    }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    static TPoint Middle(TControl& Control) {
        return Control.ClientToScreen(Point(Control.Width() / 2, Control.Height() / 2));
    }
    // What the dialog that runs shows, and the focus; "closed" when none runs.
    std::string State() const {
        TCustomForm* form = Screen().ActiveForm();
        if (form == nullptr || !form->Modal()) return "closed";
        const auto combo = [form](const char* Name) {
            auto* box = dynamic_cast<TCustomComboBox*>(form->FindComponent(Name));
            return box->Items()[box->ItemIndex()];
        };
        const auto text = [form](const char* Name) {
            return dynamic_cast<TCustomEdit*>(form->FindComponent(Name))->Text();
        };
        TWinControl* focused = FindControl(GetFocus());
        const std::string focus = focused != nullptr ? focused->Name() : "nothing";
        if (form->FindComponent("PrinterName") != nullptr)
            return combo("PrinterName") + " " + text("Copies") +
                   (dynamic_cast<TCheckBox*>(form->FindComponent("Collate"))->Checked()
                        ? " collated"
                        : "") +
                   " | " + focus;
        return combo("PaperSize") + " " + combo("Orientation") + " " + text("LeftMargin") + " | " +
               focus;
    }

    TControl* PrintButton = nullptr;
    TControl* SetupButton = nullptr;
    std::vector<std::string> Record;

private:
    TButton* AddButton(const char* Caption, int32_t Left, std::function<void()> Run) {
        auto* button = new TButton(FForm);
        button->SetBounds(Left, 10, 100, 26);
        button->SetCaption(Caption);
        button->SetParent(FForm);
        button->OnClick = [Run](TObject*) { Run(); };
        return button;
    }
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

    TForm* FForm = new TForm(nullptr);
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

    // What the display shows, for a person to look at, when VEX_PICTURE_DIR names a folder.
    void SaveScreen(const std::string& Name) {
        const char* dir = std::getenv("VEX_PICTURE_DIR");
        if (dir == nullptr) return;
        test::PumpThroughApplicationFor(std::chrono::milliseconds(300));
        const TRect area = Screen().ActiveForm()->BoundsRect();
        const int32_t width = area.Right - area.Left, height = area.Bottom - area.Top;
        std::vector<uint32_t> pixels = FPeer.Screen(area);
        TBitmap(pixels.data(), width, height, width).SaveToFile(std::string(dir) + "/" + Name);
    }
};

TEST_F(PrintDialogsOnDisplay, ChoosingPrinterCopiesPaperAndMarginsDoesTheSameOnTheDisplay) {
    const auto target = [](const TStep& Step, TScene& S) {
        return TScene::Middle(std::string(Step.Click) == "print" ? *S.PrintButton : *S.SetupButton);
    };
    const std::vector<std::string> injected = test::RunModalSteps<TScene>(
        kScript,
        [&](const TStep& Step, TScene& S) {
            if (Step.Click != nullptr)
                test::ClickAt(target(Step, S));
            else
                test::InjectKeys(Step.Keys);
        },
        50);
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

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> onDisplay = test::RunModalSteps<TScene>(
        kScript,
        [&](const TStep& Step, TScene& S) {
            if (Step.Click != nullptr)
                test::ClickOnDisplay(display, target(Step, S));
            else
                test::TypeOnDisplay(display, Step.Keys);
            if (&Step == &kScript[3]) SaveScreen("printdialog-on-display.png");
            if (&Step == &kScript[8]) SaveScreen("pagesetup-on-display.png");
        },
        400);
    EXPECT_EQ(onDisplay, injected);
}

}  // namespace
}  // namespace vex

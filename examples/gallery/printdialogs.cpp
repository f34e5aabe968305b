// Print and Page Setup buttons: each runs its dialog on the printer and the line below says
// what the printer took.

#include <memory>
#include <string>

#include "examples/gallery/groups.h"
#include "platform/ui/button.h"
#include "platform/ui/pagesetup.h"
#include "platform/ui/printdialog.h"
#include "platform/ui/printer.h"

namespace gallery {

using namespace vex;

namespace {

std::string PageText(const TPageSetupDlg& Page) {
    const TRect& m = Page.Margins;
    const auto mm = [](int32_t Value) { return MarginText(Value, muHundredthsOfMillimetres); };
    return std::string(FindPaperSize(Page.DevMode.dmPaperSize)->Name) +
           (Page.DevMode.dmOrientation == DMORIENT_LANDSCAPE ? " landscape" : " portrait") +
           ", margins " + mm(m.Left) + " " + mm(m.Top) + " " + mm(m.Right) + " " + mm(m.Bottom) +
           " mm";
}

}  // namespace

int PrintDialogs(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 64, "Print and page-setup dialogs");
    TLabel* said = AddLabel(box, Rect(8, 38, 290, 54), "Nothing printed or set up yet");
    said->SetShowAccelChar(false);
    auto* print = new TPrintDialog(Form);
    // The page keeps its margins between runs, as a document would.
    auto page = std::make_shared<TPageSetupDlg>();
    page->Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
    page->Margins = Rect(2000, 2000, 2000, 2000);

    auto* printButton = Add<TButton>(box, Rect(8, 8, 100, 32));
    printButton->SetCaption("Print...");
    printButton->OnClick = [said, print](TObject*) {
        if (!print->Execute()) return;
        TPrinter& printer = Printer();
        said->SetCaption(printer.Printers()[static_cast<size_t>(printer.PrinterIndex())] + ", " +
                         std::to_string(print->Copies()) +
                         (print->Copies() == 1 ? " copy" : " copies") +
                         (print->Collate() ? ", collated" : ""));
    };
    auto* setupButton = Add<TButton>(box, Rect(108, 8, 208, 32));
    setupButton->SetCaption("Page Setup...");
    setupButton->OnClick = [said, page](TObject*) {
        TPrinter& printer = Printer();
        if (!printer.HasPrinter()) {
            said->SetCaption("No printer to set the page up for");
            return;
        }
        printer.GetPrinter(page->Device, page->DevMode);
        if (!PageSetupDlg(*page)) return;
        printer.SetPrinter(page->Device, page->DevMode);
        said->SetCaption(PageText(*page));
    };
    return box->BoundsRect().Bottom;
}

}  // namespace gallery

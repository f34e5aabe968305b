#include "platform/ui/printdialog.h"

#include <algorithm>

#include "platform/ui/messagedialog.h"
#include "platform/ui/printdialogform.h"
#include "platform/ui/printer.h"
#include "platform/win/modaldriver.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

// Where the printer the form showed at Index is now: the list may have changed while the form
// was open, and a print queue may share the file printer's name, so it is found by its name and
// by which of the printers of that name it was.
int32_t PrinterNow(const TPrinter& Printer, const std::vector<std::string>& Shown, int32_t Index) {
    const std::string& name = Shown[static_cast<size_t>(Index)];
    auto same = std::count(Shown.begin(), Shown.begin() + Index, name);
    const std::vector<std::string> now = Printer.Printers();
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i] == name && same-- == 0) return static_cast<int32_t>(i);
    throw EPrinter("There is no printer named \"" + name + "\"");
}

// Selects the printer, then the copies and the collation, which cannot fail once it is
// selected: a refusal leaves the printer as it was.
void Apply(TPrinter& Printer, const std::vector<std::string>& Shown, const TPrintChoice& Chosen) {
    Printer.SetPrinterIndex(PrinterNow(Printer, Shown, Chosen.PrinterIndex));
    Printer.SetCopies(Chosen.Copies);
    Printer.SetCollate(Chosen.Collate);
}

}  // namespace

TPrintDialog::TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}

TPrintDialog::~TPrintDialog() = default;

void TPrintDialog::SetCopies(int32_t Value) {
    if (Value < 1 || Value > kMostCopies) throw EPrinter(CopiesRangeText());
    FCopies = Value;
}

bool TPrintDialog::Execute() {
    // No one could choose, or read that there is no printer, and the run would wait for ever:
    // the answer is Cancel's.
    if (Presenter().Headless() && TModalScript::Current() == nullptr) return false;
    TPrinter& printer = Printer();
    if (!printer.HasPrinter()) {
        MessageDlg(
            "No printers are installed. Turn the PDF printer on in the settings, or add a "
            "print queue.",
            mtWarning, {mbOK}, 0);
        return false;
    }
    const TPrintChoice start{printer.Printers(), printer.PrinterIndex(), FCopies, FCollate};
    TPrintForm form(start);
    TPrintChoice chosen = start;
    const std::weak_ptr<const void> life = FLife.Weak();
    if (!form.Run(chosen) || life.expired()) return false;
    try {
        Apply(printer, start.Printers, chosen);
    } catch (const EPrinter& E) {
        MessageDlg(E.Message(), mtError, {mbOK}, 0);
        return false;
    }
    FCopies = chosen.Copies;
    FCollate = chosen.Collate;
    return true;
}

}  // namespace vex

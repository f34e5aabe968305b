#include "platform/ui/printdialog.h"

#include "platform/ui/messagedialog.h"
#include "platform/ui/printdialogform.h"
#include "platform/ui/printer.h"
#include "platform/win/modaldriver.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

// Selects the printer of that name with the copies, then the collation, which cannot fail: a
// refusal leaves the printer as it was.
void Apply(TPrinter& Printer, const std::string& Name, const TPrintChoice& Chosen) {
    TDeviceMode copies;
    copies.dmFields = DM_COPIES;
    copies.dmCopies = static_cast<int16_t>(Chosen.Copies);
    Printer.SetPrinter(Name, copies);
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
    // By the name shown: the list may have changed while the form was open.
    try {
        Apply(printer, start.Printers[static_cast<size_t>(chosen.PrinterIndex)], chosen);
    } catch (const EPrinter& E) {
        MessageDlg(E.Message(), mtError, {mbOK}, 0);
        return false;
    }
    FCopies = chosen.Copies;
    FCollate = chosen.Collate;
    return true;
}

}  // namespace vex

#include "platform/ui/printdialogform.h"

#include "platform/core/stringutils.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/messagedialog.h"
#include "platform/ui/printdialogparts.h"
#include "platform/ui/spinedit.h"

namespace vex {

namespace {

// The spinner puts a wrong number right only when the focus leaves it, which Enter does not.
bool AreCopies(const std::string& Text) {
    int32_t copies = 0;
    return Text.find_first_not_of("0123456789") == std::string::npos && TryStrToInt(Text, copies) &&
           copies >= 1 && copies <= kMostCopies;
}

}  // namespace

TPrintForm::TPrintForm(const TPrintChoice& Start) : FForm(NewDialogForm("Print")) {
    TForm& form = *FForm;
    const TDialogUnits du = DialogUnitsOf(form.Font());
    form.SetClientWidth(du.Horz(212));
    form.SetClientHeight(du.Vert(82));

    auto* printer = PlaceOnDialog<TGroupBox>(form, form, "Printer", du, Rect(6, 4, 150, 32));
    printer->SetCaption("Printer");
    FPrinter = PlaceOnDialog<TComboBox>(form, *printer, "PrinterName", du, Rect(34, 12, 138, 24));
    FPrinter->SetStyle(csDropDownList);
    AddDialogPrompt(form, *printer, du, Rect(6, 14, 32, 23), "&Name:", FPrinter);
    for (const std::string& name : Start.Printers)
        FPrinter->Items().Add(name);
    FPrinter->SetItemIndex(Start.PrinterIndex);

    auto* copies = PlaceOnDialog<TGroupBox>(form, form, "CopiesFrame", du, Rect(6, 36, 150, 76));
    copies->SetCaption("Copies");
    FCopies = PlaceOnDialog<TSpinEdit>(form, *copies, "Copies", du, Rect(82, 10, 124, 22));
    FCopies->SetMinValue(1);
    FCopies->SetMaxValue(kMostCopies);
    FCopies->SetMaxLength(4);
    FCopies->SetValue(Start.Copies);
    AddDialogPrompt(form, *copies, du, Rect(6, 12, 80, 21), "Number of &copies:", FCopies);
    FCollate = PlaceOnDialog<TCheckBox>(form, *copies, "Collate", du, Rect(6, 26, 80, 36));
    FCollate->SetCaption("C&ollate");
    FCollate->SetChecked(Start.Collate);

    AddOkAndCancel(form, du, 156, 8);

    form.OnShow = [this](TObject*) { FForm->SetActiveControl(FPrinter); };
    RefuseUntilMended(form, [this]() -> TCustomEdit* {
        if (AreCopies(FCopies->Text())) return nullptr;
        MessageDlg(CopiesRangeText(), mtError, {mbOK}, 0);
        return FCopies;
    });
}

TPrintForm::~TPrintForm() = default;

bool TPrintForm::Run(TPrintChoice& Chosen) {
    if (FForm->ShowModal() != mrOk) return false;
    Chosen.PrinterIndex = FPrinter->ItemIndex();
    Chosen.Copies = FCopies->Value();
    Chosen.Collate = FCollate->Checked();
    return true;
}

}  // namespace vex

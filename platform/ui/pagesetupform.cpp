#include "platform/ui/pagesetupform.h"

#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/messagedialog.h"
#include "platform/ui/printdialogparts.h"

namespace vex {

namespace {

const char* UnitName(TMarginUnit Unit) {
    return Unit == muThousandthsOfInches ? "inches" : "millimetres";
}

}  // namespace

TPageSetupForm::TPageSetupForm(const TPageSetupDlg& Start, TMarginUnit Unit)
    : FUnit(Unit), FForm(NewDialogForm("Page Setup")), FUnits(DialogUnitsOf(FForm->Font())) {
    TForm& form = *FForm;
    const TDialogUnits& du = FUnits;
    form.SetClientWidth(du.Horz(218));
    form.SetClientHeight(du.Vert(106));

    auto* paper = PlaceOnDialog<TGroupBox>(form, form, "Paper", du, Rect(6, 4, 156, 50));
    paper->SetCaption("Paper");
    FPaperSize = PlaceOnDialog<TComboBox>(form, *paper, "PaperSize", du, Rect(50, 12, 144, 24));
    FPaperSize->SetStyle(csDropDownList);
    AddDialogPrompt(form, *paper, du, Rect(6, 14, 48, 23), "Si&ze:", FPaperSize);
    const std::vector<TPaperSize>& sizes = PaperSizes();
    for (const TPaperSize& size : sizes)
        FPaperSize->Items().Add(size.Name);
    for (size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i].Code == Start.DevMode.dmPaperSize)
            FPaperSize->SetItemIndex(static_cast<int32_t>(i));
    FPaperSize->SetEnabled((Start.Flags & PSD_DISABLEPAPER) == 0);
    FOrientation = PlaceOnDialog<TComboBox>(form, *paper, "Orientation", du, Rect(50, 29, 144, 41));
    FOrientation->SetStyle(csDropDownList);
    AddDialogPrompt(form, *paper, du, Rect(6, 31, 48, 40), "&Orientation:", FOrientation);
    FOrientation->Items().Add("Portrait");
    FOrientation->Items().Add("Landscape");
    FOrientation->SetItemIndex(Start.DevMode.dmOrientation == DMORIENT_LANDSCAPE ? 1 : 0);

    auto* margins = PlaceOnDialog<TGroupBox>(form, form, "Margins", du, Rect(6, 54, 156, 100));
    margins->SetCaption(std::string("Margins (") + UnitName(Unit) + ")");
    FLeft = AddMargin(*margins, "LeftMargin", "&Left:", 6, 12);
    FRight = AddMargin(*margins, "RightMargin", "&Right:", 78, 12);
    FTop = AddMargin(*margins, "TopMargin", "&Top:", 6, 29);
    FBottom = AddMargin(*margins, "BottomMargin", "&Bottom:", 78, 29);
    FLeft->SetText(MarginText(Start.Margins.Left, Unit));
    FRight->SetText(MarginText(Start.Margins.Right, Unit));
    FTop->SetText(MarginText(Start.Margins.Top, Unit));
    FBottom->SetText(MarginText(Start.Margins.Bottom, Unit));

    AddOkAndCancel(form, du, 162, 8);

    form.OnShow = [this](TObject*) {
        FForm->SetActiveControl(FPaperSize->Enabled() ? static_cast<TWinControl*>(FPaperSize)
                                                      : FOrientation);
    };
    RefuseUntilMended(form, [this] { return Refusal(); });
}

TPageSetupForm::~TPageSetupForm() = default;

TEdit* TPageSetupForm::AddMargin(TWinControl& Group, const char* Name, const char* Prompt,
                                 int32_t Left, int32_t Top) {
    TForm& form = *FForm;
    auto* field = PlaceOnDialog<TEdit>(form, Group, Name, FUnits,
                                       Rect(Left + 30, Top - 2, Left + 66, Top + 10));
    AddDialogPrompt(form, Group, FUnits, Rect(Left, Top, Left + 30, Top + 9), Prompt, field);
    return field;
}

const TPaperSize& TPageSetupForm::ChosenPaper() {
    return PaperSizes()[static_cast<size_t>(FPaperSize->ItemIndex())];
}

int16_t TPageSetupForm::ChosenOrientation() {
    return FOrientation->ItemIndex() == 1 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

TRect TPageSetupForm::Margins() {
    const auto value = [this](TEdit* Field) {
        return MarginValue(Field->Text(), FUnit).value_or(0);
    };
    return Rect(value(FLeft), value(FTop), value(FRight), value(FBottom));
}

TEdit* TPageSetupForm::Refusal() {
    for (TEdit* field : {FLeft, FRight, FTop, FBottom}) {
        if (MarginValue(field->Text(), FUnit)) continue;
        MessageDlg("\"" + field->Text() + "\" is not a margin. Type a number of " +
                       UnitName(FUnit) + ", such as " +
                       MarginText(FUnit == muThousandthsOfInches ? 750 : 1950, FUnit) + ".",
                   mtError, {mbOK}, 0);
        return field;
    }
    const TRect margins = Margins();
    const TPaperSize& paper = ChosenPaper();
    const int16_t orientation = ChosenOrientation();
    const bool across =
        MarginsLeaveRoom(Rect(margins.Left, 0, margins.Right, 0), FUnit, paper, orientation);
    if (across && MarginsLeaveRoom(margins, FUnit, paper, orientation)) return nullptr;
    MessageDlg("The margins leave no room on the paper. Make them smaller, or choose larger paper.",
               mtError, {mbOK}, 0);
    return across ? FTop : FLeft;
}

bool TPageSetupForm::Run(TPageSetupDlg& Chosen) {
    if (FForm->ShowModal() != mrOk) return false;
    // Marked, so that the printer takes them when the caller applies the mode.
    Chosen.DevMode.dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    Chosen.DevMode.dmPaperSize = ChosenPaper().Code;
    Chosen.DevMode.dmOrientation = ChosenOrientation();
    Chosen.Margins = Margins();
    return true;
}

}  // namespace vex

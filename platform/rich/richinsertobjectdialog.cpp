#include "platform/rich/richinsertobjectdialog.h"

#include <memory>

#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/pairedradiobutton.h"
#include "platform/ui/screen.h"

namespace vex {
namespace {

class TInsertObjectForm {
public:
    TInsertObjectForm(const TRichObjectKinds& Kinds, const TRichInsertObjectChoice& Choice);
    bool Run(TRichInsertObjectChoice& Choice);

private:
    TPairedRadioButton* AddWay(const char* Name, const char* Caption, int32_t Top);
    TLabel* AddPrompt(const char* Caption, TWinControl* Control);
    // Shows the list or the file name, as the way chosen asks, and offers OK when it can.
    void ShowWay();

    const TRichObjectKinds& FKinds;
    std::unique_ptr<TForm> FForm;
    const TDialogUnits FUnits;
    TPairedRadioButton* FCreateNew = nullptr;
    TPairedRadioButton* FFromFile = nullptr;
    TListBox* FTypes = nullptr;
    TLabel* FTypesPrompt = nullptr;
    TEdit* FFileName = nullptr;
    TLabel* FFilePrompt = nullptr;
    TCheckBox* FAsIcon = nullptr;
    TButton* FOk = nullptr;
};

TInsertObjectForm::TInsertObjectForm(const TRichObjectKinds& Kinds,
                                     const TRichInsertObjectChoice& Choice)
    : FKinds(Kinds), FForm(NewDialogForm("Insert Object")), FUnits(DialogUnitsOf(FForm->Font())) {
    const TDialogUnits& du = FUnits;
    FForm->SetClientWidth(du.Horz(291));
    FForm->SetClientHeight(du.Vert(120));

    FCreateNew = AddWay("CreateNew", "Create &New", du.Vert(20));
    FFromFile = AddWay("CreateFromFile", "Create from &File", du.Vert(40));
    TPairedRadioButton::Pair(*FCreateNew, *FFromFile);

    FTypes = new TListBox(FForm.get());
    FTypes->SetName("ObjectType");
    FTypes->SetBounds(du.Horz(80), du.Vert(18), du.Horz(140), du.Vert(90));
    FTypes->SetParent(FForm.get());
    for (const TRichObjectKind& kind : Kinds.All())
        FTypes->Items().Add(kind.UserType.empty() ? kind.ClassName : kind.UserType);
    FTypesPrompt = AddPrompt("Object &Type:", FTypes);

    FFileName = new TEdit(FForm.get());
    FFileName->SetName("FileName");
    FFileName->SetBounds(du.Horz(80), du.Vert(18), du.Horz(140), du.Vert(12) + 4);
    FFileName->SetText(Choice.FileName);
    FFileName->SetParent(FForm.get());
    FFilePrompt = AddPrompt("Fi&le:", FFileName);

    const TRect ok = Rect(du.Horz(230), du.Vert(6), du.Horz(280), du.Vert(20));
    FOk = AddDialogButton(*FForm, mbOK, ok);
    FOk->SetDefault(true);
    AddDialogButton(*FForm, mbCancel, Rect(ok.Left, du.Vert(24), ok.Right, du.Vert(38)))
        ->SetCancel(true);

    FAsIcon = new TCheckBox(FForm.get());
    FAsIcon->SetName("DisplayAsIcon");
    FAsIcon->SetCaption("&Display As Icon");
    FAsIcon->SetBounds(du.Horz(226), du.Vert(48), du.Horz(62), du.Vert(12));
    FAsIcon->SetChecked(Choice.AsIcon);
    FAsIcon->SetParent(FForm.get());

    int32_t chosen = 0;
    for (size_t i = 0; i < Kinds.All().size(); ++i)
        if (Kinds.All()[i].ClassName == Choice.ClassName) chosen = static_cast<int32_t>(i);
    if (!Kinds.All().empty()) FTypes->SetItemIndex(chosen);
    (Choice.FromFile ? FFromFile : FCreateNew)->SetChecked(true);

    FCreateNew->OnClick = [this](TObject*) { ShowWay(); };
    FFromFile->OnClick = [this](TObject*) { ShowWay(); };
    FTypes->OnClick = [this](TObject*) { ShowWay(); };
    FFileName->OnChange = [this](TObject*) { ShowWay(); };
    // A double click on a kind chooses it, as OK would.
    FTypes->OnDblClick = [this](TObject*) {
        if (FOk->Enabled()) FForm->SetModalResult(mrOk);
    };
    ShowWay();
}

TPairedRadioButton* TInsertObjectForm::AddWay(const char* Name, const char* Caption, int32_t Top) {
    auto* button = new TPairedRadioButton(FForm.get());
    button->SetName(Name);
    button->SetCaption(Caption);
    button->SetBounds(FUnits.Horz(6), Top, FUnits.Horz(70), FUnits.Vert(12));
    button->SetParent(FForm.get());
    return button;
}

TLabel* TInsertObjectForm::AddPrompt(const char* Caption, TWinControl* Control) {
    auto* label = new TLabel(FForm.get());
    label->SetCaption(Caption);
    label->SetBounds(Control->Left(), FUnits.Vert(6), FUnits.Horz(140), FUnits.Vert(9));
    label->SetFocusControl(Control);
    label->SetParent(FForm.get());
    return label;
}

void TInsertObjectForm::ShowWay() {
    const bool fromFile = FFromFile->Checked();
    FTypes->SetVisible(!fromFile);
    FTypesPrompt->SetVisible(!fromFile);
    FFileName->SetVisible(fromFile);
    FFilePrompt->SetVisible(fromFile);
    FOk->SetEnabled(fromFile ? !FFileName->Text().empty() : FTypes->ItemIndex() >= 0);
}

bool TInsertObjectForm::Run(TRichInsertObjectChoice& Choice) {
    // A third down the screen, centred across it, where a person looks first.
    FForm->SetPosition(poDesigned);
    FForm->SetLeft((Screen().Width() - FForm->Width()) / 2);
    FForm->SetTop((Screen().Height() - FForm->Height()) / 3);
    TForm* form = FForm.get();
    TWinControl* first = FCreateNew->Checked() ? static_cast<TWinControl*>(FTypes) : FFileName;
    FForm->OnShow = [form, first](TObject*) { form->SetActiveControl(first); };
    if (FForm->ShowModal() != mrOk || !FOk->Enabled()) return false;
    Choice.FromFile = FFromFile->Checked();
    if (Choice.FromFile)
        Choice.FileName = FFileName->Text();
    else
        Choice.ClassName = FKinds.All().at(static_cast<size_t>(FTypes->ItemIndex())).ClassName;
    Choice.AsIcon = FAsIcon->Checked();
    return true;
}

}  // namespace

bool RichInsertObjectDialog(const TRichObjectKinds& Kinds, TRichInsertObjectChoice& Choice) {
    TInsertObjectForm form(Kinds, Choice);
    return form.Run(Choice);
}

}  // namespace vex

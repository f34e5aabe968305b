#include "platform/ui/finddialog.h"

#include "platform/ui/finddialogform.h"
#include "platform/ui/form.h"

namespace vex {

TFindDialog::TFindDialog(TComponent* AOwner) : TComponent(AOwner) {}

TFindDialog::~TFindDialog() = default;

void TFindDialog::SetFindText(const std::string& Value) {
    FFindText = Value;
    if (FForm) FForm->ShowFindText();
}

void TFindDialog::SetOptions(TFindOptions Value) {
    FOptions = Value;
    if (FForm) FForm->ShowOptions();
}

TPoint TFindDialog::Position() const {
    if (FForm && FForm->Form().Visible()) return {FForm->Form().Left(), FForm->Form().Top()};
    return FPosition;
}

void TFindDialog::SetPosition(TPoint Value) {
    FPosition = Value;
    if (FForm && FForm->Form().Visible()) {
        FForm->Form().SetLeft(Value.X);
        FForm->Form().SetTop(Value.Y);
    }
}

bool TFindDialog::Execute() {
    if (!FForm) FForm = std::make_unique<TFindForm>(*this);
    TForm& form = FForm->Form();
    if (!form.Visible()) {
        if (FPosition.X < 0 && FPosition.Y < 0) {
            form.SetPosition(poScreenCenter);
        } else {
            form.SetPosition(poDesigned);
            form.SetLeft(FPosition.X);
            form.SetTop(FPosition.Y);
        }
    }
    form.Show();
    form.BringToFront();
    FForm->FocusFindText();
    return true;
}

void TFindDialog::CloseDialog() {
    if (FForm && FForm->Form().Visible()) FForm->Form().Close();
}

TForm* TFindDialog::Form() const {
    return FForm ? &FForm->Form() : nullptr;
}

void TFindDialog::ButtonPressed(TFindOption Button) {
    FOptions = FOptions - TFindOptions{frFindNext, frReplace, frReplaceAll};
    FOptions.Include(Button);
    if (Button != frFindNext)
        DoReplace();
    else if (OnFind)
        OnFind(this);
}

void TFindDialog::Closed() {
    TForm& form = FForm->Form();
    FPosition = {form.Left(), form.Top()};
    if (OnClose) OnClose(this);
}

void TReplaceDialog::SetReplaceText(const std::string& Value) {
    FReplaceText = Value;
    if (FindForm() != nullptr) FindForm()->ShowReplaceText();
}

void TReplaceDialog::DoReplace() {
    if (OnReplace) OnReplace(this);
}

}  // namespace vex

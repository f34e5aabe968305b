#include "platform/ui/printdialogparts.h"

#include "platform/ui/customedit.h"
#include "platform/ui/label.h"

namespace vex {

TLabel* AddDialogPrompt(TForm& Form, TWinControl& Parent, const TDialogUnits& Du,
                        const TRect& Units, const char* Text, TWinControl* For) {
    auto* label = PlaceOnDialog<TLabel>(Form, Parent, "", Du, Units);
    label->SetCaption(Text);
    label->SetFocusControl(For);
    return label;
}

void AddOkAndCancel(TForm& Form, const TDialogUnits& Du, int32_t Left, int32_t Top) {
    const int32_t left = Du.Horz(Left), width = Du.Horz(50), height = Du.Vert(14);
    const int32_t top = Du.Vert(Top), nextTop = Du.Vert(Top + 17);
    AddDialogButton(Form, mbOK, Rect(left, top, left + width, top + height))->SetDefault(true);
    AddDialogButton(Form, mbCancel, Rect(left, nextTop, left + width, nextTop + height))
        ->SetCancel(true);
}

void RefuseUntilMended(TForm& Form, std::function<TCustomEdit*()> Refusal) {
    Form.OnCloseQuery = [&Form, Refusal = std::move(Refusal)](TObject*, bool& CanClose) {
        if (Form.ModalResult() != mrOk) return;
        TCustomEdit* wrong = Refusal();
        if (wrong == nullptr) return;
        CanClose = false;
        Form.SetActiveControl(wrong);
        wrong->SelectAll();
    };
}

}  // namespace vex

#include "platform/ui/inputdialog.h"

#include <memory>

#include "platform/ui/customedit.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/label.h"

namespace vex {

bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value) {
    const std::unique_ptr<TForm> dialog = NewDialogForm(ACaption);
    const TDialogUnits du = DialogUnitsOf(dialog->Font());
    dialog->SetClientWidth(du.Horz(180));
    dialog->SetClientHeight(du.Vert(63));

    auto* prompt = new TLabel(dialog.get());
    prompt->SetName("Prompt");
    prompt->SetBounds(du.Horz(8), du.Vert(8), du.Horz(164), 0);
    prompt->SetCaption(APrompt);
    prompt->SetAutoSize(true);
    prompt->SetParent(dialog.get());

    auto* edit = new TEdit(dialog.get());
    edit->SetName("Edit");
    edit->SetBounds(du.Horz(8), du.Vert(19), du.Horz(164), du.Vert(12) + 4);
    edit->SetMaxLength(255);
    edit->SetText(Value);
    edit->SetParent(dialog.get());

    const int32_t top = du.Vert(41);
    const int32_t width = du.Horz(50);
    const int32_t height = du.Vert(14);
    AddDialogButton(*dialog, mbOK, Rect(du.Horz(38), top, du.Horz(38) + width, top + height))
        ->SetDefault(true);
    AddDialogButton(*dialog, mbCancel, Rect(du.Horz(92), top, du.Horz(92) + width, top + height))
        ->SetCancel(true);

    // The field takes the keys from the start, its text selected to be typed over; it can take
    // the focus once the box shows.
    TForm* form = dialog.get();
    dialog->OnShow = [form, edit](TObject*) { form->SetActiveControl(edit); };
    if (dialog->ShowModal() != mrOk) return false;
    Value = edit->Text();
    return true;
}

std::string InputBox(const std::string& ACaption, const std::string& APrompt,
                     const std::string& ADefault) {
    std::string value = ADefault;
    InputQuery(ACaption, APrompt, value);
    return value;
}

}  // namespace vex

#pragma once

#include <memory>

#include "platform/ui/dialogform.h"
#include "platform/ui/finddialog.h"

namespace vex {

class TButton;
class TCustomCheckBox;
class TCheckBox;
class TEdit;
class TGroupBox;

// The form of a find or replace dialog, made at its first Execute and kept until the dialog
// goes. What is typed and ticked goes into the dialog's fields as it happens.
class TFindForm {
public:
    explicit TFindForm(TFindDialog& Dialog);
    ~TFindForm();

    TForm& Form() { return *FForm; }
    // Shows the fields as the dialog's properties say.
    void ShowFindText();
    void ShowReplaceText();
    void ShowOptions();
    // The find text takes the keys, all of it selected to be typed over.
    void FocusFindText();

private:
    void AddFindControls(int32_t Right);
    void AddReplaceControls(int32_t Right);
    void AddFindText(int32_t Top, int32_t Left, int32_t Right);
    TButton* AddButton(const char* Name, const char* Caption, int32_t Left, int32_t Top);
    // A button that sets Pressed in the options and fires the dialog's event.
    TButton* AddPressButton(const char* Name, const char* Caption, int32_t Left, int32_t Top,
                            TFindOption Pressed);
    void AddCancelButton(int32_t Left, int32_t Top);
    TCheckBox* AddCheck(const char* Name, const char* Caption, int32_t Top, TFindOption Option);
    TEdit* AddField(const char* Name, const char* Prompt, int32_t Top, int32_t Left, int32_t Right);
    void EnableButtons();

    TFindDialog& FDialog;
    std::unique_ptr<TForm> FForm;
    const TDialogUnits FUnits;  // of the form's font, which the layout is in
    TEdit* FFindText = nullptr;
    TEdit* FReplaceText = nullptr;
    TCheckBox* FWholeWord = nullptr;
    TCheckBox* FMatchCase = nullptr;
    TGroupBox* FDirection = nullptr;
    TCustomCheckBox* FUp = nullptr;
    TCustomCheckBox* FDown = nullptr;
    TButton* FFindNext = nullptr;
    TButton* FReplace = nullptr;
    TButton* FReplaceAll = nullptr;
};

}  // namespace vex

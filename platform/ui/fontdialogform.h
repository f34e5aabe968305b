#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/fontchoices.h"

namespace vex {

class TCustomEdit;
class TEdit;
class TForm;
class TLabel;
class TListBox;

// What a font dialog asks: the font it starts from, the families it offers and the limits of
// the size.
struct TFontChoice {
    const TFont* Start = nullptr;
    std::vector<std::string> Families;
    int32_t MinFontSize = 0;
    int32_t MaxFontSize = 0;
};

// The form of one run of the font dialog. Each field has its list below it: picking from the
// list fills the field, typing in the field moves the list to the first entry it begins.
// OK refuses a family or style the lists do not hold and a size out of range, with a message
// that says why, and leaves the focus on the field to mend.
class TFontForm {
public:
    explicit TFontForm(const TFontChoice& Choice);
    ~TFontForm();

    TForm& Form() { return *FForm; }
    // Answers true and the chosen family, style and size in Chosen after OK.
    bool Run(TFont& Chosen);

private:
    TEdit* AddColumn(const char* Prompt, const char* FieldName, const char* ListName, int32_t Left,
                     int32_t Width, TListBox*& List);
    void Follow(TEdit* Field, TListBox* List);
    void ShowSample();
    // The field whose text OK cannot take, after telling why; nil when all are good.
    TEdit* Refusal();

    const TFontChoice& FChoice;
    std::unique_ptr<TForm> FForm;
    const TDialogUnits FUnits;  // of the form's font, which the layout is in
    TEdit* FFaceName = nullptr;
    TEdit* FStyleName = nullptr;
    TEdit* FSizeText = nullptr;
    TListBox* FFaces = nullptr;
    TListBox* FStyles = nullptr;
    TListBox* FSizes = nullptr;
    TLabel* FSample = nullptr;
};

}  // namespace vex

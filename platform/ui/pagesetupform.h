#pragma once

#include <memory>

#include "platform/ui/dialogform.h"
#include "platform/ui/pagesetup.h"

namespace vex {

class TComboBox;
class TEdit;
class TForm;
class TWinControl;

// The form of one page-setup run: the paper's size and orientation, and the four margins in
// the run's unit. OK refuses a margin that is not a number and margins that leave no room on
// the paper as it lies, says why, and leaves the focus on the margin to mend.
class TPageSetupForm {
public:
    // Start's paper size and orientation must be ones the printer knows.
    TPageSetupForm(const TPageSetupDlg& Start, TMarginUnit Unit);
    ~TPageSetupForm();

    TForm& Form() { return *FForm; }
    // Answers true and the paper, orientation and margins in Chosen after OK.
    bool Run(TPageSetupDlg& Chosen);

private:
    TEdit* AddMargin(TWinControl& Group, const char* Name, const char* Prompt, int32_t Left,
                     int32_t Top);
    const TPaperSize& ChosenPaper();
    int16_t ChosenOrientation();
    // The margin OK cannot take, after telling why; nil when all are good.
    TEdit* Refusal();
    TRect Margins();

    const TMarginUnit FUnit;
    std::unique_ptr<TForm> FForm;
    const TDialogUnits FUnits;
    TComboBox* FPaperSize = nullptr;
    TComboBox* FOrientation = nullptr;
    TEdit* FLeft = nullptr;
    TEdit* FRight = nullptr;
    TEdit* FTop = nullptr;
    TEdit* FBottom = nullptr;
};

}  // namespace vex

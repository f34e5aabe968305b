#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/dialogform.h"
#include "platform/ui/printer.h"

namespace vex {

class TCheckBox;
class TComboBox;
class TForm;
class TSpinEdit;

// What a print dialog shows and gives back.
struct TPrintChoice {
    std::vector<std::string> Printers;
    int32_t PrinterIndex = 0;
    int32_t Copies = 1;
    bool Collate = false;
};

// The form of one run of the print dialog: the printer, the number of copies and whether they
// are collated. OK refuses a number of copies outside 1 to 9999, says why and leaves the focus
// in the field.
class TPrintForm {
public:
    explicit TPrintForm(const TPrintChoice& Start);
    ~TPrintForm();

    TForm& Form() { return *FForm; }
    // Answers true and the choice in Chosen after OK.
    bool Run(TPrintChoice& Chosen);

private:
    std::unique_ptr<TForm> FForm;
    TComboBox* FPrinter = nullptr;
    TSpinEdit* FCopies = nullptr;
    TCheckBox* FCollate = nullptr;
};

}  // namespace vex

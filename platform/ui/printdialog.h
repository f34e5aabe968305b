#pragma once

#include <cstdint>

#include "platform/core/component.h"
#include "platform/win/lifetoken.h"

namespace vex {

// The print dialog: a modal choice of the printer (starting at the one the printer uses), the
// number of copies (1 to 9999) and whether they are collated. OK selects that printer and puts
// Copies and Collate into the dialog and the printer; Cancel changes nothing. With no printer
// it tells the user so and answers false; a printer that refuses the choice (it is printing,
// or left the list meanwhile) is told the same way, and nothing changes. Without a display or
// a script the run ends at once and answers false. The form's parts are named "PrinterName",
// "Copies", "Collate", "OK" and "Cancel".
class TPrintDialog : public TComponent {
    VEX_CLASS(TPrintDialog, TComponent)

public:
    explicit TPrintDialog(TComponent* AOwner);
    ~TPrintDialog() override;

    int32_t Copies() const { return FCopies; }
    // Outside 1 to 9999 an EPrinter, and nothing changes.
    void SetCopies(int32_t Value);
    bool Collate() const { return FCollate; }
    void SetCollate(bool Value) { FCollate = Value; }

    bool Execute();

private:
    int32_t FCopies = 1;
    bool FCollate = false;
    TLifeToken FLife;
};

}  // namespace vex

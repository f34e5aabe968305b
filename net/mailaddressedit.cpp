#include <memory>

#include "net/mailaddress.h"
#include "net/mailaddressdlg.h"

namespace vex {

// Kept apart from the address itself, so that the protocol code stays free of the user
// interface it opens.
void TmsMailAddress::Edit() {
    auto dialog = std::make_unique<TMailAddressDlg>(nullptr);
    dialog->SetAddress(*this);
    if (dialog->ShowModal() == mrOk) Assign(dialog->MailAddress());
}

}  // namespace vex

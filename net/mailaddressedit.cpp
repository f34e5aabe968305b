#include <memory>

#include "net/mailaddress.h"
#include "net/mailaddressdlg.h"

namespace vex {

// Kept apart from the address itself, so that the protocol code stays free of the user
// interface it opens.
void TmsMailAddress::Edit() {
    auto dialog = std::make_unique<TMailAddressDlg>(nullptr);
    const std::weak_ptr<const void> life = dialog->LifeToken();
    dialog->SetAddress(*this);
    const TModalResult result = dialog->ShowModal();
    // A handler that freed the dialog took what was typed with it, and the freeing too.
    if (life.expired()) {
        static_cast<void>(dialog.release());
        return;
    }
    if (result == mrOk) Assign(dialog->MailAddress());
}

}  // namespace vex

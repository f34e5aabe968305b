#pragma once

#include <memory>

#include "net/mailaddress.h"
#include "platform/ui/form.h"

namespace vex {

class TBevel;
class TButton;
class TEdit;
class TLabel;

// The small modal dialog in which one mail address, a display name and an address, is edited
// (TmsMailAddress::Edit opens it). The caller hands it the address with SetAddress and, when it
// closes with OK, copies MailAddress back; Cancel leaves the caller's address as it was.
class TMailAddressDlg : public TForm {
    VEX_CLASS(TMailAddressDlg, TForm)

public:
    explicit TMailAddressDlg(TComponent* AOwner);
    ~TMailAddressDlg() override;

    // The address being edited: a copy of the caller's, holding what OK took from the edits.
    TmsMailAddress* MailAddress() const { return FMailAddress.get(); }
    void SetAddress(const TmsMailAddress& Address);

    TBevel* Bevel1;
    TLabel* Label1;
    TLabel* Label2;
    TEdit* NameEdit;
    TEdit* AddressEdit;
    TButton* OKButton;
    TButton* CancelButton;

private:
    void OKButtonClick(TObject* Sender);

    std::unique_ptr<TmsMailAddress> FMailAddress;
};

}  // namespace vex

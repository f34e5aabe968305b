#include "net/mailaddressdlg.h"

#include <string>

#include "platform/ui/bevel.h"
#include "platform/ui/button.h"
#include "platform/ui/customedit.h"
#include "platform/ui/label.h"

namespace vex {

namespace {

// What a name or an address keeps of an edit's text.
constexpr size_t MaxFieldLength = 255;

template <class T>
T* Place(TMailAddressDlg* Dialog, int32_t Left, int32_t Top, int32_t Width, int32_t Height,
         const std::string& Name) {
    auto* control = new T(Dialog);
    control->SetName(Name);
    control->SetBounds(Left, Top, Width, Height);
    control->SetParent(Dialog);
    return control;
}

}  // namespace

TMailAddressDlg::TMailAddressDlg(TComponent* AOwner)
    : TForm(AOwner), FMailAddress(std::make_unique<TmsMailAddress>()) {
    SetName("MailAddressDlg");
    SetCaption("Address");
    SetBorderStyle(bsDialog);
    SetClientWidth(240);
    SetClientHeight(124);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);

    Bevel1 = Place<TBevel>(this, 8, 8, 225, 73, "Bevel1");
    Bevel1->SetShape(bsFrame);
    Label1 = Place<TLabel>(this, 16, 56, 40, 13, "Label1");
    Label1->SetCaption("Address");
    Label2 = Place<TLabel>(this, 24, 24, 28, 13, "Label2");
    Label2->SetCaption("Name");
    NameEdit = Place<TEdit>(this, 64, 16, 161, 21, "NameEdit");
    NameEdit->SetTabOrder(0);
    AddressEdit = Place<TEdit>(this, 64, 48, 161, 21, "AddressEdit");
    AddressEdit->SetTabOrder(1);
    OKButton = Place<TButton>(this, 64, 88, 75, 25, "OKButton");
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->SetTabOrder(2);
    OKButton->OnClick = [this](TObject* Sender) { OKButtonClick(Sender); };
    CancelButton = Place<TButton>(this, 152, 88, 75, 25, "CancelButton");
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetTabOrder(3);
    // Opened to edit: the name, first in the tab order, has the focus.
    SetActiveControl(NameEdit);
}

TMailAddressDlg::~TMailAddressDlg() = default;

void TMailAddressDlg::SetAddress(const TmsMailAddress& Address) {
    FMailAddress->Assign(&Address);
    NameEdit->SetText(FMailAddress->Name);
    AddressEdit->SetText(FMailAddress->Address);
}

void TMailAddressDlg::OKButtonClick(TObject* /*Sender*/) {
    FMailAddress->Name = NameEdit->Text().substr(0, MaxFieldLength);
    FMailAddress->Address = AddressEdit->Text().substr(0, MaxFieldLength);
}

}  // namespace vex

#include "platform/ui/dialogform.h"

#include "platform/gfx/bitmap.h"

namespace vex {

namespace {

struct TButtonKind {
    const char* Caption;
    const char* Name;
    TModalResult Result;
};

// In the order of TMsgDlgBtn.
constexpr TButtonKind kButtons[] = {
    {"&Yes", "Yes", mrYes},
    {"&No", "No", mrNo},
    {"OK", "OK", mrOk},
    {"Cancel", "Cancel", mrCancel},
    {"&Abort", "Abort", mrAbort},
    {"&Retry", "Retry", mrRetry},
    {"&Ignore", "Ignore", mrIgnore},
    {"&All", "All", mrAll},
    {"N&o to All", "NoToAll", mrNoToAll},
    {"Yes to &All", "YesToAll", mrYesToAll},
    {"&Help", "Help", mrNone},
};

}  // namespace

TDialogUnits DialogUnitsOf(const TFont& Font) {
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    TBitmap measuring;
    TCanvas& canvas = measuring.Canvas();
    canvas.Font().Assign(&Font);
    const int32_t width = canvas.TextWidth(alphabet);
    return TDialogUnits{(width / 26 + 1) / 2, canvas.TextHeight(alphabet)};
}

std::unique_ptr<TForm> NewDialogForm(const std::string& Caption) {
    auto dialog = std::make_unique<TForm>(nullptr);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetPosition(poScreenCenter);
    dialog->SetCaption(Caption);
    return dialog;
}

TButton* AddDialogButton(TForm& Dialog, TMsgDlgBtn Button, const TRect& Bounds) {
    const TButtonKind& kind = kButtons[Button];
    auto* button = new TButton(&Dialog);
    button->SetName(kind.Name);
    button->SetCaption(kind.Caption);
    button->SetModalResult(kind.Result);
    button->SetBoundsRect(Bounds);
    button->SetParent(&Dialog);
    return button;
}

}  // namespace vex

#include "platform/ui/messagedialog.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/ui/formplacement.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "platform/win/application.h"

namespace vex {

namespace {

const char* CaptionOf(TMsgDlgType DlgType) {
    switch (DlgType) {
        case mtWarning:
            return "Warning";
        case mtError:
            return "Error";
        case mtInformation:
            return "Information";
        case mtConfirmation:
            return "Confirmation";
        case mtCustom:
            break;
    }
    return nullptr;
}

TMsgDlgBtn DefaultOf(TMsgDlgButtons Buttons) {
    if (Buttons.Contains(mbOK)) return mbOK;
    return Buttons.Contains(mbYes) ? mbYes : mbRetry;
}

TMsgDlgBtn CancelOf(TMsgDlgButtons Buttons) {
    if (Buttons.Contains(mbCancel)) return mbCancel;
    return Buttons.Contains(mbNo) ? mbNo : mbOK;
}

}  // namespace

TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    const char* caption = CaptionOf(DlgType);
    std::unique_ptr<TForm> dialog =
        NewDialogForm(caption != nullptr ? caption : Application().Title());
    const TDialogUnits du = DialogUnitsOf(dialog->Font());
    const int32_t margin = du.Horz(8);
    const int32_t vertMargin = du.Vert(8);
    const int32_t spacing = du.Horz(10);
    const int32_t buttonWidth = du.Horz(50);
    const int32_t buttonHeight = du.Vert(14);
    const int32_t buttonSpacing = du.Horz(4);

    int32_t textLeft = margin;
    int32_t iconHeight = 0;
    if (DlgType != mtCustom) {
        auto* icon = new TDialogIcon(dialog.get(), DlgType);
        icon->SetName("Image");
        icon->SetBounds(margin, vertMargin, TDialogIcon::Size, TDialogIcon::Size);
        icon->SetParent(dialog.get());
        textLeft += TDialogIcon::Size + spacing;
        iconHeight = TDialogIcon::Size;
    }
    auto* message = new TLabel(dialog.get());
    message->SetName("Message");
    message->SetWordWrap(true);
    message->SetBounds(textLeft, vertMargin, Screen().Width() / 2, 0);
    message->SetCaption(Msg);
    message->SetAutoSize(true);
    message->SetParent(dialog.get());
    // A text too long or too wide for the screen is cut, so that the dialog and its buttons
    // stay on it.
    const TRect work = Screen().WorkAreaRect();
    const int32_t maxTextWidth =
        work.Right - work.Left - (dialog->Width() - dialog->ClientWidth()) - textLeft - margin;
    const int32_t maxTextHeight = work.Bottom - work.Top -
                                  (dialog->Height() - dialog->ClientHeight()) - 2 * vertMargin -
                                  du.Vert(10) - buttonHeight;
    if (message->Width() > maxTextWidth || message->Height() > maxTextHeight) {
        message->SetAutoSize(false);
        message->SetBounds(textLeft, vertMargin, std::min(message->Width(), maxTextWidth),
                           std::min(message->Height(), maxTextHeight));
    }

    std::vector<TMsgDlgBtn> shown;
    for (int b = mbYes; b <= mbHelp; ++b)
        if (Buttons.Contains(static_cast<TMsgDlgBtn>(b)))
            shown.push_back(static_cast<TMsgDlgBtn>(b));
    const auto count = static_cast<int32_t>(shown.size());
    const int32_t rowWidth = count * buttonWidth + std::max(count - 1, 0) * buttonSpacing;
    const int32_t clientWidth = std::max(textLeft + message->Width(), rowWidth + margin) + margin;
    const int32_t rowTop = vertMargin + std::max(iconHeight, message->Height()) + du.Vert(10);
    dialog->SetClientWidth(clientWidth);
    dialog->SetClientHeight(rowTop + buttonHeight + vertMargin);

    int32_t x = (clientWidth - rowWidth) / 2;
    for (TMsgDlgBtn b : shown) {
        TButton* button =
            AddDialogButton(*dialog, b, Rect(x, rowTop, x + buttonWidth, rowTop + buttonHeight));
        button->SetDefault(b == DefaultOf(Buttons));
        button->SetCancel(b == CancelOf(Buttons));
        x += buttonWidth + buttonSpacing;
    }
    return dialog.release();
}

int32_t MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   int32_t HelpCtx) {
    return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

int32_t MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      int32_t HelpCtx, int32_t X, int32_t Y) {
    const std::unique_ptr<TForm> dialog(CreateMessageDialog(Msg, DlgType, Buttons));
    dialog->SetHelpContext(HelpCtx);
    if (X >= 0 || Y >= 0) {
        // A corner given on one axis only keeps the centred one on the other.
        const TRect centred =
            PlaceForm(poScreenCenter, dialog->BoundsRect(), ScreenPlacementSpace());
        dialog->SetPosition(poDesigned);
        dialog->SetLeft(X >= 0 ? X : centred.Left);
        dialog->SetTop(Y >= 0 ? Y : centred.Top);
    }
    return dialog->ShowModal();
}

}  // namespace vex

#include "platform/ui/fontdialog.h"

#include "platform/ui/fontdialogform.h"
#include "platform/ui/form.h"
#include "platform/ui/printerfonts.h"
#include "platform/win/modaldriver.h"
#include "platform/win/presenter.h"

namespace vex {

TFontDialog::TFontDialog(TComponent* AOwner) : TComponent(AOwner) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
    // No one could choose, and the run would wait for ever: the answer is Cancel's, as a
    // message box's without a screen is its first button.
    if (Presenter().Headless() && TModalScript::Current() == nullptr) return false;
    const std::vector<TFontFace> screen = ScreenFontFaces();
    // The printer is asked only when its fonts are offered.
    const bool printer = FDevice != fdScreen || FOptions.Contains(fdWysiwyg);
    const std::vector<TFontFace> printed = printer ? PrinterFontFaces() : std::vector<TFontFace>{};
    TFontChoice choice{FFont.get(), FontDialogFamilies(screen, printed, FDevice, FOptions),
                       FMinFontSize, FMaxFontSize};
    TFontForm form(choice);
    TFont chosen;
    chosen.Assign(FFont.get());
    if (!form.Run(chosen)) return false;
    const std::vector<TFontFace>& faces = FDevice == fdPrinter ? printed : screen;
    chosen.SetCharset(CharsetOfFace(faces, chosen.Name(), chosen.Charset()));
    FFont->Assign(&chosen);
    return true;
}

}  // namespace vex

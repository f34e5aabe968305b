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
    // Where the chosen family's character set is looked up: a family of the printer alone has
    // only the printer's.
    std::vector<TFontFace> faces = FDevice == fdPrinter ? printed : screen;
    if (FDevice == fdBoth) faces.insert(faces.end(), printed.begin(), printed.end());
    // A handler run meanwhile may free the dialog: the run works on copies of its fields.
    TFont start;
    start.Assign(FFont.get());
    const TFontChoice choice{&start, FontDialogFamilies(screen, printed, FDevice, FOptions),
                             FMinFontSize, FMaxFontSize};
    TFontForm form(choice);
    TFont chosen;
    chosen.Assign(&start);
    const std::weak_ptr<const void> life = FLife.Weak();
    if (!form.Run(chosen) || life.expired()) return false;
    chosen.SetCharset(CharsetOfFace(faces, chosen.Name(), chosen.Charset()));
    FFont->Assign(&chosen);
    return true;
}

}  // namespace vex

#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/component.h"
#include "platform/gfx/font.h"
#include "platform/ui/fontchoices.h"
#include "platform/win/lifetoken.h"

namespace vex {

// The font dialog: a modal choice of family, style (regular, italic, bold, bold italic) and
// size in points, with a sample of the choice. Execute shows Font and, on OK, puts the choice
// into it (the character set of the face chosen with it); underline, strike-out and colour
// stay as they were. Without a display or a script the run ends at once and answers false.
// The form's parts are named "FaceName", "Faces", "StyleName", "Styles", "SizeText", "Sizes",
// "Sample", "OK" and "Cancel".
class TFontDialog : public TComponent {
    VEX_CLASS(TFontDialog, TComponent)

public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;

    TFont& Font() { return *FFont; }
    void SetFont(const TFont& Value) { FFont->Assign(&Value); }
    TFontDialogDevice Device() const { return FDevice; }
    void SetDevice(TFontDialogDevice Value) { FDevice = Value; }
    TFontDialogOptions Options() const { return FOptions; }
    void SetOptions(TFontDialogOptions Value) { FOptions = Value; }
    // The sizes in points the dialog takes; 0 for no limit.
    int32_t MinFontSize() const { return FMinFontSize; }
    void SetMinFontSize(int32_t Value) { FMinFontSize = Value; }
    int32_t MaxFontSize() const { return FMaxFontSize; }
    void SetMaxFontSize(int32_t Value) { FMaxFontSize = Value; }

    bool Execute();

private:
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    TFontDialogDevice FDevice = fdScreen;
    TFontDialogOptions FOptions;
    int32_t FMinFontSize = 0;
    int32_t FMaxFontSize = 0;
    TLifeToken FLife;
};

}  // namespace vex

#include <cstdint>
#include <limits>

#include "dataaware/intl/Wwintl.h"
#include "platform/core/exceptions.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/screen.h"

namespace vex {

namespace {

// Pixels at the screen's resolution for a length laid out at 96 dots per inch, in the integer
// arithmetic the library always used: a product beyond an Integer is an overflow, not a wrap.
int32_t ScaledToScreen(int32_t Pixels) {
    const int64_t product = int64_t{Screen().PixelsPerInch()} * Pixels;
    if (product > std::numeric_limits<int32_t>::max() ||
        product < std::numeric_limits<int32_t>::min())
        throw EIntOverflow("Integer overflow");
    return static_cast<int32_t>(product / 96);
}

// The texts in force: the global ones, or the defaults once the program's instance is gone.
const TwwIntl& Texts() {
    if (wwGlobalIntl != nullptr) return *wwGlobalIntl;
    static const TwwIntl defaults(nullptr);
    return defaults;
}

}  // namespace

TButton* wwCreateDialogButton(TWinControl* Parent, TBitBtnKind Kind) {
    const TwwIntl& texts = Texts();
    const bool bitmapped = texts.OKCancelBitmapped();
    // Scaled before the button is made, so that an overflow leaves nothing on Parent.
    const int32_t width = ScaledToScreen(77);
    const int32_t height = ScaledToScreen(bitmapped ? 27 : 24);
    TButton* button = bitmapped ? new TBitBtn(Parent) : new TButton(Parent);
    button->SetParent(Parent);
    button->SetVisible(false);
    button->SetWidth(width);
    button->SetHeight(height);
    if (auto* bitBtn = dynamic_cast<TBitBtn*>(button)) {
        bitBtn->SetMargin(2);
        bitBtn->SetKind(Kind);
        bitBtn->SetLayout(blGlyphLeft);
        bitBtn->SetNumGlyphs(2);
        bitBtn->SetSpacing(-1);
        bitBtn->Font().SetColor(clWindowText);
        bitBtn->Font().SetHeight(-11);
        bitBtn->Font().SetName("MS Sans Serif");
        bitBtn->Font().SetStyle(texts.DialogFontStyle());
    }
    switch (Kind) {
        case bkOK:
            button->SetCaption(texts.BtnOKCaption());
            button->SetModalResult(mrOk);
            break;
        case bkCancel:
            button->SetCaption(texts.BtnCancelCaption());
            button->SetModalResult(mrCancel);
            button->SetCancel(true);
            break;
        case bkHelp:
            button->SetCaption("Help");
            break;
        default:
            break;
    }
    return button;
}

}  // namespace vex

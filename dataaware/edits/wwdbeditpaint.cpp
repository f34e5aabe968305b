#include "dataaware/data/Wwcommon.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/data/datalinks.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"

namespace vex {

int32_t TwwDBCustomEdit::ButtonLeft() const {
    return ClientWidth();
}

TRect TwwDBCustomEdit::GetClientEditRect() const {
    TRect rect = ClientRect();
    rect.Right -= ButtonWidth();
    return rect;
}

std::string TwwDBCustomEdit::GetDisplayText() {
    return EditText();
}

bool TwwDBCustomEdit::FitsOneLine() {
    // Measured off-screen: the answer decides the window's styles, before it has a window.
    TBitmap measure;
    measure.Canvas().Font().Assign(&Font());
    return wwFitsOneLine(&measure.Canvas(), GetClientEditRect(), DT_SINGLELINE | DT_NOPREFIX);
}

bool TwwDBCustomEdit::SelfPaints() {
    // An unfocused editor of the grid shows the value as the grid's cells do.
    const bool unfocusedInGrid = wwInGrid(this) && !Focused();
    return !((FAlignment == taLeftJustify || Focused()) && IsTextEditable() && !unfocusedInGrid);
}

void TwwDBCustomEdit::Paint() {
    if (!SelfPaints()) {
        TwwCustomMaskEdit::Paint();
        return;
    }
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    TRect rect = GetClientEditRect();
    rect.Left += 1;
    rect.Top += 1;
    rect.Right -= 1;
    rect.Bottom -= 1;
    DrawDisplayText(canvas, rect);
}

void TwwDBCustomEdit::DrawDisplayText(TCanvas& Canvas, const TRect& Rect) {
    std::string text = GetDisplayText();
    if (PasswordChar() != 0) text.assign(text.size(), PasswordChar());
    int32_t margin = 1;
    if (wwInGrid(this)) margin = BorderStyle() == bsSingle ? 3 : 2;
    const int32_t width = Canvas.TextWidth(text);
    int32_t x = margin + 1;
    if (FAlignment == taRightJustify)
        x = Rect.Right - width - margin - 1;
    else if (FAlignment == taCenter)
        x = (Rect.Left + Rect.Right - width) / 2;
    Canvas.TextRect(Rect, x, FormattingRect().Top, text);
}

}  // namespace vex

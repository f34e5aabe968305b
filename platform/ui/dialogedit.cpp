#include "platform/ui/dialogedit.h"

#include <algorithm>
#include <string>

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

// What the dialog manager asks a control for the keys it wants: the characters typed.
constexpr LRESULT kWantChars = 0x0080;

constexpr int32_t kTextMargin = 4;

}  // namespace

TDialogEdit::TDialogEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 121, 21);
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
}

void TDialogEdit::TypeChar(char Char) {
    std::string text = Text();
    if (Char == VK_BACK) {
        if (text.empty()) return;
        text.pop_back();
    } else if (static_cast<unsigned char>(Char) >= ' ' && Char != 127) {
        if (text.size() >= MaxLength) return;
        text += Char;
    } else {
        return;
    }
    SetText(text);
    Invalidate();
}

void TDialogEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR:
            TypeChar(static_cast<char>(Message.WParam));
            return;
        case WM_GETDLGCODE:
            Message.Result = kWantChars;
            return;
        default:
            TCustomControl::WndProc(Message);
    }
}

void TDialogEdit::Paint() {
    TCanvas& canvas = Canvas();
    TRect box = ClientRect();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(box);
    DrawEdge(canvas.Handle(), box, EDGE_SUNKEN, BF_RECT);
    canvas.Font().Assign(&Font());
    SetBkMode(canvas.Handle(), TRANSPARENT);
    const std::string text = Text();
    // A text wider than the field shows its end, where typing goes on, with the caret after it.
    const int32_t room = Width() - 2 * kTextMargin - 1;
    const int32_t shift = std::max(canvas.TextWidth(text) - room, 0);
    const TSavedDC saved(canvas.Handle());
    IntersectClipRect(canvas.Handle(), kTextMargin, 0, Width() - kTextMargin, Height());
    TRect line = Rect(kTextMargin - shift, 0, Width() - kTextMargin, Height());
    DrawText(canvas.Handle(), text, line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const int32_t caret = kTextMargin - shift + canvas.TextWidth(text);
    const int32_t height = canvas.TextHeight("Ag");
    const int32_t top = (Height() - height) / 2;
    canvas.Pen().SetColor(clWindowText);
    canvas.MoveTo(caret, top);
    canvas.LineTo(caret, top + height);
}

}  // namespace vex

#include "platform/ui/bitbtn.h"

#include "platform/ui/form.h"

namespace vex {

namespace {

struct TKindTraits {
    const char* Caption;
    TModalResult Result;
};

const TKindTraits kKinds[] = {
    {"", mrNone},        {"&Help", mrNone},   {"OK", mrOk},          {"Cancel", mrCancel},
    {"&Abort", mrAbort}, {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&Yes", mrYes},
    {"&No", mrNo},       {"&Close", mrNone},  {"&All", mrAll},
};

}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

void TBitBtn::SetKind(TBitBtnKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    if (Value != bkCustom) {
        SetDefault(Value == bkOK || Value == bkYes);
        SetCancel(Value == bkCancel || Value == bkNo);
        SetModalResult(kKinds[Value].Result);
        SetCaption(kKinds[Value].Caption);
    }
    if (!FOwnGlyph) {
        TBitmap glyph;
        LoadKindGlyph(Value, glyph);
        FGlyph.SetGlyph(glyph);
    }
    Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap& Value) {
    FGlyph.SetGlyph(Value);
    FOwnGlyph = !Value.Empty();
    Invalidate();
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
    FGlyph.SetNumGlyphs(Value);
    Invalidate();
}

void TBitBtn::SetMargin(int32_t Value) {
    if (FGlyph.SetMargin(Value)) Invalidate();
}

void TBitBtn::SetSpacing(int32_t Value) {
    if (FGlyph.SetSpacing(Value)) Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
    if (FGlyph.SetLayout(Value)) Invalidate();
}

void TBitBtn::Click() {
    const std::weak_ptr<const void> life = LifeToken();
    if (FKind == bkClose)
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            if (life.expired()) return;
        }
    TButton::Click();
}

void TBitBtn::PaintContent(TCanvas& Canvas, const TRect& Face, bool IsPressed) {
    const TButtonState state = !Enabled() ? bsDisabled : IsPressed ? bsDown : bsUp;
    FGlyph.Draw(Canvas, Face, IsPressed ? Point(1, 1) : Point(0, 0), Caption(), state);
}

}  // namespace vex

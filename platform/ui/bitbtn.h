#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/buttonglyph.h"

namespace vex {

// The ready-made kinds of a button with a glyph, each with its glyph, caption and result.
enum TBitBtnKind {
    bkCustom,
    bkHelp,
    bkOK,
    bkCancel,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkYes,
    bkNo,
    bkClose,
    bkAll
};

// The glyph of a kind (empty for bkCustom): one look, transparent where its bottom-left
// pixel's colour is.
void LoadKindGlyph(TBitBtnKind Kind, TBitmap& Glyph);

// A push button with a glyph beside its caption. A Kind other than bkCustom gives the button
// that kind's glyph (until a glyph of its own is set), caption, ModalResult, and makes the OK
// and Yes kinds default buttons and the Cancel and No kinds cancel buttons. A Close button
// closes its form.
class TBitBtn : public TButton {
    VEX_CLASS(TBitBtn, TButton)

public:
    explicit TBitBtn(TComponent* AOwner);

    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind Value);
    const TBitmap& Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const TBitmap& Value);
    TNumGlyphs NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value);
    // The space between the glyph and the edge it faces; -1 centres glyph and caption.
    int32_t Margin() const { return FGlyph.Margin(); }
    void SetMargin(int32_t Value);
    // The space between glyph and caption; -1 shares the room left evenly.
    int32_t Spacing() const { return FGlyph.Spacing(); }
    void SetSpacing(int32_t Value);
    TButtonLayout Layout() const { return FGlyph.Layout(); }
    void SetLayout(TButtonLayout Value);

    void Click() override;

protected:
    void PaintContent(TCanvas& Canvas, const TRect& Face, bool IsPressed) override;

private:
    TButtonGlyph FGlyph;
    TBitBtnKind FKind = bkCustom;
    bool FOwnGlyph = false;
};

}  // namespace vex

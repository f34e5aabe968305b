// Push buttons, buttons with glyphs, tool buttons, check boxes, panels, bevels and group boxes.

#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/ui/bevel.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/panel.h"
#include "platform/ui/speedbutton.h"

namespace gallery {

using namespace vex;

int Buttons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Buttons and check boxes");
    box->SetColor(clBtnFace);
    auto* ok = Add<TButton>(box, Rect(8, 8, 83, 33));
    ok->SetCaption("&Default");
    ok->SetDefault(true);
    Add<TButton>(box, Rect(90, 8, 165, 33))->SetCaption("&Plain");
    auto* off = Add<TButton>(box, Rect(172, 8, 247, 33));
    off->SetCaption("Disabled");
    off->SetEnabled(false);
    const TBitBtnKind kinds[] = {bkOK, bkCancel, bkHelp};
    for (int i = 0; i < 3; ++i)
        Add<TBitBtn>(box, Rect(8 + i * 82, 40, 83 + i * 82, 65))->SetKind(kinds[i]);
    auto* top = Add<TBitBtn>(box, Rect(8, 72, 83, 112));
    top->SetKind(bkRetry);
    top->SetLayout(blGlyphTop);
    auto* right = Add<TBitBtn>(box, Rect(90, 72, 165, 112));
    right->SetKind(bkIgnore);
    right->SetLayout(blGlyphRight);
    const struct {
        const char* Caption;
        TCheckBoxState State;
        TAlignment Alignment;
    } checks[] = {{"&Checked", cbChecked, taRightJustify},
                  {"Grayed", cbGrayed, taRightJustify},
                  {"Left text", cbUnchecked, taLeftJustify}};
    for (int i = 0; i < 3; ++i) {
        auto* check = Add<TCheckBox>(box, Rect(172, 72 + i * 20, 290, 89 + i * 20));
        check->SetCaption(checks[i].Caption);
        check->SetAllowGrayed(true);
        check->SetState(checks[i].State);
        check->SetAlignment(checks[i].Alignment);
    }
    return box->BoundsRect().Bottom;
}

int SpeedButtons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 76, "Tool buttons (a group, flat ones)");
    box->SetColor(clBtnFace);
    const TBitBtnKind kinds[] = {bkOK, bkNo, bkHelp, bkRetry};
    for (int i = 0; i < 4; ++i) {
        TBitmap glyph;
        LoadKindGlyph(kinds[i], glyph);
        auto* group = Add<TSpeedButton>(box, Rect(8 + i * 25, 8, 31 + i * 25, 30));
        group->SetGlyph(glyph);
        group->SetGroupIndex(1);
        group->SetDown(i == 1);
        auto* flat = Add<TSpeedButton>(box, Rect(120 + i * 25, 8, 143 + i * 25, 30));
        flat->SetGlyph(glyph);
        flat->SetFlat(true);
    }
    auto* captioned = Add<TSpeedButton>(box, Rect(8, 38, 108, 66));
    TBitmap glyph;
    LoadKindGlyph(bkAll, glyph);
    captioned->SetGlyph(glyph);
    captioned->SetCaption("Select all");
    auto* off = Add<TSpeedButton>(box, Rect(120, 38, 220, 66));
    off->SetGlyph(glyph);
    off->SetCaption("Disabled");
    off->SetEnabled(false);
    return box->BoundsRect().Bottom;
}

int Panels(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Panels, bevels, group boxes");
    box->SetColor(clBtnFace);
    auto* raised = Add<TPanel>(box, Rect(8, 8, 140, 44));
    raised->SetCaption("Raised, inner lowered");
    raised->SetBevelInner(bvLowered);
    raised->SetBorderWidth(2);
    auto* lowered = Add<TPanel>(box, Rect(148, 8, 290, 44));
    lowered->SetCaption("Lowered, left");
    lowered->SetBevelOuter(bvLowered);
    lowered->SetAlignment(taLeftJustify);
    auto* group = Add<TGroupBox>(box, Rect(8, 52, 140, 140));
    group->SetCaption("&Options");
    auto* check = Add<TCheckBox>(group, Rect(8, 20, 120, 37));
    check->SetCaption("Inside a group");
    Add<TButton>(group, Rect(8, 48, 83, 73))->SetCaption("Button");
    const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine, bsLeftLine};
    for (int i = 0; i < 4; ++i) {
        Add<TBevel>(box, Rect(148 + i * 36, 56, 178 + i * 36, 92))->SetShape(shapes[i]);
        auto* raisedBevel = Add<TBevel>(box, Rect(148 + i * 36, 100, 178 + i * 36, 136));
        raisedBevel->SetShape(shapes[i]);
        raisedBevel->SetStyle(bsRaised);
    }
    return box->BoundsRect().Bottom;
}

}  // namespace gallery

// The menus: the gallery form's own main menu, a panel whose right click opens a popup menu,
// and a popup menu drawn as it looks open.

#include <string>

#include "examples/gallery/groups.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/mainmenu.h"
#include "platform/ui/menupainting.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/screen.h"

namespace gallery {

namespace {

using namespace vex;

TMenuItem* AddItem(TMenuItem* Parent, const std::string& Caption, TLabel* Chosen = nullptr) {
    auto* item = new TMenuItem(Parent);
    item->SetCaption(Caption);
    if (Chosen != nullptr)
        item->OnClick = [Chosen, item](TObject*) {
            Chosen->SetCaption("Chosen: " + StripHotkey(item->Caption()));
        };
    Parent->Add(item);
    return item;
}

// The items every menu of the gallery shows: a check, a radio group in a sub-menu, a disabled
// item, a shortcut, a default item and lines.
void AddViewItems(TMenuItem* View, TLabel* Chosen) {
    AddItem(View, "&Toolbar", Chosen)->SetChecked(true);
    AddItem(View, "&Status bar", Chosen);
    AddItem(View, "-");
    TMenuItem* zoom = AddItem(View, "&Zoom");
    for (const char* size : {"&50 %", "&100 %", "&200 %"}) {
        TMenuItem* item = AddItem(zoom, size, Chosen);
        item->SetRadioItem(true);
    }
    zoom->Items(1)->SetChecked(true);
    AddItem(View, "&Refresh", Chosen)->SetShortCut(TextToShortCut("F5"));
    AddItem(View, "&Full screen", Chosen)->SetEnabled(false);
}

// A popup menu drawn as it shows when open, its third item highlighted.
class TOpenMenuPicture : public TGraphicControl {
public:
    TOpenMenuPicture(TComponent* AOwner, TMenuItem& Items)
        : TGraphicControl(AOwner), FItems(Items) {}

protected:
    void Paint() override {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(ClientRect());
        canvas.Font().Assign(&Screen().MenuFont());
        const TMenuLayout layout = LayOutMenu(canvas, FItems);
        PaintMenu(canvas, layout, 3);
    }

private:
    TMenuItem& FItems;
};

}  // namespace

int Menus(vex::TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 200, "Menus (menu bar above, right-click)");
    TLabel* chosen = AddLabel(box, Rect(8, 176, 290, 194), "Chosen: nothing yet");

    auto* bar = new TMainMenu(Form);
    TMenuItem* file = AddItem(bar->Items(), "&File");
    AddItem(file, "&New", chosen)->SetShortCut(TextToShortCut("Ctrl+N"));
    AddItem(file, "&Open...", chosen)->SetDefault(true);
    AddItem(file, "&Save", chosen)->SetShortCut(TextToShortCut("Ctrl+S"));
    AddItem(file, "-");
    AddItem(file, "E&xit", chosen);
    AddViewItems(AddItem(bar->Items(), "&View"), chosen);
    AddItem(bar->Items(), "&About", chosen);
    Form->SetMenu(bar);

    auto* area = Add<TFramedPanel>(box, Rect(8, 8, 110, 168), fsLowered);
    area->SetColor(clWindow);
    AddLabel(area, Rect(6, 60, 96, 96), "Right-click here")->SetWordWrap(true);
    auto* popup = new TPopupMenu(Form);
    AddItem(popup->Items(), "&Cut", chosen)->SetShortCut(TextToShortCut("Ctrl+X"));
    AddItem(popup->Items(), "C&opy", chosen)->SetShortCut(TextToShortCut("Ctrl+C"));
    AddItem(popup->Items(), "&Paste", chosen)->SetEnabled(false);
    AddItem(popup->Items(), "-");
    AddViewItems(AddItem(popup->Items(), "&View"), chosen);
    AddItem(popup->Items(), "&Help", chosen)->SetBreak(mbBarBreak);
    AddItem(popup->Items(), "&Index", chosen);
    area->SetPopupMenu(popup);

    TMenuItem* view = popup->Items()->Items(4);
    Add<TOpenMenuPicture>(box, Rect(118, 8, 292, 168), *view);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery

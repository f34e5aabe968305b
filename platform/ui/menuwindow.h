#pragma once

#include <cstdint>

#include "platform/ui/graphiccontrol.h"
#include "platform/ui/menupainting.h"

namespace vex {

class TMenuItem;

// The window one open level of a menu shows in: the sub-items of one item, over every other
// window, never active (the keys stay with the window that had them, and the menu's loop takes
// them there). It only shows; the loop decides what is selected and chosen.
class TMenuWindow : public TCustomControl {
    VEX_CLASS(TMenuWindow, TCustomControl)

public:
    explicit TMenuWindow(TMenuItem& ParentItem);

    TMenuItem& ParentItem() const { return FParentItem; }
    const TMenuLayout& Layout() const { return FLayout; }

    // Index into Layout().Places; -1 for none. The application's hint becomes the selected
    // item's.
    int32_t Selected() const { return FSelected; }
    void SetSelected(int32_t Value);
    // The item shown at a place (an index into Layout().Places).
    TMenuItem& ItemAt(int32_t Place) const {
        return *FLayout.Places.at(static_cast<size_t>(Place)).Item;
    }
    // The place at a point of the screen; -1 for none.
    int32_t PlaceAt(TPoint Screen) const;
    // The place of Item; -1 when it is not shown here.
    int32_t PlaceOf(const TMenuItem* Item) const;
    // The next place a key moves to from the selected one (Step +1 or -1, round the ends),
    // skipping lines; -1 when there is none.
    int32_t NextSelectable(int32_t Step) const;

    // Lays the items out and shows the window with its top-left corner at the screen point, moved
    // so that it stays on the screen: to the other side of Flip (a screen rectangle the menu
    // cascades from, or a bar title it drops from) when it would overhang.
    void Popup(TPoint At, const TRect& Flip, bool Cascade);
    // The item's place on the screen.
    TRect ScreenBoundsOf(int32_t Place) const;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    TMenuItem& FParentItem;
    TMenuLayout FLayout;
    int32_t FSelected = -1;
};

}  // namespace vex

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

class TMenu;
class TMenuItem;
class TMenuWindow;

// What a menu bar lends the loop of its menu: its titles on the screen and its highlight.
struct TMenuBarSite {
    HWND Window = 0;  // the bar's window, which holds the mouse while no drop-down is open
    // The visible title under a screen point: an index into the root's items; -1 for none.
    std::function<int32_t(TPoint Screen)> TitleAt;
    // A title's rectangle on the screen.
    std::function<TRect(int32_t Title)> TitleBounds;
    // The title shown selected; -1 for none.
    std::function<void(int32_t Title)> Highlight;
    // The menu is no longer the bar of the window it opened on: it closes, nothing chosen.
    std::function<bool()> Detached;
};

// The loop of an open menu, through the modal driver. It holds the mouse and takes every key
// and mouse message while it runs: arrows, Home and End move, Right and Left open and close
// sub-menus (or go to the next title of a bar), Enter chooses, Escape closes a level, a letter
// picks the item it is the accelerator of; the pointer highlights, a release chooses, a press
// outside closes the menu and goes no further. It ends when an item is chosen, the menu is
// closed, a WM_QUIT comes, the mouse is taken away, or the menu or its items go away (or a bar's
// menu leaves its window) meanwhile.
class TMenuTracker {
public:
    // Bar: nil for a popup menu.
    TMenuTracker(TMenu& Menu, const TMenuBarSite* Bar);
    ~TMenuTracker();
    TMenuTracker(const TMenuTracker&) = delete;
    TMenuTracker& operator=(const TMenuTracker&) = delete;

    // Opens Root's items at the screen point and runs until the menu closes. The chosen item,
    // nil when none was.
    TMenuItem* TrackPopup(TMenuItem& Root, TPoint At);
    // Selects a title of the bar, drops it down when DropDown says so (with its first item
    // selected when SelectFirst does), and runs until the menu closes. A chosen title without
    // sub-items is returned as a chosen item.
    TMenuItem* TrackBar(int32_t Title, bool DropDown, bool SelectFirst);

private:
    TMenuItem* Run();
    bool Inspect(MSG& Msg);
    // False for a key the menu has no use for.
    bool KeyDown(WPARAM Key);
    void Accelerator(char Key);
    void MouseMove(TPoint Screen);
    void MousePress(TPoint Screen);
    void MouseRelease(TPoint Screen);

    // The innermost open level; nil with none open (a bar with no drop-down).
    TMenuWindow* Deepest() const;
    // The level under a screen point, from the innermost out; -1 for none.
    int32_t LevelAt(TPoint Screen) const;
    void OpenLevel(TMenuItem& Parent, TPoint At, const TRect& Flip, bool Cascade);
    // Opens the sub-menu of the item selected in the innermost level.
    void OpenSubMenu(bool SelectFirst);
    void CloseLevelsFrom(size_t Level);
    // Takes the bar to another title, its drop-down open when one was.
    void SelectTitle(int32_t Title, bool DropDown, bool SelectFirst);
    void DropDownTitle(bool SelectFirst);
    // The item is chosen when it can be; a sub-menu opens instead.
    void Activate(TMenuItem& Item, bool SelectFirst);
    // A title's own command: its drop-down opens, its first item selected, or a title without
    // sub-items is chosen when it is enabled.
    void OpenOrChooseTitle(TMenuItem& Title);
    void Finish(TMenuItem* Chosen);
    TMenuItem* TitleItem(int32_t Title) const;
    int32_t TitleCount() const;

    TMenu& FMenu;
    // Taken before the first level is laid out: its measuring may free the menu or its items.
    const std::weak_ptr<const void> FLife;
    const uint64_t FVersion;
    const TMenuBarSite* FBar;
    TMenuItem* FRoot = nullptr;
    std::vector<std::unique_ptr<TMenuWindow>> FLevels;
    int32_t FTitle = -1;
    bool FDone = false;
    TMenuItem* FChosen = nullptr;
};

}  // namespace vex

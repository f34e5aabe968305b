#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/exceptions.h"
#include "platform/core/geometry.h"
#include "platform/ui/shortcut.h"

namespace vex {

class TCanvas;
class TMenu;

// A menu built wrongly: an item put in two places, an index beyond the items.
VEX_EXCEPTION(EMenuError, Exception);

// Where an item starts: in the column of the one before, at the top of a new column, or at the
// top of a new column with a line between the two.
enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

using TMenuMeasureItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int32_t& Width, int32_t& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;

// One command of a menu, or a line (caption "-"), or, with items of its own, a sub-menu. An item
// frees its sub-items with itself and leaves its parent when freed; Delete and Remove only take
// an item out, so that the caller (or the item's owner) frees it.
class TMenuItem : public TComponent {
    VEX_CLASS(TMenuItem, TComponent)

public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    // "&" marks the accelerator letter ("&&" is an ampersand); "-" makes the item a line.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool IsLine() const { return FCaption == "-"; }

    // A checked radio item unchecks the other radio items of its group among its siblings.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    uint8_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(uint8_t Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Shown in bold: the command a double click would choose.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    TMenuBreak Break() const { return FBreak; }
    void SetBreak(TMenuBreak Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    // The number WM_COMMAND carries for this item, unique in the process while the item lives.
    uint16_t Command() const { return FCommand; }

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    // Raises EMenuError for an index beyond the items.
    TMenuItem* Items(int32_t Index) const;
    // The item must be in no menu yet (EMenuError "Menu inserted twice" otherwise).
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    void Insert(int32_t Index, TMenuItem* Item);
    void Delete(int32_t Index);
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    int32_t IndexOf(const TMenuItem* Item) const;
    TMenuItem* Parent() const { return FParent; }
    // The menu whose tree the item is in; nil while it is in none.
    TMenu* GetParentMenu() const;
    // The sub-item whose caption, without its "&", matches ACaption (case ignored); nil if none.
    TMenuItem* Find(const std::string& ACaption) const;

    // Fires OnClick.
    virtual void Click();

    TNotifyEvent OnClick;
    // Owner drawing: the size the item takes (the standard size on entry) and its painting
    // (the canvas holds the menu font and the item's colours).
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

private:
    friend class TMenu;

    // Tells the menu the item is in that it has to be shown again.
    void Changed();
    // The same, for items that came or went.
    void StructureChanged();

    std::string FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    uint8_t FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    TMenuBreak FBreak = mbNone;
    TShortCut FShortCut = 0;
    std::string FHint;
    uint16_t FCommand;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on the root item of a menu only
};

// True for an item the user can move to with the keys and the mouse: visible and no line.
bool IsSelectable(const TMenuItem& Item);
// The item has visible sub-items, so choosing it opens a sub-menu.
bool HasSubMenu(const TMenuItem& Item);
// The caption without its accelerator marks ("&&" stays one ampersand).
std::string StripHotkey(const std::string& Caption);
// The accelerator letter of a caption, upper case; 0 when it has none.
char GetHotkey(const std::string& Caption);
// How wide Text is in the screen's menu font, its "&" marks left out.
int32_t MenuTextWidth(const std::string& Text);

// A tree of items under one root item, which the menu owns.
class TMenu : public TComponent {
    VEX_CLASS(TMenu, TComponent)

public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    // The item of the tree with that command number; nil if none.
    TMenuItem* FindItem(uint16_t Command) const;
    // Clicks the item of that command number; false when the tree has none.
    bool DispatchCommand(uint16_t Command);
    // Clicks the enabled, visible item whose shortcut the key makes (searched through the
    // enabled, visible sub-menus); false when none has it.
    bool IsShortCut(uint16_t Key, TShiftState Shift);

    // Expires when the menu is freed: an open menu's loop checks it after every message.
    std::weak_ptr<const void> LifeToken() const { return FLife; }
    // Counts the items put into and taken out of the tree, so that an open menu sees that
    // what it shows has gone.
    uint64_t StructureVersion() const { return FStructureVersion; }

protected:
    friend class TMenuItem;
    // An item of the tree changed its look or its items.
    virtual void MenuChanged(TMenuItem* /*Item*/) {}

private:
    TMenuItem* FItems;
    std::shared_ptr<int> FLife = std::make_shared<int>(0);
    uint64_t FStructureVersion = 0;
};

// While a menu runs its loop (a popup or a main menu's drop-down), the process is in a menu.
bool MenuRunning();
// Marks the process as in a menu for its lifetime; scopes nest.
class TMenuRunningScope {
public:
    TMenuRunningScope();
    ~TMenuRunningScope();
    TMenuRunningScope(const TMenuRunningScope&) = delete;
    TMenuRunningScope& operator=(const TMenuRunningScope&) = delete;
};

}  // namespace vex

#include "platform/ui/menus.h"

#include <algorithm>
#include <unordered_set>

#include "platform/core/stringutils.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/screen.h"

namespace vex {

namespace {

constexpr const char* SMenuReinserted = "Menu inserted twice";
constexpr const char* SMenuIndexError = "Menu index out of range";

// Command numbers in use; 0 is none, so numbering starts at 1 and wraps past 0xFFFF.
std::unordered_set<uint16_t>& UsedCommands() {
    static std::unordered_set<uint16_t> used;
    return used;
}

uint16_t AllocateCommand() {
    static uint16_t next = 0;
    std::unordered_set<uint16_t>& used = UsedCommands();
    if (used.size() >= 0xFFFF) throw EMenuError("Too many menu items");
    do {
        ++next;
    } while (next == 0 || used.count(next) != 0);
    used.insert(next);
    return next;
}

int MenuRunningDepth = 0;

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    if (FParent != nullptr) FParent->Remove(this);
    // Sub-items leave this item as they go.
    while (!FItems.empty())
        delete FItems.back();
    UsedCommands().erase(FCommand);
}

void TMenuItem::Changed() {
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

void TMenuItem::StructureChanged() {
    if (TMenu* menu = GetParentMenu()) ++menu->FStructureVersion;
    Changed();
}

void TMenuItem::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed();
}

void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem && FParent != nullptr)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
                sibling->FChecked = false;
    Changed();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    Changed();
}

void TMenuItem::SetGroupIndex(uint8_t Value) {
    FGroupIndex = Value;
}

void TMenuItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed();
}

void TMenuItem::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed();
}

void TMenuItem::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    Changed();
}

void TMenuItem::SetBreak(TMenuBreak Value) {
    if (FBreak == Value) return;
    FBreak = Value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (FShortCut == Value) return;
    FShortCut = Value;
    Changed();
}

TMenuItem* TMenuItem::Items(int32_t Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError(SMenuIndexError);
    return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Insert(int32_t Index, TMenuItem* Item) {
    if (Item == nullptr) throw EMenuError(SMenuIndexError);
    if (Item->FParent != nullptr || Item->FMenu != nullptr) throw EMenuError(SMenuReinserted);
    for (const TMenuItem* up = this; up != nullptr; up = up->FParent)
        if (up == Item) throw EMenuError(SMenuReinserted);
    if (Index < 0 || Index > Count()) throw EMenuError(SMenuIndexError);
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    StructureChanged();
}

void TMenuItem::Delete(int32_t Index) {
    TMenuItem* item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
    StructureChanged();
}

void TMenuItem::Remove(TMenuItem* Item) {
    const int32_t index = IndexOf(Item);
    if (index < 0) throw EMenuError("Menu item not found");
    Delete(index);
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

int32_t TMenuItem::IndexOf(const TMenuItem* Item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent != nullptr)
        root = root->FParent;
    return root->FMenu;
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
    const std::string wanted = StripHotkey(ACaption);
    for (TMenuItem* item : FItems)
        if (AnsiSameText(StripHotkey(item->FCaption), wanted)) return item;
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

bool IsSelectable(const TMenuItem& Item) {
    return Item.Visible() && !Item.IsLine();
}

bool HasSubMenu(const TMenuItem& Item) {
    for (int32_t i = 0; i < Item.Count(); ++i)
        if (Item.Items(i)->Visible()) return true;
    return false;
}

std::string StripHotkey(const std::string& Caption) {
    std::string text;
    text.reserve(Caption.size());
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&' && i + 1 < Caption.size())
            ++i;
        else if (Caption[i] == '&')
            continue;
        text += Caption[i];
    }
    return text;
}

char GetHotkey(const std::string& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        ++i;
        if (Caption[i] != '&') return AnsiUpperCase(std::string(1, Caption[i]))[0];
    }
    return 0;
}

int32_t MenuTextWidth(const std::string& Text) {
    TBitmap scratch;
    TCanvas canvas(scratch);
    canvas.Font().Assign(&Screen().MenuFont());
    return canvas.TextWidth(StripHotkey(Text));
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    // The items going hear of no menu, which is going too.
    FItems->FMenu = nullptr;
    delete FItems;
}

TMenuItem* TMenu::FindItem(uint16_t Command) const {
    std::vector<TMenuItem*> pending{FItems};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (item->FCommand == Command && item != FItems) return item;
        pending.insert(pending.end(), item->FItems.begin(), item->FItems.end());
    }
    return nullptr;
}

bool TMenu::DispatchCommand(uint16_t Command) {
    TMenuItem* item = FindItem(Command);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(uint16_t Key, TShiftState Shift) {
    const TShortCut wanted = vex::ShortCut(Key, Shift);
    if (wanted == scNone) return false;
    std::vector<TMenuItem*> pending{FItems};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (!item->FEnabled || !item->FVisible) continue;
        if (item != FItems && item->FShortCut == wanted) {
            item->Click();
            return true;
        }
        pending.insert(pending.end(), item->FItems.rbegin(), item->FItems.rend());
    }
    return false;
}

bool MenuRunning() {
    return MenuRunningDepth > 0;
}

TMenuRunningScope::TMenuRunningScope() {
    ++MenuRunningDepth;
}

TMenuRunningScope::~TMenuRunningScope() {
    --MenuRunningDepth;
}

}  // namespace vex

#include "platform/ui/menus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/menupainting.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::NewItem;

TEST(ShortCut, TextAndShortCutGoBothWays) {
    const struct {
        TShortCut Key;
        const char* Text;
    } cases[] = {
        {static_cast<TShortCut>(scCtrl | 'S'), "Ctrl+S"},
        {static_cast<TShortCut>(scShift | scCtrl | VK_F5), "Shift+Ctrl+F5"},
        {static_cast<TShortCut>(scAlt | VK_BACK), "Alt+BkSp"},
        {VK_DELETE, "Del"},
        {VK_F12, "F12"},
        {static_cast<TShortCut>(scCtrl | '0'), "Ctrl+0"},
        {static_cast<TShortCut>(scShift | VK_INSERT), "Shift+Ins"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ShortCutToText(c.Key), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), c.Key);
    }
    EXPECT_EQ(ShortCut('S', {ssCtrl}), scCtrl | 'S');
    uint16_t key = 0;
    TShiftState shift;
    ShortCutToKey(static_cast<TShortCut>(scShift | scAlt | VK_F3), key, shift);
    EXPECT_EQ(key, VK_F3);
    EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
}

TEST(ShortCut, TextIsReadWithoutRegardToCaseAndRejectsWhatNamesNoKey) {
    EXPECT_EQ(TextToShortCut("ctrl+shift+del"), scCtrl | scShift | VK_DELETE);
    for (const char* text : {"", "Ctrl+", "Hyper+X", "Ctrl+Foo", "F13", "Ctrl S"})
        EXPECT_EQ(TextToShortCut(text), scNone) << text;
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl | VK_APPS), "");  // a key without a name
}

TEST(ShortCut, EveryNamedShortCutReadsBackAndLongTextIsReadInLinearTime) {
    for (uint32_t value = 0; value <= 0xFFFF; ++value) {
        const auto shortCut = static_cast<TShortCut>(value & (scShift | scCtrl | scAlt | 0xFF));
        const std::string text = ShortCutToText(shortCut);
        if (!text.empty()) {
            ASSERT_EQ(TextToShortCut(text), shortCut) << text;
        }
    }
    // A megabyte of shift names: read once through, not shifted down at every name.
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "Ctrl+";
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(TextToShortCut(text + "A"), scCtrl | 'A');
    EXPECT_EQ(TextToShortCut(text), scNone);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
}

TEST(MenuCaption, AccelaratorsAreFoundAndStripped) {
    const struct {
        const char* Caption;
        const char* Stripped;
        char Hotkey;
    } cases[] = {
        {"&File", "File", 'F'}, {"Save &as", "Save as", 'A'}, {"R&&D", "R&D", 0},
        {"R&&&D", "R&D", 'D'},  {"Trailing&", "Trailing", 0}, {"None", "None", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Caption);
        EXPECT_EQ(StripHotkey(c.Caption), c.Stripped);
        EXPECT_EQ(GetHotkey(c.Caption), c.Hotkey);
    }
}

TEST(MenuItem, KeepsItsSubItemsInOrder) {
    TMenu menu(nullptr);
    TMenuItem* root = menu.Items();
    TMenuItem* a = NewItem(root, "A");
    TMenuItem* c = NewItem(root, "C");
    auto* b = new TMenuItem(nullptr);
    root->Insert(1, b);
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(root->IndexOf(b), 1);
    EXPECT_EQ(b->Parent(), root);
    EXPECT_EQ(b->GetParentMenu(), &menu);
    EXPECT_EQ(root->Items(2), c);
    EXPECT_EQ(root->Find("a"), a);

    root->Remove(b);
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(b->GetParentMenu(), nullptr);
    EXPECT_EQ(root->IndexOf(b), -1);
    root->Delete(0);  // taken out, not freed
    EXPECT_EQ(root->Count(), 1);
    c->Add(a);
    c->Add(b);
    EXPECT_EQ(menu.FindItem(b->Command()), b);
    delete c;  // frees its sub-items, and leaves the menu
    EXPECT_EQ(root->Count(), 0);
}

TEST(MenuItem, RefusesToBeInTwoPlacesOrOutOfRange) {
    TMenu menu(nullptr);
    TMenuItem* root = menu.Items();
    TMenuItem* a = NewItem(root, "A");
    TMenuItem* inner = NewItem(a, "Inner");
    EXPECT_THROW(root->Add(a), EMenuError);
    EXPECT_THROW(inner->Add(root), EMenuError);  // the root of a menu is in it already
    auto* loose = new TMenuItem(&menu);
    EXPECT_THROW(loose->Add(loose), EMenuError);
    EXPECT_THROW(root->Insert(5, loose), EMenuError);
    EXPECT_THROW(root->Items(1), EMenuError);
    EXPECT_THROW(root->Delete(-1), EMenuError);
    EXPECT_THROW(root->Remove(loose), EMenuError);
    EXPECT_EQ(root->Count(), 1);
}

TEST(MenuItem, ItemsOwnedElsewhereLeaveTheirParentWhenFreed) {
    TComponent owner(nullptr);
    TMenu menu(nullptr);
    auto* a = new TMenuItem(&owner);
    auto* b = new TMenuItem(&owner);
    menu.Items()->Add(a);
    a->Add(b);
    delete b;
    EXPECT_EQ(a->Count(), 0);
    owner.DestroyComponents();
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST(MenuItem, ACheckedRadioItemUnchecksItsGroup) {
    TMenu menu(nullptr);
    std::vector<TMenuItem*> items;
    for (const auto& [caption, group] :
         std::vector<std::pair<const char*, uint8_t>>{{"a", 1}, {"b", 1}, {"c", 2}, {"d", 1}}) {
        TMenuItem* item = NewItem(menu.Items(), caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(group);
        item->SetChecked(true);
        items.push_back(item);
    }
    std::vector<bool> checked;
    for (TMenuItem* item : items)
        checked.push_back(item->Checked());
    EXPECT_EQ(checked, (std::vector<bool>{false, false, true, true}));
}

TEST(Menu, ShortCutsAndCommandsReachTheirItem) {
    TMenu menu(nullptr);
    std::vector<std::string> clicks;
    TMenuItem* file = NewItem(menu.Items(), "&File", &clicks);
    NewItem(file, "&Save", &clicks)->SetShortCut(ShortCut('S', {ssCtrl}));
    TMenuItem* hidden = NewItem(file, "&Hidden", &clicks);
    hidden->SetShortCut(ShortCut('H', {ssCtrl}));
    hidden->SetVisible(false);
    TMenuItem* off = NewItem(menu.Items(), "&Off", &clicks);
    off->SetEnabled(false);
    NewItem(off, "&Print", &clicks)->SetShortCut(ShortCut('P', {ssCtrl}));

    EXPECT_TRUE(menu.IsShortCut('S', {ssCtrl}));
    EXPECT_FALSE(menu.IsShortCut('S', {}));
    EXPECT_FALSE(menu.IsShortCut('H', {ssCtrl}));
    EXPECT_FALSE(menu.IsShortCut('P', {ssCtrl}));  // in a disabled sub-menu
    EXPECT_TRUE(menu.DispatchCommand(off->Command()));
    EXPECT_FALSE(menu.DispatchCommand(menu.Items()->Command()));
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Save", "&Off"}));
}

TEST(Menu, CommandsAreUniqueAndComeFreeAgain) {
    std::vector<uint16_t> seen;
    {
        TMenu menu(nullptr);
        for (int i = 0; i < 50; ++i)
            seen.push_back(NewItem(menu.Items(), "x")->Command());
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);
}

TEST(MenuLayout, ColumnsBreaksAndOwnerDrawnSizes) {
    test::TFixedMenuFont fixed;
    TMenu menu(nullptr);
    TMenuItem* root = menu.Items();
    NewItem(root, "&Open");
    NewItem(root, "-");
    NewItem(root, "Hidden")->SetVisible(false);
    TMenuItem* drawn = NewItem(root, "Drawn");
    drawn->OnMeasureItem = [](TObject*, TCanvas*, int32_t& Width, int32_t& Height) {
        Width = 120;
        Height = 30;
    };
    NewItem(root, "Next column")->SetBreak(mbBarBreak);
    TBitmap bitmap;
    TCanvas canvas(bitmap);
    canvas.Font().Assign(&Screen().MenuFont());
    const TMenuLayout layout = LayOutMenu(canvas, *root);
    ASSERT_EQ(layout.Places.size(), 4u);
    const TRect open = layout.Places[0].Bounds;
    const TRect line = layout.Places[1].Bounds;
    const TRect owned = layout.Places[2].Bounds;
    const TRect next = layout.Places[3].Bounds;
    EXPECT_EQ(line.Top, open.Bottom);
    EXPECT_LT(line.Bottom - line.Top, open.Bottom - open.Top);
    EXPECT_EQ(owned.Bottom - owned.Top, 30);
    EXPECT_EQ(owned.Right - owned.Left, 120);  // the column is as wide as its widest item
    EXPECT_EQ(open.Right - open.Left, 120);
    EXPECT_EQ(next.Top, open.Top);
    EXPECT_GT(next.Left, owned.Right);
    ASSERT_EQ(layout.BarBreaks.size(), 1u);
    EXPECT_EQ(layout.Width, next.Right + 3);
    EXPECT_EQ(layout.Height, owned.Bottom + 3);
}

TEST(MenuLayout, AMenuTallerThanTheScreenGoesOnInColumnsAndSizesStayBounded) {
    test::TFixedMenuFont fixed;
    TMenu menu(nullptr);
    for (int i = 0; i < 30; ++i)
        NewItem(menu.Items(), "Item " + std::to_string(i));
    TMenuItem* huge = NewItem(menu.Items(), "Huge");
    huge->OnMeasureItem = [](TObject*, TCanvas*, int32_t& Width, int32_t& Height) {
        Width = INT32_MAX;
        Height = -5;
    };
    TBitmap bitmap;
    TCanvas canvas(bitmap);
    canvas.Font().Assign(&Screen().MenuFont());
    constexpr int32_t screenHeight = 200;
    const TMenuLayout layout = LayOutMenu(canvas, *menu.Items(), screenHeight);
    EXPECT_LE(layout.Height, screenHeight);
    EXPECT_GT(layout.Places[29].Bounds.Left, layout.Places[0].Bounds.Right);
    EXPECT_TRUE(layout.BarBreaks.empty());
    const TRect last = layout.Places.back().Bounds;
    EXPECT_EQ(last.Bottom, last.Top);
    EXPECT_LE(last.Right - last.Left, 4096);
}

TEST(MenuPainting, OwnerDrawnItemsPaintThemselvesInTheirBounds) {
    test::TFixedMenuFont fixed;
    TMenu menu(nullptr);
    std::vector<std::string> drawn;
    for (const char* caption : {"One", "Two"}) {
        TMenuItem* item = NewItem(menu.Items(), caption);
        item->OnDrawItem = [&drawn, caption](TObject*, TCanvas* Canvas, TRect R, bool Selected) {
            drawn.push_back(std::string(caption) + (Selected ? " selected" : ""));
            EXPECT_EQ(Canvas->Brush().Color(), Selected ? clHighlight : clMenu);
            Canvas->Brush().SetColor(clRed);
            Canvas->FillRect(R);
        };
    }
    TBitmap bitmap;
    bitmap.SetSize(200, 100);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().Assign(&Screen().MenuFont());
    const TMenuLayout layout = LayOutMenu(canvas, *menu.Items());
    PaintMenu(canvas, layout, 1);
    EXPECT_EQ(drawn, (std::vector<std::string>{"One", "Two selected"}));
    const TRect second = layout.Places[1].Bounds;
    EXPECT_EQ(canvas.Pixels(second.Left, second.Top), clRed);
    EXPECT_EQ(canvas.Pixels(second.Right - 1, second.Bottom - 1), clRed);
    EXPECT_NE(canvas.Pixels(second.Right, second.Bottom), clRed);  // the frame stays
}

TEST(MenuTextWidth, MeasuresInTheMenuFontWithoutTheAmpersands) {
    test::TFixedMenuFont fixed;
    EXPECT_EQ(MenuTextWidth("&Open"), MenuTextWidth("Open"));
    EXPECT_GT(MenuTextWidth("Open file"), MenuTextWidth("Open"));
    EXPECT_EQ(MenuTextWidth(""), 0);
}

}  // namespace
}  // namespace vex

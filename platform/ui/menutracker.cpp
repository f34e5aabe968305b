#include "platform/ui/menutracker.h"

#include "platform/core/codepage.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/menus.h"
#include "platform/ui/menuwindow.h"
#include "platform/win/capture.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"
#include "platform/win/translatemessage.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

// Where a mouse message happened on the screen: client messages are relative to their window,
// non-client ones are on the screen already.
TPoint ScreenPointOf(const MSG& Msg) {
    TPoint p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
    if (IsMouseMessage(Msg.message)) ClientToScreen(Msg.hwnd, p);
    return p;
}

bool IsNonClientMouse(UINT Msg) {
    return Msg >= WM_NCMOUSEMOVE && Msg <= WM_NCMBUTTONDBLCLK;
}

// The client message a non-client one stands for.
UINT AsClientMessage(UINT Msg) {
    return IsNonClientMouse(Msg) ? Msg - WM_NCMOUSEMOVE + WM_MOUSEMOVE : Msg;
}

// Moves the bar's selection Step titles on, round the ends, past the invisible ones.
int32_t NextTitle(const TMenuItem& Root, int32_t From, int32_t Step) {
    const int32_t count = Root.Count();
    int32_t at = From;
    for (int32_t tried = 0; tried < count; ++tried) {
        at = ((at + Step) % count + count) % count;
        if (Root.Items(at)->Visible()) return at;
    }
    return From;
}

}  // namespace

TMenuTracker::TMenuTracker(TMenu& Menu, const TMenuBarSite* Bar)
    : FMenu(Menu), FLife(Menu.LifeToken()), FVersion(Menu.StructureVersion()), FBar(Bar) {}

TMenuTracker::~TMenuTracker() {
    CloseLevelsFrom(0);
}

TMenuItem* TMenuTracker::TrackPopup(TMenuItem& Root, TPoint At) {
    FRoot = &Root;
    OpenLevel(Root, At, Rect(At.X, At.Y, At.X, At.Y), false);
    return Run();
}

TMenuItem* TMenuTracker::TrackBar(int32_t Title, bool DropDown, bool SelectFirst) {
    FRoot = FMenu.Items();
    SelectTitle(Title, DropDown, SelectFirst);
    return Run();
}

TMenuItem* TMenuTracker::Run() {
    const TMenuRunningScope running;
    const HWND holder = FBar != nullptr ? FBar->Window : FLevels.front()->Handle();
    SetCapture(holder);
    const auto gone = [&] {
        return FLife.expired() || FMenu.StructureVersion() != FVersion ||
               (FBar != nullptr && FBar->Detached());
    };
    // Whatever takes the mouse away (another window's capture, the holder going) closes the
    // menu, as a click elsewhere would.
    const auto done = [&] { return FDone || gone() || GetCapture() != holder; };
    RunModalLoop(done, [&](MSG& Msg) { return Inspect(Msg); });
    // What the menu showed may be gone: no item of it is chosen then.
    if (gone()) FChosen = nullptr;
    CloseLevelsFrom(0);
    if (GetCapture() == holder) ReleaseCapture();
    if (FBar != nullptr && !FLife.expired()) FBar->Highlight(-1);
    return FChosen;
}

bool TMenuTracker::Inspect(MSG& Msg) {
    if (IsMouseMessage(Msg.message) || IsNonClientMouse(Msg.message)) {
        const TPoint at = ScreenPointOf(Msg);
        switch (AsClientMessage(Msg.message)) {
            case WM_MOUSEMOVE:
                MouseMove(at);
                break;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                MousePress(at);
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
                MouseRelease(at);
                break;
            default:
                break;
        }
        return true;
    }
    switch (Msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Only a key the menu does not use itself may type an accelerator letter: the
            // character of an Enter that closed the menu would reach the control after it.
            if (!KeyDown(Msg.wParam)) TranslateMessage(Msg);
            return true;
        case WM_CHAR:
        case WM_SYSCHAR:
            Accelerator(static_cast<char>(Msg.wParam));
            return true;
        default:
            return IsKeyMessage(Msg.message);
    }
}

TMenuWindow* TMenuTracker::Deepest() const {
    return FLevels.empty() ? nullptr : FLevels.back().get();
}

int32_t TMenuTracker::LevelAt(TPoint Screen) const {
    for (size_t i = FLevels.size(); i-- > 0;)
        if (PtInRect(FLevels[i]->BoundsRect(), Screen)) return static_cast<int32_t>(i);
    return -1;
}

int32_t TMenuTracker::TitleCount() const {
    return FBar != nullptr ? FRoot->Count() : 0;
}

TMenuItem* TMenuTracker::TitleItem(int32_t Title) const {
    return Title >= 0 && Title < TitleCount() ? FRoot->Items(Title) : nullptr;
}

void TMenuTracker::OpenLevel(TMenuItem& Parent, TPoint At, const TRect& Flip, bool Cascade) {
    auto level = std::make_unique<TMenuWindow>(Parent);
    level->Popup(At, Flip, Cascade);
    FLevels.push_back(std::move(level));
}

void TMenuTracker::OpenSubMenu(bool SelectFirst) {
    TMenuWindow* deepest = Deepest();
    if (deepest == nullptr || deepest->Selected() < 0) return;
    TMenuItem& item = deepest->ItemAt(deepest->Selected());
    if (!HasSubMenu(item) || !item.Enabled()) return;
    const TRect at = deepest->ScreenBoundsOf(deepest->Selected());
    // The sub-menu's frame lines up with the item and overlaps the parent's frame.
    OpenLevel(item, Point(at.Right, at.Top - 3), deepest->BoundsRect(), true);
    if (SelectFirst) Deepest()->SetSelected(Deepest()->NextSelectable(1));
}

void TMenuTracker::CloseLevelsFrom(size_t Level) {
    while (FLevels.size() > Level) {
        FLevels.back()->Hide();
        FLevels.pop_back();
    }
}

void TMenuTracker::SelectTitle(int32_t Title, bool DropDown, bool SelectFirst) {
    CloseLevelsFrom(0);
    FTitle = Title;
    FBar->Highlight(Title);
    if (DropDown) DropDownTitle(SelectFirst);
}

void TMenuTracker::DropDownTitle(bool SelectFirst) {
    TMenuItem* title = TitleItem(FTitle);
    if (title == nullptr || !HasSubMenu(*title) || !title->Enabled()) return;
    const TRect at = FBar->TitleBounds(FTitle);
    OpenLevel(*title, Point(at.Left, at.Bottom), at, false);
    if (SelectFirst) Deepest()->SetSelected(Deepest()->NextSelectable(1));
}

void TMenuTracker::Activate(TMenuItem& Item, bool SelectFirst) {
    if (HasSubMenu(Item)) {
        OpenSubMenu(SelectFirst);
        return;
    }
    if (Item.Enabled()) Finish(&Item);
}

void TMenuTracker::OpenOrChooseTitle(TMenuItem& Title) {
    if (HasSubMenu(Title))
        DropDownTitle(true);
    else if (Title.Enabled())
        Finish(&Title);
}

void TMenuTracker::Finish(TMenuItem* Chosen) {
    FChosen = Chosen;
    FDone = true;
}

bool TMenuTracker::KeyDown(WPARAM Key) {
    TMenuWindow* deepest = Deepest();
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
            if (deepest == nullptr) {
                if (FBar != nullptr) DropDownTitle(true);
            } else {
                deepest->SetSelected(deepest->NextSelectable(Key == VK_DOWN ? 1 : -1));
            }
            return true;
        case VK_HOME:
        case VK_END:
            // The first or the last item: the next one on from nothing selected.
            if (deepest != nullptr) {
                deepest->SetSelected(-1);
                deepest->SetSelected(deepest->NextSelectable(Key == VK_HOME ? 1 : -1));
            }
            return true;
        case VK_RIGHT: {
            const size_t before = FLevels.size();
            OpenSubMenu(true);
            if (FLevels.size() == before && FBar != nullptr && TitleCount() > 0)
                SelectTitle(NextTitle(*FRoot, FTitle, 1), !FLevels.empty(), true);
            return true;
        }
        case VK_LEFT:
            if (FLevels.size() > 1)
                CloseLevelsFrom(FLevels.size() - 1);
            else if (FBar != nullptr && TitleCount() > 0)
                SelectTitle(NextTitle(*FRoot, FTitle, -1), !FLevels.empty(), true);
            return true;
        case VK_RETURN:
            if (deepest == nullptr) {
                if (TMenuItem* title = TitleItem(FTitle)) OpenOrChooseTitle(*title);
            } else if (deepest->Selected() >= 0) {
                Activate(deepest->ItemAt(deepest->Selected()), true);
            }
            return true;
        case VK_ESCAPE:
            if (FLevels.size() > 1 || (FBar != nullptr && FLevels.size() == 1))
                CloseLevelsFrom(FLevels.size() - 1);
            else
                Finish(nullptr);
            return true;
        case VK_MENU:
        case VK_F10:
            Finish(nullptr);
            return true;
        default:
            return false;
    }
}

void TMenuTracker::Accelerator(char Key) {
    // Upper case as GetHotkey makes it, letters above ASCII included.
    const char wanted = AnsiUpperChar(Key);
    if (wanted == 0) return;
    TMenuWindow* deepest = Deepest();
    if (deepest == nullptr) {
        // The bar's titles.
        for (int32_t i = 0; i < TitleCount(); ++i) {
            TMenuItem* title = FRoot->Items(i);
            if (!title->Visible() || GetHotkey(title->Caption()) != wanted) continue;
            SelectTitle(i, false, false);
            OpenOrChooseTitle(*title);
            return;
        }
        return;
    }
    // Several items with one letter: each press moves to the next of them; a single one is
    // chosen at once.
    std::vector<int32_t> matches;
    const auto count = static_cast<int32_t>(deepest->Layout().Places.size());
    for (int32_t i = 0; i < count; ++i)
        if (IsSelectable(deepest->ItemAt(i)) && GetHotkey(deepest->ItemAt(i).Caption()) == wanted)
            matches.push_back(i);
    if (matches.empty()) return;
    if (matches.size() == 1) {
        deepest->SetSelected(matches.front());
        Activate(deepest->ItemAt(matches.front()), true);
        return;
    }
    int32_t next = matches.front();
    for (const int32_t m : matches)
        if (m > deepest->Selected()) {
            next = m;
            break;
        }
    deepest->SetSelected(next);
}

void TMenuTracker::MouseMove(TPoint Screen) {
    const int32_t level = LevelAt(Screen);
    if (level < 0) {
        if (FBar != nullptr && !FLevels.empty()) {
            const int32_t title = FBar->TitleAt(Screen);
            if (title >= 0 && title != FTitle) SelectTitle(title, true, false);
        }
        // Off the menu the innermost level shows nothing selected; the outer ones keep the
        // items whose sub-menus are open.
        if (TMenuWindow* deepest = Deepest()) deepest->SetSelected(-1);
        return;
    }
    TMenuWindow& window = *FLevels[static_cast<size_t>(level)];
    const int32_t place = window.PlaceAt(Screen);
    if (place < 0 || place == window.Selected()) return;
    CloseLevelsFrom(static_cast<size_t>(level) + 1);
    window.SetSelected(IsSelectable(window.ItemAt(place)) ? place : -1);
    if (window.Selected() >= 0) OpenSubMenu(false);
}

void TMenuTracker::MousePress(TPoint Screen) {
    if (LevelAt(Screen) >= 0) return;
    if (FBar != nullptr) {
        const int32_t title = FBar->TitleAt(Screen);
        if (title >= 0) {
            // A press on the open title closes the menu, as a second press on a button would.
            if (title == FTitle && !FLevels.empty())
                Finish(nullptr);
            else
                SelectTitle(title, true, false);
            return;
        }
    }
    Finish(nullptr);
}

void TMenuTracker::MouseRelease(TPoint Screen) {
    const int32_t level = LevelAt(Screen);
    if (level < 0) {
        if (FBar == nullptr) return;
        const int32_t title = FBar->TitleAt(Screen);
        TMenuItem* item = TitleItem(title);
        if (item != nullptr && title == FTitle && !HasSubMenu(*item) && item->Enabled())
            Finish(item);
        return;
    }
    TMenuWindow& window = *FLevels[static_cast<size_t>(level)];
    const int32_t place = window.PlaceAt(Screen);
    if (place < 0) return;
    TMenuItem& item = window.ItemAt(place);
    if (IsSelectable(item) && !HasSubMenu(item) && item.Enabled()) Finish(&item);
}

}  // namespace vex

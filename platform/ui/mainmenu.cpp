#include "platform/ui/mainmenu.h"

#include <algorithm>
#include <memory>

#include "platform/core/codepage.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/menutracker.h"
#include "platform/ui/paint.h"
#include "platform/ui/screen.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

// Lays the bar out in the screen's menu font on a canvas of its own.
TMenuBarLayout MeasureBar(const TMenuItem& Root, int32_t Width) {
    TBitmap scratch;
    TCanvas canvas(scratch);
    canvas.Font().Assign(&Screen().MenuFont());
    return LayOutMenuBar(canvas, Root, Width);
}

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
    if (FForm != nullptr) FForm->SetMenu(nullptr);
}

void TMainMenu::SetForm(TCustomForm* Value) {
    FForm = Value;
    FHighlight = -1;
}

TRect TMainMenu::TitleBounds(int32_t Title) const {
    if (Title < 0 || Title >= static_cast<int32_t>(FLayout.Titles.size())) return TRect{};
    TRect r = FLayout.Titles[static_cast<size_t>(Title)];
    OffsetRect(r, FBar.Left, FBar.Top);
    return r;
}

void TMainMenu::FrameChanged() {
    if (FForm == nullptr || !FForm->HandleAllocated()) return;
    SetWindowPos(FForm->Handle(), 0, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TMainMenu::MenuChanged(TMenuItem* /*Item*/) {
    FrameChanged();
}

void TMainMenu::SetHighlight(int32_t Title) {
    if (FHighlight == Title) return;
    FHighlight = Title;
    if (FForm != nullptr && FForm->HandleAllocated())
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TMainMenu::Track(int32_t Title, bool DropDown, bool SelectFirst) {
    if (FForm == nullptr || MenuRunning()) return;
    const std::weak_ptr<const void> life = LifeToken();
    TCustomForm* form = FForm;
    const HWND window = form->Handle();
    const auto origin = [window] {
        TRect r;
        GetWindowRect(window, r);
        return Point(r.Left, r.Top);
    };
    TMenuBarSite site;
    site.Window = window;
    site.TitleAt = [this, origin](TPoint Screen) {
        const TPoint o = origin();
        return MenuBarTitleAt(FLayout,
                              Point(Screen.X - o.X - FBar.Left, Screen.Y - o.Y - FBar.Top));
    };
    site.TitleBounds = [this, origin](int32_t T) {
        TRect r = TitleBounds(T);
        const TPoint o = origin();
        OffsetRect(r, o.X, o.Y);
        return r;
    };
    site.Highlight = [this](int32_t T) { SetHighlight(T); };
    site.Detached = [this, form] { return FForm != form; };
    TMenuTracker tracker(*this, &site);
    TMenuItem* chosen = tracker.TrackBar(Title, DropDown, SelectFirst);
    if (chosen != nullptr && !life.expired() && IsWindow(window))
        PostMessage(window, WM_COMMAND, chosen->Command(), 0);
}

bool TMainMenu::OpenByAccelerator(char Key) {
    const char wanted = AnsiUpperChar(Key);
    for (int32_t i = 0; i < Items()->Count(); ++i) {
        const TMenuItem& title = *Items()->Items(i);
        if (!title.Visible() || GetHotkey(title.Caption()) != wanted) continue;
        if (!HasSubMenu(title)) {
            if (title.Enabled() && FForm != nullptr)
                PostMessage(FForm->Handle(), WM_COMMAND, title.Command(), 0);
        } else {
            Track(i, true, true);
        }
        return true;
    }
    return false;
}

void TMainMenu::OpenByKeyboard() {
    for (int32_t i = 0; i < Items()->Count(); ++i)
        if (Items()->Items(i)->Visible()) {
            Track(i, false, false);
            return;
        }
}

bool TMainMenu::FormMessage(TMessage& Message, const std::function<void(TMessage&)>& Inherited) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE: {
            auto* rect = reinterpret_cast<TRect*>(Message.LParam);
            const TRect window = rect != nullptr ? *rect : TRect{};
            Inherited(Message);
            FBar = TRect{};
            FLayout = TMenuBarLayout{};
            if (rect == nullptr || !HasSubMenu(*Items())) return true;
            FLayout = MeasureBar(*Items(), rect->Right - rect->Left);
            TRect bar = Rect(rect->Left, rect->Top, rect->Right,
                             std::min(rect->Top + FLayout.Height, rect->Bottom));
            rect->Top = bar.Bottom;
            OffsetRect(bar, -window.Left, -window.Top);
            FBar = bar;
            return true;
        }
        case WM_NCPAINT: {
            Inherited(Message);
            if (IsRectEmpty(FBar) || FForm == nullptr) return true;
            const TWindowContext context(FForm->Handle(), true);
            TCanvas& canvas = *context.DC();
            canvas.Font().Assign(&Screen().MenuFont());
            PaintMenuBar(canvas, *Items(), FLayout, FBar, FHighlight);
            return true;
        }
        case WM_NCHITTEST: {
            Inherited(Message);
            if (Message.Result == HTCLIENT || FForm == nullptr) return true;
            TRect window;
            GetWindowRect(FForm->Handle(), window);
            const TPoint at{GET_X_LPARAM(Message.LParam) - window.Left,
                            GET_Y_LPARAM(Message.LParam) - window.Top};
            if (PtInRect(FBar, at)) Message.Result = HTMENU;
            return true;
        }
        case WM_NCLBUTTONDOWN: {
            if (Message.WParam != static_cast<WPARAM>(HTMENU) || FForm == nullptr) return false;
            TRect window;
            GetWindowRect(FForm->Handle(), window);
            const int32_t title = MenuBarTitleAt(
                FLayout, Point(GET_X_LPARAM(Message.LParam) - window.Left - FBar.Left,
                               GET_Y_LPARAM(Message.LParam) - window.Top - FBar.Top));
            if (title >= 0) Track(title, true, false);
            Message.Result = 0;
            return true;
        }
        case WM_COMMAND:
            if (HIWORD(Message.WParam) != 0 || Message.LParam != 0) return false;
            if (!DispatchCommand(LOWORD(Message.WParam))) return false;
            Message.Result = 0;
            return true;
        default:
            return false;
    }
}

}  // namespace vex

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/rich/richedit_testsupport.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"

namespace vex {
namespace {

// Notes every link notice.
class TLinkedEdit : public TRichEdit {
public:
    using TRichEdit::TRichEdit;
    std::vector<TENLink> Notices;
    // Runs after a notice is noted; it may free the control.
    std::function<void()> OnNotice;

protected:
    void LinkNotify(const TENLink& Link) override {
        Notices.push_back(Link);
        if (OnNotice) OnNotice();
    }
};

struct TLinksOnForm {
    test::TShownForm Shown{Rect(10, 10, 330, 230)};
    TLinkedEdit* Edit;
    // "see " then a link of 18 characters, then " now".
    TLinksOnForm() {
        Edit = Shown.Add<TLinkedEdit>(Shown.Form, Rect(10, 10, 250, 130));
        Edit->Font().SetName(FixedFontName);
        Edit->Font().SetHeight(-12);
        Edit->SetText("see http://example.com now");
        Edit->SetAutoUrlDetect(true);
        Edit->SetEventMask(Edit->EventMask() | ENM_LINK);
    }
    LPARAM At(int32_t Position) const {
        const TPoint p = Edit->PosFromChar(Position);
        return MAKELONG(p.X + 2, p.Y + 3);
    }
};

TEST(RichEditLinks, MouseMessagesOverALinkAreToldWithItsRange) {
    struct TCase {
        const char* Name;
        UINT Msg;
        int32_t Over;
        uint32_t MaskOff;
        bool Told;
    };
    const std::vector<TCase> cases = {
        {"move", WM_MOUSEMOVE, 5, 0, true},
        {"press", WM_LBUTTONDOWN, 4, 0, true},
        {"release on its last character", WM_LBUTTONUP, 21, 0, true},
        {"double click", WM_LBUTTONDBLCLK, 10, 0, true},
        {"right press", WM_RBUTTONDOWN, 10, 0, true},
        {"right release", WM_RBUTTONUP, 10, 0, true},
        {"beside it", WM_LBUTTONDOWN, 2, 0, false},
        {"after it", WM_MOUSEMOVE, 23, 0, false},
        {"without ENM_LINK", WM_LBUTTONDOWN, 5, ENM_LINK, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLinksOnForm on;
        on.Edit->SetEventMask(on.Edit->EventMask() & ~c.MaskOff);
        on.Edit->Perform(c.Msg, MK_LBUTTON, on.At(c.Over));
        on.Edit->Perform(WM_LBUTTONUP, 0, on.At(0));
        if (!c.Told) {
            EXPECT_TRUE(on.Edit->Notices.empty());
            continue;
        }
        ASSERT_FALSE(on.Edit->Notices.empty());
        const TENLink& link = on.Edit->Notices[0];
        EXPECT_EQ(link.Msg, c.Msg);
        EXPECT_EQ(link.LParam, on.At(c.Over));
        EXPECT_EQ(link.Range, (TCharRange{4, 22}));
        EXPECT_EQ(on.Edit->GetTextRange(link.Range.CpMin, link.Range.CpMax), "http://example.com");
    }
}

TEST(RichEditLinks, TheCursorIsAHandOverLinksAndPlacingTheCaretTellsNothing) {
    TLinksOnForm on;
    const TPoint p = on.Edit->PosFromChar(8);
    const TPoint screen = on.Edit->ClientToScreen(Point(p.X + 2, p.Y + 3));
    SetCursorPos(screen.X, screen.Y);
    on.Edit->Perform(WM_SETCURSOR, on.Edit->Handle(), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(0, IDC_HAND));
    ASSERT_EQ(on.Edit->Notices.size(), 1u);
    EXPECT_EQ(on.Edit->Notices[0].Msg, WM_SETCURSOR);

    on.Edit->PlaceCaretAt(Point(p.X + 2, p.Y + 3));
    EXPECT_EQ(on.Edit->SelStart(), 8);
    EXPECT_EQ(on.Edit->Notices.size(), 1u);

    on.Edit->SetAutoUrlDetect(false);
    on.Edit->Perform(WM_MOUSEMOVE, 0, on.At(8));
    EXPECT_EQ(on.Edit->Notices.size(), 1u);
}

TEST(RichEditLinks, ALinkHandlerMayFreeTheControlOnAnyButton) {
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN,
                           WM_RBUTTONDBLCLK, WM_RBUTTONUP}) {
        SCOPED_TRACE(msg);
        TLinksOnForm on;
        bool heard = false;
        const auto hear = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
            heard = true;
        };
        on.Edit->OnMouseDown = hear;
        on.Edit->OnMouseUp = hear;
        on.Edit->OnNotice = [&] { delete std::exchange(on.Edit, nullptr); };
        const std::weak_ptr<const void> life = on.Edit->LifeToken();
        SendMessage(on.Edit->Handle(), msg, 0, on.At(10));
        EXPECT_TRUE(life.expired());
        EXPECT_FALSE(heard);
    }
}

}  // namespace
}  // namespace vex

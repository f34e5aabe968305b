#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/ui/listbox.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"

namespace vex {
namespace {

using test::RowHeight;

const std::string Pictures = VEX_TEST_DIR "/testdata/pictures";

// The list box a descendant makes to align columns on tab stops.
class TTabbedListBox : public TListBox {
public:
    using TListBox::TListBox;

protected:
    void CreateParams(TCreateParams& Params) override {
        TListBox::CreateParams(Params);
        Params.Style |= LBS_USETABSTOPS;
    }
};

struct TPictureScene : test::TListScene {
    template <class T = TListBox>
    T* List(const std::string& Texts, int Rows = 5) {
        auto* list = Add<T>(Form, Rect(8, 8, 128, 8 + 4 + Rows * RowHeight));
        list->Items().SetCommaText(Texts);
        return list;
    }
    ::testing::AssertionResult Matches(TControl& Control, const std::string& Name) {
        Application().ProcessMessages();
        return test::ControlMatchesReferencePicture(Control, Pictures, Name);
    }
};

TEST(ListBoxPicture, ASelectedItemWithAndWithoutTheFocus) {
    TPictureScene t;
    TListBox* list = t.List("Inbox,Junk,Outbox,Sent,Trash,Archive");
    list->SetItemIndex(1);
    list->SetFocus();
    EXPECT_TRUE(t.Matches(*list, "listbox_focused"));
    auto* other = t.List("x", 1);
    other->SetTop(120);
    other->SetFocus();
    EXPECT_TRUE(t.Matches(*list, "listbox_unfocused"));
}

TEST(ListBoxPicture, AnExtendedSelectionWithItsCaret) {
    TPictureScene t;
    TListBox* list = t.List("alpha,beta,gamma,delta,epsilon");
    list->SetMultiSelect(true);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetSelected(3, true);
    list->SetItemIndex(4);
    list->SetFocus();
    EXPECT_TRUE(t.Matches(*list, "listbox_multiselect"));
}

TEST(ListBoxPicture, OwnerDrawnRowsAndColumnsOnTabStops) {
    TPictureScene t;
    TListBox* drawn = t.List("Red,Green,Blue", 4);
    drawn->SetStyle(lbOwnerDrawFixed);
    drawn->SetItemHeight(16);
    drawn->SetItemIndex(1);
    drawn->OnDrawItem = [drawn](TWinControl*, int32_t Index, TRect R, TOwnerDrawState) {
        TCanvas& canvas = drawn->Canvas();
        canvas.FillRect(R);
        const TColor colours[] = {clRed, clGreen, clBlue};
        TBrush swatch;
        swatch.SetColor(colours[Index]);
        canvas.FillRect(Rect(R.Left + 2, R.Top + 2, R.Left + 14, R.Bottom - 2), swatch);
        canvas.TextOut(R.Left + 18, R.Top + 2, drawn->Items().Strings(Index));
    };
    EXPECT_TRUE(t.Matches(*drawn, "listbox_ownerdraw"));

    auto* tabbed = t.List<TTabbedListBox>("");
    tabbed->SetTabWidth(20);  // 20 dialog units: 30 pixels of 6-pixel characters
    tabbed->Items().SetText("a\tbb\tc\nlonger\tx\nno tab\n\t\tz\n");
    tabbed->SetItemIndex(1);  // a chosen row's parts in its colours, on its colour
    EXPECT_TRUE(t.Matches(*tabbed, "listbox_tabstops"));
}

// Stops past any row, from the message or from TabWidth: what lies beyond them is out of sight,
// and the sums that place it stay in range (under UndefinedBehaviorSanitizer).
TEST(ListBoxPicture, TabStopsFarBeyondTheRowPaint) {
    TPictureScene t;
    auto* tabbed = t.List<TTabbedListBox>("");
    tabbed->Items().SetText(std::string("a\tb\tc\n") + std::string(1000, '\t') + "d\n");
    const int32_t stops[] = {10, INT32_MAX};
    EXPECT_EQ(tabbed->Perform(LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops)), 1);
    tabbed->Repaint();
    tabbed->SetTabWidth(INT32_MAX);
    tabbed->Repaint();
}

TEST(ListBoxPicture, ScrolledDownWithItsBar) {
    TPictureScene t;
    TListBox* list = t.List("");
    for (int i = 0; i < 30; ++i)
        list->Items().Add("row " + std::to_string(i));
    list->SetItemIndex(12);
    list->SetTopIndex(10);
    EXPECT_TRUE(t.Matches(*list, "listbox_scrolled"));
    list->SetEnabled(false);
    EXPECT_TRUE(t.Matches(*list, "listbox_disabled"));
}

}  // namespace
}  // namespace vex

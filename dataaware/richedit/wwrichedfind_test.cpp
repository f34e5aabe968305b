#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "dataaware/richedit/wwriched_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/rich/richfind.h"
#include "platform/ui/finddialog.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

// Presses a dialog's button as its events tell the control.
void FindNext(TFindDialog& Dialog) {
    TFindOptions options = Dialog.Options();
    options.Include(frFindNext);
    options.Exclude(frReplace);
    options.Exclude(frReplaceAll);
    Dialog.SetOptions(options);
    Dialog.OnFind(&Dialog);
}

void Replace(TReplaceDialog& Dialog, bool All) {
    TFindOptions options = Dialog.Options();
    options.Exclude(frFindNext);
    options.Include(All ? frReplaceAll : frReplace);
    options.Exclude(All ? frReplace : frReplaceAll);
    Dialog.SetOptions(options);
    Dialog.OnReplace(&Dialog);
}

TEST(WwRichFind, TheDialogIsFilledWithASelectionOnOneLineElseTheLastSearch) {
    test::TwwRichOnForm on("one two\r\nthree");
    TFindDialog& dialog = on.Edit->FindDialog();
    on.Edit->SetSelection({4, 7});
    on.Edit->ShowFindDialog();
    EXPECT_EQ(dialog.FindText(), "two");
    EXPECT_FALSE(on.Edit->HasLastSearchText());
    EXPECT_EQ(test::MessagesDuring([&] { FindNext(dialog); }).size(), 1u)
        << "the selected word is the only one";
    EXPECT_TRUE(on.Edit->HasLastSearchText());
    dialog.CloseDialog();
    on.Edit->SetSelection({4, 11});
    on.Edit->ShowFindDialog();
    EXPECT_EQ(dialog.FindText(), "two") << "a selection over two lines is not searched for";
    dialog.CloseDialog();
    on.Edit->SetSelection({0, 0});
    on.Edit->ShowReplaceDialog();
    EXPECT_EQ(on.Edit->ReplaceDialog().FindText(), "two");
    on.Edit->ReplaceDialog().CloseDialog();

    // Nor is one over a line break inside a paragraph, as a table cell's lines are apart.
    test::TwwRichOnForm cell("one two\vthree");  // "two\vthr" selected
    cell.Edit->SetSelection({4, 11});
    cell.Edit->ShowFindDialog();
    EXPECT_EQ(cell.Edit->FindDialog().FindText(), "");
    cell.Edit->FindDialog().CloseDialog();
}

TEST(WwRichFind, TheSelectionShowsWhileADialogIsOpenAndHidesAgainAfter) {
    test::TwwRichOnForm on("text");
    for (const bool hide : {true, false}) {
        on.Edit->SetHideSelection(hide);
        on.Edit->ShowReplaceDialog();
        EXPECT_FALSE(on.Edit->HideSelection());
        on.Edit->ReplaceDialog().CloseDialog();
        EXPECT_EQ(on.Edit->HideSelection(), hide);
    }
}

TEST(WwRichFind, TheKeptHideSelectionOutlivesASecondDialogAndTheFirstClosing) {
    test::TwwRichOnForm on("text");
    on.Edit->SetHideSelection(true);
    on.Edit->ShowFindDialog();
    on.Edit->ShowFindDialog();
    on.Edit->ShowReplaceDialog();
    on.Edit->FindDialog().CloseDialog();
    EXPECT_FALSE(on.Edit->HideSelection()) << "the replace dialog still shows the selection";
    on.Edit->ReplaceDialog().CloseDialog();
    EXPECT_TRUE(on.Edit->HideSelection());
}

TEST(WwRichFind, AHandlerThatFreesTheControlEndsTheSearchQuietly) {
    enum TPress { FindNextPress, ReplacePress, ReplaceAllPress };
    for (const TPress press : {FindNextPress, ReplacePress, ReplaceAllPress}) {
        SCOPED_TRACE(press);
        test::TwwRichOnForm on("a b a b");
        on.Edit->ShowReplaceDialog();
        TReplaceDialog& dialog = on.Edit->ReplaceDialog();
        dialog.SetFindText("a");
        dialog.SetReplaceText("c");
        TwwDBRichEdit* edit = on.Edit;
        const auto free = [edit](TObject*) { delete edit; };
        if (press == FindNextPress)
            edit->OnSelectionChange = free;
        else
            edit->OnChange = free;
        const std::vector<std::string> shown = test::MessagesDuring([&] {
            try {
                if (press == FindNextPress)
                    FindNext(dialog);
                else
                    Replace(dialog, press == ReplaceAllPress);
            } catch (const EAbort&) {
            }
        });
        EXPECT_TRUE(shown.empty());
    }
}

// Replace All tells its notices as any edit does; a handler of each may free the control, or
// edit the text again, and the search ends without touching what is gone.
TEST(WwRichFind, ReplaceAllSurvivesWhatItsNoticesHandlersDo) {
    struct TCase {
        const char* Name;
        const char* Find;
        const char* Replacement;
        std::function<void(TwwDBRichEdit*)> Arm;
        const char* Text;  // left in the control after; null where not looked at
    };
    const auto freeIt = [](TwwDBRichEdit* Edit) { return [Edit](auto&&...) { delete Edit; }; };
    const std::vector<TCase> cases = {
        {"resize request frees", "a", "c\r\nd",
         [&](TwwDBRichEdit* E) { E->OnResizeRequest = freeIt(E); }, nullptr},
        {"selection notice frees", "a", "cc",
         [&](TwwDBRichEdit* E) { E->OnSelectionChange = freeIt(E); }, nullptr},
        {"nothing replaced, selection notice frees", "z", "c",
         [&](TwwDBRichEdit* E) { E->OnSelectionChange = freeIt(E); }, nullptr},
        {"change notice edits again", "a", "c",
         [](TwwDBRichEdit* E) {
             E->OnChange = [E](TObject*) {
                 E->OnChange = nullptr;
                 E->SetText("new");
             };
         },
         "new"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TwwRichOnForm on("a b a b");
        on.Edit->ShowReplaceDialog();
        TReplaceDialog& dialog = on.Edit->ReplaceDialog();
        dialog.SetFindText(c.Find);
        dialog.SetReplaceText(c.Replacement);
        TwwDBRichEdit* edit = on.Edit;
        c.Arm(edit);
        const std::vector<std::string> shown = test::MessagesDuring([&] {
            try {
                Replace(dialog, true);
            } catch (const EAbort&) {
            }
        });
        // A control that lives on says it found no more; a freed one says nothing.
        const bool lives = c.Text != nullptr || std::string(c.Find) == "z";
        EXPECT_EQ(shown.size(), lives ? 1u : 0u);
        if (c.Text != nullptr) {
            EXPECT_EQ(on.Edit->Text(), c.Text);
            dialog.CloseDialog();
        }
    }
}

TEST(WwRichFind, FindNextGoesRoundOnceThenSaysNoMoreMatches) {
    test::TwwRichOnForm on("spam eggs");
    on.Edit->SetSelection({9, 9});
    on.Edit->ShowFindDialog();
    TFindDialog& dialog = on.Edit->FindDialog();
    dialog.SetFindText("spam");
    EXPECT_TRUE(test::MessagesDuring([&] { FindNext(dialog); }).empty());
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{0, 4}));
    EXPECT_EQ(test::MessagesDuring([&] { FindNext(dialog); }),
              std::vector<std::string>{"No more matches found"});
    dialog.CloseDialog();
}

TEST(WwRichFind, ReplaceAllIsOneChangeAndOneUndoStep) {
    test::TwwRichOnForm on("aaaa");
    int32_t changes = 0;
    on.Edit->OnChange = [&](TObject*) { ++changes; };
    on.Edit->SetSelection({0, 0});
    on.Edit->ShowReplaceDialog();
    TReplaceDialog& dialog = on.Edit->ReplaceDialog();
    dialog.SetFindText("a");
    dialog.SetReplaceText("b");
    EXPECT_EQ(test::MessagesDuring([&] { Replace(dialog, true); }),
              std::vector<std::string>{"No more matches found"});
    EXPECT_EQ(on.Edit->Text(), "bbbb");
    EXPECT_EQ(changes, 1);
    on.Edit->Undo();
    EXPECT_EQ(on.Edit->Text(), "aaaa");
    dialog.CloseDialog();
}

// Replace All is an edit like any other: the height it changes is told, once.
TEST(WwRichFind, ReplaceAllTellsTheNewHeightLikeAnyEdit) {
    test::TwwRichOnForm on("a a a");
    int32_t requests = 0;
    on.Edit->OnResizeRequest = [&](TObject*, TRect) { ++requests; };
    on.Edit->ShowReplaceDialog();
    TReplaceDialog& dialog = on.Edit->ReplaceDialog();
    dialog.SetFindText("a");
    dialog.SetReplaceText("b\r\nc");
    test::MessagesDuring([&] { Replace(dialog, true); });
    EXPECT_EQ(on.Edit->GetLineCount(), 4);
    EXPECT_EQ(requests, 1);
    dialog.CloseDialog();
}

TEST(WwRichFind, ReplaceReplacesTheMatchAndSelectsTheNext) {
    test::TwwRichOnForm on("x a a");
    on.Edit->SetSelection({2, 2});
    on.Edit->ShowReplaceDialog();
    TReplaceDialog& dialog = on.Edit->ReplaceDialog();
    dialog.SetFindText("a");
    dialog.SetReplaceText("bb");
    Replace(dialog, false);
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{2, 3})) << "first the match is selected";
    Replace(dialog, false);
    EXPECT_EQ(on.Edit->Text(), "x bb a");
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{5, 6}));
    dialog.CloseDialog();
}

TEST(WwRichFind, AReadOnlyControlFindsButRefusesToReplace) {
    test::TwwRichOnForm on("a a");
    on.Edit->SetReadOnly(true);
    on.Edit->ShowReplaceDialog();
    TReplaceDialog& dialog = on.Edit->ReplaceDialog();
    dialog.SetFindText("a");
    dialog.SetReplaceText("b");
    const uint32_t beeps = MessageBeepCount();
    Replace(dialog, true);
    EXPECT_EQ(on.Edit->Text(), "a a");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    FindNext(dialog);
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{0, 1}));
    dialog.CloseDialog();
}

TEST(WwRichFind, SearchesRunDownUnlessSwitchZeroIsSet) {
    test::TwwRichOnForm on("a b a");
    EXPECT_EQ(on.Edit->FindText("a", 0, -1, 0), 0);
    on.Edit->CompatibilitySwitches[0] = true;
    EXPECT_EQ(on.Edit->FindText("a", 0, -1, 0), 4) << "searching up finds the last";
    EXPECT_EQ(on.Edit->FindText("A", 1, 4, TSearchTypes{}), 4);
    EXPECT_EQ(on.Edit->FindText("A", 1, 3, TSearchTypes{}), -1);
    EXPECT_EQ(on.Edit->FindText("A", 0, 5, TSearchTypes{stMatchCase}), -1);
}

}  // namespace
}  // namespace vex

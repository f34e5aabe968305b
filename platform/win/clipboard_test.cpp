#include "platform/win/clipboard.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/clipboard_slowdisplay_testsupport.h"
#include "platform/win/displayclipboard.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/window.h"

namespace vex {
namespace {

using test::SlowClipboardPresenter;
using test::SlowDisplayClipboard;

// The process's own clipboard, as it is without a display.
class ClipboardTest : public ::testing::Test {
protected:
    ClipboardTest() {
        OpenClipboard(0);
        EmptyClipboard();
        CloseClipboard();
    }
    ~ClipboardTest() override {
        CloseClipboard();
        DeallocateHWnd(Mine);
        DeallocateHWnd(Theirs);
    }

    static std::vector<UINT> Formats() {
        std::vector<UINT> formats;
        for (UINT format = EnumClipboardFormats(0); format != 0;
             format = EnumClipboardFormats(format))
            formats.push_back(format);
        return formats;
    }

    HWND Mine = AllocateHWnd([](TMessage&) {});
    HWND Theirs = AllocateHWnd([](TMessage&) {});
};

TEST_F(ClipboardTest, KeepsFormatsInTheOrderSetAndAReplacedOneInItsPlace) {
    const UINT rtf = RegisterClipboardFormat(CF_RTF);
    ASSERT_TRUE(OpenClipboard(Mine));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_TRUE(SetClipboardData(rtf, "{\\rtf1 x}"));
    EXPECT_TRUE(SetClipboardData(CF_TEXT, std::string("x\0tail", 6)));
    EXPECT_TRUE(SetClipboardData(CF_DIB, "BM"));
    EXPECT_TRUE(SetClipboardData(CF_TEXT, "y"));
    EXPECT_FALSE(SetClipboardData(0, "nothing"));
    EXPECT_EQ(Formats(), (std::vector<UINT>{rtf, CF_TEXT, CF_DIB}));
    EXPECT_EQ(EnumClipboardFormats(CF_BITMAP), 0u);  // not there: nothing follows it
    ASSERT_NE(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(*GetClipboardData(CF_TEXT), "y");
    EXPECT_EQ(GetClipboardData(CF_METAFILEPICT), nullptr);
    EXPECT_EQ(GetClipboardOwner(), Mine);
    EXPECT_TRUE(CloseClipboard());

    // Looks from outside an opening see the formats; reading and enumerating need one.
    EXPECT_EQ(CountClipboardFormats(), 3);
    EXPECT_TRUE(IsClipboardFormatAvailable(rtf));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
}

TEST_F(ClipboardTest, OneWindowHasItOpenAndChangesNeedAnOpening) {
    EXPECT_FALSE(CloseClipboard());
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(SetClipboardData(CF_TEXT, "lost"));
    EXPECT_EQ(CountClipboardFormats(), 0);

    ASSERT_TRUE(OpenClipboard(Mine));
    EXPECT_TRUE(OpenClipboard(Mine));  // again by the same window
    EXPECT_FALSE(OpenClipboard(Theirs));
    EXPECT_EQ(GetOpenClipboardWindow(), Mine);
    SetClipboardData(CF_TEXT, "mine");
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetOpenClipboardWindow(), 0u);

    // Emptying drops everything and hands the ownership to the window that opened it.
    ASSERT_TRUE(OpenClipboard(Theirs));
    EXPECT_EQ(*GetClipboardData(CF_TEXT), "mine");
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), Theirs);
    EXPECT_EQ(CountClipboardFormats(), 0);
    CloseClipboard();
}

TEST_F(ClipboardTest, RegisteredNamesShareNumbersWithoutRegardToCase) {
    const UINT rtf = RegisterClipboardFormat("Rich Text Format");
    EXPECT_GE(rtf, 0xC000u);
    EXPECT_LE(rtf, 0xFFFFu);
    EXPECT_EQ(RegisterClipboardFormat("RICH TEXT FORMAT"), rtf);
    EXPECT_EQ(RegisterWindowMessage("rich text format"), rtf);
    EXPECT_NE(RegisterClipboardFormat("Shell IDList Array"), rtf);
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
}

TEST_F(ClipboardTest, WhatAHandlerSetsWhileTheDisplaysTextIsAwaitedStandsAlone) {
    SlowDisplayClipboard board;
    const test::PresenterOverride display(std::make_unique<SlowClipboardPresenter>(board));
    board.WhileWaiting = [&] {
        OpenClipboard(Mine);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, "mine");
        CloseClipboard();
    };
    ASSERT_TRUE(OpenClipboard(Mine));
    GetClipboardData(CF_TEXT);
    CloseClipboard();
    // Two texts would have an enumeration go round the second for ever.
    EXPECT_EQ(CountClipboardFormats(), 1);
    ASSERT_TRUE(OpenClipboard(Mine));
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), 0u);
    ASSERT_NE(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(*GetClipboardData(CF_TEXT), "mine");
}

TEST_F(ClipboardTest, TheirRichTextIsListedBesideTheirTextAndFetchedOnlyWhenRead) {
    SlowDisplayClipboard board;
    board.Theirs = {{TDisplayFormat::Text, "plain"}, {TDisplayFormat::Rtf, "{\\rtf1 rich}"}};
    const test::PresenterOverride display(std::make_unique<SlowClipboardPresenter>(board));
    const UINT rtf = RegisterClipboardFormat(CF_RTF);
    EXPECT_TRUE(IsClipboardFormatAvailable(rtf));
    EXPECT_EQ(CountClipboardFormats(), 2);
    ASSERT_TRUE(OpenClipboard(Mine));
    EXPECT_EQ(Formats(), (std::vector<UINT>{CF_TEXT, rtf}));
    EXPECT_TRUE(board.Fetched.empty());
    ASSERT_NE(GetClipboardData(rtf), nullptr);
    EXPECT_EQ(*GetClipboardData(rtf), "{\\rtf1 rich}");
    // Once, and a paste of rich text pays nothing for the text.
    EXPECT_EQ(board.Fetched, std::vector<TDisplayFormat>{TDisplayFormat::Rtf});
}

TEST_F(ClipboardTest, AFormatTheOtherProgramDoesNotGiveIsDroppedAndNotAskedForAgain) {
    SlowDisplayClipboard board;
    board.Theirs = {{TDisplayFormat::Text, "plain"}, {TDisplayFormat::Rtf, std::nullopt}};
    const test::PresenterOverride display(std::make_unique<SlowClipboardPresenter>(board));
    const UINT rtf = RegisterClipboardFormat(CF_RTF);
    ASSERT_TRUE(OpenClipboard(Mine));
    EXPECT_EQ(GetClipboardData(rtf), nullptr);
    EXPECT_EQ(GetClipboardData(rtf), nullptr);
    EXPECT_EQ(Formats(), std::vector<UINT>{CF_TEXT});
    ASSERT_NE(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(*GetClipboardData(CF_TEXT), "plain");
    EXPECT_EQ(board.Fetched,
              (std::vector<TDisplayFormat>{TDisplayFormat::Rtf, TDisplayFormat::Text}));
}

TEST_F(ClipboardTest, TheDisplayIsOfferedEachSharedFormatAsSetWithWhatIsKeptOfTheirs) {
    SlowDisplayClipboard board;
    board.Theirs = {{TDisplayFormat::Text, "plain"}, {TDisplayFormat::Rtf, "{\\rtf1 theirs}"}};
    const test::PresenterOverride display(std::make_unique<SlowClipboardPresenter>(board));
    const UINT rtf = RegisterClipboardFormat(CF_RTF);
    // Rich text goes as it stands; text ends at its NUL.
    const std::string ours = std::string("{\\rtf1 \xE9") + '\0' + "}";
    struct Step {
        UINT Format;
        std::string Data;
        size_t Offers;
        std::optional<std::string> Text, Rich;
    };
    const std::vector<Step> steps = {
        {CF_TEXT, std::string("ours\0tail", 9), 1, "ours", "{\\rtf1 theirs}"},
        {CF_DIB, "BM", 1, "ours", "{\\rtf1 theirs}"},  // stays in the process
        {rtf, ours, 2, "ours", ours},
    };
    // Not emptied: what the other program offered stays beside ours.
    ASSERT_TRUE(OpenClipboard(Mine));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Format);
        ASSERT_TRUE(SetClipboardData(step.Format, step.Data));
        ASSERT_EQ(board.Offers.size(), step.Offers);
        EXPECT_EQ(board.Offers.back().Text, step.Text);
        EXPECT_EQ(board.Offers.back().Rtf, step.Rich);
    }
    // Their text, replaced before anyone read it, was never fetched.
    EXPECT_EQ(board.Fetched, std::vector<TDisplayFormat>{TDisplayFormat::Rtf});
    EmptyClipboard();
    EXPECT_FALSE(board.Offers.back().Text || board.Offers.back().Rtf);
}

}  // namespace
}  // namespace vex

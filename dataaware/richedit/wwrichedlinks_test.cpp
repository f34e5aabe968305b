#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "dataaware/richedit/wwriched_testsupport.h"
#include "platform/gfx/cursors.h"
#include "platform/shell/recordingurlopener.h"
#include "platform/ui/screen.h"
#include "platform/win/application.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/linkclicks.txt";
const std::string Note = "see www.example.com and http://b.example/x now";

class WwRichLinks : public ::testing::Test {
protected:
    WwRichLinks() : FOn(Note) {
        auto opener = std::make_unique<TRecordingUrlOpener>();
        FOpener = opener.get();
        SetUrlOpener(std::move(opener));
        FOn.Edit->SetAutoURLDetect(true);
    }
    ~WwRichLinks() override {
        SetUrlOpener(nullptr);
        Application().OnException = nullptr;
    }

    // Plays "d6 u6"-style presses over the control.
    void Play(const std::string& Actions) {
        std::istringstream words(Actions);
        std::string word;
        while (words >> word) {
            const LPARAM at = FOn.At(std::stoi(word.substr(1)));
            const UINT msg = word[0] == 'd'   ? WM_LBUTTONDOWN
                             : word[0] == 'c' ? WM_LBUTTONDBLCLK
                             : word[0] == 'm' ? WM_MOUSEMOVE
                                              : WM_LBUTTONUP;
            FOn.Edit->Perform(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        }
    }

    test::TwwRichOnForm FOn;
    TRecordingUrlOpener* FOpener;
};

TEST_F(WwRichLinks, PressesOpenWhatTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(Cases, "clicks")) {
        SCOPED_TRACE(c.Where);
        FOpener->Opened.clear();
        Play(c[0]);
        EXPECT_EQ(FOpener->Opened,
                  c[1] == "-" ? std::vector<std::string>{} : std::vector<std::string>{c[1]});
    }
}

TEST_F(WwRichLinks, AHandlerSeesTheLinkAndMayOpenItItself) {
    std::vector<std::string> seen;
    FOn.Edit->OnURLOpen = [&](TwwCustomRichEdit* Sender, const std::string& URLLink,
                              bool& UseDefault) {
        EXPECT_EQ(Sender, FOn.Edit);
        seen.push_back(URLLink);
        UseDefault = seen.size() > 1;
    };
    Screen().SetCursor(crCross);
    Play("d6 u6");
    EXPECT_TRUE(FOpener->Opened.empty());
    EXPECT_EQ(Screen().Cursor(), crCross) << "no opening, no cursor change";
    Play("d30 u30");
    EXPECT_EQ(seen, (std::vector<std::string>{"www.example.com", "http://b.example/x"}));
    EXPECT_EQ(FOpener->Opened, std::vector<std::string>{"http://b.example/x"});
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST_F(WwRichLinks, AFailedOpeningIsReportedAsTheApplicationReportsErrors) {
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    FOpener->Failure = "No program opens web addresses";
    Play("d6 u6");
    EXPECT_EQ(reported, std::vector<std::string>{"No program opens web addresses"});
}

TEST_F(WwRichLinks, AnOpenerFailingInItsOwnWayIsReportedToo) {
    struct TBrokenOpener : TUrlOpener {
        void Open(const std::string&) override { throw std::runtime_error("no process slots"); }
    };
    SetUrlOpener(std::make_unique<TBrokenOpener>());
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    Play("d6 u6");
    EXPECT_EQ(reported, std::vector<std::string>{"no process slots"});
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST_F(WwRichLinks, AHandlerThatFreesTheControlLeavesTheDefaultOpeningToRun) {
    FOn.Edit->OnURLOpen = [](TwwCustomRichEdit* Sender, const std::string&, bool&) {
        delete Sender;
    };
    Play("d6 u6");
    EXPECT_EQ(FOpener->Opened, std::vector<std::string>{"http://www.example.com"});
}

TEST_F(WwRichLinks, DetectionOffMarksAndOpensNothingAndComesBackOn) {
    FOn.Edit->SetAutoURLDetect(false);
    EXPECT_EQ(FOn.Edit->EventMask() & ENM_LINK, 0u);
    Play("d6 u6");
    EXPECT_TRUE(FOpener->Opened.empty());
    FOn.Edit->SetAutoURLDetect(true);
    EXPECT_NE(FOn.Edit->EventMask() & ENM_LINK, 0u);
    Play("d6 u6");
    EXPECT_EQ(FOpener->Opened, std::vector<std::string>{"http://www.example.com"});
}

TEST(WwRichLinksBeforeTheWindow, DetectionSetBeforeTheWindowHoldsOnceItIsMade) {
    TwwDBRichEdit edit(nullptr);
    edit.SetAutoURLDetect(true);
    test::TShownForm shown;
    edit.SetBoundsRect(Rect(0, 0, 200, 80));
    edit.SetParent(shown.Form);
    edit.HandleNeeded();
    EXPECT_TRUE(edit.AutoUrlDetect());
    EXPECT_NE(edit.EventMask() & ENM_LINK, 0u);
    edit.SetParent(nullptr);
}

}  // namespace
}  // namespace vex

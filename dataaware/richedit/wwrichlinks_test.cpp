#include "dataaware/richedit/wwrichlinks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gfx/cursors.h"
#include "platform/shell/recordingurlopener.h"
#include "platform/shell/urlopener.h"
#include "platform/ui/screen.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/links.txt";

class WwOpenLink : public ::testing::Test {
protected:
    WwOpenLink() {
        auto opener = std::make_unique<TRecordingUrlOpener>();
        FOpener = opener.get();
        SetUrlOpener(std::move(opener));
    }
    ~WwOpenLink() override {
        SetUrlOpener(nullptr);
        Screen().SetCursor(crDefault);
    }

    TRecordingUrlOpener* FOpener;
};

TEST_F(WwOpenLink, OpensOnlyWebAndMailAddressesAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(Cases, "link")) {
        SCOPED_TRACE(c.Where);
        FOpener->Opened.clear();
        if (c[1] == "refused") {
            EXPECT_THROW(wwOpenLink(c[0]), EUrlOpenError);
            EXPECT_TRUE(FOpener->Opened.empty());
        } else {
            wwOpenLink(c[0]);
            EXPECT_EQ(FOpener->Opened, std::vector<std::string>{c[1]});
        }
    }
}

TEST_F(WwOpenLink, RefusesTextsLongerThanTheLimit) {
    const std::string longest = "http://example.com/" + std::string(wwMaxLinkLength - 19, 'a');
    wwOpenLink(longest);
    EXPECT_THROW(wwOpenLink(longest + "a"), EUrlOpenError);
    EXPECT_EQ(FOpener->Opened.size(), 1u);
}

TEST_F(WwOpenLink, ShowsTheHourGlassWhileOpeningAndTheDefaultCursorAfter) {
    struct TWatchingOpener : TUrlOpener {
        void Open(const std::string&) override {
            Seen = Screen().Cursor();
            if (Fail) throw EUrlOpenError("no browser");
        }
        TCursor Seen = crDefault;
        bool Fail = false;
    };
    auto opener = std::make_unique<TWatchingOpener>();
    TWatchingOpener& watching = *opener;
    SetUrlOpener(std::move(opener));
    for (const bool fail : {false, true}) {
        watching.Fail = fail;
        Screen().SetCursor(crCross);
        if (fail)
            EXPECT_THROW(wwOpenLink("www.example.com"), EUrlOpenError);
        else
            wwOpenLink("www.example.com");
        EXPECT_EQ(watching.Seen, crHourGlass);
        EXPECT_EQ(Screen().Cursor(), crDefault);
    }
}

}  // namespace
}  // namespace vex

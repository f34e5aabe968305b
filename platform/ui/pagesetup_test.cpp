#include "platform/ui/pagesetup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/ui/printdialog_testsupport.h"
#include "platform/win/modaldriver.h"

namespace vex {
namespace {

using test::ComboShown;
using test::DialogPart;
using test::NoteFocusAndCancel;
using test::ReadTold;
using test::RunningDialog;
using test::StepCombo;
using test::TapKey;
using test::TypeOver;

TEST(PageSetupMargins, TextsAndValuesKeepTheUnitExactly) {
    const struct {
        const char* Text;
        TMarginUnit Unit;
        std::optional<int32_t> Value;
    } cases[] = {
        {"1", muThousandthsOfInches, 1000},
        {"0.75", muThousandthsOfInches, 750},
        {"0.0005", muThousandthsOfInches, 1},  // half a unit rounds up
        {"0.0004", muThousandthsOfInches, 0},
        {"25", muHundredthsOfMillimetres, 2500},
        {"12.7", muHundredthsOfMillimetres, 1270},
        {".5", muHundredthsOfMillimetres, 50},
        {"5.", muHundredthsOfMillimetres, 500},
        {"10000", muThousandthsOfInches, 10000000},
        {"10001", muThousandthsOfInches, std::nullopt},
        {"99999999999999999999999", muHundredthsOfMillimetres, std::nullopt},
        {"", muHundredthsOfMillimetres, std::nullopt},
        {"-1", muHundredthsOfMillimetres, std::nullopt},
        {"1,5", muHundredthsOfMillimetres, std::nullopt},
        {"1.2.3", muHundredthsOfMillimetres, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.Text + "\"");
        EXPECT_EQ(MarginValue(c.Text, c.Unit), c.Value);
    }

    const struct {
        int32_t Value;
        TMarginUnit Unit;
        const char* Text;
    } shown[] = {
        {1000, muThousandthsOfInches, "1"},
        {750, muThousandthsOfInches, "0.75"},
        {1, muThousandthsOfInches, "0.001"},
        {0, muThousandthsOfInches, "0"},
        {2500, muHundredthsOfMillimetres, "25"},
        {1270, muHundredthsOfMillimetres, "12.7"},
        {5, muHundredthsOfMillimetres, "0.05"},
        {-250, muHundredthsOfMillimetres, "-2.5"},
        {INT32_MIN, muHundredthsOfMillimetres, "-21474836.48"},
    };
    for (const auto& c : shown) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(MarginText(c.Value, c.Unit), c.Text);
        if (c.Value >= 0) {
            EXPECT_EQ(MarginValue(c.Text, c.Unit), c.Value);
        }
    }
}

TEST(PageSetupMargins, RoomIsLeftOnlyWhileTheMarginsTogetherAreSmallerThanThePaper) {
    const TPaperSize& a4 = *FindPaperSize(DMPAPER_A4);          // 210 x 297 mm
    const TPaperSize& letter = *FindPaperSize(DMPAPER_LETTER);  // 8.5 x 11 in
    const struct {
        TRect Margins;
        TMarginUnit Unit;
        const TPaperSize& Paper;
        int16_t Orientation;
        bool Room;
    } cases[] = {
        {Rect(10499, 0, 10500, 0), muHundredthsOfMillimetres, a4, DMORIENT_PORTRAIT, true},
        {Rect(10500, 0, 10500, 0), muHundredthsOfMillimetres, a4, DMORIENT_PORTRAIT, false},
        {Rect(0, 20000, 0, 9699), muHundredthsOfMillimetres, a4, DMORIENT_PORTRAIT, true},
        {Rect(0, 20000, 0, 9700), muHundredthsOfMillimetres, a4, DMORIENT_PORTRAIT, false},
        // Lying across, the long side is the width.
        {Rect(20000, 0, 9699, 0), muHundredthsOfMillimetres, a4, DMORIENT_LANDSCAPE, true},
        {Rect(0, 10500, 0, 10500), muHundredthsOfMillimetres, a4, DMORIENT_LANDSCAPE, false},
        {Rect(4000, 0, 4499, 0), muThousandthsOfInches, letter, DMORIENT_PORTRAIT, true},
        {Rect(4000, 0, 4500, 0), muThousandthsOfInches, letter, DMORIENT_PORTRAIT, false},
        {Rect(0, 5000, 0, 5999), muThousandthsOfInches, letter, DMORIENT_PORTRAIT, true},
        {Rect(0, 5000, 0, 6000), muThousandthsOfInches, letter, DMORIENT_PORTRAIT, false},
        {Rect(INT32_MAX, 0, INT32_MAX, 0), muThousandthsOfInches, letter, DMORIENT_PORTRAIT, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Margins.Left << " " << c.Margins.Top << " "
                                        << c.Margins.Right << " " << c.Margins.Bottom);
        EXPECT_EQ(MarginsLeaveRoom(c.Margins, c.Unit, c.Paper, c.Orientation), c.Room);
    }
}

class PageSetup : public testing::Test {
protected:
    PageSetup() {
        FRecord.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
        FRecord.Device = "PDF";
        FRecord.DevMode.dmPaperSize = DMPAPER_A4;
        FRecord.DevMode.dmOrientation = DMORIENT_PORTRAIT;
        FRecord.Margins = Rect(2500, 2000, 1500, 1000);
    }
    ~PageSetup() override { test::ReleaseAllKeys(); }

    void ExpectUnchanged() {
        EXPECT_EQ(FRecord.Flags, PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
        EXPECT_EQ(FRecord.DevMode.dmPaperSize, DMPAPER_A4);
        EXPECT_EQ(FRecord.DevMode.dmOrientation, DMORIENT_PORTRAIT);
        EXPECT_EQ(FRecord.Margins, Rect(2500, 2000, 1500, 1000));
    }

    TPageSetupDlg FRecord;
};

std::string MarginsShown() {
    std::string shown;
    for (const char* name : {"LeftMargin", "TopMargin", "RightMargin", "BottomMargin"})
        shown += (shown.empty() ? "" : " ") + DialogPart<TEdit>(name).Text();
    return shown;
}

TEST_F(PageSetup, AcceptingAnswersThePaperOrientationAndMarginsChosen) {
    FRecord.DevMode.dmFields = DM_COPIES;
    std::string shown, frame, paper;
    TModalScript script;
    script.Then([&] {
        shown = ComboShown("PaperSize") + " " + ComboShown("Orientation") + " " + MarginsShown();
        frame = DialogPart<TControl>("Margins").Caption();
        StepCombo("PaperSize", 1);
    });
    script.Then([&] {
        paper = ComboShown("PaperSize");
        StepCombo("Orientation", 1);
    });
    script.Then([] { TypeOver("LeftMargin", "12.7"); });
    script.Then([] { TypeOver("BottomMargin", "0.05"); });
    script.Then([] { TapKey(VK_RETURN); });
    ASSERT_TRUE(PageSetupDlg(FRecord));
    EXPECT_EQ(shown, "A4 Portrait 25 20 15 10");
    EXPECT_EQ(frame, "Margins (millimetres)");
    EXPECT_NE(paper, "A4");
    ASSERT_NE(FindPaperSize(FRecord.DevMode.dmPaperSize), nullptr);
    EXPECT_EQ(FindPaperSize(FRecord.DevMode.dmPaperSize)->Name, paper);
    EXPECT_EQ(FRecord.DevMode.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(FRecord.DevMode.dmFields, DM_COPIES | DM_PAPERSIZE | DM_ORIENTATION);
    EXPECT_EQ(FRecord.Margins, Rect(1270, 2000, 1500, 5));
    EXPECT_EQ(FRecord.Flags, PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
    EXPECT_EQ(FRecord.Device, "PDF");
}

TEST_F(PageSetup, OkRefusesMarginsThatAreNoNumberOrLeaveNoRoomAndSaysWhy) {
    const std::string noRoom =
        "The margins leave no room on the paper. Make them smaller, or choose larger paper.";
    const struct {
        const char* Field;
        const char* Typed;
        const char* Told;
        const char* Focused;
    } cases[] = {
        {"LeftMargin", "abc",
         "\"abc\" is not a margin. Type a number of millimetres, such as 19.5.", "LeftMargin"},
        {"BottomMargin", "", "\"\" is not a margin. Type a number of millimetres, such as 19.5.",
         "BottomMargin"},
        {"RightMargin", "-3", "\"-3\" is not a margin. Type a number of millimetres, such as 19.5.",
         "RightMargin"},
        // 25 + 185 is the width of the paper; the mending starts where the width does.
        {"RightMargin", "185", noRoom.c_str(), "LeftMargin"},
        {"TopMargin", "287", noRoom.c_str(), "TopMargin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        std::string told, focused;
        TModalScript script;
        script.Then([&] { TypeOver(c.Field, c.Typed); });
        script.Then([] { TapKey(VK_RETURN); });
        script.Then(ReadTold(told));
        script.Then(NoteFocusAndCancel(focused));
        EXPECT_FALSE(PageSetupDlg(FRecord));
        EXPECT_EQ(told, c.Told);
        EXPECT_EQ(focused, c.Focused);
        ExpectUnchanged();
    }
}

TEST_F(PageSetup, TurningThePaperAcrossMakesRoomForWideMargins) {
    TModalScript script;
    script.Then([] { TypeOver("LeftMargin", "250"); });
    script.Then([] { TapKey(VK_RETURN); });
    script.Then([] { TapKey(VK_RETURN); });  // the message
    script.Then([] { StepCombo("Orientation", 1); });
    script.Then([] { TapKey(VK_RETURN); });
    ASSERT_TRUE(PageSetupDlg(FRecord));
    EXPECT_EQ(FRecord.DevMode.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(FRecord.Margins.Left, 25000);
}

TEST_F(PageSetup, StartsFromAnInchInTheRecordsUnitWithoutMargins) {
    const struct {
        uint32_t Unit;
        const char* Shown;
        int32_t Inch;
    } cases[] = {
        {PSD_INTHOUSANDTHSOFINCHES, "1 1 1 1", 1000},
        {PSD_INHUNDREDTHSOFMILLIMETERS, "25.4 25.4 25.4 25.4", 2540},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Unit);
        FRecord.Flags = c.Unit;
        FRecord.Margins = Rect(7, 7, 7, 7);
        std::string shown;
        TModalScript script;
        script.Then([&] {
            shown = MarginsShown();
            TapKey(VK_RETURN);
        });
        ASSERT_TRUE(PageSetupDlg(FRecord));
        EXPECT_EQ(shown, c.Shown);
        EXPECT_EQ(FRecord.Margins, Rect(c.Inch, c.Inch, c.Inch, c.Inch));
        EXPECT_EQ(FRecord.Flags, PSD_MARGINS | (c.Unit == PSD_INTHOUSANDTHSOFINCHES
                                                    ? PSD_INTHOUSANDTHSOFINCHES
                                                    : PSD_INHUNDREDTHSOFMILLIMETERS));
    }
}

TEST_F(PageSetup, ADisabledPaperChoiceKeepsThePaperAndStartsAtTheOrientation) {
    FRecord.Flags |= PSD_DISABLEPAPER;
    bool enabled = true;
    std::string focused;
    TModalScript script;
    script.Then([&] {
        enabled = DialogPart<TControl>("PaperSize").Enabled();
        focused = RunningDialog().ActiveControl()->Name();
        TapKey(VK_DOWN);
    });
    script.Then([] { TapKey(VK_RETURN); });
    ASSERT_TRUE(PageSetupDlg(FRecord));
    EXPECT_FALSE(enabled);
    EXPECT_EQ(focused, "Orientation");
    EXPECT_EQ(FRecord.DevMode.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(FRecord.DevMode.dmOrientation, DMORIENT_LANDSCAPE);
}

TEST_F(PageSetup, TheHookSeesTheFormOnlyWhenTheFlagAsksForIt) {
    for (bool flagged : {false, true}) {
        FRecord.Flags =
            PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | (flagged ? PSD_ENABLEPAGESETUPHOOK : 0);
        std::string seen;
        FRecord.Hook = [&](TForm& Form) { seen = Form.Caption(); };
        TModalScript script;
        script.Then([] { TapKey(VK_ESCAPE); });
        EXPECT_FALSE(PageSetupDlg(FRecord));
        EXPECT_EQ(seen, flagged ? "Page Setup" : "");
    }
}

TEST_F(PageSetup, APromptsLetterWithAltTakesTheFocusToAFieldThatCanHaveIt) {
    const struct {
        uint32_t Flags;
        int32_t Letter;
        const char* Focused;
    } cases[] = {
        {0, 'O', "Orientation"},
        {0, 'L', "LeftMargin"},
        {0, 'R', "RightMargin"},
        {0, 'T', "TopMargin"},
        {0, 'B', "BottomMargin"},
        {0, 'Z', "PaperSize"},
        {PSD_DISABLEPAPER, 'Z', "Orientation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.Letter));
        FRecord.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | c.Flags;
        std::string focused;
        TModalScript script;
        script.Then([&] {
            if (c.Letter == 'Z') StepCombo("Orientation", 0);
            test::InjectKeys({VK_MENU, c.Letter});
        });
        script.Then(NoteFocusAndCancel(focused));
        EXPECT_FALSE(PageSetupDlg(FRecord));
        EXPECT_EQ(focused, c.Focused);
    }
}

// A hook that runs once takes itself off the record it was called from.
TEST_F(PageSetup, AHookThatTakesItselfOffTheRecordRunsToItsEnd) {
    FRecord.Flags |= PSD_ENABLEPAGESETUPHOOK;
    std::string seen;
    const std::string said = "a hook's own text, longer than a short string keeps inline";
    FRecord.Hook = [&, said](TForm& Form) {
        FRecord.Hook = nullptr;
        seen = said + " on " + Form.Caption();
    };
    TModalScript script;
    script.Then([] { TapKey(VK_ESCAPE); });
    EXPECT_FALSE(PageSetupDlg(FRecord));
    EXPECT_EQ(seen, said + " on Page Setup");
}

TEST_F(PageSetup, ARecordItCannotShowIsRefusedBeforeAnythingShows) {
    const struct {
        uint32_t Flags;
        int16_t Paper;
        int16_t Orientation;
        const char* Told;
    } cases[] = {
        {PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS, DMPAPER_A4, DMORIENT_PORTRAIT,
         "A page setup takes its margins in one unit, not in two."},
        {0, 42, DMORIENT_PORTRAIT, "The paper size 42 is not one the printer knows."},
        {0, DMPAPER_A4, 3, "The orientation 3 is neither portrait nor landscape."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Told);
        TPageSetupDlg record;
        record.Flags = c.Flags;
        record.DevMode.dmPaperSize = c.Paper;
        record.DevMode.dmOrientation = c.Orientation;
        TModalScript script;
        script.Then([] { ADD_FAILURE() << "a form showed"; });
        try {
            PageSetupDlg(record);
            ADD_FAILURE() << "accepted";
        } catch (const EPrinter& E) {
            EXPECT_EQ(E.Message(), c.Told);
        }
        EXPECT_EQ(record.DevMode.dmPaperSize, c.Paper);
    }
}

TEST_F(PageSetup, CancelAndNoDisplayWithoutAScriptLeaveTheRecordAsItWas) {
    EXPECT_FALSE(PageSetupDlg(FRecord));
    ExpectUnchanged();
    TModalScript script;
    script.Then([] { TypeOver("LeftMargin", "3"); });
    script.Then([] { StepCombo("PaperSize", 1); });
    script.Then([] { TapKey(VK_ESCAPE); });
    EXPECT_FALSE(PageSetupDlg(FRecord));
    ExpectUnchanged();
}

TEST_F(PageSetup, ShowsAsAPersonWouldSeeIt) {
    TModalScript script;
    script.Then([] { test::LookAtRunningDialog("pagesetup.png"); });
    PageSetupDlg(FRecord);
}

}  // namespace
}  // namespace vex

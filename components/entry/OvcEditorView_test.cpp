#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/entry/OvcEditor.h"
#include "components/entry/editor_testsupport.h"
#include "platform/core/clock.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

using test::SetTextOf;
using test::TextOf;

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";
constexpr uint16_t ccChar = 249;

const char* const kVerse =
    "The known senders of junk are listed here, one address to a line, and the filter "
    "drops what they send.\n"
    "\tIndented by a tab.\n"
    "\n"
    "A last short line.";

// An editor on the virtual clock, driven with injected input.
class EditorScene : public ::testing::Test {
protected:
    ~EditorScene() override { test::ReleaseAllKeys(); }

    TPoint ScreenAt(int32_t Line, int32_t Col) {
        TOvcCustomEditor& e = *F.Editor;
        return e.ClientToScreen(Point(e.LeftMargin() + (Col - 1) * e.CharWidth() + 1,
                                      (Line - e.GetTopLine()) * e.LineHeight() + 2));
    }
    void Key(int32_t VirtualKey, std::vector<int32_t> Held = {}) {
        const test::TKeysHeld held(std::move(Held));
        InjectKey(VirtualKey, true);
        InjectKey(VirtualKey, false);
        // As the application's loop takes them: keys translated into characters.
        Application().ProcessMessages();
        test::PumpUntilIdle();
    }
    void RunFor(int64_t Milliseconds) {
        const int64_t until = Clock.TickMilliseconds() + Milliseconds;
        ProcessMessagesUntil([] { return false; }, until);
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    test::TEditorForm<> F;
};

TEST_F(EditorScene, PicturesOfWrappedTextSelectionAndBookmarks) {
    TOvcCustomEditor& e = *F.Editor;
    e.SetWordWrap(true);
    e.SetWrapColumn(20);
    SetTextOf(e, kVerse, 1, 1);
    e.SetCaretPosition(1, 1);
    EXPECT_TRUE(test::ControlMatchesReferencePicture(e, kPictures, "editor-wrapped"));

    e.SetFocus();
    e.SetSelection(2, 5, true, 4, 8);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(e, kPictures, "editor-selection"));

    e.SetSelection(1, 1, true, 1, 1);
    e.SetMarkerAt(1, 1, 1);
    e.SetMarkerAt(2, 5, 1);
    e.SetMarkerAt(7, 5, 3);  // the lowest number on a line shows
    e.SetMarkerAt(9, 8, 1);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(e, kPictures, "editor-bookmarks"));
}

TEST_F(EditorScene, AKeystrokeRepaintsOnlyTheLinesItChanged) {
    TOvcCustomEditor& e = *F.Editor;
    e.SetWordWrap(true);
    e.SetWrapColumn(20);
    SetTextOf(e, kVerse, 2, 3);
    e.SetFocus();
    test::PumpUntilIdle();
    const int64_t before = e.PaintedLineCount();
    e.ExecuteCommand(ccChar, 'x');
    test::PumpUntilIdle();
    EXPECT_LE(e.PaintedLineCount() - before, 2);
    EXPECT_GE(e.PaintedLineCount() - before, 1);
}

TEST_F(EditorScene, KeysReachTheCommandsThroughTheController) {
    TOvcCustomEditor& e = *F.Editor;
    std::string text;
    for (int i = 1; i <= 40; ++i)
        text += "line " + std::to_string(i) + "\n";
    SetTextOf(e, text, 1, 1);
    e.SetFocus();
    test::PumpUntilIdle();
    Key(VK_NEXT);
    EXPECT_EQ(e.CaretLine(), e.VisibleLines());
    EXPECT_EQ(e.GetTopLine(), e.VisibleLines());
    Key(VK_RIGHT, {VK_SHIFT});
    Key(VK_RIGHT, {VK_SHIFT});
    Key(VK_DOWN, {VK_SHIFT});
    const int32_t line = e.VisibleLines();
    const std::string next = std::to_string(line + 1);
    EXPECT_EQ(e.SelectedText(), "line " + std::to_string(line) + "\r\nli");
    Key('A');
    EXPECT_EQ(e.GetPara(line), "ane " + next) << "typing replaces the selection";
    Key(VK_RETURN);
    EXPECT_EQ(e.GetPara(line), "a");
    EXPECT_EQ(e.GetPara(line + 1), "ne " + next);
    Key(VK_BACK);
    EXPECT_EQ(e.GetPara(line), "ane " + next);
}

TEST_F(EditorScene, TheMouseSelectsTextWordsAndWholeLines) {
    TOvcCustomEditor& e = *F.Editor;
    SetTextOf(e, "alpha beta gamma\nsecond line\nthird", 1, 1);
    test::PumpUntilIdle();
    InjectMouseMove(ScreenAt(1, 7));
    InjectMouseButton(mbLeft, true);
    InjectMouseMove(ScreenAt(2, 3));
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    EXPECT_TRUE(e.Focused());
    EXPECT_EQ(e.SelectedText(), "beta gamma\r\nse");

    // In the margin, whole lines.
    const TPoint margin = e.ClientToScreen(Point(2, e.LineHeight() + 2));
    InjectMouseMove(margin);
    InjectMouseButton(mbLeft, true);
    InjectMouseMove(Point(margin.X, margin.Y + e.LineHeight()));
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    EXPECT_EQ(e.SelectedText(), "second line\r\nthird");

    // A double click takes the word and the blanks after it.
    RunFor(1000);
    for (int i = 0; i < 2; ++i) {
        InjectMouseMove(ScreenAt(1, 8));
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
    }
    test::PumpUntilIdle();
    EXPECT_EQ(e.SelectedText(), "beta ");
}

TEST_F(EditorScene, DraggingBelowTheWindowScrollsOnTimeFasterFartherAway) {
    TOvcCustomEditor& e = *F.Editor;
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "row " + std::to_string(i) + "\n";
    SetTextOf(e, text, 1, 1);
    test::PumpUntilIdle();
    InjectMouseMove(ScreenAt(1, 1));
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    const TPoint below = e.ClientToScreen(Point(20, e.ClientHeight() + 2));
    InjectMouseMove(below);
    test::PumpUntilIdle();
    const int32_t start = e.GetTopLine();
    RunFor(500);
    const int32_t near = e.GetTopLine() - start;
    InjectMouseMove(Point(below.X, below.Y + 40));
    test::PumpUntilIdle();
    const int32_t middle = e.GetTopLine();
    RunFor(500);
    const int32_t far = e.GetTopLine() - middle;
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    const int32_t stopped = e.GetTopLine();
    RunFor(500);
    EXPECT_GT(near, 5);
    EXPECT_GT(far, near) << "farther is faster";
    EXPECT_EQ(e.GetTopLine(), stopped) << "releasing the button stops it";
    EXPECT_EQ(e.CaretLine(), e.GetTopLine() + e.VisibleLines() - 1);
    EXPECT_TRUE(e.HasSelection());
}

// What an older form resource held: a "Margin" for both sides.
class TOldEditorResource : public TPersistent {
protected:
    void DefineProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            "Margin", nullptr, [](TWriter& W) { W.WriteInteger(9); }, true);
    }
};

TEST_F(EditorScene, AnOlderMarginPropertySetsBothMarginsAndIsNeverWritten) {
    TOldEditorResource old;
    TStringStream written;
    TWriter(written).WriteProperties(old);
    TStringStream read(written.DataString());
    TReader(read).ReadProperties(*F.Editor);
    EXPECT_EQ(F.Editor->LeftMargin(), 9);
    EXPECT_EQ(F.Editor->RightMargin(), 9);
    TStringStream again;
    TWriter(again).WriteProperties(*F.Editor);
    EXPECT_EQ(again.DataString().find("Margin"), std::string::npos);
}

TEST_F(EditorScene, TheMarginShowsTheLineSelectCursor) {
    TOvcCustomEditor& e = *F.Editor;
    SetTextOf(e, "text", 1, 1);
    test::PumpUntilIdle();
    const HCURSOR lineSelect = LoadCursor(1, LineSelectCursorId);
    ASSERT_NE(lineSelect, 0) << "the cursor resource is built in";
    InjectMouseMove(e.ClientToScreen(Point(2, 3)));
    test::PumpUntilIdle();
    EXPECT_EQ(GetCursor(), lineSelect);
    InjectMouseMove(e.ClientToScreen(Point(60, 3)));
    test::PumpUntilIdle();
    EXPECT_EQ(GetCursor(), LoadCursor(0, IDC_IBEAM));
}

TEST_F(EditorScene, OnDrawLineSeesEachRowAndMayDrawItItself) {
    TOvcCustomEditor& e = *F.Editor;
    SetTextOf(e, "one\n\ttwo", 1, 1);
    std::vector<std::string> rows;
    e.OnDrawLine = [&](TObject*, TCanvas&, const TRect&, const char* S, int32_t Len, int32_t Line,
                       int32_t, int32_t Count, int32_t, int32_t, int32_t, int32_t, bool& WasDrawn) {
        rows.push_back(std::to_string(Line) + "/" + std::to_string(Count) + " " +
                       std::string(S, static_cast<size_t>(Len)));
        WasDrawn = Line == 2;
    };
    e.Invalidate();
    test::PumpUntilIdle();
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "1/2 one");
    EXPECT_EQ(rows[1], "2/2         two") << "tabs expanded";
    EXPECT_EQ(rows[2], "3/2 ") << "rows below the text are offered empty";
}

}  // namespace
}  // namespace vex

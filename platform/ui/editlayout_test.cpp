#include "platform/ui/editlayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

// Every character 6 pixels wide, as the fixed font at 12 pixels; tab stops every 48.
struct TLaidOut {
    TEditText Text{true};
    TEditLayout Layout{Text};
    explicit TLaidOut(std::string_view Source, int32_t WrapWidth = 0) {
        Text.OnLinesChanged = [this](int32_t First, int32_t Removed, int32_t Inserted) {
            Layout.Changed(First, Removed, Inserted);
        };
        std::array<int32_t, 256> advances;
        advances.fill(6);
        Layout.SetMetrics(advances, 12, 48);
        Layout.SetWrapWidth(WrapWidth);
        Text.SetText(Source);
    }
    std::vector<std::string> Rows(int32_t Line) const {
        std::vector<std::string> rows;
        for (int32_t r = 0; r < Layout.RowCount(Line); ++r)
            rows.push_back(Text.Line(Line).substr(
                Layout.RowStart(Line, r), Layout.RowEnd(Line, r) - Layout.RowStart(Line, r)));
        return rows;
    }
};

TEST(EditLayout, WrapsAtBlanksAndCutsWordsLongerThanARow) {
    struct TCase {
        std::string Line;
        std::vector<std::string> Rows;
    };
    const std::vector<TCase> cases = {
        {"aaaa bbbb cccc", {"aaaa bbbb ", "cccc"}},
        {"aaaa bbbbbbbbbbbbbb", {"aaaa ", "bbbbbbbbbb", "bbbb"}},
        {"short", {"short"}},
        {"", {""}},
        {"a         b", {"a         ", "b"}},  // blanks hang past the edge
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        const TLaidOut laid(c.Line, 60);
        EXPECT_EQ(laid.Rows(0), c.Rows);
        EXPECT_EQ(laid.Layout.TotalRows(), static_cast<int32_t>(c.Rows.size()));
    }
}

TEST(EditLayout, MeasuresTabsToTheNextStopAndFindsTheNearestPlace) {
    const TLaidOut laid("a\tbc");
    struct TCase {
        int32_t X;
        int32_t Col;
    };
    EXPECT_EQ(laid.Layout.XOf(TEditPos{0, 2}), 48);
    EXPECT_EQ(laid.Layout.XOf(TEditPos{0, 4}), 60);
    for (const TCase& c : std::vector<TCase>{
             {-10, 0}, {2, 0}, {3, 1}, {20, 1}, {27, 2}, {50, 2}, {52, 3}, {200, 4}}) {
        SCOPED_TRACE(c.X);
        EXPECT_EQ(laid.Layout.PosAt(0, 0, c.X).Col, c.Col);
    }
}

TEST(EditLayout, FollowsChangesInRowCounts) {
    TLaidOut laid("aaaa\r\nbbbb\r\ncccc", 60);
    EXPECT_EQ(laid.Layout.TotalRows(), 3);
    laid.Text.Select(TEditPos{1, 4}, TEditPos{1, 4});
    laid.Text.ReplaceSelection(" dddd eeee");
    EXPECT_EQ(laid.Layout.RowCount(1), 2);
    EXPECT_EQ(laid.Layout.TotalRows(), 4);
    EXPECT_EQ(laid.Layout.RowsBefore(2), 3);
    int32_t line = 0, row = 0;
    laid.Layout.RowAt(2, line, row);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(laid.Layout.RowOf(TEditPos{1, 10}), 1);  // a wrapping place opens the next row
    EXPECT_EQ(laid.Layout.RowOf(TEditPos{1, 9}), 0);
    laid.Text.SetText("x");
    EXPECT_EQ(laid.Layout.TotalRows(), 1);
}

TEST(EditLayout, APasswordShowsItsCharacterAndNeverWraps) {
    TLaidOut laid("a b c d e f g h i j k", 30);
    laid.Layout.SetPasswordChar('*');
    EXPECT_EQ(laid.Layout.RowCount(0), 1);
    EXPECT_EQ(laid.Layout.Shown('a'), '*');
    EXPECT_EQ(laid.Layout.XOf(TEditPos{0, 3}), 18);
}

}  // namespace
}  // namespace vex

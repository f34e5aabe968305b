#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/rich/richedit_testsupport.h"
#include "platform/rich/richeditmessages.h"

namespace vex {
namespace {

using test::PressKey;
using test::TRichKey;
using test::TRichOnForm;

// Two rows of two cells, the first cell of the first row holding a break, then a paragraph:
// "aa\tbb\vcc\t\r\ndd\tee\t\r\nafter", the first row's end at 9.
const std::string TwoRows =
    std::string("{\\rtf1{\\fonttbl{\\f0 ") + FixedFontName +
    ";}}\\f0\\fs24 \\trowd\\cellx1000\\cellx2000\\pard\\intbl aa\\cell bb\\line cc\\cell\\row"
    "\\trowd\\cellx1000\\cellx2000\\pard\\intbl dd\\cell ee\\cell\\row\\pard after}";

struct TRowsOnForm : TRichOnForm {
    TRowsOnForm() { Edit->StreamIn(TwoRows, SF_RTF); }
    int32_t Rows() const {
        const TRichDocument& document = Edit->Engine().Document();
        int32_t rows = 0;
        for (int32_t i = 0; i < document.ParagraphCount(); ++i)
            rows += document.ParaFormats()[document.Paragraph(i).Format].IsRow() ? 1 : 0;
        return rows;
    }
};

// A new line typed inside a cell stays in that cell: a paragraph end there would split the row
// and move the cells after the caret into the columns before them. Past a row's last mark it
// starts a row of its own, as in a paragraph.
TEST(RichEditTables, ReturnInACellBreaksTheLineInsideTheCell) {
    struct TCase {
        const char* Name;
        int32_t Start, Length;
        std::string Expected;
        int32_t Rows;
    };
    const TCase cases[] = {
        {"inside a cell's word", 4, 0, "aa\tb\vb\vcc\t\r\ndd\tee\t\r\nafter", 2},
        {"at a cell's start", 0, 0, "\vaa\tbb\vcc\t\r\ndd\tee\t\r\nafter", 2},
        {"before a cell's mark", 8, 0, "aa\tbb\vcc\v\t\r\ndd\tee\t\r\nafter", 2},
        {"over a selection inside the row", 1, 5, "a\vcc\t\r\ndd\tee\t\r\nafter", 2},
        {"after the row's last mark", 9, 0, "aa\tbb\vcc\t\r\n\r\ndd\tee\t\r\nafter", 3},
        {"in a paragraph", 19, 0, "aa\tbb\vcc\t\r\ndd\tee\t\r\naf\r\nter", 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRowsOnForm on;
        on.Edit->SetSelStart(c.Start);
        on.Edit->SetSelLength(c.Length);
        PressKey({VK_RETURN, "", '\r'});
        EXPECT_EQ(on.Edit->Text(), c.Expected);
        EXPECT_EQ(on.Rows(), c.Rows);
        on.Edit->Undo();
        EXPECT_EQ(on.Edit->Text(), "aa\tbb\vcc\t\r\ndd\tee\t\r\nafter");
        EXPECT_EQ(on.Rows(), 2);
    }
}

// Up and Down move by the lines of the caret's cell while it has more, then past the row, into
// the line of the next row's cell below or above; Home and End keep to the caret's line in its
// cell: the row's own start and end are in other cells.
TEST(RichEditTables, ArrowsHomeAndEndKeepToTheLinesOfTheCell) {
    struct TCase {
        int32_t From;
        uint16_t Key;
        int32_t To;
    };
    const TCase cases[] = {
        {4, VK_DOWN, 7},  {7, VK_UP, 4},   {6, VK_DOWN, 13},  {13, VK_UP, 6},   {0, VK_DOWN, 10},
        {10, VK_UP, 0},   {17, VK_UP, 10}, {3, VK_UP, 3},     {1, VK_HOME, 0},  {0, VK_END, 2},
        {4, VK_HOME, 3},  {3, VK_END, 5},  {7, VK_HOME, 6},   {6, VK_END, 8},   {14, VK_HOME, 13},
        {13, VK_END, 15}, {9, VK_HOME, 6}, {20, VK_HOME, 17}, {18, VK_END, 22},
    };
    TRowsOnForm on;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + " key " + std::to_string(c.Key));
        on.Edit->SetSelStart(c.From);
        PressKey({c.Key, ""});
        EXPECT_EQ(on.Edit->SelStart(), c.To);
    }
}

// In a row taller than the view the caret is scrolled to by its own line in its cell, not by
// the whole row's top or foot, which may be a screen or more away from it.
TEST(RichEditTables, TheCaretInATallRowIsScrolledIntoViewAndPagedThrough) {
    std::string lines;
    for (int i = 0; i < 30; ++i)
        lines += "l" + std::to_string(i) + (i < 29 ? "\\line " : "");
    TRichOnForm on;
    on.Edit->StreamIn(std::string("{\\rtf1{\\fonttbl{\\f0 ") + FixedFontName +
                          ";}}\\f0\\fs24 \\trowd\\cellx1000\\cellx2000\\pard\\intbl " + lines +
                          "\\cell x\\cell\\row}",
                      SF_RTF);
    for (const char* place : {"l15", "l29", "l3", "x", "l20"}) {
        SCOPED_TRACE(place);
        on.Edit->SetSelStart(static_cast<int32_t>(on.Edit->Text().find(place)));
        test::TypeChars("y");
        const TPoint caret = on.Edit->PosFromChar(on.Edit->SelStart());
        EXPECT_GE(caret.Y, 0);
        EXPECT_LE(caret.Y + 16, on.Edit->ClientHeight());
    }
    // A page down the cell and back, the caret in sight all the way.
    on.Edit->SetSelStart(0);
    const int32_t top = on.Edit->PosFromChar(0).Y;
    PressKey({VK_NEXT, ""});
    const int32_t down = on.Edit->SelStart();
    EXPECT_GT(down, static_cast<int32_t>(on.Edit->Text().find("l5")));
    EXPECT_LE(on.Edit->PosFromChar(down).Y + 16, on.Edit->ClientHeight());
    PressKey({VK_PRIOR, ""});
    EXPECT_EQ(on.Edit->SelStart(), 0);
    EXPECT_EQ(on.Edit->PosFromChar(0).Y, top);
}

// Whatever keys and clicks do to the rows, the selection stays in the text and each caret
// place is found again at the point it is drawn at.
TEST(RichEditTables, RandomKeysAndClicksOverRowsKeepCaretAndHitTestsTogether) {
    TRowsOnForm on;
    std::mt19937 random(48);
    const auto pick = [&](int N) { return std::uniform_int_distribution<int>(0, N - 1)(random); };
    const std::vector<TRichKey> keys = {
        {VK_LEFT, ""},      {VK_RIGHT, "S"},    {VK_UP, ""},           {VK_DOWN, "S"},
        {VK_HOME, ""},      {VK_END, "S"},      {VK_DELETE, ""},       {VK_BACK, "", '\b'},
        {'Z', "C", '\x1A'}, {'Y', "C", '\x19'}, {VK_RETURN, "", '\r'}, {'Q', "S", 'Q'},
        {' ', "", ' '},
    };
    for (int step = 0; step < 2000; ++step) {
        if (pick(4) > 0) {
            PressKey(keys[static_cast<size_t>(pick(static_cast<int>(keys.size())))]);
        } else {
            const LPARAM at = MAKELONG(pick(on.Edit->ClientWidth()), pick(on.Edit->ClientHeight()));
            on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
            on.Edit->Perform(WM_LBUTTONUP, 0, at);
        }
        if (pick(200) == 0) on.Edit->StreamIn(TwoRows, SF_RTF);
        const int32_t length = on.Edit->Engine().TextLength();
        ASSERT_GE(on.Edit->SelStart(), 0);
        ASSERT_LE(on.Edit->SelStart() + on.Edit->SelLength(), length);
        if (on.Edit->SelLength() == 0) {
            const TPoint caret = on.Edit->PosFromChar(on.Edit->SelStart());
            ASSERT_EQ(on.Edit->PosFromChar(on.Edit->CharFromPos(caret)), caret)
                << "step " << step << " at " << on.Edit->SelStart();
        }
    }
}

}  // namespace
}  // namespace vex

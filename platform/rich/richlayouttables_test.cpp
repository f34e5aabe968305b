#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/gfx/fixedfont.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayout_testsupport.h"
#include "platform/rich/richstreams.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::LinesOf;

std::string Joined(const std::vector<std::string>& Lines) {
    std::string text;
    for (const std::string& line : Lines)
        text += (text.empty() ? "" : " ") + line;
    return text;
}

// The rows are read as a user's document is, in the fixed font.
void LoadRows(TRichEditEngine& Engine, const std::string& Rows) {
    LoadRtf(Engine,
            std::string("{\\rtf1{\\fonttbl{\\f0 ") + FixedFontName + ";}}\\f0\\fs24 " + Rows + "}",
            false);
}

std::string PiecesOf(const TRichLayout& Layout, int32_t Line) {
    std::string pieces;
    Layout.ForEachPiece(Line, [&](const TRichPiece& P) {
        if (!pieces.empty()) pieces += " ";
        const std::string at = "@" + std::to_string(P.X) + "," + std::to_string(P.Top);
        switch (P.Kind) {
            case TRichPiece::Cell:
                pieces += "c" + std::to_string(P.X) + "+" + std::to_string(P.Width);
                if (P.Borders & CellBorderLeft) pieces += ":l";
                if (P.Borders & CellBorderTop) pieces += ":t";
                if (P.Borders & CellBorderRight) pieces += ":r";
                if (P.Borders & CellBorderBottom) pieces += ":b";
                break;
            case TRichPiece::Tab:
                pieces += "tab" + std::to_string(P.Start) + at;
                break;
            case TRichPiece::Text:
                pieces += "t" + std::to_string(P.Start) + "+" + std::to_string(P.Length) + at;
                break;
            default:
                pieces += "?";
        }
    });
    return pieces;
}

// Every caret place is found again at the point it stands at. Places, not positions: the
// blanks that hang past a cell's edge all stand at its edge.
void ExpectHitTestsFindTheirPlaces(const TRichLayout& Layout) {
    for (int32_t p = 0; p <= Layout.Document().Length(); ++p) {
        const TPoint place = Layout.PosFromChar(p);
        EXPECT_EQ(Layout.PosFromChar(Layout.CharFromPos(place)), place) << "position " << p;
    }
}

TEST(RichLayoutTables, LaysOutRowsAsTheTableSays) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/layouttables.txt")) {
        SCOPED_TRACE(b.Name + " at " + b.Where);
        TRichEditEngine engine;
        LoadRows(engine, Joined(b.Parts.at(0)));
        TRichLayout layout(engine.Document());
        layout.SetWrapWidth(std::stoi(b.Parts.at(1).at(0)));
        EXPECT_EQ(LinesOf(layout), Joined(b.Parts.at(2)));
        EXPECT_EQ(PiecesOf(layout, 0), Joined(b.Parts.at(3)));
        std::istringstream hits(Joined(b.Parts.at(4)));
        for (std::string hit; hits >> hit;) {
            const size_t comma = hit.find(','), equals = hit.find('=');
            const TPoint at = Point(std::stoi(hit.substr(0, comma)),
                                    std::stoi(hit.substr(comma + 1, equals - comma - 1)));
            EXPECT_EQ(layout.CharFromPos(at), std::stoi(hit.substr(equals + 1))) << hit;
        }
        ExpectHitTestsFindTheirPlaces(layout);
    }
}

// The caret stands in the cell line that holds it, as tall as that line and not the row.
TEST(RichLayoutTables, PlacesTheCaretInItsCellLine) {
    TRichEditEngine engine;
    LoadRows(engine,
             "\\trowd\\trgaph60\\cellx1200\\cellx2400\\pard\\intbl aaaa bbbb cccc\\cell x"
             "\\cell\\row");
    const TRichLayout layout(engine.Document());
    EXPECT_EQ(layout.PosFromChar(12).X, 20);
    EXPECT_EQ(layout.PosFromChar(12).Y, 16);
    EXPECT_EQ(layout.CaretHeight(12), 16);
    EXPECT_EQ(layout.PosFromChar(15).X, 84);
    EXPECT_EQ(layout.PosFromChar(15).Y, 0);
}

// Typing goes into the cell it is typed in, and a deleted cell mark joins two cells' text into
// one cell, the row keeping its cells.
TEST(RichLayoutTables, EditsInsideARowKeepItARow) {
    TRichEditEngine engine;
    LoadRows(engine,
             "\\trowd\\cellx1200\\cellx2400\\cellx3600\\pard\\intbl ab\\cell cd\\cell "
             "ef\\cell\\row");
    const TRichLayout layout(engine.Document());
    engine.SetSel(4, 0);
    engine.Type("XY");
    EXPECT_EQ(engine.Text(), "ab\tcXYd\tef\t");
    EXPECT_EQ(layout.CharFromPos(Point(100, 5)), 5);
    EXPECT_EQ(PiecesOf(layout, 0),
              "c0+80 c80+80 c160+80 t0+2@0,0 tab2@16,0 t3+4@80,0 tab7@112,0 t8+2@160,0 "
              "tab10@176,0");
    engine.SetSel(2, 1);
    engine.ReplaceSelection("");
    EXPECT_EQ(engine.Text(), "abcXYd\tef\t");
    EXPECT_TRUE(engine.Document().ParaFormats()[engine.Document().Paragraph(0).Format].IsRow());
    EXPECT_EQ(PiecesOf(layout, 0), "c0+80 c80+80 c160+80 t0+6@0,0 tab6@48,0 t7+2@80,0 tab9@96,0");
    ExpectHitTestsFindTheirPlaces(layout);
    engine.Undo();
    EXPECT_EQ(engine.Text(), "ab\tcXYd\tef\t");
}

}  // namespace
}  // namespace vex

#include "platform/rich/rtfwriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "platform/rich/richdocument.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"

namespace vex {
namespace {

// Documents of every format the writer knows, drawn from a fixed seed.
class TRandomDocuments {
public:
    explicit TRandomDocuments(uint32_t Seed) : FRandom(Seed) {}

    void Fill(TRichDocument& Document) {
        TRichFragment piece;
        const int paragraphs = Pick(1, 6);
        for (int p = 0; p < paragraphs; ++p) {
            for (int r = Pick(0, 4); r > 0; --r)
                piece.Paragraphs.back().Append(Text(), Document.CharFormats().Intern(CharFormat()));
            const int32_t format = Document.ParaFormats().Intern(ParaFormat());
            if (p + 1 < paragraphs)
                piece.EndParagraph(format);
            else
                piece.Paragraphs.back().Format = format;
        }
        Document.Replace(0, Document.Length(), piece);
        Document.SetParagraphFormat(Document.ParagraphCount() - 1, piece.Paragraphs.back().Format);
    }

private:
    int Pick(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(FRandom); }
    bool Coin() { return Pick(0, 1) == 1; }

    std::string Text() {
        // Every byte but the paragraph ends, the bytes RTF escapes among them.
        std::string text;
        for (int n = Pick(1, 12); n > 0; --n) {
            char c;
            do
                c = static_cast<char>(Pick(1, 255));
            while (c == '\r' || c == '\n');
            text.push_back(Coin() ? c : "ab {}\\;\t"[Pick(0, 7)]);
        }
        return text;
    }

    TRichCharFormat CharFormat() {
        static const char* faces[] = {"Arial",  "Times New Roman", "A;B",
                                      "Symbol", "Courier",         "A\tB{\\}"};
        static const uint8_t charsets[] = {0, 2, 161, 204, 238};
        TRichCharFormat f;
        f.Face = faces[Pick(0, 5)];
        f.Charset = charsets[Pick(0, 4)];
        f.Pitch = static_cast<uint8_t>(Pick(0, 2));
        f.Size = Pick(2, 200) * 10;
        f.AutoColor = Coin();
        f.Color = f.AutoColor ? 0 : static_cast<uint32_t>(Pick(0, 0xFFFFFF));
        f.Bold = Coin();
        f.Italic = Coin();
        f.Underline = Coin();
        f.StrikeOut = Coin();
        f.Protected = Coin();
        return f;
    }

    TRichParaFormat ParaFormat() {
        TRichParaFormat f;
        f.Numbering = Coin() ? PFN_BULLET : 0;
        f.StartIndent = Pick(-2000, 20000);
        f.RightIndent = Pick(-100, 5000);
        f.Offset = Pick(-1000, 1000);
        f.Alignment = static_cast<uint16_t>(Pick(PFA_LEFT, PFA_JUSTIFY));
        for (int n = Pick(0, 34); n > 0; --n)
            f.AddTab(Pick(1, 30000));
        f.SpaceBefore = Pick(0, 1000);
        f.SpaceAfter = Pick(0, 1000);
        f.SetLineSpacing(static_cast<uint8_t>(Pick(0, 5)), Pick(0, 2000));
        if (Coin()) {
            f.CellGap = Pick(0, 300);
            f.RowLeft = Pick(-500, 500);
            for (int n = Pick(1, 66); n > 0; --n)
                f.AddCell({Pick(-100, 30000), static_cast<uint8_t>(Pick(0, 15))});
        }
        return f;
    }

    std::mt19937 FRandom;
};

TEST(RtfWriter, EveryDocumentItWritesReadsBackEqual) {
    TRandomDocuments random(20261207);
    for (int round = 0; round < 500; ++round) {
        SCOPED_TRACE(round);
        TRichDocument written;
        random.Fill(written);
        const std::string rtf = WriteRtf(written);
        TRichDocument read;
        TRtfReader reader(read);
        const TRichFragment piece = reader.ReadDocument(rtf);
        read.Replace(0, 0, piece);
        read.SetParagraphFormat(read.ParagraphCount() - 1, piece.Paragraphs.back().Format);
        ASSERT_TRUE(read.SameContent(written)) << rtf;
        EXPECT_TRUE(reader.Warnings().empty()) << rtf;
    }
}

TEST(RtfWriter, WritesTheHeaderTablesAndParagraphsOfTheSubset) {
    TRichEditEngine engine;
    engine.SetText("Bold \xe9 and\r\nred");
    engine.SetSel(0, 4);
    TRichCharFormat format;
    format.Bold = true;
    engine.SetSelCharFormat(format, CFM_BOLD);
    engine.SetSel(11, 3);
    format.AutoColor = false;
    format.Color = 0x0000FF;
    engine.SetSelCharFormat(format, CFM_COLOR);
    TRichParaFormat para;
    para.Numbering = PFN_BULLET;
    para.Alignment = PFA_CENTER;
    engine.SetSelParaFormat(para, PFM_NUMBERING | PFM_ALIGNMENT);
    EXPECT_EQ(
        WriteRtf(engine.Document()),
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 MS "
        "Sans Serif;}{\\f1\\fnil\\fcharset2 Symbol;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "\r\n\\viewkind4\\uc1\\pard\\fs16\\b Bold\\b0  \\'e9 and\\par\r\n"
        "\\pard\\qc{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
        "\\cf1 red\\par\r\n}");
}

TEST(RtfWriter, WritesATableRowAsItsDefinitionCellsAndRowEnd) {
    TRichDocument document;
    TRichParaFormat row;
    row.CellGap = 108;
    row.RowLeft = -108;
    row.AddCell({1000, CellBorderBottom});
    row.AddCell({2500, CellBorderLeft | CellBorderTop});
    const int32_t rowFormat = document.ParaFormats().Intern(row);
    TRichFragment piece;
    piece.Paragraphs.back().Append("a\tb c\t", document.DefaultCharFormat());
    piece.EndParagraph(rowFormat);
    piece.Paragraphs.back().Append("after", document.DefaultCharFormat());
    document.Replace(0, 0, piece);
    const std::string rtf = WriteRtf(document);
    EXPECT_NE(
        rtf.find("\\trowd\\trgaph108\\trleft-108\\clbrdrb\\brdrs\\brdrw10\\cellx1000"
                 "\\clbrdrl\\brdrs\\brdrw10\\clbrdrt\\brdrs\\brdrw10\\cellx2500\\pard\\intbl"),
        std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("a\\cell b c\\cell\\row\r\n\\pard"), std::string::npos) << rtf;
}

TEST(RtfWriter, WritesASelectionAlone) {
    TRichEditEngine engine;
    engine.SetText("one\r\ntwo\r\nthree");
    const std::string rtf = WriteRtf(engine.Document(), 2, 7);
    TRichEditEngine copy;
    LoadRtf(copy, rtf, false);
    EXPECT_EQ(copy.Text(), "e\r\ntwo\r\nt");
    LoadRtf(copy, WriteRtf(engine.Document(), INT32_MIN, INT32_MAX), false);
    EXPECT_EQ(copy.Text(), engine.Text());
    LoadRtf(copy, WriteRtf(engine.Document(), INT32_MAX, 5), false);
    EXPECT_EQ(copy.Text(), "");
}

}  // namespace
}  // namespace vex

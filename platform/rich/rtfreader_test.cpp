#include "platform/rich/rtfreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/rich/richdocument.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/testformats.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// A document read from RTF, with what the reader tolerated.
struct TReadDocument {
    TRichDocument Document;
    std::vector<std::string> Warnings;
};

void Read(std::string_view Rtf, TReadDocument& Into, TRtfLimits Limits = {}) {
    TRtfReader reader(Into.Document, Limits);
    const TRichFragment piece = reader.Read(Rtf);
    Into.Document.Replace(0, 0, piece);
    Into.Document.SetParagraphFormat(Into.Document.ParagraphCount() - 1,
                                     piece.Paragraphs.back().Format);
    Into.Warnings = reader.Warnings();
}

std::string Joined(const std::vector<std::string>& Lines, std::string_view Between) {
    std::string text;
    for (const std::string& line : Lines) {
        if (!text.empty()) text.append(Between);
        text.append(line);
    }
    return text;
}

TEST(RtfReader, ReadsEachDocumentToItsTextAndFormats) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/rtfreader.txt")) {
        SCOPED_TRACE(b.Name + " at " + b.Where);
        TReadDocument read;
        Read(Joined(b.Parts.at(0), "\n"), read);
        const TRichDocument& document = read.Document;
        EXPECT_EQ(PlainTextOf(document), test::Unescape(Joined(b.Parts.at(1), "\r\n")));
        if (b.Parts.size() < 3) continue;
        for (const std::string& line : b.Parts[2]) {
            const test::TestCase c = test::CaseOf(line, b.Where);
            SCOPED_TRACE(line);
            const auto at = static_cast<int32_t>(c.Int(1));
            std::string value = c[3];
            for (size_t i = 4; i < c.size(); ++i)
                value += " " + c[i];
            if (c[0] == "char") {
                int32_t offset = 0;
                const TRichParagraph& p = document.Paragraph(document.Locate(at, offset));
                EXPECT_EQ(test::CharField(document.CharFormats()[p.FormatAt(offset, -1)], c[2]),
                          value);
            } else {
                EXPECT_EQ(
                    test::ParaField(document.ParaFormats()[document.Paragraph(at).Format], c[2]),
                    value);
            }
        }
    }
}

TEST(RtfReader, RefusesInputThatDoesNotBeginAsRtf) {
    for (const char* input : {"", "{\\rt", "plain text", " {\\rtf1 x}", "{\\RTF1 x}"}) {
        TRichDocument document;
        TRtfReader reader(document);
        EXPECT_THROW(reader.Read(input), ERtfError) << input;
    }
}

using Clock = std::chrono::steady_clock;

double SecondsToRead(const std::string& Rtf, TReadDocument& Into) {
    const auto start = Clock::now();
    Read(Rtf, Into);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool Warned(const TReadDocument& Read, std::string_view Part) {
    for (const std::string& w : Read.Warnings)
        if (w.find(Part) != std::string::npos) return true;
    return false;
}

TEST(RtfReader, SkipsGroupsNestedPastTheCapAndKeepsTheRest) {
    const size_t depth = 1000000;
    const std::string rtf =
        "{\\rtf1 a" + std::string(depth, '{') + "x" + std::string(depth, '}') + "b}";
    TReadDocument read;
    EXPECT_LT(SecondsToRead(rtf, read), 5.0);
    EXPECT_EQ(PlainTextOf(read.Document), "ab");
    EXPECT_TRUE(Warned(read, "nested"));
}

TEST(RtfReader, TakesABinaryClaimPastTheEndAsTheRestOfTheDocument) {
    TReadDocument read;
    Read("{\\rtf1 kept\\bin2147483648 abc}", read);
    EXPECT_EQ(PlainTextOf(read.Document), "kept");
    EXPECT_TRUE(Warned(read, "Binary data"));
}

TEST(RtfReader, CutsNumbersPastThirtyTwoBitsToTheNearestInside) {
    TReadDocument read;
    Read(
        "{\\rtf1\\li99999999999999999999\\sl-99999999999999999999\\fs4294967296 "
        "x\\u99999999999 y\\bin-99999999999 z}",
        read);
    EXPECT_EQ(PlainTextOf(read.Document), "xyz");
    const TRichParaFormat& para = read.Document.ParaFormats()[read.Document.Paragraph(0).Format];
    EXPECT_EQ(para.StartIndent, INT32_MAX);
    EXPECT_EQ(para.LineSpacingRule, 4);
    EXPECT_EQ(para.LineSpacing, INT32_MAX);
    EXPECT_TRUE(Warned(read, "32 bits"));
}

TEST(RtfReader, IgnoresAControlWordOfAMegabyte) {
    const std::string rtf = "{\\rtf1 a\\" + std::string(1 << 20, 'b') + "1 c}";
    TReadDocument read;
    EXPECT_LT(SecondsToRead(rtf, read), 2.0);
    EXPECT_EQ(PlainTextOf(read.Document), "ac");
    EXPECT_TRUE(Warned(read, "control word"));
}

TEST(RtfReader, StopsAtTheTextCapAndSaysSo) {
    TReadDocument read;
    TRtfLimits limits;
    limits.MaxText = 5;
    Read("{\\rtf1 abc\\par defgh}", read, limits);
    EXPECT_EQ(PlainTextOf(read.Document), "abc\r\nd");
    EXPECT_TRUE(Warned(read, "size limit"));
}

// A paragraph costs far more memory than the few bytes that end one, so their number is capped
// like the text's length.
TEST(RtfReader, LeavesOutParagraphEndsPastTheCapAndSaysSo) {
    TReadDocument read;
    TRtfLimits limits;
    limits.MaxParagraphs = 3;
    Read("{\\rtf1 a\\par b\\par c\\par d\\\ne}", read, limits);
    EXPECT_EQ(PlainTextOf(read.Document), "a\r\nb\r\ncde");
    EXPECT_TRUE(Warned(read, "paragraphs"));
}

TEST(RtfReader, CapsTheFontAndColourTables) {
    std::string rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 5000; ++i)
        rtf += "{\\f" + std::to_string(i) + " F" + std::to_string(i) + ";}";
    rtf += "}{\\colortbl;";
    for (int i = 0; i < 5000; ++i)
        rtf += "\\red1;";
    rtf += "}\\f4999 x}";
    TReadDocument read;
    Read(rtf, read);
    EXPECT_EQ(PlainTextOf(read.Document), "x");
    EXPECT_TRUE(Warned(read, "font table"));
    EXPECT_TRUE(Warned(read, "colour table"));
}

// Many small groups and words of every kind: time must grow with the input, not faster.
TEST(RtfReader, TakesTimeInProportionToTheInput) {
    auto document = [](int Repeats) {
        std::string rtf = "{\\rtf1";
        for (int i = 0; i < Repeats; ++i)
            rtf += "{\\*\\pn\\pnlvlblt{\\pntxtb x}}{\\b\\fs20\\tx1 a\\u8212?}\\par\\'e9\\bin0 ";
        return rtf + "}";
    };
    // The quickest of a few reads of each, so that a busy machine's pauses do not count.
    const auto quickest = [](const std::string& Rtf) {
        double best = 1e9;
        for (int i = 0; i < 3; ++i) {
            TReadDocument read;
            best = std::min(best, SecondsToRead(Rtf, read));
        }
        return best;
    };
    const double smallSeconds = quickest(document(20000));
    const double largeSeconds = quickest(document(160000));
    EXPECT_LT(largeSeconds, 8 * smallSeconds * 3 + 0.05);
}

TEST(RtfReader, KeepsWhatWasReadWhenCutAtAnyByte) {
    std::ifstream in(VEX_TEST_DIR "/../../tests/corpus/rtf/pandoc-features.rtf", std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string rtf = whole.str();
    ASSERT_GT(rtf.size(), 100u);
    TReadDocument full;
    Read(rtf, full);
    const std::string text = PlainTextOf(full.Document);
    for (size_t cut = 5; cut <= rtf.rfind('}'); ++cut) {
        TReadDocument read;
        Read(std::string_view(rtf).substr(0, cut), read);
        const std::string partial = PlainTextOf(read.Document);
        ASSERT_LE(partial.size(), text.size() + 2) << cut;
        ASSERT_FALSE(read.Warnings.empty()) << cut;
    }
}

}  // namespace
}  // namespace vex

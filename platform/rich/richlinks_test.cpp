#include "platform/rich/richlinks.h"

#include <gtest/gtest.h>

#include "platform/rich/richplaintext.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TRichFragment Plain(const std::string& Text) {
    return PlainTextFragment(Text, 0, 0);
}

// The text of every link of the document, paragraph by paragraph.
std::vector<std::string> LinkTexts(const TRichDocument& Document, const TRichLinks& Links) {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < Document.ParagraphCount(); ++i)
        for (const TRichLinkRange& link : Links.InParagraph(i)) {
            EXPECT_GE(link.Start, Document.ParagraphStart(i));
            EXPECT_LE(link.Start + link.Length,
                      Document.ParagraphStart(i) + Document.Paragraph(i).Length());
            texts.push_back(Document.Text(link.Start, link.Length));
        }
    return texts;
}

TEST(RichLinks, FindsTheLinksOfEachCaseOfTheTable) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/links.txt")) {
        SCOPED_TRACE(c.Where);
        TRichDocument document;
        TRichLinks links(document);
        links.SetEnabled(true);
        document.Replace(0, 0, Plain(c[0]));
        const std::vector<std::string> expected(c.Fields.begin() + 1, c.Fields.end());
        EXPECT_EQ(LinkTexts(document, links), expected);
    }
}

TEST(RichLinks, FindsNothingWhileDisabled) {
    TRichDocument document;
    document.Replace(0, 0, Plain("http://a.com"));
    TRichLinks links(document);
    EXPECT_FALSE(links.Enabled());
    EXPECT_TRUE(links.InParagraph(0).empty());
    EXPECT_FALSE(links.At(3));
    links.SetEnabled(true);
    EXPECT_EQ(links.InParagraph(0), (std::vector<TRichLinkRange>{{0, 12}}));
    links.SetEnabled(false);
    EXPECT_TRUE(links.InParagraph(0).empty());
}

// The cache follows edits: a changed paragraph is found again, the others move with the text.
TEST(RichLinks, FollowsEveryKindOfChangeToTheDocument) {
    struct Edit {
        int32_t Start;
        int32_t Count;
        std::string With;
        std::vector<std::string> Expected;
    };
    const std::vector<Edit> edits{
        {0, 0, "", {"http://a.com", "www.b.com"}},
        // typing into a link lengthens it; a blank after the prefix leaves no link
        {12, 0, "/x", {"http://a.com/x", "www.b.com"}},
        {7, 0, " ", {"www.b.com"}},
        {7, 1, "", {"http://a.com/x", "www.b.com"}},
        // a new paragraph before the others moves their links
        {0, 0, "ftp://c.com\r", {"ftp://c.com", "http://a.com/x", "www.b.com"}},
        // joining paragraphs makes one text of them, splitting makes two
        {11, 1, "", {"ftp://c.comhttp://a.com/x", "www.b.com"}},
        {11, 0, "\r", {"ftp://c.com", "http://a.com/x", "www.b.com"}},
        {3, 0, "\r", {"http://a.com/x", "www.b.com"}},
        {0, 4, "mailto:x@y ", {"mailto:x@y", "http://a.com/x", "www.b.com"}},
    };
    TRichDocument document;
    document.Replace(0, 0, Plain("http://a.com text\rwww.b.com"));
    TRichLinks links(document);
    links.SetEnabled(true);
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.With);
        document.Replace(e.Start, e.Count, Plain(e.With));
        EXPECT_EQ(LinkTexts(document, links), e.Expected);
    }
    document.Clear();
    EXPECT_TRUE(LinkTexts(document, links).empty());
}

TEST(RichLinks, AnswersTheLinkHoldingAPosition) {
    TRichDocument document;
    document.Replace(0, 0, Plain("a http://b.c d\rwww.e.f"));
    TRichLinks links(document);
    links.SetEnabled(true);
    const std::vector<std::pair<int32_t, std::optional<TRichLinkRange>>> cases{
        {-1, std::nullopt},          {1, std::nullopt},           {2, TRichLinkRange{2, 10}},
        {11, TRichLinkRange{2, 10}}, {12, std::nullopt},          {14, std::nullopt},
        {15, TRichLinkRange{15, 7}}, {21, TRichLinkRange{15, 7}}, {22, std::nullopt},
    };
    for (const auto& [position, expected] : cases) {
        SCOPED_TRACE(position);
        EXPECT_EQ(links.At(position), expected);
    }
}

}  // namespace
}  // namespace vex

// The composer, driven by testdata/composer.txt: each block is the script of a message (see
// test::Script; "as NAME" takes in the script of block NAME), then the lines the composer must
// write, or "raises". A block named "round trip: ..." has no such lines: what the composer
// writes must read back as the message it came from.

#include <gtest/gtest.h>

#include <ctime>
#include <map>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// The text written for Message, into a stream that held another text before, with boundaries
// drawn from the digits of Random (none: the system's random numbers).
std::string Composed(TmsCustomMessage& Message, const std::string& Random) {
    TStringStream out(std::string(300, '#'));
    std::unique_ptr<TmsCustomEncoder> encoder;
    if (auto* article = dynamic_cast<TmsArticle*>(&Message))
        encoder = std::make_unique<TmsArticleEncoder>(article);
    else
        encoder = std::make_unique<TmsMessageEncoder>(dynamic_cast<TmsMessage*>(&Message));
    encoder->Stream = &out;
    if (!Random.empty())
        encoder->Random = [Random, next = size_t{0}](uint32_t) mutable {
            return static_cast<uint32_t>(Random[next++ % Random.size()] - '0');
        };
    encoder->Encode();
    return out.DataString();
}

// The lines of Text, each of which must end with CR LF, but for empty ones at the end. Bytes
// above 127 are shown as \xNN, as the scripts write them, so that the tables stay plain text.
Lines SplitLines(const std::string& Text) {
    Lines lines;
    size_t p = 0;
    for (size_t end; (end = Text.find("\r\n", p)) != std::string::npos; p = end + 2) {
        std::string line;
        for (const char c : std::string_view(Text).substr(p, end - p)) {
            if (c & 0x80)
                line += "\\x" + DigestToHex(std::string(1, c));
            else
                line += c;
        }
        lines.push_back(line);
    }
    EXPECT_EQ(p, Text.size()) << "the text does not end with a line break";
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

void ExpectRoundTrip(TmsMessage& Source) {
    const std::string text = Composed(Source, "");
    for (const char c : text)
        ASSERT_FALSE(c & 0x80) << "8-bit text written";
    TStringStream in(text);
    TmsMessage result(nullptr);
    TmsMessageDecoder decoder(in);
    decoder.Message = &result;
    decoder.Decode();
    // An attachment typed multipart/* that does not travel as it stands is written as data, and
    // reads back as such; one that does keeps its type.
    Lines expected = test::Outline(Source);
    const int32_t count = Source.Attachments().Count();
    for (int32_t i = 0; i < count; ++i) {
        std::string& line = expected[expected.size() - static_cast<size_t>(count - i)];
        const size_t at = line.find(" multipart/");
        if (at != std::string::npos && Source.Attachments().Items(i)->TransferEncoding != aeNone)
            line.replace(at + 1, line.find(' ', at + 1) - at - 1, "application/octet-stream");
    }
    // A lone message, which no encoding may wrap, ends as the message around it must: with a
    // line break, and with no line "." that a reader of downloads would take for the end mark.
    // What it lacked of that, and an empty line after such a line, it reads back with.
    if (TmsAttItem* item = count == 1 ? Source.Attachments().Items(0) : nullptr;
        item && Source.Body().Count() == 0 && item->TransferEncoding == aeNone &&
        item->ContentType().starts_with("message/")) {
        const std::string bytes = test::Bytes(*item);
        std::string ended = bytes;
        if (!ended.empty() && !ended.ends_with('\n')) ended += "\r\n";
        if (ended == ".\r\n" || ended.ends_with("\n.\r\n")) ended += "\r\n";
        std::string& line = expected.back();
        line.replace(line.size() - bytes.size(), std::string::npos, ended);
    }
    EXPECT_EQ(test::Outline(result), expected);
    // Text outside MIME has no escape for a last line ".", which readers of downloads take for
    // the end mark: an empty line after it keeps it, and stays.
    const TStrings& body = Source.Body();
    const bool dotEnds = Source.Encoding() == meUU && count == 0 && body.Count() > 0 &&
                         body[body.Count() - 1] == ".";
    EXPECT_EQ(result.Body().Text(), body.Text() + (dotEnds ? "\r\n" : ""));
}

TEST(MessageEncoder, WritesWhatItsScriptsRecordAndKeepsWhatItIsGiven) {
    const std::vector<test::TestBlock> blocks =
        test::ReadBlocks(VEX_TEST_DIR "/testdata/composer.txt");
    std::map<std::string, Lines> scripts;
    for (const test::TestBlock& block : blocks) {
        SCOPED_TRACE(block.Where + " " + block.Name);
        Lines& script = scripts[block.Name];
        for (const std::string& line : block.Parts.at(0)) {
            const Lines& taken = line.starts_with("as ") ? scripts.at(line.substr(3)) : Lines{line};
            script.insert(script.end(), taken.begin(), taken.end());
        }
        std::unique_ptr<TmsCustomMessage> message;
        if (block.Name.starts_with("article"))
            message = std::make_unique<TmsArticle>(nullptr);
        else
            message = std::make_unique<TmsMessage>(nullptr);
        const std::string random = test::Script(*message, script);
        // The caller's headers and the place in each attachment's stream stay as they were.
        const std::string headers = message->Headers().Text();
        for (int32_t i = 0; i < message->Attachments().Count(); ++i) {
            TMemoryStream& data = message->Attachments().Items(i)->Stream;
            data.SetPosition(data.Size() / 2);
        }
        if (block.Name.starts_with("round trip"))
            ExpectRoundTrip(dynamic_cast<TmsMessage&>(*message));
        else if (block.Parts.at(1) == Lines{"raises"})
            EXPECT_THROW(Composed(*message, random), Exception);
        else
            EXPECT_EQ(SplitLines(Composed(*message, random)), block.Parts.at(1));
        EXPECT_EQ(message->Headers().Text(), headers);
        for (int32_t i = 0; i < message->Attachments().Count(); ++i) {
            TMemoryStream& data = message->Attachments().Items(i)->Stream;
            EXPECT_EQ(data.Position(), data.Size() / 2);
        }
    }
}

// Text built in code names no set. 7-bit text with escapes is ISO-2022, in the set its escapes
// designate, named as header words name it; it travels 7bit. Plain 7-bit text is US-ASCII, which
// a file needs no parameter for.
TEST(MessageEncoder, NamesSevenBitTextByTheSetItsEscapesDesignate) {
    const std::pair<std::string, std::string> cases[] = {
        {R"(body "\x1b$B$3$s\x1b(B")",
         "Content-Type: text/plain; charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit"},
        {R"(body "\x1b$)C\x0e\x30\x21\x0f")",
         "Content-Type: text/plain; charset=\"iso-2022-kr\"\r\nContent-Transfer-Encoding: 7bit"},
        {R"(attach jis.txt "\x1b$B$3$s\x1b(B\r\n" text/plain none)",
         "Content-Type: text/plain; charset=\"iso-2022-jp\"; name=\"jis.txt\"\r\n"
         "Content-Transfer-Encoding: 7bit"},
        {R"(attach plain.txt "plain\r\n" text/plain none)",
         "Content-Type: text/plain; name=\"plain.txt\"\r\nContent-Transfer-Encoding: 7bit"},
    };
    for (const auto& [script, written] : cases) {
        SCOPED_TRACE(script);
        TmsMessage message(nullptr);
        test::Script(message, {script});
        const std::string text = Composed(message, "");
        EXPECT_NE(text.find("\r\n" + written + "\r\n"), std::string::npos) << text;
    }
}

// The caller's copies of generated fields are left out in one pass, however many there are and
// however far one is folded.
TEST(MessageEncoder, LeavesOutManyCopiesOfAGeneratedFieldInLinearTime) {
    TmsMessage copies(nullptr);
    for (int i = 0; i < 40000; ++i)
        copies.Headers().Add("X-Priority: 1");
    TmsMessage folded(nullptr);
    folded.Headers().Add("Content-Type: multipart/mixed;");
    for (int i = 0; i < 40000; ++i)
        folded.Headers().Add(" x=1;");
    for (TmsMessage* message : {&copies, &folded}) {
        const std::clock_t start = std::clock();
        const std::string text = Composed(*message, "1");
        EXPECT_LT(std::clock() - start, CLOCKS_PER_SEC);
        EXPECT_LT(text.size(), 200u) << text.substr(0, 200);
    }
}

}  // namespace
}  // namespace vex

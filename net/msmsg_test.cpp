// The parser's naming and typing of parts, driven by testdata/parsed_parts.txt: what a message
// says of each part must come through a parse, a save and a second parse unchanged.

#include <gtest/gtest.h>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// Each attachment as a table row: name, type, decoded bytes, and whether the name is made up.
std::vector<Lines> Parts(TmsMessage& Message) {
    std::vector<Lines> parts;
    for (int32_t i = 0; i < Message.Attachments().Count(); ++i) {
        TmsAttItem& item = *Message.Attachments().Items(i);
        parts.push_back({item.FileName(), item.ContentType(), test::Bytes(item)});
        if (item.FileNameMadeUp()) parts.back().push_back("made-up");
    }
    return parts;
}

// Loads Message from Text and returns what saving it writes.
std::string LoadAndSave(TmsMessage& Message, const std::string& Text) {
    TStringStream in(Text);
    Message.LoadFromStream(in);
    TStringStream out;
    Message.SaveToStream(out);
    return out.DataString();
}

TEST(MessageDecoder, NamesAndTypesPartsAsTheirHeadersSayAndKeepsBothThroughASave) {
    for (const test::TestBlock& block :
         test::ReadBlocks(VEX_TEST_DIR "/testdata/parsed_parts.txt")) {
        SCOPED_TRACE(block.Where + " " + block.Name);
        std::string text;
        for (const std::string& line : block.Parts.at(0))
            text += line + "\r\n";
        std::vector<Lines> expected;
        for (const std::string& line : block.Parts.at(1))
            expected.push_back(test::CaseOf(line).Fields);

        TmsMessage message(nullptr);
        const std::string saved = LoadAndSave(message, text);
        EXPECT_EQ(Parts(message), expected);
        for (const Lines& part : expected) {
            if (part.size() > 3) {
                EXPECT_EQ(saved.find('"' + part[0] + '"'), std::string::npos) << part[0];
            }
        }
        TmsMessage again(nullptr);
        LoadAndSave(again, saved);
        EXPECT_EQ(Parts(again), expected) << saved;
    }
}

}  // namespace
}  // namespace vex

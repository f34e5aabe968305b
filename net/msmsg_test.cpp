// The parser's naming and typing of parts, driven by testdata/parsed_parts.txt: what a message
// says of each part must come through a parse, a save and a second parse unchanged.

#include <gtest/gtest.h>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// Each attachment as a table row: name, type, decoded bytes.
std::vector<Lines> Parts(TmsMessage& Message) {
    std::vector<Lines> parts;
    for (int32_t i = 0; i < Message.Attachments().Count(); ++i) {
        TmsAttItem& item = *Message.Attachments().Items(i);
        parts.push_back({item.FileName(), item.ContentType(), test::Bytes(item)});
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
        Lines madeUp;
        for (const std::string& line : block.Parts.at(1)) {
            Lines fields = test::CaseOf(line).Fields;
            if (fields.size() > 3 && fields[3] == "made-up") madeUp.push_back(fields[0]);
            fields.resize(3);
            expected.push_back(fields);
        }

        TmsMessage message(nullptr);
        const std::string saved = LoadAndSave(message, text);
        EXPECT_EQ(Parts(message), expected);
        for (const std::string& name : madeUp)
            EXPECT_EQ(saved.find('"' + name + '"'), std::string::npos) << name << " written";
        TmsMessage again(nullptr);
        LoadAndSave(again, saved);
        EXPECT_EQ(Parts(again), expected) << saved;
    }
}

}  // namespace
}  // namespace vex

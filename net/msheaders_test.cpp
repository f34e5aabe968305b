#include "net/msheaders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/casefile.h"

namespace vex {
namespace {

TmsHeaders HeadersOf(const std::string& Text) {
    TmsHeaders headers;
    headers.SetText(Text);
    return headers;
}

TEST(HeaderFields, FindsJoinsDecodesAndSplitsFieldValues) {
    for (const test::TestBlock& c : test::ReadBlocks(VEX_TEST_DIR "/testdata/headers.txt")) {
        SCOPED_TRACE(c.Name);
        std::string text;
        for (const std::string& line : c.Parts.at(0))
            text += test::Unescape(line) + "\r\n";
        const TmsHeaders headers = HeadersOf(text);
        for (const std::string& line : c.Parts.at(1)) {
            const test::TestCase query = test::CaseOf(line);
            SCOPED_TRACE(line);
            const bool single = query[0] == "value";
            std::string value = "stale", expected;
            for (size_t i = 2; i < query.size(); ++i)
                expected += query[i] + (single ? "" : "\r\n");
            TStringList values;
            values.Add("stale");
            if (single)
                headers.GetFieldValue(query[1], value);
            else
                headers.GetFieldValues(query[1], values);
            EXPECT_EQ(single ? value : values.Text(), expected);
        }
    }
    // Values are cut to 255 characters, but not a content type, which a later parse needs whole.
    const std::string longText(400, 'x');
    const TmsHeaders longValues =
        HeadersOf("Subject: " + longText + "\r\nContent-Type: text/plain; " + longText + "\r\n");
    std::string value;
    longValues.GetFieldValue("Subject", value);
    EXPECT_EQ(value, std::string(255, 'x'));
    longValues.GetFieldValue("Content-Type", value);
    EXPECT_EQ(value.size(), 12 + longText.size());
}

TEST(HeaderDeleteFieldAndCutBody, RemoveAFieldWithItsContinuationsAndTheBodyAfterTheEmptyLine) {
    TmsHeaders headers = HeadersOf(
        "Received: one\r\n\tfolded\r\n more\r\nReceived: two\r\nSubject: "
        "s\r\n\r\nbody\r\n\r\n.\r\n");
    headers.DeleteField("received");
    headers.DeleteField("Missing");
    CutBody(headers);
    EXPECT_EQ(headers.Text(), "Received: two\r\nSubject: s\r\n");
    CutBody(headers);  // no empty line: nothing to cut
    headers.DeleteField("Subject");
    EXPECT_EQ(headers.Text(), "Received: two\r\n");
    TmsHeaders onlyBody = HeadersOf("\r\nbody\r\n");
    CutBody(onlyBody);
    EXPECT_EQ(onlyBody.Count(), 0);
}

}  // namespace
}  // namespace vex

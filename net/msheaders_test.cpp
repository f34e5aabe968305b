#include "net/msheaders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/casefile_testsupport.h"

namespace vex {
namespace {

TmsHeaders HeadersOf(const std::string& Text) {
    TmsHeaders headers;
    headers.SetText(Text);
    return headers;
}

TEST(HeaderFields, FindsJoinsDecodesAndSplitsFieldValues) {
    for (const test::FileCase& c : test::CasesOf("headers.txt")) {
        SCOPED_TRACE(c.Name);
        const TmsHeaders headers = HeadersOf(test::Crlf(c.Parts.at(0)));
        for (const std::string& query : c.Parts.at(1)) {
            SCOPED_TRACE(query);
            std::vector<std::string> expected = test::FieldsOf(query);
            const std::string name = expected[0].substr(expected[0].find(' ') + 1);
            const bool single = expected[0].starts_with("value ");
            expected.erase(expected.begin());
            TStringList list;
            list.Add("stale");
            std::string value = "stale";
            if (single)
                headers.GetFieldValue(name, value);
            else
                headers.GetFieldValues(name, list);
            EXPECT_EQ(single ? value : list.Text(), single ? expected.at(0) : test::Crlf(expected));
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

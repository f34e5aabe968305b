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

TEST(HeaderFields, FindsJoinsDecodesAndSplitsFieldValuesAndDeletesFieldsAndBodies) {
    for (const test::TestBlock& c : test::ReadBlocks(VEX_TEST_DIR "/testdata/headers.txt")) {
        SCOPED_TRACE(c.Name);
        std::string text;
        for (const std::string& line : c.Parts.at(0))
            text += test::Unescape(line) + "\r\n";
        TmsHeaders headers = HeadersOf(text);
        for (const std::string& line : c.Parts.at(1)) {
            const test::TestCase query = test::CaseOf(line);
            const std::string& what = query[0];
            SCOPED_TRACE(line);
            std::string value = "stale", expected;
            for (size_t i = what == "text" ? 1 : 2; i < query.size(); ++i)
                expected += query[i] + (what == "values" ? "\r\n" : "");
            TStringList values;
            values.Add("stale");
            if (what == "value") headers.GetFieldValue(query[1], value);
            if (what == "values") headers.GetFieldValues(query[1], values);
            if (what == "delete") headers.DeleteField(query[1]);
            if (what == "cut-body") CutBody(headers);
            if (what == "delete" || what == "cut-body") continue;
            if (what == "values" || what == "text")
                value = what == "text" ? headers.Text() : values.Text();
            EXPECT_EQ(value, expected);
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

}  // namespace
}  // namespace vex

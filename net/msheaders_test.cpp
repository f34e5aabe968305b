#include "net/msheaders.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(HeaderFields, FindsJoinsDecodesAndSplitsFieldValuesAndDeletesFieldsAndBodies) {
    for (const test::TestBlock& c : test::ReadBlocks(VEX_TEST_DIR "/testdata/headers.txt")) {
        SCOPED_TRACE(c.Name);
        std::string text;
        for (const std::string& line : c.Parts.at(0))
            text += test::Unescape(line) + "\r\n";
        TmsHeaders headers;
        headers.SetText(text);
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
}

// Lookups keep what they read of the lines: every kind of change must be seen by the next one.
TEST(HeaderFields, LookupsSeeEveryChangeToTheLines) {
    TmsHeaders headers;
    headers.Add("Subject: one");
    TStringList replacement;
    replacement.Add("Subject: four");
    const std::vector<std::pair<std::function<void()>, std::string>> steps = {
        {[&] { headers.SetStrings(0, "Subject: two"); }, "two"},
        {[&] { headers.Insert(0, "Subject: three"); }, "three"},
        {[&] { headers.Exchange(0, 1); }, "two"},
        {[&] {
             headers.Add(" folded");
             headers.Delete(0);
         },
         "three folded"},
        {[&] { headers.Assign(&replacement); }, "four"},
        {[&] { headers.SetText("Subject: five\r\n"); }, "five"},
        {[&] { headers.Clear(); }, ""},
    };
    std::string value;
    headers.GetFieldValue("Subject", value);
    for (size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        headers.GetFieldValue("Subject", value);
        EXPECT_EQ(value, steps[i].second) << "step " << i;
    }
}

// A field folded over many lines goes in one pass, not one shift of the list per line.
TEST(HeaderFields, DeletesAFieldFoldedOverManyLinesInLinearTime) {
    TmsHeaders headers;
    headers.Add("Received: from far away");
    for (int i = 0; i < 50000; ++i)
        headers.Add(" by relay " + std::to_string(i));
    headers.Add("Subject: kept");
    const std::clock_t start = std::clock();
    headers.DeleteField("Received");
    EXPECT_LT(std::clock() - start, CLOCKS_PER_SEC);
    EXPECT_EQ(headers.Text(), "Subject: kept\r\n");
}

}  // namespace
}  // namespace vex

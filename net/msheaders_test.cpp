#include "net/msheaders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

TmsHeaders HeadersOf(const std::string& Text) {
    TmsHeaders headers;
    headers.SetText(Text);
    return headers;
}

std::string ValueOf(const TmsHeaders& Headers, const std::string& Name) {
    std::string value = "stale";
    Headers.GetFieldValue(Name, value);
    return value;
}

std::vector<std::string> ValuesOf(const TmsHeaders& Headers, const std::string& Name) {
    TStringList list;
    list.Add("stale");
    Headers.GetFieldValues(Name, list);
    std::vector<std::string> result;
    for (int32_t i = 0; i < list.Count(); ++i)
        result.push_back(list[i]);
    return result;
}

using Strings = std::vector<std::string>;

TEST(HeaderFieldValue, JoinsAFoldedSubjectWithOneBlank) {
    const TmsHeaders headers =
        HeadersOf("Subject: This is a test\r\n\tof folding\r\n   and more\r\nFrom: a@b.test\r\n");
    EXPECT_EQ(ValueOf(headers, "Subject"), "This is a test of folding and more");
    EXPECT_EQ(ValueOf(headers, "From"), "a@b.test");
}

TEST(HeaderFieldValue, MatchesTheNameOnlyAtTheStartOfALineAndWithoutRegardToCase) {
    const TmsHeaders headers = HeadersOf(
        "X-Original-Subject: wrong\r\n Subject: folded, not a field\r\n"
        "SUBJECT: right\r\nsubject: second\r\n");
    EXPECT_EQ(ValueOf(headers, "subject"), "right");
    EXPECT_EQ(ValueOf(headers, "Subject:"), "right");
    EXPECT_EQ(ValueOf(headers, "Subj"), "");  // the colon is part of the name
    EXPECT_EQ(ValueOf(headers, "Missing"), "");
    EXPECT_EQ(ValueOf(TmsHeaders(), "Subject"), "");
}

TEST(HeaderFieldValue, DecodesAndCutsTo255CharactersButLeavesContentTypeAndUidlAlone) {
    const TmsHeaders headers = HeadersOf(
        "Subject: =?ISO-8859-1?Q?Caf=E9?= ouvert\r\n"
        "Content-Type: text/plain; name=\"=?ISO-8859-1?Q?Caf=E9?=.txt\"\r\n"
        "X-UIDL: =?x?Q?id?=\r\n");
    EXPECT_EQ(ValueOf(headers, "Subject"), "Caf\xe9 ouvert");
    EXPECT_EQ(ValueOf(headers, "content-type"), "text/plain; name=\"=?ISO-8859-1?Q?Caf=E9?=.txt\"");
    EXPECT_EQ(ValueOf(headers, "X-UIDL"), "=?x?Q?id?=");

    const std::string longText(400, 'x');
    const TmsHeaders longValues =
        HeadersOf("Subject: " + longText + "\r\nContent-Type: text/plain; " + longText + "\r\n");
    EXPECT_EQ(ValueOf(longValues, "Subject"), std::string(255, 'x'));
    EXPECT_EQ(ValueOf(longValues, "Content-Type").size(), 12 + longText.size());
}

TEST(HeaderFieldValues, SplitsAddressListsOfEveryLineOfTheField) {
    const TmsHeaders headers = HeadersOf(
        "To: a@one.test, b@two.test\r\nCc: c@three.test\r\nto: d@four.test,\r\n"
        "\te@five.test\r\n");
    EXPECT_EQ(ValuesOf(headers, "To"),
              Strings({"a@one.test", "b@two.test", "d@four.test", "e@five.test"}));
    EXPECT_EQ(ValuesOf(headers, "Bcc"), Strings{});
}

TEST(HeaderFieldValues, SplitsOnlyAtCommasOutsideQuotesCommentsAndBrackets) {
    struct Case {
        std::string Text;
        Strings Values;
    };
    const std::vector<Case> cases = {
        {"To: \"Doe, John\" <jd@example.test>, \"Roe, \\\"R\\\"\" <rr@example.test>,\r\n"
         " x@y.test (Smith, Anne), <@route,@route2:z@z.test>\r\n",
         {"\"Doe, John\" <jd@example.test>", "\"Roe, \\\"R\\\"\" <rr@example.test>",
          "x@y.test (Smith, Anne)", "<@route,@route2:z@z.test>"}},
        // a 0xFF byte is data, not the end of the text
        {"To: \"J\xff, Doe\" <j@d.test>, \xff@x.test\r\n",
         {"\"J\xff, Doe\" <j@d.test>", "\xff@x.test"}},
        {"To: \"Doe,\r\n John\" <jd@example.test>\r\n", {"\"Doe, John\" <jd@example.test>"}},
        // an unclosed quote ends with its field
        {"To: \"Doe, John <jd@x.test>\r\nTo: a@b.test, c@d.test\r\n",
         {"\"Doe, John <jd@x.test>", "a@b.test", "c@d.test"}},
        // each address is decoded
        {"To: =?ISO-8859-1?Q?Andr=E9?= Pirard <PIRARD@vm1.ulg.ac.be>, b@c.test\r\n",
         {"Andr\xe9 Pirard <PIRARD@vm1.ulg.ac.be>", "b@c.test"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ValuesOf(HeadersOf(c.Text), "To"), c.Values);
    }
}

// The addresses of the internet message format's appendix A.1.
TEST(HeaderFieldValues, ReadsTheStandardsAddressExamples) {
    const TmsHeaders headers = HeadersOf(
        "From: \"Joe Q. Public\" <john.q.public@example.com>\r\n"
        "To: Mary Smith <mary@x.test>, jdoe@example.org, Who? <one@y.test>\r\n"
        "Cc: <boss@nil.test>, \"Giant; \\\"Big\\\" Box\" <sysservices@example.net>\r\n"
        "Bcc: A Group:Ed Jones <c@a.test>,joe@where.test,John <jdoe@one.test>;\r\n"
        "Reply-To: Undisclosed recipients:;\r\n"
        "Sender: Pete(A nice \\) chap) <pete(his account)@silly.test(his host)>\r\n"
        "Resent-To: A Group(Some people)\r\n"
        "     :Chris Jones <c@(Chris's host.)public.example>,\r\n"
        "         joe@example.org,\r\n"
        "  John <jdoe@one.test> (my dear friend); (the end of the group)\r\n");
    EXPECT_EQ(ValuesOf(headers, "From"),
              Strings({"\"Joe Q. Public\" <john.q.public@example.com>"}));
    EXPECT_EQ(ValuesOf(headers, "To"),
              Strings({"Mary Smith <mary@x.test>", "jdoe@example.org", "Who? <one@y.test>"}));
    EXPECT_EQ(ValuesOf(headers, "Cc"),
              Strings({"<boss@nil.test>", "\"Giant; \\\"Big\\\" Box\" <sysservices@example.net>"}));
    EXPECT_EQ(ValuesOf(headers, "Bcc"),
              Strings({"Ed Jones <c@a.test>", "joe@where.test", "John <jdoe@one.test>"}));
    EXPECT_EQ(ValuesOf(headers, "Reply-To"), Strings{});
    EXPECT_EQ(ValuesOf(headers, "Sender"),
              Strings({"Pete(A nice \\) chap) <pete(his account)@silly.test(his host)>"}));
    EXPECT_EQ(ValuesOf(headers, "Resent-To"),
              Strings({"Chris Jones <c@(Chris's host.)public.example>", "joe@example.org",
                       "John <jdoe@one.test> (my dear friend)"}));
}

TEST(HeaderDeleteField, RemovesTheFirstLineOfTheFieldWithItsContinuations) {
    TmsHeaders headers =
        HeadersOf("Received: one\r\n\tfolded\r\n more\r\nReceived: two\r\nSubject: s\r\n");
    headers.DeleteField("received");
    EXPECT_EQ(headers.Text(), "Received: two\r\nSubject: s\r\n");
    headers.DeleteField("Missing");
    EXPECT_EQ(headers.Count(), 2);
    headers.DeleteField("Subject");
    headers.DeleteField("Received");
    EXPECT_EQ(headers.Count(), 0);
}

TEST(HeaderCutBody, RemovesTheFirstEmptyLineAndEverythingAfterIt) {
    TmsHeaders headers = HeadersOf("Subject: s\r\nFrom: f\r\n\r\nbody\r\n\r\n.\r\n");
    CutBody(headers);
    EXPECT_EQ(headers.Text(), "Subject: s\r\nFrom: f\r\n");
    CutBody(headers);  // no empty line: nothing to cut
    EXPECT_EQ(headers.Count(), 2);
    TmsHeaders onlyBody = HeadersOf("\r\nbody\r\n");
    CutBody(onlyBody);
    EXPECT_EQ(onlyBody.Count(), 0);
}

}  // namespace
}  // namespace vex

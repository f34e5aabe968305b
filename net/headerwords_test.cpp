#include "net/headerwords.h"

#include <gtest/gtest.h>

#include <string>

namespace vex {
namespace {

TEST(Unquote, TrimsThenStripsEveryQuoteAtEitherEnd) {
    EXPECT_EQ(Unquote("  \"\"Joe Q. Public\"  "), "Joe Q. Public");
    EXPECT_EQ(Unquote("\" spaced \""), " spaced ");
    EXPECT_EQ(Unquote("a \"b\" c"), "a \"b\" c");
    EXPECT_EQ(Unquote("\"\"\""), "");
    EXPECT_EQ(Unquote(""), "");
}

TEST(GetWord, SkipsBlankSeparatedWords) {
    std::string word = "stale";
    GetWord("+OK 1 whqtswO00WBw418f9t5JxYwZ", 2, true, word);
    EXPECT_EQ(word, "whqtswO00WBw418f9t5JxYwZ");
    GetWord("HTTP/1.0  404   Not Found ", 2, false, word);
    EXPECT_EQ(word, "Not Found");
    GetWord("  one two", 0, true, word);
    EXPECT_EQ(word, "one");
    GetWord("one two", 2, true, word);
    EXPECT_EQ(word, "");
    GetWord("one two   ", 2, false, word);
    EXPECT_EQ(word, "");
    GetWord("", 0, false, word);
    EXPECT_EQ(word, "");
}

TEST(GetIntWord, ReadsADecimalWordOrGivesMinusOne) {
    EXPECT_EQ(GetIntWord("HTTP/1.0 200 OK", 1), 200);
    EXPECT_EQ(GetIntWord("+OK 3 1200", 2), 1200);
    EXPECT_EQ(GetIntWord("+OK 3 12x", 2), -1);
    EXPECT_EQ(GetIntWord("+OK 3 $10", 2), -1);
    EXPECT_EQ(GetIntWord("+OK 3 -5", 2), -1);
    EXPECT_EQ(GetIntWord("+OK 3", 2), -1);
    EXPECT_EQ(GetIntWord("x 2147483647", 1), 2147483647);
    EXPECT_EQ(GetIntWord("x 2147483648", 1), -1);
    EXPECT_EQ(GetIntWord("x 99999999999999999999", 1), -1);
}

std::string Parameter(const std::string& Param, const std::string& Text) {
    std::string value = "stale";
    GetParameter(Param, Text, value);
    return value;
}

TEST(GetParameter, FindsQuotedAndPlainValuesWithoutRegardToCase) {
    EXPECT_EQ(Parameter("boundary", "multipart/mixed; BOUNDARY=\"--=_a b\"; x=1"), "--=_a b");
    EXPECT_EQ(Parameter("charset", "text/plain; charset=ISO-8859-1"), "ISO-8859-1");
    EXPECT_EQ(Parameter("charset", "text/plain; charset=us-ascii; format=flowed"), "us-ascii");
    EXPECT_EQ(Parameter("charset", "text/plain;charset=utf-8;format=flowed"), "utf-8");
    EXPECT_EQ(Parameter("charset", "text/plain; charset = utf-8"), "utf-8");
    EXPECT_EQ(Parameter("name", "application/pdf;\tname=\"a; b.pdf\""), "a; b.pdf");
    EXPECT_EQ(Parameter("charset", "text/plain"), "");
    EXPECT_EQ(Parameter("charset", "text/plain; charset="), "");
}

TEST(GetParameter, MatchesOnlyAWholeParameterNameAndReadsUnclosedQuotes) {
    EXPECT_EQ(Parameter("name", "attachment; filename=\"x.txt\""), "");
    EXPECT_EQ(Parameter("name", "text/plain; boundary=\"name=evil\"; name=good"), "good");
    EXPECT_EQ(Parameter("name", "text/plain; name"), "");
    // an unclosed quote takes the rest of the text
    EXPECT_EQ(Parameter("boundary", "multipart/mixed; boundary=\"abc def"), "abc def");
    EXPECT_EQ(Parameter("boundary", "multipart/mixed; boundary=\""), "");
}

TEST(FirstToken, GivesTheTypeWithoutItsParametersAndStaysWithin255Characters) {
    EXPECT_EQ(FirstToken("text/plain; charset=us-ascii"), "text/plain");
    EXPECT_EQ(FirstToken("  text/html charset=x"), "text/html");
    EXPECT_EQ(FirstToken("text/plain;charset=x"), "text/plain");
    EXPECT_EQ(FirstToken(""), "");
    const std::string longType = "application/" + std::string(1000, 'x');
    EXPECT_EQ(FirstToken(longType), longType.substr(0, 255));
    EXPECT_EQ(FirstToken("\"" + std::string(300, 'q')).size(), 255u);
}

TEST(GetMimeType, LooksUpTheExtensionWithoutRegardToCaseOrGivesOctetStream) {
    std::string type;
    GetMimeType("/home/me/Notes.TXT", type);
    EXPECT_EQ(type, "text/plain");
    GetMimeType("picture.jpg", type);
    EXPECT_EQ(type, "image/jpeg");
    GetMimeType("archive.no-such-extension-here", type);
    EXPECT_EQ(type, "application/octet-stream");
    GetMimeType("README", type);
    EXPECT_EQ(type, "application/octet-stream");
    GetMimeType("folder.txt/README", type);
    EXPECT_EQ(type, "application/octet-stream");
    GetMimeType("", type);
    EXPECT_EQ(type, "application/octet-stream");
}

}  // namespace
}  // namespace vex

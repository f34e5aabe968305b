#include "net/encodedwords.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vex {
namespace {

std::string Decoded(std::string_view Source) {
    std::string dest = "stale";
    DecodeEncodedWords(Source, dest);
    return dest;
}

struct TCase {
    const char* Source;
    const char* Expected;
};

void ExpectDecoded(std::initializer_list<TCase> Cases) {
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Source);
        EXPECT_EQ(Decoded(c.Source), c.Expected);
    }
}

TEST(EncodedWords, DecodeTheExamplesOfTheStandard) {
    ExpectDecoded({
        {"(=?ISO-8859-1?Q?a?=)", "(a)"},
        {"(=?ISO-8859-1?Q?a?= b)", "(a b)"},
        {"(=?ISO-8859-1?Q?a?= =?ISO-8859-1?Q?b?=)", "(ab)"},
        {"(=?ISO-8859-1?Q?a?=  =?ISO-8859-1?Q?b?=)", "(ab)"},
        {"(=?ISO-8859-1?Q?a?=\r\n    =?ISO-8859-1?Q?b?=)", "(ab)"},
        {"(=?ISO-8859-1?Q?a_b?=)", "(a b)"},
        {"(=?ISO-8859-1?Q?a?= =?ISO-8859-2?Q?_b?=)", "(a b)"},
        {"=?US-ASCII?Q?Keith_Moore?= <moore@cs.utk.edu>", "Keith Moore <moore@cs.utk.edu>"},
        {"=?ISO-8859-1?Q?Keld_J=F8rn_Simonsen?= <keld@dkuug.dk>",
         "Keld J\xF8rn Simonsen <keld@dkuug.dk>"},
        {"=?ISO-8859-1?Q?Andr=E9?= Pirard <PIRARD@vm1.ulg.ac.be>",
         "Andr\xE9 Pirard <PIRARD@vm1.ulg.ac.be>"},
        {"=?ISO-8859-1?B?SWYgeW91IGNhbiByZWFkIHRoaXMgeW8=?=\r\n"
         "    =?ISO-8859-2?B?dSB1bmRlcnN0YW5kIHRoZSBleGFtcGxlLg==?=",
         "If you can read this you understand the example."},
        {"=?ISO-8859-1?Q?Olle_J=E4rnefors?= <ojarnef@admin.kth.se>",
         "Olle J\xE4rnefors <ojarnef@admin.kth.se>"},
        {"Nathaniel Borenstein <nsb@thumper.bellcore.com> (=?iso-8859-8?b?7eXs+SDv4SDp7Oj08A==?=)",
         "Nathaniel Borenstein <nsb@thumper.bellcore.com> "
         "(\xED\xE5\xEC\xF9 \xEF\xE1 \xE9\xEC\xE8\xF4\xF0)"},
    });
}

TEST(EncodedWords, WhiteSpaceIsDroppedOnlyBetweenTwoEncodedWords) {
    ExpectDecoded({
        {"(=?ISO-8859-1?Q?a?=  b)", "(a  b)"},
        {"a  =?ISO-8859-1?Q?b?=", "a  b"},
        {"=?ISO-8859-1?Q?a?= x =?ISO-8859-1?Q?b?=", "a x b"},
        {"=?ISO-8859-1?Q?a?=\t=?ISO-8859-1?X?b?=", "a\t=?ISO-8859-1?X?b?="},
        {"  plain  text  ", "  plain  text  "},
    });
}

TEST(EncodedWords, UnderscoresAreBlanksOnlyInsideQuotedPrintableText) {
    ExpectDecoded({
        {"john_doe@example.test", "john_doe@example.test"},
        {"=?ISO-8859-1?Q?Jos=E9_Mar=EDa?= <jose_maria@example.test>",
         "Jos\xE9 Mar\xED"
         "a <jose_maria@example.test>"},
        {"=?ISO-8859-1?Q?under=5Fscore?=", "under_score"},
        {"=?ISO-8859-1?B?YV9i?=", "a_b"},
    });
}

TEST(EncodedWords, WhatIsNotAWellFormedWordStaysAsItStandsAndTheNextWordIsFound) {
    ExpectDecoded({
        {"Hello =?ISO-8859-1?Q?Andr=E9 Pirard", "Hello =?ISO-8859-1?Q?Andr=E9 Pirard"},
        {"=?ISO-8859-1?X?abc?= next", "=?ISO-8859-1?X?abc?= next"},
        {"=?ISO-8859-1?B?not base64!?=", "=?ISO-8859-1?B?not base64!?="},
        {"=??Q?nocharset?=", "=??Q?nocharset?="},
        {"=?ISO 8859?Q?blank?=", "=?ISO 8859?Q?blank?="},
        {"=?x?QQ?a?=", "=?x?QQ?a?="},
        {"=?", "=?"},
        {"?=", "?="},
        {"=?=", "=?="},
        {"=?"
         "?=",
         "=?"
         "?="},
        {"=?x?Q?", "=?x?Q?"},
        {"a =?x?Q?b", "a =?x?Q?b"},
        // a word is still found after a malformed one
        {"=?x?X?a?= =?x?Q?b?=", "=?x?X?a?= b"},
        {"=?broken =?x?Q?b?=", "=?broken b"},
    });
}

TEST(EncodedWords, EncodingLettersAndEscapesInEitherCaseAndDecodedOnce) {
    ExpectDecoded({
        {"=?utf-8?q?caf=c3=a9?=", "caf\xC3\xA9"},
        {"=?utf-8?b?Y2Fmw6k=?=", "caf\xC3\xA9"},
        {"=?ISO-8859-1?Q?=3F=3D?=", "?="},
        {"=?ISO-8859-1?Q?"
         "?=",
         ""},
        // decoded text is never decoded again
        {"=?x?Q?=3D=3Fx=3FQ=3Fa=3F=3D?=", "=?x?Q?a?="},
        {"=?x?B?PT94P1E/YT89?=", "=?x?Q?a?="},
    });
}

TEST(EncodedWords, TheResultIsCutAtAShortString) {
    const std::string word = "=?x?Q?" + std::string(300, 'a') + "?=";
    EXPECT_EQ(Decoded(word), std::string(255, 'a'));
    EXPECT_EQ(Decoded(std::string(400, 'b')), std::string(255, 'b'));
}

TEST(EncodedWords, EveryByteValueGoesThroughUnchanged) {
    std::string all;
    std::string escaped;
    for (int c = 1; c < 256; ++c) {
        if (c == '\r' || c == '\n') continue;
        all += static_cast<char>(c);
        static const char kHex[] = "0123456789ABCDEF";
        escaped += {'=', kHex[c >> 4], kHex[c & 15]};
    }
    EXPECT_EQ(Decoded("=?x?Q?" + escaped.substr(0, 3 * 120) + "?="), all.substr(0, 120));
    EXPECT_EQ(Decoded("=?x?Q?" + escaped.substr(3 * 120) + "?="), all.substr(120));
    // Raw, as plain text and as the text of words, nothing breaks.
    for (const std::string& value : {all, "=?x?Q?" + all + "?=", "=?x?B?" + all + "?="})
        EXPECT_NO_THROW(Decoded(value));
}

// Each of these would cost time in proportion to the square of their length if the decoder
// searched its result again or looked for a far "?=" from every "=?".
TEST(EncodedWords, HostileValuesOfAMegabyteDecodeInLinearTime) {
    const size_t megabyte = 1 << 20;
    auto repeated = [&](const std::string& piece, const std::string& tail) {
        std::string value;
        while (value.size() < megabyte)
            value += piece;
        return value + tail;
    };
    const std::string values[] = {
        repeated("=?x?Q?", ""),
        repeated("=?x?X?z", "?="),
        repeated("=?x?B?!", "?="),
        repeated("=?", "?="),
        repeated("=?x?Q?"
                 "?= ",
                 "tail"),
        repeated("=?x?Q?=3D=3F ", "?="),
        repeated("=?" + std::string(100, 'c'), ""),
    };
    for (const std::string& value : values) {
        SCOPED_TRACE(value.substr(0, 16));
        const auto start = std::chrono::steady_clock::now();
        const std::string result = Decoded(value);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_LE(result.size(), 255u);
    }
    EXPECT_EQ(Decoded(values[4]), " tail");
}

TEST(EncodeISO2022JP, WrapsJisTextInOneBase64WordAndLeavesOtherTextAlone) {
    const std::string jis = "\x1B$B$3$s$K$A$O\x1B(B";
    std::string dest;
    EncodeISO2022JPText(jis, dest);
    EXPECT_EQ(dest, "=?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?=");
    EXPECT_EQ(Decoded(dest), jis);
    EncodeISO2022JPText("plain subject", dest);
    EXPECT_EQ(dest, "plain subject");
    EncodeISO2022JPText("", dest);
    EXPECT_EQ(dest, "");
}

}  // namespace
}  // namespace vex

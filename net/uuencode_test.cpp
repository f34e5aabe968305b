#include "net/uuencode.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "net/componentexceptions.h"
#include "platform/core/exceptions.h"
#include "platform/win/messageloop.h"

namespace vex {
namespace {

constexpr int32_t kWhole = std::numeric_limits<int32_t>::max();

std::string Decoded(std::string_view Line, int32_t MaxLen = kWhole) {
    std::string dest = "stale";
    UUDecodeLine(Line, dest, MaxLen);
    return dest;
}

std::string Encoded(std::string_view Bytes, int32_t MaxLen = kWhole) {
    std::string dest = "stale";
    UUEncodeLine(Bytes, dest, MaxLen);
    return dest;
}

std::string FileName(std::string_view Line) {
    std::string name = "stale";
    UUFileName(Line, name);
    return name;
}

TEST(UUBeginLine, IsRecognisedByTheWordAndAFileModeAndNeverRaises) {
    EXPECT_TRUE(IsUUBegin("begin 644 report.txt"));
    EXPECT_TRUE(IsUUBegin("BEGIN 600 x"));
    EXPECT_TRUE(IsUUBegin("Begin   755 tool"));
    EXPECT_FALSE(IsUUBegin("beginning"));
    EXPECT_FALSE(IsUUBegin("begin here and now"));
    EXPECT_FALSE(IsUUBegin("begin 64"));
    EXPECT_FALSE(IsUUBegin("begin"));
    EXPECT_FALSE(IsUUBegin(""));
    EXPECT_FALSE(IsUUBegin("end 644 file"));
    for (int c = 0; c < 256; ++c) {
        const std::string line = "begin " + std::string(3, static_cast<char>(c)) + " x";
        EXPECT_NO_THROW(IsUUBegin(line));
        EXPECT_NO_THROW(FileName(line));
    }
}

TEST(UUBeginLine, GivesTheFileName) {
    EXPECT_EQ(FileName("begin 644 report.txt"), "report.txt");
    EXPECT_EQ(FileName("begin 644 \"annual report.txt\""), "annual report.txt");
    EXPECT_EQ(FileName("begin 644 \"unterminated name"), "");
    EXPECT_EQ(FileName("begin 644 first second"), "first");
    EXPECT_EQ(FileName("begin 0644 wide-mode.bin"), "wide-mode.bin");
    EXPECT_EQ(FileName("begin 644"), "");
    EXPECT_EQ(FileName("beg"), "");
}

TEST(UUCharacters, MapTheAlphabetAndRejectEverythingElse) {
    EXPECT_EQ(UUDecodeChar('`'), 0);
    EXPECT_EQ(UUDecodeChar('_'), 63);
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        if (ch == '`' || (ch >= ' ' && ch <= '_')) continue;
        SCOPED_TRACE(c);
        try {
            UUDecodeChar(ch);
            ADD_FAILURE() << "no exception";
        } catch (const EMessageParserError& e) {
            EXPECT_EQ(e.Message(), "Invalid Character");
        }
    }
}

TEST(UULines, EncodeAndDecodeWithTheCountOfTheLine) {
    EXPECT_EQ(Encoded("abc"), "#86)C");
    EXPECT_EQ(Decoded("#86)C"), "abc");
    EXPECT_EQ(Encoded(std::string(3, '\0')), "#````");
    EXPECT_EQ(Decoded("#    "), std::string(3, '\0'));
    EXPECT_EQ(Encoded(""), "`");
    EXPECT_EQ(Decoded("`"), "");
    EXPECT_EQ(Decoded(""), "");
    // A last group of fewer bytes has one character more.
    EXPECT_EQ(Encoded("a"), "!80");
    EXPECT_EQ(Encoded("ab"), "\"86(");
    EXPECT_EQ(Decoded("!80"), "a");
    EXPECT_EQ(Decoded("\"86("), "ab");
    // A count beyond the data gives only the bytes carried; a smaller one cuts them.
    EXPECT_EQ(Decoded("M86)C"), "abc");
    EXPECT_EQ(Decoded("M86)"), "ab");
    EXPECT_EQ(Decoded("M"), "");
    EXPECT_EQ(Decoded("\"86)C"), "ab");
    EXPECT_EQ(Decoded("#86)C", 2), "ab");
    EXPECT_EQ(Encoded("abc", 3), "#86");
}

TEST(UULines, AForeignCharacterOrMoreBytesThanALineCanCountAreRefused) {
    EXPECT_THROW(Decoded("#86)c"), EMessageParserError);
    EXPECT_THROW(Decoded("a86)C"), EMessageParserError);
    EXPECT_THROW(Decoded("#86)C\r"), EMessageParserError);
    EXPECT_EQ(Encoded(std::string(63, 'x')).size(), 85u);
    EXPECT_THROW(Encoded(std::string(64, 'x')), ERangeError);
}

TEST(UULines, RandomBytesSurviveInFullLines) {
    std::mt19937 random(45);
    std::string bytes(100000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    std::string back;
    for (size_t i = 0; i < bytes.size(); i += 45) {
        const std::string_view piece = std::string_view(bytes).substr(i, 45);
        const std::string line = Encoded(piece);
        ASSERT_EQ(line.size(), piece.size() == 45 ? 61u : 1 + (piece.size() * 4 + 2) / 3);
        ASSERT_EQ(line.find_first_not_of("`!\"#$%&'()*+,-./0123456789:;<=>?@"
                                         "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"),
                  std::string::npos);
        back += Decoded(line);
    }
    EXPECT_EQ(back, bytes);
}

TEST(UULines, BothRoutinesLetWaitingMessagesRunOncePerCall) {
    int ran = 0;
    RunOnMainThread([&] { ++ran; });
    Encoded("abc");
    EXPECT_EQ(ran, 1);
    RunOnMainThread([&] { ++ran; });
    Decoded("#86)C");
    EXPECT_EQ(ran, 2);
}

}  // namespace
}  // namespace vex

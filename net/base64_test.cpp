#include "net/base64.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "net/componentexceptions.h"
#include "platform/win/messageloop.h"

namespace vex {
namespace {

constexpr int32_t kWhole = std::numeric_limits<int32_t>::max();

std::string Decoded(std::string_view Source, int32_t MaxLen = kWhole) {
    std::string dest = "stale";
    Base64Decode(Source, dest, MaxLen);
    return dest;
}

std::string Encoded(std::string_view Source, int32_t MaxLen = kWhole) {
    std::string dest = "stale";
    Base64Encode(Source, dest, MaxLen);
    return dest;
}

std::string RandomBytes(size_t Count, uint32_t Seed) {
    std::mt19937 random(Seed);
    std::string bytes(Count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

void ExpectInvalidCharacter(std::string_view Source) {
    SCOPED_TRACE(testing::PrintToString(std::string(Source)));
    try {
        Decoded(Source);
        ADD_FAILURE() << "no exception";
    } catch (const EMessageParserError& e) {
        EXPECT_EQ(e.Message(), "Invalid Character");
    }
}

TEST(Base64, EncodesAndDecodesTheTestVectorsOfTheStandard) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [bytes, text] : vectors) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(Encoded(bytes), text);
        EXPECT_EQ(Decoded(text), bytes);
    }
}

TEST(Base64, CharacterValuesCoverTheAlphabetAndRejectEverythingElse) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        SCOPED_TRACE(c);
        const size_t index = alphabet.find(ch);
        if (index != std::string::npos)
            EXPECT_EQ(Base64CharValue(ch), index);
        else if (ch == '=')
            EXPECT_EQ(Base64CharValue(ch), 255);
        else
            EXPECT_THROW(Base64CharValue(ch), EMessageParserError);
    }
}

TEST(Base64, AForeignCharacterInTheDataIsAnError) {
    ExpectInvalidCharacter("QUJD\r\nQUJD");
    ExpectInvalidCharacter("QU JD");
    ExpectInvalidCharacter("QUJ\xC4");
    ExpectInvalidCharacter(std::string_view("QU\0D", 4));
    ExpectInvalidCharacter("QUJDQ!");  // in a group cut short, too
}

TEST(Base64, TheFirstPaddingCharacterEndsTheDataAndAShortGroupGivesItsWholeBytes) {
    EXPECT_EQ(Decoded("QQ==QUI="), "A");
    EXPECT_EQ(Decoded("QUJD=QUJD"), "ABC");
    EXPECT_EQ(Decoded("QU=JD"), "A");  // the bits before the "=" stay as they were
    EXPECT_EQ(Decoded("QUJD= not base64 at all\r\n"), "ABC");
    EXPECT_EQ(Decoded("="), "");
    EXPECT_EQ(Decoded("QUJDQQ"), "ABCA");
    EXPECT_EQ(Decoded("QUJDQUI"), "ABCAB");
    EXPECT_EQ(Decoded("QUJDQ"), "ABC");  // six bits make no byte
}

TEST(Base64, TheResultIsCutAtMaxLenButTheInputIsTakenWhole) {
    EXPECT_EQ(Decoded("QUJD", 2), "AB");
    EXPECT_EQ(Decoded("QUJD", 0), "");
    EXPECT_EQ(Decoded("QUJD", -5), "");
    EXPECT_EQ(Encoded("abc", 3), "YWJ");
}

TEST(Base64, RandomBytesSurviveARoundTrip) {
    for (const size_t length : {0, 1, 2, 3, 4, 5, 56, 57, 58, 59, 255, 256, 100000, 100001}) {
        SCOPED_TRACE(length);
        const std::string bytes = RandomBytes(length, static_cast<uint32_t>(length) + 7);
        const std::string text = Encoded(bytes);
        EXPECT_EQ(text.size() % 4, 0u);
        EXPECT_EQ(Decoded(text), bytes);
    }
}

TEST(Base64, BothRoutinesLetWaitingMessagesRunOncePerCall) {
    int ran = 0;
    RunOnMainThread([&] { ++ran; });
    Encoded("abc");
    EXPECT_EQ(ran, 1);
    RunOnMainThread([&] { ++ran; });
    Decoded("YWJj");
    EXPECT_EQ(ran, 2);
}

}  // namespace
}  // namespace vex

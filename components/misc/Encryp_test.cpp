#include "components/misc/Encryp.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/exceptions.h"

namespace vex {
namespace {

// Scrambles with a start value the test chooses, and counts how often one was drawn.
class TFixedStartEncryption : public TVoskEncryption {
public:
    explicit TFixedStartEncryption(uint8_t Start) : TVoskEncryption(nullptr), FStart(Start) {}
    int Draws = 0;

protected:
    uint8_t RandomStartValue() override {
        ++Draws;
        return FStart;
    }

private:
    uint8_t FStart;
};

std::string Transform(TVoskEncryption& E, TActionType Action, const std::string& Key,
                      const std::string& Input) {
    E.SetAction(Action);
    E.SetKey(Key);
    E.SetInput(Input);
    E.Execute();
    return E.Output();
}

// Worked by hand from the scheme: v := (c + r) mod 255, r := v xor key byte, written as hex.
struct TVector {
    uint8_t Start;
    std::string Key;
    std::string Plain;
    std::string Scrambled;
};

TEST(VoskEncryption, ScramblesAndUnscramblesHandWorkedVectors) {
    const TVector vectors[] = {
        {0x10, "ab", "AB", "103010"},
        {0x10, "abXYZ", "AB", "103010"},             // only the first n key bytes are used
        {0x00, "a", "AAA", "00200020"},              // the key starts again after its end
        {0xF0, "", " ", "F046"},                     // 0x20 + 0xF0 wraps mod 255; default key "W"
        {0xF0, "Wyn Ost", " ", "F046"},              // the default key named outright
        {0x10, "ab", "\xff", "1071"},                // 255 as the scheme always wrote it
        {0xFF, "ab", std::string(1, '\0'), "FF61"},  // 0 after 255, likewise
        {0x10, "ab", std::string(1, '\0'), "109E"},  // 0 after anything else: the marker
        {0xFF, "ab", "\xff", "FF9E"},                // 255 after 255: the marker
    };
    for (const TVector& v : vectors) {
        SCOPED_TRACE(v.Scrambled);
        TFixedStartEncryption e(v.Start);
        EXPECT_EQ(Transform(e, atEncryption, v.Key, v.Plain), v.Scrambled);
        EXPECT_EQ(Transform(e, atDecryption, v.Key, v.Scrambled), v.Plain);
    }
}

TEST(VoskEncryption, StoredTextsOfZeroBytesReadAsTheyAlwaysDid) {
    TVoskEncryption e(nullptr);
    // The old scheme wrote 0 after 0x10 exactly as 255, and read it back as 255.
    EXPECT_EQ(Transform(e, atDecryption, "ab", "1071"), "\xff");
    // Lower-case digits were accepted too.
    EXPECT_EQ(Transform(e, atDecryption, "ab", "10301a"),
              Transform(e, atDecryption, "ab", "10301A"));
    EXPECT_EQ(Transform(e, atDecryption, "ab", "109e"), std::string(1, '\0'));
}

TEST(VoskEncryption, EveryByteRoundTripsFromEveryStartValue) {
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    all += std::string("\0\0\xff\xff\0\xff", 6);
    for (int start = 0; start < 256; ++start) {
        SCOPED_TRACE(start);
        TFixedStartEncryption e(static_cast<uint8_t>(start));
        std::string scrambled = Transform(e, atEncryption, "rilo", all);
        ASSERT_EQ(scrambled.size(), 2 * all.size() + 2);
        EXPECT_EQ(scrambled.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(Transform(e, atDecryption, "rilo", scrambled), all);
    }
}

TEST(VoskEncryption, TheSameTextScramblesDifferentlyEachTime) {
    TVoskEncryption e(nullptr);
    std::set<std::string> seen;
    for (int i = 0; i < 16; ++i) {
        std::string scrambled = Transform(e, atEncryption, "rilo", "secret");
        EXPECT_EQ(Transform(e, atDecryption, "rilo", scrambled), "secret");
        seen.insert(scrambled);
    }
    EXPECT_GT(seen.size(), 1u);
}

TEST(VoskEncryption, EmptyInputGivesEmptyOutputWithoutDrawingAStartValue) {
    TFixedStartEncryption e(7);
    e.SetOutput("stale");
    EXPECT_EQ(Transform(e, atEncryption, "k", ""), "");
    e.SetOutput("stale");
    EXPECT_EQ(Transform(e, atDecryption, "k", ""), "");
    EXPECT_EQ(e.Draws, 0);
}

TEST(VoskEncryption, MalformedScrambledTextRaisesAndKeepsOutput) {
    for (const char* bad : {"1", "12", "123", "12345", "12G4", "zz10", "10 3", "1030-0"}) {
        SCOPED_TRACE(bad);
        TVoskEncryption e(nullptr);
        e.SetOutput("kept");
        EXPECT_THROW(Transform(e, atDecryption, "ab", bad), EConvertError);
        EXPECT_EQ(e.Output(), "kept");
    }
}

}  // namespace
}  // namespace vex

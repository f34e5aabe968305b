#include "components/misc/Encryp.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/exceptions.h"
#include "tests/support/casefile.h"

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

TEST(VoskEncryption, ScramblesAndUnscramblesHandWorkedVectorsAndEveryByte) {
    for (const test::TestCase& v : test::ReadCases(VEX_TEST_DIR "/testdata/vectors.txt")) {
        SCOPED_TRACE(v.Where);
        TFixedStartEncryption e(static_cast<uint8_t>(v.Int(0)));
        EXPECT_EQ(Transform(e, atEncryption, v[1], v[2]), v[3]);
        EXPECT_EQ(Transform(e, atDecryption, v[1], v[3]), v[2]);
    }
    std::string all(std::string("\0\0\xff\xff\0\xff", 6));
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    for (int start = 0; start < 256; ++start) {
        TFixedStartEncryption e(static_cast<uint8_t>(start));
        const std::string scrambled = Transform(e, atEncryption, "rilo", all);
        EXPECT_EQ(scrambled.size(), 2 * all.size() + 2) << start;
        EXPECT_EQ(scrambled.find_first_not_of("0123456789ABCDEF"), std::string::npos) << start;
        EXPECT_EQ(Transform(e, atDecryption, "rilo", scrambled), all) << start;
    }
    std::set<std::string> seen;
    TVoskEncryption random(nullptr);
    for (int i = 0; i < 16; ++i)
        seen.insert(Transform(random, atEncryption, "rilo", "secret"));
    EXPECT_GT(seen.size(), 1u) << "the start value is drawn afresh for every text";
}

TEST(VoskEncryption, EmptyInputDrawsNothingAndMalformedTextRaisesAndKeepsOutput) {
    TFixedStartEncryption e(7);
    for (TActionType action : {atEncryption, atDecryption}) {
        e.SetOutput("stale");
        EXPECT_EQ(Transform(e, action, "k", ""), "");
    }
    EXPECT_EQ(e.Draws, 0);
    // Stored texts with lower-case digits read as they always did.
    EXPECT_EQ(Transform(e, atDecryption, "ab", "10301a"),
              Transform(e, atDecryption, "ab", "10301A"));
    for (const char* bad : {"1", "12", "123", "12345", "12G4", "zz10", "10 3", "1030-0"}) {
        e.SetOutput("kept");
        EXPECT_THROW(Transform(e, atDecryption, "ab", bad), EConvertError) << bad;
        EXPECT_EQ(e.Output(), "kept") << bad;
    }
}

}  // namespace
}  // namespace vex

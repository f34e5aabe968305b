#include "dataaware/richedit/wwrichsearch.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rich/richengine.h"
#include "platform/rich/richfind.h"
#include "platform/rich/richstreams.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/search.txt";

// The search over an engine, edit by edit, as a control without a window makes it.
class TEngineTarget : public TwwSearchTarget {
public:
    explicit TEngineTarget(TRichEditEngine& Engine) : FEngine(Engine) {}
    int32_t Find(const std::string& Text, int32_t Start, uint32_t Options) override {
        return FindText(FEngine.Document(), Text, Start, -1, Options | FR_DOWN);
    }
    int32_t SelStart() const override { return FEngine.SelStart(); }
    int32_t SelLength() const override { return FEngine.SelLength(); }
    void Select(int32_t Start, int32_t Length) override { FEngine.SetSel(Start, Length); }
    void ReplaceSelection(const std::string& Text) override { FEngine.ReplaceSelection(Text); }

private:
    TRichEditEngine& FEngine;
};

TwwSearchRequest RequestOf(const test::TestCase& C) {
    TwwSearchRequest request;
    request.Text = C[3];
    for (char option : C[4])
        request.Options |= option == 'w'   ? uint32_t{FR_WHOLEWORD}
                           : option == 'c' ? uint32_t{FR_MATCHCASE}
                                           : 0u;
    request.Replace = C[5] != "find";
    request.ReplaceAll = C[5] == "all";
    request.Replacement = C[6];
    return request;
}

TEST(WwSearch, PressesFollowTheTable) {
    for (const test::TestCase& c : test::ReadCases(Cases, "search")) {
        SCOPED_TRACE(c.Where);
        TRichEditEngine engine;
        engine.SetText(c[0]);
        engine.SetSel(static_cast<int32_t>(c.Int(1)), static_cast<int32_t>(c.Int(2)));
        TEngineTarget target(engine);
        TwwSearchState state{engine.SelStart(), false};
        int32_t messages = 0;
        for (size_t i = 9; i < c.size(); ++i) {
            const bool found = wwSearch(target, state, RequestOf(c), [&] { ++messages; });
            EXPECT_EQ(found ? std::to_string(engine.SelStart()) : "none", c[i]);
        }
        EXPECT_EQ(engine.Text(), c[7]);
        EXPECT_EQ(messages, c.Int(8));
    }
}

TEST(WwReplaceAll, ChangesTheTextAsReplacingOneByOneDoesInOneStep) {
    for (const test::TestCase& c : test::ReadCases(Cases, "search")) {
        if (c[5] != "all") continue;
        SCOPED_TRACE(c.Where);
        TRichEditEngine engine;
        engine.SetText(c[0]);
        engine.SetSel(static_cast<int32_t>(c.Int(1)), static_cast<int32_t>(c.Int(2)));
        TwwSearchState state{engine.SelStart(), false};
        int32_t messages = 0;
        wwReplaceAll(engine, state, RequestOf(c), [&] { ++messages; });
        EXPECT_EQ(engine.Text(), c[7]);
        EXPECT_EQ(messages, 1);
        EXPECT_FALSE(state.Wrapped);
        if (engine.Text() != c[0]) {
            engine.Undo();
            EXPECT_EQ(engine.Text(), c[0]);
            EXPECT_FALSE(engine.CanUndo());
            engine.Redo();
            EXPECT_EQ(engine.Text(), c[7]);
        }
    }
}

TEST(WwReplaceAll, KeepsTheFormatsAroundAndAcrossParagraphs) {
    TRichEditEngine engine;
    LoadRtf(engine, R"({\rtf1 {\b bold} a\par a {\i it} a})", false);
    TwwSearchState state;
    wwReplaceAll(engine, state, {"a", 0, true, true, "xy"}, nullptr);
    EXPECT_EQ(engine.Text(), "bold xy\r\nxy it xy");
    uint32_t mask = 0;
    engine.SetSel(0, 4);
    EXPECT_TRUE(engine.SelCharFormat(mask).Bold);
    engine.SetSel(11, 2);
    EXPECT_TRUE(engine.SelCharFormat(mask).Italic);
    engine.SetSel(5, 2);
    EXPECT_FALSE(engine.SelCharFormat(mask).Bold);
}

// Replacing every word of one long line, from the middle and round the end: each replacement
// must cost its own text, not the rest of the line (a copy edited in place took 18 seconds for
// 80,000 words here).
TEST(WwReplaceAll, EveryWordOfOneLongLineInOnePass) {
    constexpr int kWords = 200000;
    std::string line;
    for (int i = 0; i < kWords; ++i)
        line += "a ";
    TRichEditEngine engine;
    engine.SetText(line);
    engine.SetSel(kWords, 0);
    TwwSearchState state{engine.SelStart(), false};
    EXPECT_EQ(wwReplaceAll(engine, state, {"a", FR_WHOLEWORD, true, true, "bc"}, nullptr), kWords);
    std::string replaced;
    for (int i = 0; i < kWords; ++i)
        replaced += "bc ";
    EXPECT_EQ(engine.Text(), replaced);
}

}  // namespace
}  // namespace vex

#include "platform/rich/richlayoutindex.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace vex {
namespace {

struct TModelEntry {
    int32_t Lines = 0;
    int32_t Height = 0;
};

TRichLaidParagraph Laid(const TModelEntry& Entry) {
    TRichLaidParagraph laid;
    laid.Lines.resize(static_cast<size_t>(Entry.Lines));
    laid.Height = Entry.Height;
    return laid;
}

// Every answer of the index against the same sums worked out from a plain list.
void ExpectSameAs(const TRichLayoutIndex& Index, const std::vector<TModelEntry>& Model) {
    ASSERT_EQ(Index.Count(), Model.size());
    int64_t lines = 0, height = 0;
    for (size_t i = 0; i < Model.size(); ++i) {
        ASSERT_EQ(Index.LinesBefore(i), lines) << i;
        ASSERT_EQ(Index.HeightBefore(i), height) << i;
        ASSERT_EQ(static_cast<int32_t>(Index.At(i).Laid.Lines.size()), Model[i].Lines) << i;
        for (int32_t line = 0; line < Model[i].Lines; ++line) {
            int64_t within = -1;
            ASSERT_EQ(Index.FindLine(lines + line, within), i);
            ASSERT_EQ(within, line);
        }
        if (Model[i].Height > 0) {
            int64_t within = -1;
            ASSERT_EQ(Index.FindY(height + Model[i].Height - 1, within), i);
            ASSERT_EQ(within, Model[i].Height - 1);
        }
        lines += Model[i].Lines;
        height += Model[i].Height;
    }
    EXPECT_EQ(Index.Lines(), lines);
    EXPECT_EQ(Index.Height(), height);
}

// Splices small and large, at the ends and inside, split blocks and empty them; the totals
// follow all the way.
TEST(RichLayoutIndex, AnswersAsAPlainListThroughSplicesAndLayouts) {
    std::mt19937 random(29);
    const auto pick = [&](size_t Low, size_t High) {
        return std::uniform_int_distribution<size_t>(Low, High)(random);
    };
    TRichLayoutIndex index;
    index.Reset(300);
    std::vector<TModelEntry> model(300);
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        if (pick(0, 2) > 0) {
            for (int k = 0; k < 20; ++k) {
                const size_t i = pick(0, model.size() - 1);
                model[i] = {static_cast<int32_t>(pick(1, 4)), static_cast<int32_t>(pick(1, 90))};
                index.Set(i, Laid(model[i]));
            }
        } else {
            const size_t first = pick(0, model.size());
            const size_t removed = pick(0, std::min<size_t>(model.size() - first, 200));
            const size_t inserted = pick(0, 1) ? pick(0, 3) : pick(0, 400);
            if (model.size() - removed + inserted == 0) continue;
            index.Splice(first, removed, inserted);
            const auto at = model.begin() + static_cast<ptrdiff_t>(first);
            model.erase(at, at + static_cast<ptrdiff_t>(removed));
            model.insert(model.begin() + static_cast<ptrdiff_t>(first), inserted, TModelEntry{});
        }
        ExpectSameAs(index, model);
        if (HasFatalFailure()) return;
    }
}

TEST(RichLayoutIndex, KeepsAParagraphWhenEveryOtherGoes) {
    TRichLayoutIndex index;
    index.Reset(500);
    index.Splice(0, 500, 1);
    index.Set(0, Laid({2, 30}));
    ExpectSameAs(index, {{2, 30}});
    index.Splice(0, 1, 0);
    ExpectSameAs(index, {});
    index.Splice(0, 0, 1);
    ExpectSameAs(index, {{0, 0}});
}

}  // namespace
}  // namespace vex

#include "components/entry/OvcUndo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/entry/OvcParasMemory.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

std::string Text(const std::string& Field) {
    if (!Field.starts_with("repeat:")) return Field;
    const size_t colon = Field.find(':', 7);
    return std::string(static_cast<size_t>(std::stoi(Field.substr(7, colon - 7))),
                       Field.at(colon + 1));
}

// Records back from the last one that share its group.
int LastGroupSize(TUndoBuffer& Buffer) {
    int size = 0;
    for (const uint8_t group = Buffer.LastUndo().Group;
         Buffer.CanUndo() && Buffer.LastUndo().Group == group; ++size)
        Buffer.StepBack();
    for (int i = 0; i < size; ++i)
        Buffer.StepForward();
    return size;
}

// Runs one scenario of undo.txt on a buffer of its own.
void RunScenario(const test::TestBlock& Block) {
    std::unique_ptr<TUndoBuffer> buffer;
    std::unique_ptr<TParaMemoryShortage> shortage;
    std::vector<bool> grouping;
    for (const std::string& line : Block.Parts.at(0)) {
        SCOPED_TRACE(line);
        const test::TestCase c = test::CaseOf(line);
        if (c.size() == 0) continue;
        const std::string& op = c[0];
        const auto at = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        if (op == "buffer") {
            buffer = std::make_unique<TUndoBuffer>(static_cast<uint16_t>(at(1)));
        } else if (op == "shortage") {
            shortage.reset();
            if (at(1) > 0) shortage = std::make_unique<TParaMemoryShortage>(at(1));
        } else if (op == "add" || op == "node") {
            TUndoNode record(static_cast<TUndoKind>(at(1)), false, at(2), at(3));
            if (op == "add") {
                record.Text = Text(c[4]);
                record.NewText = Text(c[5]);
            } else if (record.Kind == TUndoKind::ParaDeleted) {
                record.OwnedNode = std::make_unique<TParaNode>("gone", 0, 8);
            }
            EXPECT_EQ(buffer->Add(std::move(record)), c.Int(c.size() - 1) != 0);
        } else if (op == "begin") {
            grouping.push_back(buffer->BeginGroup());
        } else if (op == "end") {
            buffer->EndGroup(grouping.back());
            grouping.pop_back();
        } else if (op == "back") {
            buffer->StepBack();
        } else if (op == "forward") {
            buffer->StepForward();
        } else if (op == "state") {
            EXPECT_EQ(std::vector<int64_t>(
                          {buffer->UndoCount(), buffer->RedoCount(), buffer->FreeBytes()}),
                      std::vector<int64_t>({c.Int(1), c.Int(2), c.Int(3)}));
        } else if (op == "size") {
            EXPECT_EQ(buffer->Size(), c.Int(1));
        } else if (op == "last") {
            const TUndoNode& last = buffer->LastUndo();
            EXPECT_EQ(std::vector<std::string>({std::to_string(static_cast<int>(last.Kind)),
                                                std::to_string(last.Para), std::to_string(last.Pos),
                                                last.Text, last.NewText}),
                      std::vector<std::string>({c[1], c[2], c[3], c[4], c[5]}));
        } else {
            ASSERT_EQ(op, "lastgroup");
            EXPECT_EQ(LastGroupSize(*buffer), c.Int(1));
        }
    }
}

TEST(UndoBuffer, ScenariosKeepTheBudgetMergesAndGroups) {
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/undo.txt")) {
        SCOPED_TRACE(block.Where + " " + block.Name);
        RunScenario(block);
    }
}

// Group numbers are a byte: after 256 groups one comes round again, and the record a new group
// follows must still be told apart from it.
TEST(UndoBuffer, AGroupNumberComingRoundAgainStaysItsOwn) {
    TUndoBuffer buffer(65535);
    for (int32_t i = 1; i <= 257; ++i)
        ASSERT_TRUE(buffer.Add(TUndoNode(TUndoKind::CaretMarker, false, i, 1)));
    // Back to the second record, whose group number the group after the 257th would take.
    for (int i = 0; i < 255; ++i)
        buffer.StepBack();
    ASSERT_EQ(buffer.LastUndo().Para, 2);
    ASSERT_TRUE(buffer.Add(TUndoNode(TUndoKind::CaretMarker, false, 999, 1)));
    EXPECT_EQ(LastGroupSize(buffer), 1);
    buffer.StepBack();
    EXPECT_EQ(LastGroupSize(buffer), 1);
}

}  // namespace
}  // namespace vex

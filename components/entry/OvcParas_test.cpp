#include "components/entry/OvcParas.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "components/entry/OvcParasMemory.h"
#include "platform/core/exceptions.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

std::string Describe(const TParaChange& C) {
    static const char* const Names[] = {"chars+", "chars-", "para+", "para-", "split", "join"};
    return std::string(Names[static_cast<int>(C.Kind)]) + " " + std::to_string(C.Para) + " " +
           std::to_string(C.Pos) + " " + std::to_string(C.Count);
}

// Writes down what the list tells its owner.
class TListener : public TParaListOwner {
public:
    void ParaListRewrapped() override { Heard.push_back("rewrapped"); }
    void ParaListBusy(bool Busy) override { Heard.push_back(Busy ? "busy" : "idle"); }
    void ParaListChanged(const TParaChange& Change) override { Heard.push_back(Describe(Change)); }

    std::vector<std::string> Heard;
};

// A field of a scenario as text: "repeat:N:piece" stands for N pieces.
std::string Text(const std::string& Field) {
    if (!Field.starts_with("repeat:")) return Field;
    const size_t colon = Field.find(':', 7);
    std::string text;
    for (int count = std::stoi(Field.substr(7, colon - 7)); count > 0; --count)
        text += Field.substr(colon + 1);
    return text;
}

std::vector<std::string> Rest(const test::TestCase& C, size_t From) {
    return {C.Fields.begin() + static_cast<std::ptrdiff_t>(From), C.Fields.end()};
}

// Runs one scenario of paras.txt: each line an operation with the code it returns, or what the
// list must hold at that point.
class TScenario {
public:
    void Run(const test::TestCase& C) {
        const std::string& op = C[0];
        const auto at = [&](size_t I) { return static_cast<int32_t>(C.Int(I)); };
        const auto code = [&](uint16_t Got, size_t I) { EXPECT_EQ(Got, C.Int(I)) << op; };
        if (op == "new") {
            FList = std::make_unique<TParaList>(&FOwner, at(1) != 0, static_cast<uint16_t>(at(2)));
        } else if (op == "set") {
            Set(C[1], at(2));
        } else if (op == "shortage") {
            FShortage.reset();
            if (at(1) > 0) FShortage = std::make_unique<TParaMemoryShortage>(at(1));
        } else if (op == "append") {
            code(FList->AppendPara(Text(C[1]), at(2) != 0), 3);
        } else if (op == "insert") {
            code(FList->InsertText(at(1), at(2), Text(C[3])), 4);
        } else if (op == "delete") {
            code(FList->DeleteText(at(1), at(2), at(3)), 4);
        } else if (op == "replace") {
            code(FList->ReplaceText(at(1), at(2), at(3), Text(C[4])), 5);
        } else if (op == "before" || op == "after") {
            code(FList->InsertPara(at(1), op == "after", Text(C[2])), 3);
        } else if (op == "delpara") {
            code(FList->DeletePara(at(1)), 2);
        } else if (op == "split") {
            code(FList->SplitPara(at(1), at(2), at(3) != 0, C[4]), 5);
        } else if (op == "join") {
            code(FList->JoinParas(at(1), at(2)), 3);
        } else if (op == "paste") {
            int32_t para = at(1);
            int32_t pos = at(2);
            code(FList->InsertBlock(para, pos, Text(C[3])), 4);
            EXPECT_EQ(std::to_string(para) + ":" + std::to_string(pos), C[5]);
        } else if (op == "range") {
            code(FList->DeleteRange(at(1), at(2), at(3), at(4)), 5);
        } else if (op == "limits") {
            code(FList->CheckLimits(at(1), at(2), at(3)), 4);
        } else if (op == "caret") {
            FList->MarkCaret(at(1), at(2));
        } else if (op == "undo" || op == "redo") {
            int32_t para = 0;
            int32_t pos = 0;
            code(op == "undo" ? FList->Undo(para, pos) : FList->Redo(para, pos), 2);
            EXPECT_EQ(std::to_string(para) + ":" + std::to_string(pos), C[1]) << op;
        } else if (op == "mark") {
            FList->SetBookmark(at(1), at(2), at(3));
        } else if (op == "markat") {
            FList->SetBookmarkAt(at(1), at(2), at(3));
        } else if (op == "fails") {
            Fails(C);
        } else {
            Check(C);
        }
    }

private:
    void Set(const std::string& Name, int32_t Value) {
        if (Name == "wordwrap") FList->SetWordWrap(Value != 0);
        if (Name == "wrapcolumn") FList->SetWrapColumn(Value);
        if (Name == "tabsize") FList->SetTabSize(static_cast<uint8_t>(Value));
        if (Name == "paralimit") FList->SetParaLimit(Value);
        if (Name == "bytelimit") FList->SetByteLimit(Value);
        if (Name == "paralengthlimit") FList->SetParaLengthLimit(Value);
        if (Name == "modified") FList->SetModified(Value != 0);
        if (Name == "undosize") FList->SetUndoBufferSize(static_cast<uint16_t>(Value));
    }

    // "fails EClass operation...": the operation raises that exception.
    void Fails(const test::TestCase& C) {
        test::TestCase inner{Rest(C, 2), C.Where};
        try {
            Run(inner);
            ADD_FAILURE() << "no " << C[1];
        } catch (const Exception& e) {
            EXPECT_STREQ(e.ClassName(), C[1].c_str());
        }
    }

    void Check(const test::TestCase& C) {
        const std::string& what = C[0];
        const auto at = [&](size_t I) { return static_cast<int32_t>(C.Int(I)); };
        if (what == "paras") {
            std::vector<std::string> paras;
            for (int32_t i = 1; i <= FList->ParaCount(); ++i)
                paras.emplace_back(FList->ParaText(i));
            EXPECT_EQ(paras, Rest(C, 1));
        } else if (what == "lines") {
            std::vector<std::string> lines;
            for (int32_t i = 1; i <= FList->LineCount(); ++i)
                lines.emplace_back(FList->LineText(i));
            EXPECT_EQ(lines, Rest(C, 1));
        } else if (what == "counts") {
            EXPECT_EQ(
                std::vector<int64_t>({FList->ParaCount(), FList->LineCount(), FList->ByteCount()}),
                std::vector<int64_t>({C.Int(1), C.Int(2), C.Int(3)}));
        } else if (what == "changed") {
            EXPECT_EQ(FList->ChangedFromLine(), C.Int(1));
            EXPECT_EQ(FList->ChangedToLine(), C.Int(2));
        } else if (what == "marks") {
            std::vector<std::string> marks;
            for (int32_t i = 0; i < 10; ++i)
                if (const TBookmark mark = FList->Bookmark(i); mark.Para != 0)
                    marks.push_back(std::to_string(i) + ":" + std::to_string(mark.Para) + ":" +
                                    std::to_string(mark.Pos));
            EXPECT_EQ(marks, Rest(C, 1));
        } else if (what == "history") {
            const TUndoBuffer& undo = FList->UndoBuffer();
            EXPECT_EQ(std::vector<int64_t>({undo.UndoCount(), undo.RedoCount(), undo.FreeBytes()}),
                      std::vector<int64_t>({C.Int(1), C.Int(2), C.Int(3)}));
        } else if (what == "record") {
            const TUndoNode& last = FList->UndoBuffer().LastUndo();
            std::vector<std::string> seen{std::to_string(static_cast<int>(last.Kind)),
                                          std::to_string(last.Para), std::to_string(last.Pos)};
            if (!last.Text.empty() || !last.NewText.empty()) seen.push_back(last.Text);
            if (!last.NewText.empty()) seen.push_back(last.NewText);
            EXPECT_EQ(seen, Rest(C, 1));
        } else if (what == "modified") {
            EXPECT_EQ(FList->Modified(), at(1) != 0);
        } else if (what == "size") {
            EXPECT_EQ(FList->UndoBufferSize(), C.Int(1));
        } else if (what == "linecol") {
            int32_t line = 0;
            int32_t col = 0;
            FList->ParaToLine(at(1), at(2), line, col);
            EXPECT_EQ(std::to_string(line) + ":" + std::to_string(col), C[3]);
        } else if (what == "parapos") {
            int32_t para = 0;
            int32_t pos = 0;
            FList->LineToPara(at(1), at(2), para, pos);
            EXPECT_EQ(std::to_string(para) + ":" + std::to_string(pos), C[3]);
        } else if (what == "heard") {
            EXPECT_EQ(FOwner.Heard, Rest(C, 1));
            FOwner.Heard.clear();
        } else {
            FAIL() << "unknown step " << what;
        }
    }

    TListener FOwner;
    std::unique_ptr<TParaList> FList;
    std::unique_ptr<TParaMemoryShortage> FShortage;
};

void RunScenarios(const std::string& Path) {
    for (const test::TestBlock& block : test::ReadBlocks(Path)) {
        SCOPED_TRACE(block.Where + " " + block.Name);
        TScenario scenario;
        int line = 0;
        for (const std::string& text : block.Parts.at(0)) {
            SCOPED_TRACE("step " + std::to_string(++line) + ": " + text);
            const test::TestCase c = test::CaseOf(text, block.Where);
            try {
                if (c.size() > 0) scenario.Run(c);
            } catch (const std::exception& e) {
                ADD_FAILURE() << "unexpected exception: " << e.what();
            }
        }
    }
}

TEST(ParaList, ScenariosHoldTheirTextLinesRecordsAndBookmarks) {
    RunScenarios(VEX_TEST_DIR "/testdata/paras.txt");
}

TEST(ParaList, ParagraphsHeldOnlyByUndoRecordsAreFreedWithThem) {
    RunScenarios(VEX_TEST_DIR "/testdata/paras_nodes.txt");
}

std::vector<std::string> Lines(const TParaList& List) {
    std::vector<std::string> lines;
    for (int32_t i = 1; i <= List.LineCount(); ++i)
        lines.emplace_back(List.LineText(i));
    return lines;
}

std::vector<std::string> Paras(const TParaList& List) {
    std::vector<std::string> paras;
    for (int32_t i = 1; i <= List.ParaCount(); ++i)
        paras.emplace_back(List.ParaText(i));
    return paras;
}

// The display lines every paragraph has when wrapped from scratch.
std::vector<std::string> WrappedFromScratch(const TParaList& List) {
    std::vector<std::string> lines;
    for (int32_t p = 1; p <= List.ParaCount(); ++p) {
        const TParaNode node(List.ParaText(p), List.WrapColumn(), List.TabSize());
        for (int32_t i = 0; i < node.LineCount(); ++i)
            lines.emplace_back(node.LineText(i));
    }
    return lines;
}

class TRandomEdits {
public:
    explicit TRandomEdits(uint32_t Seed) : FRandom(Seed) {}

    int32_t Below(int32_t N) { return static_cast<int32_t>(FRandom() % static_cast<uint32_t>(N)); }
    std::string Piece(int32_t MaxLength) {
        static const std::string Chars = "ab -\t  xyzw";
        std::string piece(static_cast<size_t>(1 + Below(MaxLength)), ' ');
        for (char& c : piece)
            c = Chars[static_cast<size_t>(Below(Length(Chars)))];
        return piece;
    }
    static int32_t Length(std::string_view S) { return static_cast<int32_t>(S.size()); }

    // A paragraph and a position in it, at most one past its end.
    std::pair<int32_t, int32_t> Place(const TParaList& List) {
        const int32_t para = 1 + Below(List.ParaCount());
        return {para, 1 + Below(Length(List.ParaText(para)) + 1)};
    }

private:
    std::mt19937 FRandom;
};

// Every edit re-wraps only from the line before it; whatever it keeps must be what a wrap from
// scratch gives, and every line whose text changed must lie in the range it reports.
TEST(ParaList, EditsWrapAsFromScratchAndReportEveryChangedLine) {
    TRandomEdits random(1);
    TParaList list(nullptr, true, 0);
    list.SetWrapColumn(7);
    list.SetTabSize(3);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(list.AppendPara("ab cd-ef\tgh ijklmnop qr", false), 0);
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        const std::vector<std::string> before = Lines(list);
        const auto [para, pos] = random.Place(list);
        const int32_t action = random.Below(3);
        const uint16_t code = action == 0 ? list.InsertText(para, pos, random.Piece(8))
                              : action == 1
                                  ? list.DeleteText(para, pos, 1 + random.Below(8))
                                  : list.ReplaceText(para, pos, random.Below(4), random.Piece(4));
        ASSERT_EQ(code, 0);
        const std::vector<std::string> after = Lines(list);
        ASSERT_EQ(after, WrappedFromScratch(list));
        for (size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
            if (i < before.size() && i < after.size() && before[i] == after[i]) continue;
            const auto line = static_cast<int32_t>(i + 1);
            ASSERT_TRUE(list.ChangedFromLine() <= line && line <= list.ChangedToLine())
                << "line " << line << " not in " << list.ChangedFromLine() << ".."
                << list.ChangedToLine();
        }
    }
}

// Whatever the edits, undoing all of them gives back the first text and redoing all of them the
// last, with the counts of each.
TEST(ParaList, UndoingEveryEditGivesBackTheFirstTextAndRedoingTheLast) {
    TRandomEdits random(2);
    TParaList list(nullptr, true, 65535);
    list.SetWrapColumn(9);
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(list.AppendPara("one two\tthree-four", false), 0);
    const std::vector<std::string> first = Paras(list);
    for (int round = 0; round < 150; ++round) {
        const auto [para, pos] = random.Place(list);
        const auto [para2, pos2] = random.Place(list);
        int32_t at = para;
        int32_t caret = pos + random.Below(3);
        switch (random.Below(9)) {
            case 0:
                list.InsertText(para, pos + random.Below(3), random.Piece(6));
                break;
            case 1:
                list.DeleteText(para, pos, random.Below(6));
                break;
            case 2:
                list.ReplaceText(para, pos, random.Below(4), random.Piece(4));
                break;
            case 3:
                list.SplitPara(para, pos, random.Below(2) == 0, random.Piece(2));
                break;
            case 4:
                list.JoinParas(para, pos + random.Below(3));
                break;
            case 5:
                list.InsertPara(para, random.Below(2) == 0, random.Piece(5));
                break;
            case 6:
                list.DeletePara(para);
                break;
            case 7:
                list.InsertBlock(at, caret, random.Piece(3) + "\r\n" + random.Piece(3) + "\n");
                break;
            default:
                list.DeleteRange(para, pos, para2, pos2);
                break;
        }
    }
    const std::vector<std::string> last = Paras(list);
    const std::vector<int32_t> counts = {list.LineCount(), list.ByteCount()};
    int32_t para = 0;
    int32_t pos = 0;
    while (list.CanUndo())
        ASSERT_EQ(list.Undo(para, pos), 0);
    EXPECT_EQ(Paras(list), first);
    EXPECT_EQ(Lines(list), WrappedFromScratch(list));
    EXPECT_FALSE(list.Modified());
    while (list.CanRedo())
        ASSERT_EQ(list.Redo(para, pos), 0);
    EXPECT_EQ(Paras(list), last);
    EXPECT_EQ(std::vector<int32_t>({list.LineCount(), list.ByteCount()}), counts);
}

TEST(ParaList, ErrorCodesReadAsTheirTexts) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/paras_errors.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(EditorErrorText(static_cast<uint16_t>(c.Int(0))), c[1]);
    }
}

}  // namespace
}  // namespace vex

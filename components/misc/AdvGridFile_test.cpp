#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/ui/inplaceedit.h"
#include "tests/support/forkedchild.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string Data = std::string(VEX_TEST_DIR) + "/testdata/advgrid/file/";

// The grid's non-empty cells, "col,row=text" joined by '|', and its counts.
std::string CellsOf(const TAdvStringGrid& Grid) {
    std::string out = std::to_string(Grid.ColCount()) + "x" + std::to_string(Grid.RowCount());
    for (int32_t r = 0; r < Grid.RowCount(); ++r)
        for (int32_t c = 0; c < Grid.StoredColCount(); ++c)
            if (!Grid.Cells(c, r).empty())
                out += "|" + std::to_string(c) + "," + std::to_string(r) + "=" + Grid.Cells(c, r);
    return out;
}

std::vector<int32_t> WidthsOf(const TAdvStringGrid& Grid) {
    std::vector<int32_t> widths;
    for (int32_t c = 0; c < Grid.ColCount(); ++c)
        widths.push_back(Grid.ColWidths(c));
    return widths;
}

std::string ErrorOf(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EAdvGridError& e) {
        return e.Message();
    }
    return "no error";
}

// A grid as the rule-list window sets one up: six columns, one fixed row.
std::unique_ptr<TAdvStringGrid> RuleGrid(int32_t Rows = 20) {
    auto grid = std::make_unique<TAdvStringGrid>(nullptr);
    grid->SetColCount(6);
    grid->SetRowCount(Rows);
    grid->SetFixedRows(1);
    grid->SetFixedCols(0);
    return grid;
}

size_t FilesIn(const std::string& Folder) {
    const std::filesystem::directory_iterator files(Folder);
    return static_cast<size_t>(std::distance(begin(files), end(files)));
}

bool SameBytes(const std::string& File1, const std::string& File2) {
    return std::system(("cmp -s '" + File1 + "' '" + File2 + "'").c_str()) == 0;
}

TEST(AdvGridFile, WritesEachGridByteForByte) {
    const struct {
        const char* Expected;
        std::function<void(TAdvStringGrid&)> Fill;
    } cases[] = {
        {"line-break.lst",
         [](TAdvStringGrid& g) {
             g.SetColCount(2);
             g.SetRowCount(2);
             g.SetCells(1, 1, "a\r\nb");
         }},
        {"commas.lst",
         [](TAdvStringGrid& g) {
             g.SetColCount(3);
             g.SetRowCount(4);
             g.SetColWidths(1, 30);
             g.SetCells(0, 0, "Rule");
             g.SetCells(2, 3, "x,y,z");
         }},
        // The counts leave the fixed cells out; the cell lines keep their own indexes.
        {"fixed-not-stored.lst",
         [](TAdvStringGrid& g) {
             g.StoreFixedCells = false;
             g.SetColCount(3);
             g.SetRowCount(4);
             g.SetFixedCols(1);
             g.SetFixedRows(1);
             g.SetCells(0, 0, "fixed");
             g.SetCells(0, 2, "fixed");
             g.SetCells(1, 1, "b");
             g.SetCells(2, 1, "c");
             g.SetCells(1, 3, "d");
         }},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        TAdvStringGrid grid(nullptr);
        c.Fill(grid);
        grid.SaveToFile(dir.File("out.lst"));
        EXPECT_EQ(test::ReadWholeFile(dir.File("out.lst")), test::ReadWholeFile(Data + c.Expected));

        TAdvStringGrid back(nullptr);
        back.StoreFixedCells = grid.StoreFixedCells;
        back.SetFixedCols(grid.FixedCols());
        back.SetFixedRows(grid.FixedRows());
        back.LoadFromFile(dir.File("out.lst"));
        const int32_t fixedCols = grid.StoreFixedCells ? 0 : grid.FixedCols();
        const int32_t fixedRows = grid.StoreFixedCells ? 0 : grid.FixedRows();
        for (int32_t r = fixedRows; r < grid.RowCount(); ++r)
            for (int32_t col = fixedCols; col < grid.ColCount(); ++col)
                EXPECT_EQ(back.Cells(col, r), grid.Cells(col, r)) << col << "," << r;
        EXPECT_EQ(WidthsOf(back), WidthsOf(grid));
    }
}

// Hidden columns keep their cells at their real indexes, and the file keeps them there too; a
// loaded file knows nothing of hiding, so the rule-list window shows such a column before a load
// and hides it again after.
TEST(AdvGridFile, HiddenColumnsAreStoredAtTheirRealIndexes) {
    TAdvStringGrid grid(nullptr);
    grid.SetColCount(7);
    grid.SetRowCount(20);
    grid.SetFixedRows(1);
    const int32_t widths[] = {20, 130, 240, 40, 45, 45, 30};
    for (int32_t c = 0; c < 7; ++c)
        grid.SetColWidths(c, widths[c]);
    const std::vector<std::vector<std::string>> rows = {
        {"", "Condition", "Text", "Case", "Hits", "", "Image"},
        {"", "Contains", "@mycompany.com", "No", "12", "", "5"}};
    for (int32_t r = 0; r < 2; ++r)
        for (int32_t c = 0; c < 7; ++c)
            grid.SetCells(c, r, rows[r][c]);
    grid.HideColumn(6);
    test::TempDir dir;
    grid.SaveToFile(dir.File("except.lst"));
    EXPECT_EQ(test::ReadWholeFile(dir.File("except.lst")),
              test::ReadWholeFile(Data + "hidden-column.lst"));

    grid.SetCells(6, 1, "");
    grid.SetCells(2, 1, "changed");
    grid.UnHideColumn(6);
    grid.LoadFromFile(dir.File("except.lst"));
    grid.HideColumn(6);
    EXPECT_EQ(CellsOf(grid),
              "6x20|1,0=Condition|2,0=Text|3,0=Case|4,0=Hits|6,0=Image|1,1=Contains"
              "|2,1=@mycompany.com|3,1=No|4,1=12|6,1=5");

    // The hidden column takes one of the 257 slots a file may fill.
    test::WriteWholeFile(dir.File("wide.lst"), "257,2\r\n");
    EXPECT_THROW(grid.LoadFromFile(dir.File("wide.lst")), EAdvGridError);
    EXPECT_EQ(grid.ColCount(), 6);
}

// A width line names a column as a cell line does, by its real index: hiding a column between
// others moves the widths on the screen, not in the file.
TEST(AdvGridFile, WidthLinesFollowTheirColumnsPastAHiddenOne) {
    auto grid = RuleGrid(3);
    const std::vector<std::string> texts = {"Subject",    "contains", "image 4",
                                            "free pills", "",         "12"};
    for (int32_t c = 0; c < 6; ++c) {
        grid->SetColWidths(c, 10 + c);
        grid->SetCells(c, 1, texts[static_cast<size_t>(c)]);
    }
    grid->HideColumn(2);
    test::TempDir dir;
    grid->SaveToFile(dir.File("rules.lst"));
    EXPECT_EQ(test::ReadWholeFile(dir.File("rules.lst")),
              test::ReadWholeFile(Data + "hidden-middle.lst"));

    auto back = RuleGrid(3);
    back->LoadFromFile(dir.File("rules.lst"));
    EXPECT_EQ(WidthsOf(*back), (std::vector<int32_t>{10, 11, 64, 13, 14, 15}));
}

TEST(AdvGridFile, LoadsIntoTheGridAsItStands) {
    const struct {
        const char* File;
        const char* Expected;
        std::vector<int32_t> Widths;
    } cases[] = {
        // An empty first line keeps the counts; what fits is loaded.
        {"empty-header.lst", "6x20|0,1=kept|1,1=old|5,19=last", {64, 99, 64, 64, 64, 64}},
        // Lines for column 9 of six are left out.
        {"outside.lst", "6x20|1,1=one", {64, 64, 50, 64, 64, 64}},
        // Loading empties nothing: cells the file does not name keep their text.
        {"fewer-cells.lst", "6x20|1,1=old|2,2=new", {64, 64, 64, 64, 64, 64}},
        // A line with fewer than two commas names no cell, not cell 0,0.
        {"short-lines.lst", "3x2|0,1=row one|1,1=old", {64, 64, 64}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        auto grid = RuleGrid();
        grid->SetCells(1, 1, "old");
        grid->LoadFromFile(Data + c.File);
        EXPECT_EQ(CellsOf(*grid), c.Expected);
        EXPECT_EQ(WidthsOf(*grid), c.Widths);
    }
}

TEST(AdvGridFile, AFileThatIsNoGridLeavesTheGridAsItWas) {
    const std::string line17MB(17u << 20, 'z');
    const struct {
        const char* Name;
        std::string Contents;
        const char* Error;
    } cases[] = {
        {"missing.lst", "", "File %s not found"},
        {"zero.lst", "0,20\r\n1,1,new\r\n", "File contains no data or corrupt file %s"},
        {"negative.lst", "6,-3\r\n", "File contains no data or corrupt file %s"},
        {"wide.lst", "258,2\r\n257,1,past the slots\r\n",
         "File contains no data or corrupt file %s"},
        {"tall.lst", "6,10000001\r\n", "File contains no data or corrupt file %s"},
        {"words.lst", "subject rules\r\n", "File contains no data or corrupt file %s"},
        {"long line.lst", "6,30\r\n1,1,new\r\ncw 1,5\r\n2,2," + line17MB + "\r\n",
         "File contains no data or corrupt file %s"},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string file = dir.File(c.Name);
        if (!c.Contents.empty()) test::WriteWholeFile(file, c.Contents);
        auto grid = RuleGrid();
        grid->SetCells(1, 1, "old");
        std::string expected = c.Error;
        expected.replace(expected.find("%s"), 2, file);
        EXPECT_EQ(ErrorOf([&] { grid->LoadFromFile(file); }), expected);
        EXPECT_EQ(CellsOf(*grid), "6x20|1,1=old");
        EXPECT_EQ(grid->ColWidths(1), 64);
    }
}

// The four rule lists of a user, read the way the rule-list window reads them and saved again.
TEST(AdvGridFile, RuleListsComeBackByteForByte) {
    test::TempDir dir;
    const char* const names[] = {"subj.lst", "header.lst", "from.lst", "except.lst"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        test::WriteWholeFile(dir.File(name), "an older list\r\n");
        auto grid = RuleGrid(2);
        // The exception grid's seventh column holds each rule's image and stays hidden.
        const bool exceptions = std::string(name) == "except.lst";
        if (exceptions) {
            grid->SetColCount(7);
            grid->HideColumn(6);
            grid->UnHideColumn(6);
        }
        grid->LoadFromFile(Data + name);
        if (exceptions) grid->HideColumn(6);
        EXPECT_EQ(grid->HiddenColCount(), exceptions ? 1 : 0);
        EXPECT_GT(grid->RowCount(), 200);
        grid->SaveToFile(dir.File(name));
        EXPECT_TRUE(SameBytes(dir.File(name), Data + name));
    }
    EXPECT_EQ(FilesIn(dir.Path()), std::size(names));
}

// The rule-list window saves every list after each check; a save that fails must cost nothing.
class AdvGridFileFailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::create_directory(Folder));
        std::filesystem::copy_file(Data + "subj.lst", Target);
        Grid->LoadFromFile(Data + "from.lst");
    }
    void ExpectOldFileAlone() {
        EXPECT_TRUE(SameBytes(Target, Data + "subj.lst"));
        EXPECT_EQ(FilesIn(Folder), 1u);
    }

    test::TempDir Dir;
    const std::string Folder = Dir.File("rules"), Target = Folder + "/subj.lst";
    std::unique_ptr<TAdvStringGrid> Grid = RuleGrid();
};

TEST_F(AdvGridFileFailedSave, IntoAReadOnlyFolderRaisesAndKeepsTheOldFile) {
    ASSERT_EQ(::chmod(Dir.Path().c_str(), 0755) | ::chmod(Folder.c_str(), 0555), 0);
    // The superuser ignores folder modes, so the save runs as an ordinary user.
    const auto saved =
        test::InForkedChild([&] { return test::BecomeOrdinaryUser(Folder); },
                            [&] { return ErrorOf([&] { Grid->SaveToFile(Target); }); });
    ASSERT_EQ(::chmod(Folder.c_str(), 0755), 0);
    if (!saved.NotRun.empty()) GTEST_SKIP() << saved.NotRun;
    EXPECT_EQ(saved.Text.rfind("Cannot create file " + Target + ". ", 0), 0u) << saved.Text;
    ExpectOldFileAlone();
}

TEST_F(AdvGridFileFailedSave, BeyondTheFileSizeLimitRaisesAndKeepsTheOldFile) {
    const std::string error = test::InForkedChild([&] {
        // Past the limit a write fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const std::string limit = "prlimit --pid " + std::to_string(::getpid()) + " --fsize=4096";
        if (std::system(limit.c_str()) != 0) return std::string("no limit");
        return ErrorOf([&] { Grid->SaveToFile(Target); });
    });
    EXPECT_EQ(error, "Cannot write file " + Target + ". File too large");
    ExpectOldFileAlone();
}

// A rule file its user made read-only is not replaced behind the user's back.
TEST_F(AdvGridFileFailedSave, OverAReadOnlyFileRaisesAndKeepsIt) {
    ASSERT_EQ(::chmod(Dir.Path().c_str(), 0755) | ::chmod(Folder.c_str(), 0777) |
                  ::chmod(Target.c_str(), 0444),
              0);
    const auto saved =
        test::InForkedChild([&] { return test::BecomeOrdinaryUser(Folder); },
                            [&] { return ErrorOf([&] { Grid->SaveToFile(Target); }); });
    if (!saved.NotRun.empty()) GTEST_SKIP() << saved.NotRun;
    EXPECT_EQ(saved.Text, "Cannot create file " + Target + ". Permission denied");
    ExpectOldFileAlone();
}

// A rule file kept elsewhere and linked into the program's folder stays linked: the save goes
// to the file the link names.
TEST(AdvGridFile, SavingThroughALinkWritesTheFileItNames) {
    test::TempDir dir;
    const std::string kept = dir.File("kept.lst"), link = dir.File("subj.lst");
    test::WriteWholeFile(kept, "an older list\r\n");
    ASSERT_EQ(::symlink(kept.c_str(), link.c_str()), 0);
    auto grid = RuleGrid();
    grid->LoadFromFile(Data + "subj.lst");
    grid->SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(SameBytes(kept, Data + "subj.lst"));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

// A file loaded while a cell is edited gives that cell its text: neither the editor, nor Escape,
// nor leaving the cell puts back the text from before the load. A cell the file does not name
// keeps what is typed in it.
TEST(AdvGridFile, ACellBeingEditedTakesTheLoadedText) {
    const struct {
        const char* Name;
        const char* File;
        std::vector<int32_t> KeysAfterLoad;
        const char* Expected;
    } cases[] = {
        {"left by a click", "10,20\r\n2,2,loaded\r\n", {}, "loaded"},
        {"escaped", "10,20\r\n2,2,loaded\r\n", {VK_ESCAPE}, "loaded"},
        {"typed on", "10,20\r\n2,2,loaded\r\n", {VK_END, 'X'}, "loadedx"},
        {"not in the file", "10,20\r\n3,3,loaded\r\n", {}, "typed"},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::WriteWholeFile(dir.File("rules.lst"), c.File);
        test::TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
        s.Click(2, 2);
        s.Keys({VK_F2});
        ASSERT_NE(s.Grid->InplaceEditor(), nullptr);
        s.Grid->InplaceEditor()->SetText("typed");
        s.Grid->LoadFromFile(dir.File("rules.lst"));
        s.Keys(c.KeysAfterLoad);
        s.Click(5, 5);
        EXPECT_EQ(s.Grid->Cells(2, 2), c.Expected);
    }
}

}  // namespace
}  // namespace vex

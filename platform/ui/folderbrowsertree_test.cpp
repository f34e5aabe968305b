#include "platform/ui/folderbrowsertree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A tree of folders with a hidden one, a file and a link to a folder.
class FolderTree : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Beta", "Beta/inner", "alpha", ".hidden", "Zulu"})
            mkdir(FDir.File(name).c_str(), 0700);
        test::WriteWholeFile(FDir.File("file.txt"), "");
        ASSERT_EQ(symlink(FDir.File("alpha").c_str(), FDir.File("link").c_str()), 0);
    }

    // One row a line: two blanks a level, then the name; "+" when it can open, "-" when open,
    // "!" when it cannot be read.
    std::string Rows(const TFolderTree& Tree) const {
        std::string text;
        for (size_t i = 1; i < Tree.Count(); ++i) {
            const TFolderTree::TRow& row = Tree.Row(i);
            text += std::string(static_cast<size_t>(row.Depth - 1) * 2, ' ') + row.Name +
                    (!row.Readable       ? "!"
                     : row.Expanded      ? "-"
                     : Tree.CanExpand(i) ? "+"
                                         : "") +
                    "\n";
        }
        return text;
    }

    test::TempDir FDir;
};

TEST_F(FolderTree, OpensFoldersOneLevelAtATimeInNameOrderWithoutHiddenOnes) {
    TFolderTree tree(FDir.Path() + "/");
    EXPECT_EQ(tree.Row(0).Path, FDir.Path());
    EXPECT_EQ(tree.Count(), 1u);
    EXPECT_TRUE(tree.Expand(0));
    EXPECT_EQ(Rows(tree), "alpha+\nBeta+\nlink+\nZulu+\n");
    EXPECT_TRUE(tree.Expand(2));
    EXPECT_EQ(Rows(tree), "alpha+\nBeta-\n  inner+\nlink+\nZulu+\n");
    EXPECT_EQ(tree.Row(3).Path, FDir.File("Beta/inner"));
    EXPECT_EQ(tree.Parent(3), 2);
    EXPECT_EQ(tree.Parent(0), -1);
    // A folder found empty shows it cannot open.
    EXPECT_FALSE(tree.Expand(1));
    EXPECT_EQ(Rows(tree), "alpha\nBeta-\n  inner+\nlink+\nZulu+\n");
    tree.Collapse(2);
    EXPECT_EQ(Rows(tree), "alpha\nBeta+\nlink+\nZulu+\n");
}

TEST_F(FolderTree, RevealOpensTheWayDownToAFolderAndRefusesOthers) {
    TFolderTree tree(FDir.Path());
    EXPECT_EQ(tree.Reveal(FDir.File("Beta/inner/")), 3);
    EXPECT_EQ(Rows(tree), "alpha+\nBeta-\n  inner+\nlink+\nZulu+\n");
    EXPECT_EQ(tree.Reveal(FDir.Path()), 0);
    for (const std::string& path :
         {FDir.File(".hidden"), FDir.File("file.txt"), FDir.File("missing"), std::string("/"),
          FDir.File("Beta/../Zulu")})
        EXPECT_EQ(tree.Reveal(path), -1) << path;
    EXPECT_EQ(tree.Find(FDir.File("Zulu")), 5);
    EXPECT_EQ(tree.Find(FDir.File("Beta/inner/gone")), -1);
}

TEST_F(FolderTree, AFolderThatCannotBeReadIsShownButDoesNotOpen) {
    TFolderTree tree(FDir.Path());
    tree.Expand(0);
    // Gone since it was listed: reading it fails as for a folder one may not read.
    rmdir(FDir.File("Zulu").c_str());
    EXPECT_FALSE(tree.Expand(4));
    EXPECT_EQ(Rows(tree), "alpha+\nBeta+\nlink+\nZulu!\n");
    if (geteuid() == 0) return;  // permissions do not hold for root
    chmod(FDir.File("Beta").c_str(), 0);
    TFolderTree again(FDir.Path());
    again.Expand(0);
    EXPECT_FALSE(again.Expand(2));
    EXPECT_EQ(Rows(again), "alpha+\nBeta!\nlink+\n");
    chmod(FDir.File("Beta").c_str(), 0700);
}

}  // namespace
}  // namespace vex

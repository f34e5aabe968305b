#include "platform/shell/folderpaths.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(FolderPaths, APathIsWithinARootOnlyByWholeNamesAndWithoutDotNames) {
    for (const test::TestCase& c :
         test::ReadCases(std::string(VEX_TEST_DIR) + "/testdata/pathwithin.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(IsPathWithin(c[0], c[1]), c.Int(2) == 1);
    }
}

TEST(FolderPaths, NormalPathsHaveSingleSlashesAndNoneAtTheEnd) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/", "/"},        {"//", "/"}, {"/home/", "/home"}, {"//home//user//", "/home/user"},
        {"home/", "home"}, {"", ""},
    };
    for (const auto& [path, normal] : cases)
        EXPECT_EQ(NormalFolderPath(path), normal) << path;
}

TEST(FolderPaths, OnlyExistingFoldersBelowTheRootAreSelectable) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("file"), "x");
    EXPECT_TRUE(IsSelectableFolder(dir.Path(), dir.Path()));
    EXPECT_TRUE(IsSelectableFolder("/", dir.Path() + "/"));
    EXPECT_FALSE(IsSelectableFolder(dir.Path(), dir.File("file")));
    EXPECT_FALSE(IsSelectableFolder(dir.Path(), dir.File("missing")));
    EXPECT_FALSE(IsSelectableFolder(dir.File("file"), "/tmp"));
}

}  // namespace
}  // namespace vex

#include "components/misc/BrowseDrStatus.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

int32_t OneEach(const std::string& Text) {
    return static_cast<int32_t>(Text.size());
}

TEST(BrowseDrStatus, TextsTooWideAreShortenedAsPathsOrAsPlainText) {
    for (const test::TestCase& c :
         test::ReadCases(std::string(VEX_TEST_DIR) + "/testdata/statustext.txt")) {
        SCOPED_TRACE(c.Where);
        const auto width = static_cast<int32_t>(c.Int(2));
        const std::string shown = c[0] == "path" ? ShortenPathText(c[1], width, OneEach)
                                                 : ShortenPlainText(c[1], width, OneEach);
        EXPECT_EQ(shown, c[3]);
    }
}

TEST(BrowseDrStatus, OnlyAnExistingFolderIsShortenedAsAPath) {
    test::TempDir dir;
    const std::string folder = dir.File("a-rather-long-folder-name");
    mkdir(folder.c_str(), 0700);
    const auto width = static_cast<int32_t>(folder.size()) - 1;
    EXPECT_EQ(FitStatusText(folder, width, OneEach), "/.../a-rather-long-folder-name");
    EXPECT_EQ(FitStatusText(folder + "/", width, OneEach).substr(0, 5), "/.../");
    const std::string missing = dir.File("missing-folder");
    EXPECT_EQ(FitStatusText(missing, 10, OneEach), missing.substr(0, 7) + "...");
    // No status line to fit into: the text as it is.
    EXPECT_EQ(FitStatusText(missing, 0, OneEach), missing);
}

TEST(BrowseDrStatus, AFolderIsRecognisedWithOrWithoutItsTrailingSlash) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("file"), "");
    EXPECT_TRUE(IsExistingFolder(dir.Path()));
    EXPECT_TRUE(IsExistingFolder(dir.Path() + "/"));
    EXPECT_TRUE(IsExistingFolder("/"));
    EXPECT_FALSE(IsExistingFolder(dir.File("file")));
    EXPECT_FALSE(IsExistingFolder(dir.File("none/")));
    EXPECT_FALSE(IsExistingFolder(""));
}

}  // namespace
}  // namespace vex

#include "platform/shell/runtimefolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "platform/shell/windowdirectory.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(RuntimeFolder, LiesInTheRuntimeFolderElseInTmpByUser) {
    struct Case {
        std::optional<std::string> Xdg;
        std::string Path;
    };
    const Case cases[] = {
        {"/run/user/1000", "/run/user/1000/vexbane"}, {"/run/user/1000/", "/run/user/1000/vexbane"},
        {std::nullopt, "/tmp/vexbane-1000"},          {"", "/tmp/vexbane-1000"},
        {"run/user/1000", "/tmp/vexbane-1000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Xdg.value_or("(unset)"));
        EXPECT_EQ(RuntimeFolderPath(c.Xdg, 1000), c.Path);
    }
}

TEST(RuntimeFolder, IsMadePrivateWhenMissing) {
    test::TempDir temp;
    const std::string path = temp.File("vexbane");
    EXPECT_EQ(OpenPrivateFolder(path), path);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(OpenPrivateFolder(path), path);
}

TEST(RuntimeFolder, IsRefusedUnlessOnlyThisUserMayEnterIt) {
    test::TempDir temp;
    struct Case {
        const char* What;
        std::function<std::string()> Make;
        const char* Why;
    };
    const Case cases[] = {
        {"open to others",
         [&] {
             mkdir(temp.File("open").c_str(), 0700);
             chmod(temp.File("open").c_str(), 0755);
             return temp.File("open");
         },
         "other users may enter it"},
        {"a link to a private folder",
         [&] {
             mkdir(temp.File("private").c_str(), 0700);
             symlink(temp.File("private").c_str(), temp.File("link").c_str());
             return temp.File("link");
         },
         "it is not a folder"},
        {"a file",
         [&] {
             test::WriteWholeFile(temp.File("file"), "");
             return temp.File("file");
         },
         "it is not a folder"},
        {"another user's",
         [&] {
             // Only the superuser can give a folder away; anyone else finds one that is not
             // theirs at the root.
             if (geteuid() != 0) return std::string("/");
             mkdir(temp.File("theirs").c_str(), 0700);
             EXPECT_EQ(chown(temp.File("theirs").c_str(), 65534, 65534), 0);
             return temp.File("theirs");
         },
         "it belongs to another user"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string path = c.Make();
        try {
            OpenPrivateFolder(path);
            ADD_FAILURE() << "taken";
        } catch (const EWindowDirectoryError& e) {
            EXPECT_EQ(e.Message(), "The folder " + path + " cannot be used: " + c.Why);
        }
    }
}

}  // namespace
}  // namespace vex

#include "platform/shell/specialfolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "tests/support/scopedenvironment.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A home folder with a Desktop, and a PATH whose only xdg-user-dir runs Script.
class SpecialFolders : public testing::Test {
protected:
    void SetUp() override {
        mkdir(FHome.File("Desktop").c_str(), 0700);
        mkdir(FHome.File("Schreibtisch").c_str(), 0700);
    }
    void UseXdgUserDir(const std::string& Script) {
        const std::string program = FBin.File("xdg-user-dir");
        test::WriteWholeFile(program, "#!/bin/sh\n" + Script + "\n");
        chmod(program.c_str(), 0700);
    }

    test::TempDir FHome;
    test::TempDir FBin;
    test::ScopedEnvironment FHomeVariable{"HOME", FHome.Path() + "/"};
    test::ScopedEnvironment FPath{"PATH", FBin.Path() + ":/usr/bin:/bin"};
};

TEST_F(SpecialFolders, TheDesktopIsWhatTheUsersPlacesSayElseTheHomesDesktop) {
    struct TCase {
        const char* Script;  // nullptr: no xdg-user-dir at all
        std::string Expected;
    };
    const std::string home = FHome.Path();
    const std::vector<TCase> cases = {
        {"[ \"$1\" = DESKTOP ] && echo \"$HOME/Schreibtisch/\"", home + "/Schreibtisch"},
        {"echo /no/such/desktop", "/no/such/desktop"},
        {"exit 1", home + "/Desktop"},
        {"echo relative/desktop", home + "/Desktop"},
        {"echo", home + "/Desktop"},
        {"printf '/a\\n/b\\n'", home + "/Desktop"},
        {nullptr, home + "/Desktop"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Script ? c.Script : "none");
        if (c.Script)
            UseXdgUserDir(c.Script);
        else
            std::remove(FBin.File("xdg-user-dir").c_str());
        EXPECT_EQ(DesktopFolder(), c.Expected);
    }
}

TEST_F(SpecialFolders, OnlyTheFoldersWithAPlaceHereAreFound) {
    UseXdgUserDir("echo \"$HOME/Schreibtisch\"");
    struct TCase {
        int32_t Folder;
        std::optional<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {CSIDL_DESKTOP, "/"},
        {CSIDL_DRIVES, "/"},
        {CSIDL_PERSONAL, FHome.Path()},
        {CSIDL_DESKTOPDIRECTORY, FHome.Path() + "/Schreibtisch"},
        {2, std::nullopt},   // the start menu's programs
        {4, std::nullopt},   // printers
        {28, std::nullopt},  // past the shell's numbers
        {0xFEFE, std::nullopt},
        {-1, std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Folder);
        EXPECT_EQ(SpecialFolderPath(c.Folder), c.Expected);
    }
}

TEST_F(SpecialFolders, AMissingDesktopFolderIsNotFound) {
    UseXdgUserDir("echo \"$HOME/Gone\"");
    EXPECT_EQ(SpecialFolderPath(CSIDL_DESKTOPDIRECTORY), std::nullopt);
}

}  // namespace
}  // namespace vex

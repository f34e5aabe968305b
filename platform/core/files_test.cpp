#include "platform/core/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>

#include "platform/core/exceptions.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::ReadWholeFile;
using test::TempDir;
using test::WriteWholeFile;

int EntriesIn(const std::string& Folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder))
        ++n;
    return n;
}

// Runs Body in a forked process, for tests that change limits or rights of the process.
template <class F>
int ExitCodeOfChild(F Body) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 3;
        try {
            code = Body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

mode_t PermissionsOf(const std::string& Path) {
    struct stat st;
    EXPECT_EQ(::stat(Path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

TEST(FileSystem, NamesFoldersFilesRenamingAndReading) {
    TempDir dir;
    const std::string deep = dir.File("x/y/z/");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    WriteWholeFile(dir.File("a"), "A");
    WriteWholeFile(dir.File("b"), "B");
    EXPECT_TRUE(FileExists(dir.File("a")));
    EXPECT_FALSE(DirectoryExists(dir.File("a")));
    EXPECT_FALSE(ForceDirectories(dir.File("a/sub")));
    EXPECT_FALSE(ForceDirectories(""));
    EXPECT_FALSE(RenameFile(dir.File("a"), dir.File("b")));
    EXPECT_EQ(ReadWholeFile(dir.File("b")), "B");
    EXPECT_TRUE(RenameFile(dir.File("a"), dir.File("c")));
    EXPECT_EQ(ReadWholeFile(dir.File("c")), "A");
    EXPECT_FALSE(FileExists(dir.File("a")));
    EXPECT_FALSE(DeleteFile(dir.File("x")));
    EXPECT_TRUE(DeleteFile(dir.File("c")));
    EXPECT_FALSE(DeleteFile(dir.File("c")));
    EXPECT_TRUE(FileExists(ProgramDirectory() + "vex_core_tests"));
    // Whole files read back; missing ones and folders raise.
    std::string big(300000, 'q');
    big[123456] = '\0';
    WriteWholeFile(dir.File("big"), big);
    EXPECT_EQ(ReadFileToString(dir.File("big")), big);
    EXPECT_FALSE(ReadFileToString("/proc/self/status").empty());
    EXPECT_THROW(ReadFileToString(dir.File("missing")), EFOpenError);
    EXPECT_THROW(ReadFileToString(dir.Path()), EFOpenError);
    // Names split at the last slash; extensions come from the name only.
    EXPECT_EQ(ExtractFilePath("/a/b.d/c.txt"), "/a/b.d/");
    EXPECT_EQ(ExtractFileName("/a/b.d/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileName("/a/"), "");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ExtractFileExt(".profile"), ".profile");
    EXPECT_EQ(ChangeFileExt("/a/b.d/c", ".ini"), "/a/b.d/c.ini");
    EXPECT_EQ(ChangeFileExt("/a/b.d/c.txt", ".ini"), "/a/b.d/c.ini");
    EXPECT_EQ(ChangeFileExt("c.txt", ""), "c");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
}

TEST(WriteFileAtomic, ReplacesContentsAndKeepsThePermissionBits) {
    TempDir dir;
    const std::string target = dir.File("rules.txt");
    WriteFileAtomic(target, std::string("first\0line", 10));
    EXPECT_EQ(ReadWholeFile(target), std::string("first\0line", 10));
    EXPECT_EQ(PermissionsOf(target) & ~0644u, 0u);

    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    WriteFileAtomic(target, "second");
    EXPECT_EQ(ReadWholeFile(target), "second");
    EXPECT_EQ(PermissionsOf(target), 0600u);
    WriteFileAtomic(target, "");
    EXPECT_EQ(ReadWholeFile(target), "");
    // A folder as target and a missing folder are refused, and leave nothing behind.
    ASSERT_TRUE(ForceDirectories(dir.File("sub/inner")));
    EXPECT_TRUE(test::ErrorText<EFCreateError>([&] {
                    WriteFileAtomic(dir.File("sub"), "x");
                }).starts_with("Cannot create file " + dir.File("sub")));
    EXPECT_TRUE(DirectoryExists(dir.File("sub/inner")));
    EXPECT_THROW(WriteFileAtomic(dir.File("none/f"), "x"), EFCreateError);
    EXPECT_EQ(EntriesIn(dir.Path()), 2);
}

TEST(WriteFileAtomic, AFolderWithoutWriteRightsKeepsTheOldFileAndGetsNoTemporary) {
    TempDir dir;
    const std::string folder = dir.File("locked");
    ASSERT_TRUE(ForceDirectories(folder));
    const std::string target = folder + "/keep.txt";
    WriteWholeFile(target, "old");
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const int result = ExitCodeOfChild([&] {
        // The superuser ignores folder modes, so the write runs as nobody.
        if (::geteuid() == 0 && ::setuid(65534) != 0) return 4;
        try {
            WriteFileAtomic(target, "new");
        } catch (const EFCreateError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(EntriesIn(folder), 1);
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
}

TEST(WriteFileAtomic, WriteErrorsCarryErrnoAndRemoveTheTemporary) {
    // A full disk, simulated by a file size limit in a child process.
    TempDir dir;
    const std::string target = dir.File("big");
    WriteWholeFile(target, "old");
    const int result = ExitCodeOfChild([&] {
        // Ignoring SIGXFSZ turns the limit into an EFBIG from write.
        ::signal(SIGXFSZ, SIG_IGN);
        const struct ::rlimit limit { 4, 4 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomic(target, "far too long");
        } catch (const EInOutError& e) {
            return e.ErrorCode == EFBIG ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1);
}

}  // namespace
}  // namespace vex

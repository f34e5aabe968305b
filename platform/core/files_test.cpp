#include "platform/core/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <map>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/filesearch.h"
#include "tests/support/errortext.h"
#include "tests/support/forkedchild.h"
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

constexpr int kCreateError = 200;

// What Body raised: 0 for nothing, kCreateError for an EFCreateError, the code of an EInOutError.
template <class F>
std::string ErrorOf(F Body) {
    try {
        Body();
    } catch (const EFCreateError&) {
        return std::to_string(kCreateError);
    } catch (const EInOutError& e) {
        return std::to_string(e.ErrorCode);
    }
    return "0";
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

// A folder holding one file, "old", which a failed write must leave as the folder's only entry.
class WriteFileAtomicFailure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ForceDirectories(Folder));
        WriteWholeFile(Target, "old");
    }
    void ExpectOldFileAlone() {
        EXPECT_EQ(ReadWholeFile(Target), "old");
        EXPECT_EQ(EntriesIn(Folder), 1);
    }

    TempDir Dir;
    const std::string Folder = Dir.File("locked"), Target = Folder + "/keep.txt";
};

TEST_F(WriteFileAtomicFailure, KeepsTheOldFileAndNoTemporaryWhenTheDiskIsFull) {
    const std::string error = test::InForkedChild([&] {
        return ErrorOf([&] {
            // A full disk: ignoring SIGXFSZ turns a file size limit into an EFBIG from write.
            ::signal(SIGXFSZ, SIG_IGN);
            const struct ::rlimit limit { 4, 4 };
            ::setrlimit(RLIMIT_FSIZE, &limit);
            WriteFileAtomic(Target, "far too long");
        });
    });
    EXPECT_EQ(error, std::to_string(EFBIG));
    ExpectOldFileAlone();
}

TEST_F(WriteFileAtomicFailure, KeepsTheOldFileAndNoTemporaryWhenTheFolderIsLocked) {
    ASSERT_EQ(::chmod(Dir.Path().c_str(), 0755) | ::chmod(Folder.c_str(), 0555), 0);
    // The superuser ignores folder modes, so the write runs as an ordinary user.
    const auto written =
        test::InForkedChild([&] { return test::BecomeOrdinaryUser(Folder); },
                            [&] { return ErrorOf([&] { WriteFileAtomic(Target, "new"); }); });
    ASSERT_EQ(::chmod(Folder.c_str(), 0755), 0);
    if (!written.NotRun.empty()) GTEST_SKIP() << written.NotRun;
    EXPECT_EQ(written.Text, std::to_string(kCreateError));
    ExpectOldFileAlone();
}

// On the file systems at hand: the system's temporary folder, and tmpfs where there is one.
std::vector<std::string> FoldersOnEachFileSystem(const TempDir& Dir) {
    std::vector<std::string> folders{Dir.Path()};
    char shm[] = "/dev/shm/vex-test-XXXXXX";
    if (mkdtemp(shm) != nullptr) folders.push_back(shm);
    return folders;
}

TEST(FileIdentity, FollowsAMovedFolderAndTellsAFolderFromANewOneGivenItsInodeNumber) {
    TempDir dir;
    for (const std::string& base : FoldersOnEachFileSystem(dir)) {
        SCOPED_TRACE(base);
        const std::string before = base + "/before", after = base + "/after";
        ASSERT_EQ(mkdir(before.c_str(), 0755), 0);
        const int fd = open(before.c_str(), O_RDONLY | O_DIRECTORY);
        TFileIdentity opened, moved;
        ASSERT_TRUE(FileIdentityAt(fd, "", opened));
        ASSERT_EQ(rename(before.c_str(), after.c_str()), 0);
        EXPECT_TRUE(FileIdentityAt(AT_FDCWD, after, moved));
        EXPECT_EQ(moved, opened);
        EXPECT_TRUE(opened.Lasting());
        close(fd);
        // Made at once, within the file system's clock tick: the birth time alone would match.
        ASSERT_EQ(rmdir(after.c_str()), 0);
        for (int i = 0; i < 50; ++i) {
            const std::string made = base + "/n" + std::to_string(i);
            ASSERT_EQ(mkdir(made.c_str(), 0755), 0);
            TFileIdentity next;
            ASSERT_TRUE(FileIdentityAt(AT_FDCWD, made, next));
            EXPECT_NE(next, opened) << made;
            ASSERT_EQ(rmdir(made.c_str()), 0);
        }
        if (base != dir.Path()) std::filesystem::remove_all(base);
    }
}

// The attributes of every entry the search gives, by name.
std::map<std::string, int32_t> Search(const std::string& Path, int32_t Attr) {
    std::map<std::string, int32_t> found;
    TSearchRec f;
    for (int32_t rc = FindFirst(Path, Attr, f); rc == 0; rc = FindNext(f))
        found[f.Name] = f.Attr;
    EXPECT_FALSE(f.FindHandle);  // the search closed itself at its end
    return found;
}

TEST(FileSearch, GivesEntriesWithTheirAttributesAndFoldersAndHiddenOnesOnlyWhenAskedFor) {
    TempDir dir;
    WriteWholeFile(dir.File("plain.txt"), "12345");
    WriteWholeFile(dir.File(".hidden"), "");
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    ASSERT_EQ(symlink("sub", dir.File("link").c_str()), 0);
    ASSERT_EQ(symlink("missing", dir.File("dangling").c_str()), 0);

    auto found = Search(dir.Path() + "/*.*", faAnyFile);
    ASSERT_EQ(found.size(), 7u);  // ".", "..", and five names
    EXPECT_EQ(found["plain.txt"] & ~faArchive, 0);
    EXPECT_EQ(found[".hidden"], faHidden);
    EXPECT_EQ(found["sub"], faDirectory);
    EXPECT_EQ(found["link"], faDirectory | faSymLink);
    EXPECT_EQ(found["dangling"] & faSymLink, faSymLink);
    EXPECT_EQ(found["."] & faHidden, 0);

    found = Search(dir.Path() + "/*", 0);
    EXPECT_EQ(found.size(), 2u);
    EXPECT_EQ(found.count("plain.txt") + found.count("dangling"), 2u);
    found = Search(dir.Path() + "/p?ain.*", faAnyFile);
    EXPECT_EQ(found.count("plain.txt"), found.size());

    // A missing folder or no match is an error code, not an exception.
    TSearchRec f;
    EXPECT_EQ(FindFirst(dir.File("nowhere") + "/*.*", faAnyFile, f), ENOENT);
    EXPECT_EQ(FindFirst(dir.Path() + "/*.none", faAnyFile, f), ENOENT);
    ASSERT_EQ(FindFirst(dir.File("plain.txt"), faAnyFile, f), 0);
    EXPECT_EQ(f.Size, 5);
    EXPECT_EQ(FindNext(f), ENOENT);
    FindClose(f);  // closing twice is harmless
    // File dates pack the local date and time and refuse what does not fit.
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(1980, 1, 1)), (1 << 21) | (1 << 16));
    TDateTime t = EncodeDate(2107, 12, 31) + EncodeTime(23, 59, 59, 0);
    EXPECT_EQ(static_cast<uint32_t>(DateTimeToFileDate(t)),
              127u << 25 | 12u << 21 | 31u << 16 | 23u << 11 | 59u << 5 | 29u);
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(2108, 1, 1)), 0);
    EXPECT_EQ(DateTimeToFileDate(1e300), 0);
}

// The superuser may search any folder, so the search runs as an ordinary user.
TEST(FileSearch, AFolderThatCanBeListedButNotSearchedGivesItsErrorNotAnEmptyListing) {
    TempDir dir;
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    WriteWholeFile(dir.File("sub/inside"), "");
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755) | ::chmod(dir.File("sub").c_str(), 0444), 0);
    const auto found = test::InForkedChild(
        [&] { return test::BecomeOrdinaryUser(dir.Path()); },
        [&] {
            TSearchRec inSub;
            return std::to_string(FindFirst(dir.File("sub/*"), faAnyFile, inSub));
        });
    ::chmod(dir.File("sub").c_str(), 0755);
    if (!found.NotRun.empty()) GTEST_SKIP() << found.NotRun;
    EXPECT_EQ(found.Text, std::to_string(EACCES));
}

// Another user's FUSE mount point: only that entry cannot be looked at.
TEST(FileSearch, AnEntryThatCannotBeLookedAtIsSkippedInAFolderThatCanBeSearched) {
    TempDir dir;
    for (const char* name : {"a", "z"})
        WriteWholeFile(dir.File(name), "");
    ASSERT_EQ(mkdir(dir.File("mnt").c_str(), 0755), 0);
    const auto found = test::InForkedChild(
        [&] { return test::MountUnreachableFolder(dir.File("mnt")); },
        [&] {
            std::string names;
            for (const auto& [name, attr] : Search(dir.Path() + "/*", faAnyFile))
                names += name + " ";
            TSearchRec inside;
            return names + std::to_string(FindFirst(dir.File("mnt/*"), faAnyFile, inside));
        });
    if (!found.NotRun.empty()) GTEST_SKIP() << found.NotRun;
    EXPECT_EQ(found.Text, ". .. a z " + std::to_string(EACCES));
}

// tmpfs keeps any 64-bit modification time, as btrfs does; the system's temporary folder may not.
TEST(FileDate, AModificationTimeFarOutsideThePackedYearsGivesZero) {
    char folder[] = "/dev/shm/vex-test-XXXXXX";
    if (mkdtemp(folder) == nullptr) GTEST_SKIP() << "no tmpfs at /dev/shm";
    const std::string file = std::string(folder) + "/far";
    WriteWholeFile(file, "");
    bool kept = true;
    for (const time_t seconds :
         {time_t{100'000'000'000'000'000}, -time_t{100'000'000'000'000'000}}) {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        struct stat st;
        TSearchRec f;
        kept = kept && utimensat(AT_FDCWD, file.c_str(), times, 0) == 0 &&
               stat(file.c_str(), &st) == 0 && st.st_mtime == seconds;
        if (!kept) break;
        EXPECT_EQ(FindFirst(file, faAnyFile, f), 0);
        EXPECT_EQ(f.Time, 0) << seconds;
    }
    std::filesystem::remove_all(folder);
    if (!kept) GTEST_SKIP() << "/dev/shm limits modification times";
}

}  // namespace
}  // namespace vex

#include "platform/core/filesearch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <string>

#include "platform/core/datetime.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// Every entry the search gives, by name, with its attributes.
std::map<std::string, TSearchRec> Search(const std::string& Path, int32_t Attr) {
    std::map<std::string, TSearchRec> found;
    TSearchRec f;
    for (int32_t rc = FindFirst(Path, Attr, f); rc == 0; rc = FindNext(f)) {
        TSearchRec copy;
        copy.Name = f.Name;
        copy.Size = f.Size;
        copy.Attr = f.Attr;
        copy.Time = f.Time;
        found.emplace(f.Name, std::move(copy));
    }
    EXPECT_FALSE(f.FindHandle);  // the search closed itself at its end
    return found;
}

TEST(FileSearch, GivesEntriesWithTheirAttributesAndFoldersAndHiddenOnesOnlyWhenAskedFor) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("plain.txt"), "12345");
    test::WriteWholeFile(dir.File(".hidden"), "");
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    ASSERT_EQ(symlink("sub", dir.File("link").c_str()), 0);
    ASSERT_EQ(symlink("missing", dir.File("dangling").c_str()), 0);

    auto found = Search(dir.Path() + "/*.*", faAnyFile);
    ASSERT_EQ(found.size(), 7u);  // ".", "..", and five names
    EXPECT_EQ(found["plain.txt"].Size, 5);
    EXPECT_EQ(found["plain.txt"].Attr & ~faArchive, 0);
    EXPECT_EQ(found[".hidden"].Attr, faHidden);
    EXPECT_EQ(found["sub"].Attr, faDirectory);
    EXPECT_EQ(found["link"].Attr, faDirectory | faSymLink);
    EXPECT_EQ(found["dangling"].Attr & faSymLink, faSymLink);
    EXPECT_EQ(found["."].Attr & faHidden, 0);

    found = Search(dir.Path() + "/*", 0);
    EXPECT_EQ(found.size(), 2u);
    EXPECT_EQ(found.count("plain.txt") + found.count("dangling"), 2u);
    found = Search(dir.Path() + "/p?ain.*", faAnyFile);
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(found.count("plain.txt"), 1u);

    // A missing folder or no match is an error code, not an exception.
    TSearchRec f;
    EXPECT_EQ(FindFirst(dir.File("nowhere") + "/*.*", faAnyFile, f), ENOENT);
    EXPECT_EQ(FindFirst(dir.Path() + "/*.none", faAnyFile, f), ENOENT);
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

// tmpfs keeps any 64-bit modification time, as btrfs does; the system's temporary folder may not.
TEST(FileDate, AModificationTimeFarOutsideThePackedYearsGivesZero) {
    char folder[] = "/dev/shm/vex-test-XXXXXX";
    if (mkdtemp(folder) == nullptr) GTEST_SKIP() << "no tmpfs at /dev/shm";
    const std::string file = std::string(folder) + "/far";
    struct TRemove {
        std::string Path;
        ~TRemove() { std::filesystem::remove_all(Path); }
    } cleanup{folder};
    test::WriteWholeFile(file, "");
    for (const time_t seconds :
         {time_t{100'000'000'000'000'000}, -time_t{100'000'000'000'000'000}}) {
        SCOPED_TRACE(seconds);
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
        struct stat st;
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        if (st.st_mtime != seconds) GTEST_SKIP() << "/dev/shm limits modification times";
        TSearchRec f;
        ASSERT_EQ(FindFirst(std::string(folder) + "/far", faAnyFile, f), 0);
        EXPECT_EQ(f.Time, 0);
    }
}

}  // namespace
}  // namespace vex

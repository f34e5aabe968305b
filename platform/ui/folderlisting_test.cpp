#include "platform/ui/folderlisting.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/tempdir.h"

namespace vex {
namespace {

std::string Joined(const std::vector<std::string>& Names) {
    std::string text;
    for (const std::string& name : Names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

TEST(FolderListing, NamesResolveAgainstTheFolderByName) {
    const struct {
        const char* Folder;
        const char* Typed;
        const char* Path;
    } cases[] = {
        {"/home/ann", "mail", "/home/ann/mail"},
        {"/home/ann", "mail/", "/home/ann/mail"},
        {"/home/ann", "../bob//notes.txt", "/home/bob/notes.txt"},
        {"/home/ann", "/etc/./hosts", "/etc/hosts"},
        {"/home/ann", "../../../..", "/"},
        {"/", "..", "/"},
        {"/home/ann", "", "/home/ann"},
        {"/home/ann", ".", "/home/ann"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePath(c.Folder, c.Typed), c.Path) << c.Folder << " + " << c.Typed;
    EXPECT_EQ(ParentFolder("/home/ann"), "/home");
    EXPECT_EQ(ParentFolder("/home"), "/");
    EXPECT_EQ(ParentFolder("/"), "/");
}

TEST(FolderListing, ListsFoldersAndRegularFilesSortedAsAPersonLooks) {
    test::TempDir dir;
    for (const char* folder : {"beta", "Alpha", ".cache"})
        mkdir(dir.File(folder).c_str(), 0700);
    for (const char* file : {"b.txt", "A.txt", "\xE9t\xE9.txt", "e.txt", ".profile"})
        test::WriteWholeFile(dir.File(file), "");
    symlink("beta", dir.File("link to beta").c_str());
    symlink("A.txt", dir.File("link to A").c_str());
    symlink("nowhere", dir.File("dangling").c_str());
    mkfifo(dir.File("pipe").c_str(), 0600);

    const TFolderListing listing = ReadFolderListing(dir.Path());
    EXPECT_EQ(listing.Error, "");
    EXPECT_EQ(Joined(listing.Folders), ".cache Alpha beta link to beta");
    EXPECT_EQ(Joined(listing.Files), ".profile A.txt b.txt e.txt \xE9t\xE9.txt link to A");
    EXPECT_EQ(EntryKindOf(dir.File("pipe")), TEntryKind::Other);
    EXPECT_EQ(EntryKindOf(dir.File("dangling")), TEntryKind::Missing);
    EXPECT_EQ(EntryKindOf(dir.File("link to beta")), TEntryKind::Folder);
    EXPECT_EQ(EntryKindOf("/"), TEntryKind::Folder);
    EXPECT_EQ(ReadFolderListing(dir.File("missing")).Error, "No such file or directory");
}

TEST(FolderListing, APathLongerThanTheSystemLimitIsListedAndLookedUp) {
    test::TempDir dir;
    const std::string name(200, 'd');
    std::string path = dir.Path();
    std::vector<int> folders = {open(dir.Path().c_str(), O_PATH | O_DIRECTORY)};
    while (path.size() <= 2 * PATH_MAX) {
        ASSERT_EQ(mkdirat(folders.back(), name.c_str(), 0700), 0);
        folders.push_back(openat(folders.back(), name.c_str(), O_PATH | O_DIRECTORY));
        path += "/" + name;
    }
    close(openat(folders.back(), "deep.txt", O_CREAT | O_WRONLY, 0600));
    EXPECT_EQ(EntryKindOf(path), TEntryKind::Folder);
    EXPECT_EQ(EntryKindOf(path + "/deep.txt"), TEntryKind::File);
    EXPECT_EQ(Joined(ReadFolderListing(path).Files), "deep.txt");
    EXPECT_EQ(Joined(ReadFolderListing(ParentFolder(path)).Folders), name);
    // Taken apart here, from the bottom up: removing by path could not reach that far down.
    unlinkat(folders.back(), "deep.txt", 0);
    for (size_t i = folders.size() - 1; i > 0; --i) {
        close(folders[i]);
        unlinkat(folders[i - 1], name.c_str(), AT_REMOVEDIR);
    }
    close(folders.front());
}

}  // namespace
}  // namespace vex

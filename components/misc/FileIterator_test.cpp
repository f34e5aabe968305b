#include "components/misc/FileIterator.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/filesearch.h"
#include "tests/support/forkedchild.h"
#include "tests/support/tempdir.h"
#include "tests/support/waituntil.h"

namespace vex {
namespace {

using Names = std::vector<std::string>;
using test::WaitUntil;

// A walk thread the test can see go: it frees itself like any other.
class TCountedThread : public TFileIteratorThread {
public:
    explicit TCountedThread(TFileIterator* Iterator) : TFileIteratorThread(Iterator, true) {
        ++Alive;
    }
    ~TCountedThread() override { --Alive; }
    static inline std::atomic<int> Alive = 0;
};

// A descendant whose hook uses its own members and holds the walk in its first file until the
// test opens the gate. Its over-aligned member makes it need the aligned form of delete.
class TGatedIterator : public TFileIterator {
public:
    TGatedIterator() : TFileIterator(nullptr) {}
    ~TGatedIterator() override { Gone = true; }
    static inline std::atomic<bool> Entered = false, Open = false, Gone = false;

protected:
    void DoAddFile(const std::string& Name, const TFileInfo&) override {
        Listed.push_back(Name);
        Entered = true;
        WaitUntil([] { return Open.load(); });
        EXPECT_FALSE(Gone) << "the walk went on in a destroyed descendant";
    }
    alignas(64) Names Listed;
};

// Removes the folder Name of the open folder At with all it holds, however deep.
void RemoveTree(int At, const char* Name) {
    const int fd = openat(At, Name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr) {
        while (const dirent* e = readdir(dir))
            if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0 &&
                unlinkat(fd, e->d_name, 0) != 0)
                RemoveTree(fd, e->d_name);
        closedir(dir);
    }
    EXPECT_EQ(unlinkat(At, Name, AT_REMOVEDIR), 0) << Name;
}

class FileIteratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"", "/.git", "/sub", "/sub/deeper"})
            ASSERT_EQ(mkdir((Root + folder).c_str(), 0755), 0);
        for (const char* file :
             {"/a.txt", "/.dotfile", "/.git/inside.txt", "/sub/b.txt", "/sub/deeper/c.txt"})
            test::WriteWholeFile(Root + file, "abc");
        ASSERT_EQ(symlink("..", (Root + "/sub/loop").c_str()), 0);
        ASSERT_EQ(symlink("a.txt", (Root + "/filelink").c_str()), 0);
        It.SetRootFolder(Root);
        It.OnAddFile = [this](TObject* Sender, const std::string& Name, const TFileInfo& Info) {
            EXPECT_EQ(Sender, &It);
            Listed.push_back(Name);
            if (Name.ends_with("a.txt")) Infos.push_back(Info);
        };
        It.OnFolderError = [this](TObject*, const std::string& Folder, int32_t Code) {
            Errors.push_back(Folder + ":" + std::to_string(Code));
        };
    }

    // Walks on this thread and gives the reported names in order.
    Names Walk() {
        Listed.clear();
        It.Iterate();
        std::sort(Listed.begin(), Listed.end());
        return Listed;
    }
    // What a walk in a forked copy prepared by Prepare reported, files and then folder errors,
    // one a line, or why the copy could not be prepared.
    test::ForkedResult WalkInForkedChild(const std::function<std::string()>& Prepare) {
        return test::InForkedChild(Prepare, [&] {
            const Names files = Walk();
            return LinesOf(files) + LinesOf(Errors);
        });
    }
    static std::string LinesOf(const Names& Lines) {
        std::string text;
        for (const auto& line : Lines)
            text += line + "\n";
        return text;
    }
    Names Full(Names Bare) {
        for (auto& n : Bare)
            n = Root + "/" + n;
        return Bare;
    }

    test::TempDir Dir;
    std::string Root = Dir.Path() + "/root";
    TFileIterator It{nullptr};
    Names Listed, Errors;
    std::vector<TFileInfo> Infos;
};

TEST_F(FileIteratorTest, OptionsChooseNamesDetailsAndDepthButDotFoldersAndLinksStayShut) {
    // Sparse, so it costs no disk; its size needs more than 32 bits.
    ASSERT_EQ(truncate((Root + "/a.txt").c_str(), int64_t{5} << 30), 0);
    It.SetRootFolder(Root + "/");
    EXPECT_EQ(Walk(), Full({".dotfile", "a.txt", "filelink", "sub/b.txt", "sub/deeper/c.txt"}));
    It.SetOptions({fiRecurseFolders});
    EXPECT_EQ(Walk(), Names({".dotfile", "a.txt", "b.txt", "c.txt", "filelink"}));
    It.SetOptions({fiPath});
    EXPECT_EQ(Walk(), Full({".dotfile", "a.txt", "filelink"}));
    ASSERT_EQ(Infos.size(), 3u);
    EXPECT_EQ(Infos[0].Size, int64_t{5} << 30);
    EXPECT_NE(Infos[0].Time, 0);
    EXPECT_EQ(Infos[0].Attr & (faDirectory | faHidden | faSymLink), 0);
    EXPECT_EQ(Infos[2].Size + Infos[2].Time, 0);
    It.SetRootFolder("/");
    for (const auto& name : Walk())
        EXPECT_EQ(name.rfind('/'), 0u) << name;
    EXPECT_EQ(Errors, Names());

    It.SetRootFolder(Root);
    Names asked;
    It.OnAddFileQuery = [&](TObject*, const std::string& Name, const TFileInfo&, bool& CanAdd) {
        asked.push_back(Name);
        CanAdd = Name != Root + "/a.txt";
    };
    EXPECT_EQ(Walk(), Full({".dotfile", "filelink"}));
    It.OnAddFile = nullptr;  // the query alone still runs
    It.Iterate();
    It.OnAddFileQuery = nullptr;  // with neither, not even OnActivate fires
    It.OnActivate = [&](TObject*) { asked.push_back("activate"); };
    It.Iterate();
    EXPECT_EQ(asked.size(), 6u);
}

TEST_F(FileIteratorTest, FoldersThatCannotBeEnteredAreReportedAndTheWalkGoesOn) {
    Names events;
    It.OnActivate = [&](TObject*) { events.push_back("activate"); };
    It.OnTerminate = [&](TObject*) { events.push_back("terminate"); };
    for (const std::string& folder : {std::string(), Dir.File("missing")}) {
        It.SetRootFolder(folder);
        EXPECT_EQ(Walk(), Names());
    }
    EXPECT_EQ(events, Names({"activate", "terminate", "activate", "terminate"}));
    EXPECT_EQ(Errors, Names({Dir.File("missing") + ":" + std::to_string(ENOENT)}));

    // The first file found in one of three folders takes the other two away before they are
    // entered, whatever order the file system lists them in.
    Errors.clear();
    const std::string three = Dir.File("three");
    for (const char* f : {"", "/0", "/1", "/2"})
        ASSERT_EQ(mkdir((three + f).c_str(), 0755), 0);
    for (const char* f : {"/0/f", "/1/f", "/2/f"})
        test::WriteWholeFile(three + f, "");
    Names gone;
    It.OnAddFile = [&](TObject*, const std::string& Name, const TFileInfo&) {
        Listed.push_back(Name);
        for (const char* d : {"/0", "/1", "/2"}) {
            if (Listed.size() > 1 || Name.starts_with(three + d)) continue;
            std::filesystem::remove_all(three + d);
            gone.push_back(three + d + ":" + std::to_string(ENOENT));
        }
    };
    It.SetRootFolder(three);
    EXPECT_EQ(Walk().size(), 1u);
    std::sort(Errors.begin(), Errors.end());
    EXPECT_EQ(Errors, gone);
}

TEST_F(FileIteratorTest, AFolderThatCanBeListedButNotSearchedIsReported) {
    // The superuser may search any folder, so the walk runs as an ordinary user.
    ASSERT_EQ(chmod(Dir.Path().c_str(), 0755) | chmod((Root + "/sub").c_str(), 0444), 0);
    const auto seen = WalkInForkedChild([&] { return test::BecomeOrdinaryUser(Root); });
    chmod((Root + "/sub").c_str(), 0755);
    if (!seen.NotRun.empty()) GTEST_SKIP() << seen.NotRun;
    EXPECT_EQ(seen.Text,
              LinesOf(Full({".dotfile", "a.txt", "filelink", "sub:" + std::to_string(EACCES)})));
}

// Another user's FUSE mount point in a folder the walk can search is reported by its own name, and
// the rest of the folder is walked; without recursion it would not be entered, and goes unsaid.
TEST_F(FileIteratorTest, AFolderThatCannotBeLookedAtIsReportedAndTheRestOfItsFolderWalked) {
    ASSERT_EQ(mkdir((Root + "/sub/mnt").c_str(), 0755), 0);
    const auto unreachable = [&] { return test::MountUnreachableFolder(Root + "/sub/mnt"); };
    const auto seen = WalkInForkedChild(unreachable);
    if (!seen.NotRun.empty()) GTEST_SKIP() << seen.NotRun;
    EXPECT_EQ(seen.Text, LinesOf(Full({".dotfile", "a.txt", "filelink", "sub/b.txt",
                                       "sub/deeper/c.txt", "sub/mnt:" + std::to_string(EACCES)})));
    It.SetOptions({fiPath});
    It.SetRootFolder(Root + "/sub");
    EXPECT_EQ(WalkInForkedChild(unreachable).Text, LinesOf({Root + "/sub/b.txt"}));
}

// Of two folder names made in this order beside a file, the one that a folder lists first,
// whatever order the file system lists names in (as made, or by a hash of the name): learned
// from a scratch folder made the same way.
size_t ListedFirst(const std::string& Scratch, const std::string (&Made)[2]) {
    EXPECT_EQ(mkdir(Scratch.c_str(), 0755), 0);
    for (const std::string& name : Made)
        EXPECT_EQ(mkdir((Scratch + "/" + name).c_str(), 0755), 0);
    test::WriteWholeFile(Scratch + "/f", "");
    size_t first = 0;
    DIR* dir = opendir(Scratch.c_str());
    while (const dirent* e = dir ? readdir(dir) : nullptr) {
        if (e->d_name != Made[0] && e->d_name != Made[1]) continue;
        first = e->d_name == Made[0] ? 0 : 1;
        break;
    }
    if (dir) closedir(dir);
    std::filesystem::remove_all(Scratch);
    return first;
}

TEST_F(FileIteratorTest, ATreeDeeperThanAPathNameLosesNothingAndHoldsFewDescriptors) {
    // Forty levels of 200-character names, each with a file and a side folder holding one. Every
    // level lists the next before its side folder, so the side folders are entered on the way
    // back up.
    const std::string made[2] = {std::string(200, 'L'), std::string(200, 'S')};
    const size_t chainIndex = ListedFirst(Dir.File("scratch"), made);
    const std::string& level = made[chainIndex];
    const std::string& side = made[1 - chainIndex];
    int fd = open(Root.c_str(), O_RDONLY | O_DIRECTORY), tenth = -1;
    Names expected = Full({".dotfile", "a.txt", "filelink", "sub/b.txt", "sub/deeper/c.txt"});
    std::string movedLevel;
    for (std::string path = Root; path.size() < 40 * 201; path += "/" + level) {
        for (const std::string& name : made)
            ASSERT_EQ(mkdirat(fd, name.c_str(), 0755), 0);
        close(openat(fd, "f", O_CREAT | O_WRONLY, 0644));
        close(openat(fd, (side + "/g").c_str(), O_CREAT | O_WRONLY, 0644));
        expected.insert(expected.end(), {path + "/f", path + "/" + side + "/g"});
        const int next = openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
        if (expected.size() == 5 + 2 * 11) {
            tenth = fd;  // kept, to move the next level away below
            movedLevel = path + "/" + level;
        } else {
            close(fd);
        }
        fd = next;
    }
    close(fd);
    ASSERT_GT(expected.back().size(), size_t{PATH_MAX});
    const auto openDescriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto before = openDescriptors();
    decltype(openDescriptors()) most = 0;
    It.OnAddFile = [&](TObject*, const std::string& Name, const TFileInfo&) {
        Listed.push_back(Name);
        most = std::max(most, openDescriptors() - before);
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Walk(), expected);
    EXPECT_LE(most, 20);
    EXPECT_EQ(Errors, Names());

    // The eleventh level moved away under the walk, deep below it: only the side folders of the
    // moved levels that the walk had closed are lost (reported, not searched where they went);
    // the levels above are reopened by name from the root, and nothing is walked twice.
    const struct {
        const char* What;
        std::string To;
        bool LinkLeftInPlace;
    } moves[] = {
        {"out of the root", Dir.File("moved"), false},
        {"out of the root, a link to it left in its place", Dir.File("moved"), true},
        {"within the root, where the walk has been", Root + "/moved", false},
        {"into a folder that the walk has yet to enter", Root + "/" + side + "/moved", false},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.What);
        Errors.clear();
        bool moved = false;
        It.OnAddFile = [&](TObject*, const std::string& Name, const TFileInfo&) {
            Listed.push_back(Name);
            if (moved || Name.size() < 35 * 201) return;
            moved = true;
            ASSERT_EQ(renameat(tenth, level.c_str(), AT_FDCWD, move.To.c_str()), 0);
            if (move.LinkLeftInPlace) {
                ASSERT_EQ(symlinkat(move.To.c_str(), tenth, level.c_str()), 0);
            }
        };
        Names reachedOrReported = Walk();
        EXPECT_TRUE(moved);
        EXPECT_EQ(std::adjacent_find(reachedOrReported.begin(), reachedOrReported.end()),
                  reachedOrReported.end());
        EXPECT_FALSE(Errors.empty());
        for (const std::string& e : Errors) {
            EXPECT_TRUE(e.starts_with(movedLevel + "/")) << e;
            EXPECT_TRUE(e.ends_with("/" + side + ":" + std::to_string(ESTALE))) << e;
            reachedOrReported.push_back(e.substr(0, e.rfind(':')) + "/g");
        }
        std::sort(reachedOrReported.begin(), reachedOrReported.end());
        EXPECT_EQ(reachedOrReported, expected);
        if (move.LinkLeftInPlace) unlinkat(tenth, level.c_str(), 0);
        ASSERT_EQ(renameat(AT_FDCWD, move.To.c_str(), tenth, level.c_str()), 0);
    }
    close(tenth);
    RemoveTree(AT_FDCWD, Root.c_str());  // too deep for remove_all
}

// A folder deleted for good while the walk is deeper in it than the folders it keeps open, and a
// new folder given its inode number where the walk has yet to go: the new one is walked.
TEST_F(FileIteratorTest, AFolderGivenTheInodeOfOneDeletedUnderTheWalkIsWalked) {
    // root/a/<chain>/L/.../L/f twenty levels deep, listed before root/a/<later>, which holds a
    // file listed before its folder w: by that file the walk has left the chain for good.
    const std::string a = Root + "/a", pair[2] = {"x", "y"}, inLater[2] = {"k", "w"};
    const size_t chainFirst = ListedFirst(Dir.File("scratch"), pair);
    const size_t fileFirst = ListedFirst(Dir.File("scratch"), inLater);
    const std::string chain = a + "/" + pair[chainFirst], later = a + "/" + pair[1 - chainFirst];
    const std::string file = later + "/" + inLater[fileFirst];
    const std::string w = later + "/" + inLater[1 - fileFirst];
    std::string bottom = chain;
    for (const std::string& folder : {a, chain, later, w})
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    for (int level = 0; level < 20; ++level)
        ASSERT_EQ(mkdir((bottom += "/L").c_str(), 0755), 0);
    for (const std::string& f : {bottom + "/f", file})
        test::WriteWholeFile(f, "");
    struct stat deleted {};
    ASSERT_EQ(stat(chain.c_str(), &deleted), 0);

    std::string reused;
    It.OnAddFile = [&](TObject*, const std::string& Name, const TFileInfo&) {
        Listed.push_back(Name);
        if (Name == bottom + "/f") std::filesystem::remove_all(chain);
        // The file system hands a freed inode number out again: folders are made until one has it.
        for (int i = 0; Name == file && reused.empty() && i < 1000; ++i) {
            const std::string made = w + "/n" + std::to_string(i);
            struct stat st {};
            ASSERT_EQ(mkdir(made.c_str(), 0755) | stat(made.c_str(), &st), 0);
            if (st.st_ino == deleted.st_ino && st.st_dev == deleted.st_dev) reused = made;
        }
        if (Name == file && !reused.empty()) test::WriteWholeFile(reused + "/g", "");
    };
    const Names listed = Walk();
    if (reused.empty()) GTEST_SKIP() << "the file system gave no new folder the deleted inode";
    EXPECT_TRUE(std::binary_search(listed.begin(), listed.end(), reused + "/g"))
        << reused << " has the inode of the deleted " << chain;
    EXPECT_EQ(Errors, Names());
}

// A folder of a layered file system that is copied up to its upper layer while the walk is below
// it (a file is written deep inside) is the same folder, which the walk reopens on its way back
// up: its birth time is then the copy's, but its inode number and handle stay.
TEST_F(FileIteratorTest, FoldersCopiedUpInALayeredFileSystemUnderTheWalkAreStillWalked) {
    const std::string lower = Dir.File("lower"), merged = Dir.File("merged");
    for (const std::string& f : {lower, Dir.File("upper"), Dir.File("work"), merged})
        ASSERT_EQ(mkdir(f.c_str(), 0755), 0);
    // Twenty levels, each with a side folder listed after the next level, so the side folders of
    // the levels the walk closed on the way down are entered after reopening them.
    const std::string made[2] = {"L", "S"};
    const size_t chainIndex = ListedFirst(Dir.File("scratch"), made);
    const std::string &level = made[chainIndex], &side = made[1 - chainIndex];
    Names expected;
    std::string path;
    for (int depth = 0; depth < 20; ++depth, path += "/" + level) {
        for (const std::string& name : made)
            ASSERT_EQ(mkdir((lower + path + "/" + name).c_str(), 0755), 0);
        test::WriteWholeFile(lower + path + "/" + side + "/g", "");
        expected.push_back(merged + path + "/" + side + "/g");
    }
    test::WriteWholeFile(lower + path + "/f", "");
    expected.push_back(merged + path + "/f");
    std::sort(expected.begin(), expected.end());

    It.SetRootFolder(merged);
    It.OnAddFile = [&](TObject*, const std::string& Name, const TFileInfo&) {
        Listed.push_back(Name);
        if (Name == merged + path + "/f") test::WriteWholeFile(merged + path + "/new", "");
    };
    const auto seen = WalkInForkedChild([&]() -> std::string {
        if (unshare(CLONE_NEWNS) != 0) return "cannot make a mount namespace";
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return "cannot keep mounts private";
        const std::string options =
            "lowerdir=" + lower + ",upperdir=" + Dir.File("upper") + ",workdir=" + Dir.File("work");
        if (mount("overlay", merged.c_str(), "overlay", 0, options.c_str()) != 0)
            return "cannot mount an overlay file system";
        return {};
    });
    if (!seen.NotRun.empty()) GTEST_SKIP() << seen.NotRun;
    EXPECT_EQ(seen.Text, LinesOf(expected));
}

TEST_F(FileIteratorTest, RunsOnTheWorkerRefusingChangesAndAFreedDescendantStopsFirst) {
    auto* it = new TGatedIterator;
    it->SetRootFolder(Root);
    it->OnAddFile = [](TObject*, const std::string&, const TFileInfo&) {};
    std::thread::id eventThread;
    it->OnActivate = [&](TObject*) { eventThread = std::this_thread::get_id(); };
    (new TCountedThread(it))->Start();
    ASSERT_TRUE(WaitUntil([] { return TGatedIterator::Entered.load(); }));
    EXPECT_NE(eventThread, std::this_thread::get_id());
    EXPECT_TRUE(it->Running());
    try {
        it->SetRootFolder("/elsewhere");
        ADD_FAILURE() << "changed on the fly";
    } catch (const EFileIteratorError& e) {
        EXPECT_EQ(e.Message(), "Cannot change options on fly. Try later");
    }
    try {
        it->Iterate();
        ADD_FAILURE() << "a second walk ran";
    } catch (const EFileIteratorError& e) {
        EXPECT_EQ(e.Message(),
                  "Iterator is not available at the moment. Please call later, but do call");
    }
    it->Stop();
    EXPECT_THROW(it->SetOptions({}), EFileIteratorError);  // a pending stop is not idle yet
    EXPECT_EQ(it->RootFolder(), Root);

    std::thread freer([&] { delete it; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(TGatedIterator::Gone);  // the walk is still inside the descendant's hook
    TGatedIterator::Open = true;
    freer.join();
    EXPECT_TRUE(WaitUntil([] { return TCountedThread::Alive == 0; }));

    // A thread whose iterator is freed before it starts walks nothing.
    auto* plain = new TFileIterator(nullptr);
    plain->SetRootFolder(Root);
    std::atomic<int> files = 0;
    plain->OnAddFile = [&](TObject*, const std::string&, const TFileInfo&) { ++files; };
    auto* thread = new TCountedThread(plain);
    delete plain;
    thread->Start();
    EXPECT_TRUE(WaitUntil([] { return TCountedThread::Alive == 0; }));
    EXPECT_EQ(files, 0);
}

}  // namespace
}  // namespace vex

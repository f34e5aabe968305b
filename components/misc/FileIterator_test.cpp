#include "components/misc/FileIterator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/filesearch.h"
#include "tests/support/tempdir.h"
#include "tests/support/waituntil.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

using test::WaitUntil;

// A walk thread the test can see go: it frees itself like any other.
class TCountedThread : public TFileIteratorThread {
public:
    explicit TCountedThread(TFileIterator* Iterator, bool StartNow = true)
        : TFileIteratorThread(Iterator, true) {
        ++Alive;
        if (StartNow) Start();
    }
    ~TCountedThread() override { --Alive; }

    static inline std::atomic<int> Alive = 0;
};

// A handler that holds the walk inside its first file until the test lets it go.
class TGate {
public:
    void Enter() {
        Entered = true;
        WaitUntil([this] { return Open.load(); });
    }
    std::atomic<bool> Entered = false;
    std::atomic<bool> Open = false;
};

class FileIteratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Root = Dir.Path() + "/root";
        MakeFolder("");
        test::WriteWholeFile(Root + "/a.txt", "abc");
        test::WriteWholeFile(Root + "/.dotfile", "");
        MakeFolder("/.git");
        test::WriteWholeFile(Root + "/.git/inside.txt", "");
        MakeFolder("/sub");
        test::WriteWholeFile(Root + "/sub/b.txt", "");
        MakeFolder("/sub/deeper");
        test::WriteWholeFile(Root + "/sub/deeper/c.txt", "");
        ASSERT_EQ(symlink("..", (Root + "/sub/loop").c_str()), 0);
        ASSERT_EQ(symlink("a.txt", (Root + "/filelink").c_str()), 0);
    }
    void TearDown() override {
        EXPECT_TRUE(WaitUntil([] { return TCountedThread::Alive == 0; }));
    }

    void MakeFolder(const std::string& Sub) { ASSERT_EQ(mkdir((Root + Sub).c_str(), 0755), 0); }

    // Walks on this thread and gives the reported names in order.
    std::vector<std::string> Walk(TFileIterator& It) {
        std::vector<std::string> names;
        It.OnAddFile = [&](TObject* Sender, const std::string& Name, const TFileInfo&) {
            EXPECT_EQ(Sender, &It);
            names.push_back(Name);
        };
        It.Iterate();
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> Full(std::vector<std::string> Names) {
        for (auto& n : Names)
            n = Root + "/" + n;
        return Names;
    }

    test::TempDir Dir;
    std::string Root;
};

TEST_F(FileIteratorTest, StartsWithEveryOptionAndTheRootFolder) {
    TFileIterator it(nullptr);
    EXPECT_EQ(it.Options(), TFileIteratorOptions({fiPath, fiDetails, fiRecurseFolders}));
    EXPECT_EQ(it.RootFolder(), "/");
}

TEST_F(FileIteratorTest, WalksNestedFoldersButNotDotFoldersNorLinkedFolders) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    const auto expected = Full({".dotfile", "a.txt", "filelink", "sub/b.txt", "sub/deeper/c.txt"});
    EXPECT_EQ(Walk(it), expected);
    it.SetRootFolder(Root + "/");
    EXPECT_EQ(Walk(it), expected);
}

TEST_F(FileIteratorTest, OptionsChooseBareNamesAndTheTopFolderOnly) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    it.SetOptions({fiRecurseFolders});
    EXPECT_EQ(Walk(it),
              std::vector<std::string>({".dotfile", "a.txt", "b.txt", "c.txt", "filelink"}));
    it.SetOptions({fiPath});
    EXPECT_EQ(Walk(it), Full({".dotfile", "a.txt", "filelink"}));
}

TEST_F(FileIteratorTest, DetailsAreFilledOnlyWhenAskedFor) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    // Sparse, so it costs no disk; its size needs more than 32 bits.
    ASSERT_EQ(truncate((Root + "/a.txt").c_str(), int64_t{5} << 30), 0);
    std::vector<TFileInfo> infos;
    it.OnAddFile = [&](TObject*, const std::string& Name, const TFileInfo& Info) {
        if (Name == Root + "/a.txt" || Name == "a.txt") infos.push_back(Info);
    };
    it.Iterate();
    it.SetOptions({fiPath});
    it.Iterate();
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos[0].Size, int64_t{5} << 30);
    EXPECT_NE(infos[0].Time, 0);
    EXPECT_EQ(infos[0].Attr & (faDirectory | faHidden | faSymLink), 0);
    EXPECT_EQ(infos[1].Size, 0);
    EXPECT_EQ(infos[1].Time, 0);
}

TEST_F(FileIteratorTest, TheFileSystemRootReportsNamesBeginningWithOneSlash) {
    TFileIterator it(nullptr);
    it.SetOptions({fiPath});
    for (const auto& name : Walk(it)) {
        ASSERT_GE(name.size(), 2u);
        EXPECT_EQ(name[0], '/');
        EXPECT_NE(name[1], '/');
        EXPECT_EQ(name.find('/', 1), std::string::npos);
    }
}

TEST_F(FileIteratorTest, AQueryHandlerVetoesSingleFilesAndMayStandAlone) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    it.SetOptions({fiRecurseFolders});
    std::vector<std::string> asked;
    it.OnAddFileQuery = [&](TObject*, const std::string& Name, const TFileInfo&, bool& CanAdd) {
        asked.push_back(Name);
        EXPECT_TRUE(CanAdd);
        CanAdd = Name != "b.txt";
    };
    EXPECT_EQ(Walk(it), std::vector<std::string>({".dotfile", "a.txt", "c.txt", "filelink"}));
    EXPECT_EQ(asked.size(), 5u);

    asked.clear();
    it.OnAddFile = nullptr;
    it.Iterate();
    EXPECT_EQ(asked.size(), 5u);
}

TEST_F(FileIteratorTest, WithoutFileHandlersNothingFiresNotEvenActivate) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    int fired = 0;
    it.OnActivate = [&](TObject*) { ++fired; };
    it.OnTerminate = [&](TObject*) { ++fired; };
    it.Iterate();
    EXPECT_EQ(fired, 0);
}

TEST_F(FileIteratorTest, EmptyMissingOrUnreadableFoldersYieldNothingButStillActivateAndTerminate) {
    ASSERT_EQ(chmod(Root.c_str(), 0), 0);
    bool unreadable = access((Root + "/a.txt").c_str(), F_OK) != 0;  // root reads it anyway
    for (const std::string& folder : {std::string(), Dir.File("missing"), Root}) {
        if (folder == Root && !unreadable) continue;
        SCOPED_TRACE(folder);
        TFileIterator it(nullptr);
        it.SetRootFolder(folder);
        std::vector<std::string> events;
        it.OnActivate = [&](TObject*) { events.push_back("activate"); };
        it.OnTerminate = [&](TObject*) { events.push_back("terminate"); };
        EXPECT_EQ(Walk(it), std::vector<std::string>());
        EXPECT_EQ(events, std::vector<std::string>({"activate", "terminate"}));
    }
    chmod(Root.c_str(), 0755);
}

TEST_F(FileIteratorTest, StopWhileIdleDoesNothing) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    it.Stop();
    EXPECT_FALSE(it.Running());
    EXPECT_EQ(Walk(it).size(), 5u);
}

TEST_F(FileIteratorTest, RunsOnTheWorkerRefusingChangesAndSecondWalksUntilStopped) {
    TFileIterator it(nullptr);
    it.SetRootFolder(Root);
    TGate gate;
    std::atomic<int> files = 0;
    std::atomic<bool> terminated = false;
    std::thread::id eventThread;
    it.OnActivate = [&](TObject*) { eventThread = std::this_thread::get_id(); };
    it.OnAddFile = [&](TObject*, const std::string&, const TFileInfo&) {
        ++files;
        gate.Enter();
    };
    it.OnTerminate = [&](TObject*) { terminated = true; };
    new TCountedThread(&it);
    ASSERT_TRUE(WaitUntil([&] { return gate.Entered.load(); }));
    EXPECT_NE(eventThread, std::this_thread::get_id());
    EXPECT_TRUE(it.Running());

    try {
        it.SetRootFolder("/elsewhere");
        ADD_FAILURE() << "a running walk took a new root folder";
    } catch (const EFileIteratorError& e) {
        EXPECT_EQ(e.Message(), "Cannot change options on fly. Try later");
    }
    EXPECT_THROW(it.SetOptions({}), EFileIteratorError);
    EXPECT_EQ(it.RootFolder(), Root);
    EXPECT_EQ(it.Options(), TFileIteratorOptions({fiPath, fiDetails, fiRecurseFolders}));
    try {
        it.Iterate();
        ADD_FAILURE() << "a second walk started";
    } catch (const EFileIteratorError& e) {
        EXPECT_EQ(e.Message(),
                  "Iterator is not available at the moment. Please call later, but do call");
    }

    it.Stop();
    EXPECT_THROW(it.SetOptions({}), EFileIteratorError);  // a pending stop is not idle yet
    gate.Open = true;
    ASSERT_TRUE(WaitUntil([&] { return !it.Running(); }));
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(terminated);
    it.SetOptions({fiPath});  // idle again
}

TEST_F(FileIteratorTest, FreeingTheIteratorStopsTheWalkAndWaitsForIt) {
    auto* it = new TFileIterator(nullptr);
    it->SetRootFolder(Root);
    TGate gate;
    std::atomic<int> files = 0;
    std::atomic<bool> terminated = false;
    it->OnAddFile = [&](TObject*, const std::string&, const TFileInfo&) {
        ++files;
        gate.Enter();
    };
    it->OnTerminate = [&](TObject*) { terminated = true; };
    new TCountedThread(it);
    ASSERT_TRUE(WaitUntil([&] { return gate.Entered.load(); }));

    std::atomic<bool> freed = false;
    std::thread freer([&] {
        delete it;
        freed = true;
    });
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(freed);  // still inside the handler
    gate.Open = true;
    freer.join();
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(terminated);
}

TEST_F(FileIteratorTest, AThreadWhoseIteratorIsGoneWalksNothing) {
    auto* it = new TFileIterator(nullptr);
    it->SetRootFolder(Root);
    std::atomic<int> files = 0;
    it->OnAddFile = [&](TObject*, const std::string&, const TFileInfo&) { ++files; };
    auto* thread = new TCountedThread(it, false);
    delete it;
    thread->Start();
    EXPECT_TRUE(WaitUntil([] { return TCountedThread::Alive == 0; }));
    EXPECT_EQ(files, 0);
}

}  // namespace
}  // namespace vex

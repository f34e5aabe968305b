#include "platform/shell/filewindowdirectory.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/shell/processstart.h"
#include "platform/shell/runtimefolder.h"
#include "platform/shell/windowentryfile.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"
#include "tests/support/messagepump.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class FileWindowDirectory : public ::testing::Test {
protected:
    // A short wait for the lock, so that the test of giving up is quick.
    FileWindowDirectory()
        : Folder(OpenPrivateFolder(FTemp.File("vexbane"))), Directory(Folder, 50) {}

    std::string File(const std::string& Name) const { return Folder + "/" + Name; }
    bool Exists(const std::string& Name) const {
        struct stat info {};
        return lstat(File(Name).c_str(), &info) == 0;
    }
    // An entry of this very process, which is alive.
    static TWindowEntry Mine(HWND Window, const std::string& Title = "Vexbane") {
        return {"TPUtilWindow", Title, static_cast<int32_t>(getpid()), *ProcessStartTicks(getpid()),
                Window};
    }
    void Write(const TWindowEntry& Entry) {
        test::WriteWholeFile(File(WindowEntryFileName(Entry)), FormatWindowEntry(Entry));
    }

private:
    test::TempDir FTemp;

protected:
    std::string Folder;
    TFileWindowDirectory Directory;
};

void SendDatagram(const std::string& Path, const std::string& Bytes) {
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, Path.c_str());
    EXPECT_EQ(sendto(fd, Bytes.data(), Bytes.size(), 0, reinterpret_cast<sockaddr*>(&address),
                     sizeof address),
              static_cast<ssize_t>(Bytes.size()));
    close(fd);
}

// A process that has come and gone, and its start.
std::pair<int32_t, uint64_t> EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return {child, *ProcessStartTicks(getpid())};
}

TEST_F(FileWindowDirectory, ListsARegisteredWindowUntilItsClaimEnds) {
    test::RecordingWindow window;
    TWindowDirectoryClaimPtr claim = Directory.Register(window.Handle(), "TPUtilWindow", "Vexbane");
    const TWindowEntry entry = Mine(window.Handle());
    EXPECT_EQ(Directory.Windows(), std::vector<TWindowEntry>{entry});
    EXPECT_TRUE(Exists(WindowEntryFileName(entry)));
    EXPECT_TRUE(Exists(WindowSocketFileName(entry)));

    claim.reset();
    EXPECT_TRUE(Directory.Windows().empty());
    EXPECT_FALSE(Exists(WindowEntryFileName(entry)));
    EXPECT_FALSE(Exists(WindowSocketFileName(entry)));
}

TEST_F(FileWindowDirectory, DropsTheEntriesOfEndedProcessesWhenRead) {
    const auto [ended, endedStart] = EndedProcess();
    const uint64_t myStart = *ProcessStartTicks(getpid());
    const TWindowEntry live = Mine(300);
    const TWindowEntry dead[] = {
        {"C", "ended", ended, endedStart, 256},
        // The same id as a running process, but the process that wrote it started at another time.
        {"C", "id given again", static_cast<int32_t>(getpid()), myStart + 1, 256},
    };
    Write(live);
    for (const TWindowEntry& entry : dead) {
        Write(entry);
        test::WriteWholeFile(File(WindowSocketFileName(entry)), "");
    }
    EXPECT_EQ(Directory.Windows(), std::vector<TWindowEntry>{live});
    for (const TWindowEntry& entry : dead) {
        SCOPED_TRACE(entry.Title);
        EXPECT_FALSE(Exists(WindowEntryFileName(entry)));
        EXPECT_FALSE(Exists(WindowSocketFileName(entry)));
    }
    EXPECT_TRUE(Exists(WindowEntryFileName(live)));
}

TEST_F(FileWindowDirectory, IgnoresFilesThatAreNotWellFormedEntriesAndLeavesThem) {
    const TWindowEntry entry = Mine(256);
    const std::string name = WindowEntryFileName(entry);
    const std::string text = FormatWindowEntry(entry);
    test::TempDir elsewhere;
    // Each makes one file and gives its name.
    struct Case {
        const char* What;
        std::function<std::string()> Make;
    };
    const Case cases[] = {
        {"malformed",
         [&] {
             test::WriteWholeFile(File(name), "vexbane window entry 1\n");
             return name;
         }},
        {"oversized",
         [&] {
             test::WriteWholeFile(File(name), text + std::string(MaxWindowEntryFileSize, ' '));
             return name;
         }},
        {"named for another window",
         [&] {
             test::WriteWholeFile(File(WindowEntryFileName(Mine(257))), text);
             return WindowEntryFileName(Mine(257));
         }},
        {"a link to an entry",
         [&] {
             test::WriteWholeFile(elsewhere.File(name), text);
             symlink(elsewhere.File(name).c_str(), File(name).c_str());
             return name;
         }},
        // Opening it to read would wait for a writer that never comes.
        {"a pipe",
         [&] {
             mkfifo(File(name).c_str(), 0600);
             return name;
         }},
        {"a folder",
         [&] {
             mkdir(File(name).c_str(), 0700);
             return name;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string made = c.Make();
        EXPECT_TRUE(Directory.Windows().empty());
        EXPECT_TRUE(Exists(made));
        std::filesystem::remove(File(made));
    }
}

TEST_F(FileWindowDirectory, ListsTheLongestRunningProcessFirst) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        pause();
        _exit(0);
    }
    const TWindowEntry later{"C", "later", child, *ProcessStartTicks(child), 100};
    const std::vector<TWindowEntry> expected = {Mine(200), Mine(300), later};
    for (const TWindowEntry& entry : {expected[2], expected[1], expected[0]})
        Write(entry);
    EXPECT_EQ(Directory.Windows(), expected);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(Directory.Windows(),
              std::vector<TWindowEntry>(expected.begin(), expected.begin() + 2));
}

TEST_F(FileWindowDirectory, LockIsHeldByOneClaimAtATimeAndGivesUpAfterItsWait) {
    // flock locks belong to an open file, so two claims of one process exclude each other as
    // those of two processes do.
    TWindowDirectoryClaimPtr first = Directory.Lock();
    try {
        Directory.Lock();
        ADD_FAILURE() << "the lock was taken twice";
    } catch (const EWindowDirectoryError& e) {
        EXPECT_EQ(e.Message(), "The lock " + File("lock") + " stayed taken for 50 ms");
    }
    first.reset();
    EXPECT_NE(Directory.Lock(), nullptr);
}

TEST_F(FileWindowDirectory, RestoreRequestRestoresAMinimisedWindowAndRaisesAnother) {
    test::RecordingWindow window;
    test::RecordingWindow above;
    const TWindowDirectoryClaimPtr claim = Directory.Register(window.Handle(), "C", "T");
    const TWindowEntry entry = Directory.Windows().at(0);

    ShowWindow(window.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window.Handle()));
    ASSERT_TRUE(Directory.RequestRestore(entry));
    EXPECT_TRUE(test::PumpUntil([&] { return !IsIconic(window.Handle()); }));

    BringWindowToTop(above.Handle());
    ASSERT_NE(GetWindow(window.Handle(), GW_HWNDFIRST), window.Handle());
    ASSERT_TRUE(Directory.RequestRestore(entry));
    EXPECT_TRUE(test::PumpUntil(
        [&] { return GetWindow(window.Handle(), GW_HWNDFIRST) == window.Handle(); }));
    EXPECT_FALSE(IsIconic(window.Handle()));
}

TEST_F(FileWindowDirectory, DropsDatagramsThatAreNotRequestsAndTakesNoneOnceUnregistered) {
    test::RecordingWindow window;
    TWindowDirectoryClaimPtr claim = Directory.Register(window.Handle(), "C", "T");
    const TWindowEntry entry = Directory.Windows().at(0);
    ShowWindow(window.Handle(), SW_MINIMIZE);
    const std::string socket = File(WindowSocketFileName(entry));
    const std::string junk[] = {"",        "restor",         "restore\n",
                                "Restore", "restorerestore", "restore" + std::string(65536, 'x')};
    for (const std::string& datagram : junk)
        SendDatagram(socket, datagram);
    test::PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(IsIconic(window.Handle()));

    claim.reset();
    EXPECT_FALSE(Directory.RequestRestore(entry));
    test::PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(IsIconic(window.Handle()));
}

TEST_F(FileWindowDirectory, RefusesToListTextsLongerThanItKeeps) {
    const std::string tooLong(TWindowDirectory::MaxTextLength + 1, 'x');
    EXPECT_THROW(Directory.Register(256, tooLong, "T"), EWindowDirectoryError);
    EXPECT_THROW(Directory.Register(256, "C", tooLong), EWindowDirectoryError);
    EXPECT_TRUE(Directory.Windows().empty());
}

}  // namespace
}  // namespace vex

#include "platform/shell/filewindowdirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <tuple>

#include "platform/core/files.h"
#include "platform/shell/processstart.h"
#include "platform/shell/restorechannel.h"
#include "platform/shell/windowentryfile.h"
#include "platform/win/lifetoken.h"
#include "platform/win/messageloop.h"

namespace vex {

namespace {

class TLockClaim : public TWindowDirectoryClaim {
public:
    explicit TLockClaim(int Fd) : FFd(Fd) {}
    ~TLockClaim() override { close(FFd); }

private:
    int FFd;
};

class TRegistration : public TWindowDirectoryClaim {
public:
    TRegistration(std::string EntryPath, const std::string& SocketPath, HWND Window)
        : FEntryPath(std::move(EntryPath)),
          FListener(SocketPath, [this, Window] { Restore(Window); }) {}
    // The entry goes first, so that nobody finds the window once its socket is gone.
    ~TRegistration() override { unlink(FEntryPath.c_str()); }

    void Publish(const TWindowEntry& Entry) {
        WriteFileAtomic(FEntryPath, FormatWindowEntry(Entry));
    }

private:
    // Through the queue rather than from inside the descriptor's handler, which may run in
    // the middle of any wait, and at most once however many requests are waiting.
    void Restore(HWND Window) {
        if (FPending) return;
        FPending = true;
        RunOnMainThread([this, life = FLife.Weak(), Window] {
            if (life.expired()) return;
            FPending = false;
            RestoreOrRaiseWindow(Window);
        });
    }

    std::string FEntryPath;
    TRestoreListener FListener;
    bool FPending = false;
    TLifeToken FLife;
};

// The contents of an entry file, or nothing for anything that is not a small regular file.
std::optional<std::string> ReadEntryFile(const std::string& Path) {
    const int fd = open(Path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> contents;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<size_t>(info.st_size) <= MaxWindowEntryFileSize) {
        std::string text(MaxWindowEntryFileSize + 1, '\0');
        size_t length = 0;
        ssize_t got;
        while ((got = read(fd, text.data() + length, text.size() - length)) > 0)
            length += static_cast<size_t>(got);
        if (got == 0 && length <= MaxWindowEntryFileSize) contents = text.substr(0, length);
    }
    close(fd);
    return contents;
}

}  // namespace

TFileWindowDirectory::TFileWindowDirectory(std::string Folder, int LockWaitMilliseconds)
    : FFolder(std::move(Folder)), FLockWait(LockWaitMilliseconds) {}

TWindowDirectoryClaimPtr TFileWindowDirectory::Lock() {
    const std::string path = PathOf("lock");
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        throw EWindowDirectoryError("Cannot open the lock " + path + ": " + std::strerror(errno));
    // Polled rather than waited for, so that a process that hangs while holding the lock
    // costs the others a bounded wait instead of their start.
    constexpr int kPollMilliseconds = 10;
    for (int waited = 0;; waited += kPollMilliseconds) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<TLockClaim>(fd);
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        if (waited >= FLockWait) {
            close(fd);
            throw EWindowDirectoryError("The lock " + path + " stayed taken for " +
                                        std::to_string(FLockWait) + " ms");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    }
    const int error = errno;
    close(fd);
    throw EWindowDirectoryError("Cannot take the lock " + path + ": " + std::strerror(error));
}

std::vector<TWindowEntry> TFileWindowDirectory::Windows() {
    DIR* folder = opendir(FFolder.c_str());
    if (folder == nullptr)
        throw EWindowDirectoryError("Cannot read the folder " + FFolder + ": " +
                                    std::strerror(errno));
    std::vector<TWindowEntry> entries;
    size_t looked = 0;
    while (const dirent* item = readdir(folder)) {
        const std::string name = item->d_name;
        if (!IsWindowEntryFileName(name)) continue;
        if (++looked > MaxEntries) break;
        const std::optional<std::string> text = ReadEntryFile(PathOf(name));
        const std::optional<TWindowEntry> entry = text ? ParseWindowEntry(*text) : std::nullopt;
        if (!entry || WindowEntryFileName(*entry) != name) continue;
        if (ProcessStartTicks(entry->ProcessId) == entry->ProcessStart)
            entries.push_back(*entry);
        else
            Drop(*entry);
    }
    closedir(folder);
    std::sort(entries.begin(), entries.end(), [](const TWindowEntry& A, const TWindowEntry& B) {
        return std::tie(A.ProcessStart, A.ProcessId, A.Window) <
               std::tie(B.ProcessStart, B.ProcessId, B.Window);
    });
    return entries;
}

void TFileWindowDirectory::Drop(const TWindowEntry& Entry) {
    unlink(PathOf(WindowEntryFileName(Entry)).c_str());
    unlink(PathOf(WindowSocketFileName(Entry)).c_str());
}

TWindowDirectoryClaimPtr TFileWindowDirectory::Register(HWND Window, const std::string& ClassName,
                                                        const std::string& Title) {
    if (ClassName.size() > MaxTextLength || Title.size() > MaxTextLength)
        throw EWindowDirectoryError("A window's class name and title are listed up to " +
                                    std::to_string(MaxTextLength) + " bytes");
    TWindowEntry entry{ClassName, Title, static_cast<int32_t>(getpid()), 0, Window};
    const std::optional<uint64_t> start = ProcessStartTicks(entry.ProcessId);
    if (!start) throw EWindowDirectoryError("This process's start time cannot be read");
    entry.ProcessStart = *start;
    auto registration = std::make_unique<TRegistration>(
        PathOf(WindowEntryFileName(entry)), PathOf(WindowSocketFileName(entry)), Window);
    try {
        registration->Publish(entry);
    } catch (const Exception& e) {
        throw EWindowDirectoryError("Cannot list the window in " + FFolder + ": " + e.Message());
    }
    return registration;
}

bool TFileWindowDirectory::RequestRestore(const TWindowEntry& Entry) {
    return SendRestoreRequest(PathOf(WindowSocketFileName(Entry)));
}

}  // namespace vex

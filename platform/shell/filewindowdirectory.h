#pragma once

#include <string>
#include <vector>

#include "platform/shell/windowdirectory.h"

namespace vex {

// The window directory as files in a private folder (runtimefolder.h): one entry file for each
// listed window, written whole by a rename, and beside it the socket its owner takes restore
// requests on; the file "lock" is what Lock holds (flock). Entries of ended processes are
// removed by whoever reads them; files that are not well-formed entries are left alone and never
// believed.
class TFileWindowDirectory : public TWindowDirectory {
public:
    // How long Lock waits for another process to let the lock go before it gives up.
    static constexpr int DefaultLockWait = 5000;

    // Folder must be private already (OpenPrivateFolder).
    explicit TFileWindowDirectory(std::string Folder, int LockWaitMilliseconds = DefaultLockWait);

    const std::string& Folder() const { return FFolder; }

    // Entry files looked at in one look-up at most, so that a folder filled by a runaway
    // program costs bounded time and memory.
    static constexpr size_t MaxEntries = 1024;

    TWindowDirectoryClaimPtr Lock() override;
    std::vector<TWindowEntry> Windows() override;
    TWindowDirectoryClaimPtr Register(HWND Window, const std::string& ClassName,
                                      const std::string& Title) override;
    bool RequestRestore(const TWindowEntry& Entry) override;

private:
    std::string PathOf(const std::string& Name) const { return FFolder + "/" + Name; }
    // Removes the files of an entry whose process has ended.
    void Drop(const TWindowEntry& Entry);

    std::string FFolder;
    int FLockWait;
};

}  // namespace vex

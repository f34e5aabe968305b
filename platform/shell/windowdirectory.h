#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/win/messages.h"

namespace vex {

// The directory could not be used as asked: its folder is not private, its lock stayed taken,
// an entry could not be written, a text is too long to list.
VEX_EXCEPTION(EWindowDirectoryError, Exception);

// One application window as other processes see it. Window handles are numbered per process, so
// a window is told from another by its process as well; ProcessStart (clock ticks since boot)
// tells the process from a later one that was given the same id.
struct TWindowEntry {
    std::string ClassName;
    std::string Title;
    int32_t ProcessId = 0;
    uint64_t ProcessStart = 0;
    HWND Window = 0;
    friend bool operator==(const TWindowEntry&, const TWindowEntry&) = default;
};

// What the directory keeps in force while it lives: its lock, a window's registration.
class TWindowDirectoryClaim {
public:
    virtual ~TWindowDirectoryClaim() = default;
};
using TWindowDirectoryClaimPtr = std::unique_ptr<TWindowDirectoryClaim>;

// The application windows of every process of this user that registered one, so that a program
// can find another copy of itself and ask it to come forward. Main thread only.
class TWindowDirectory {
public:
    // Class names and titles are listed up to this many bytes; longer ones are refused.
    static constexpr size_t MaxTextLength = 1024;

    virtual ~TWindowDirectory() = default;

    // Held around a look-up and the registration that depends on it, so that of two copies
    // starting at once one sees the other. Looking up and registering are safe without it.
    virtual TWindowDirectoryClaimPtr Lock() = 0;
    // The windows listed, the longest-running process first; entries whose process has ended
    // are dropped on the way.
    virtual std::vector<TWindowEntry> Windows() = 0;
    // Lists this process's Window until the claim is destroyed. While it is listed, a restore
    // request for it restores the window when it is minimised and else brings it to the top,
    // on the main thread, from the message loop.
    virtual TWindowDirectoryClaimPtr Register(HWND Window, const std::string& ClassName,
                                              const std::string& Title) = 0;
    // Asks the owner of the listed window to restore it; false when the request could not be
    // delivered (the owner has ended or takes no requests).
    virtual bool RequestRestore(const TWindowEntry& Entry) = 0;
};

// The directory in force: the installed one, else the one in this user's runtime folder (see
// runtimefolder.h), which raises EWindowDirectoryError when that folder is not private.
TWindowDirectory& WindowDirectory();
// Installs Directory (nullptr: the runtime folder's again); the caller keeps it alive while it
// is installed.
void SetWindowDirectory(TWindowDirectory* Directory);

// What a restore request does to the owner's window: restores it when it is minimised and
// brings it to the top otherwise. A window that is gone is left alone.
void RestoreOrRaiseWindow(HWND Window);

}  // namespace vex

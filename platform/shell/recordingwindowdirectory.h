#pragma once

#include <string>
#include <vector>

#include "platform/shell/windowdirectory.h"

namespace vex {

// A window directory in memory, for tests of what uses one: it lists Entries and writes down
// each call in Calls, one line apiece ("lock", "unlock", "windows", "register 256 Class|Title",
// "unregister 256", "restore 4242 256"). A registration joins Entries with this process's id
// until it ends. Set Failure to make every call raise EWindowDirectoryError with that text.
class TRecordingWindowDirectory : public TWindowDirectory {
public:
    std::vector<TWindowEntry> Entries;
    std::vector<std::string> Calls;
    // What RequestRestore answers.
    bool Delivers = true;
    std::string Failure;

    // Whether Lock's claim is alive.
    bool Locked() const { return FLocked; }

    TWindowDirectoryClaimPtr Lock() override;
    std::vector<TWindowEntry> Windows() override;
    TWindowDirectoryClaimPtr Register(HWND Window, const std::string& ClassName,
                                      const std::string& Title) override;
    bool RequestRestore(const TWindowEntry& Entry) override;

private:
    void Enter(const std::string& Call);
    void Unregister(HWND Window);

    bool FLocked = false;
};

}  // namespace vex

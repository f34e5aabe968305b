#include "platform/shell/recordingwindowdirectory.h"

#include <unistd.h>

#include <algorithm>
#include <functional>

namespace vex {

namespace {

class TCallOnEnd : public TWindowDirectoryClaim {
public:
    explicit TCallOnEnd(std::function<void()> OnEnd) : FOnEnd(std::move(OnEnd)) {}
    ~TCallOnEnd() override { FOnEnd(); }

private:
    std::function<void()> FOnEnd;
};

}  // namespace

void TRecordingWindowDirectory::Enter(const std::string& Call) {
    Calls.push_back(Call);
    if (!Failure.empty()) throw EWindowDirectoryError(Failure);
}

TWindowDirectoryClaimPtr TRecordingWindowDirectory::Lock() {
    Enter("lock");
    FLocked = true;
    return std::make_unique<TCallOnEnd>([this] {
        FLocked = false;
        Calls.push_back("unlock");
    });
}

std::vector<TWindowEntry> TRecordingWindowDirectory::Windows() {
    Enter("windows");
    return Entries;
}

TWindowDirectoryClaimPtr TRecordingWindowDirectory::Register(HWND Window,
                                                             const std::string& ClassName,
                                                             const std::string& Title) {
    Enter("register " + std::to_string(Window) + " " + ClassName + "|" + Title);
    Entries.push_back({ClassName, Title, static_cast<int32_t>(getpid()), 0, Window});
    return std::make_unique<TCallOnEnd>([this, Window] { Unregister(Window); });
}

void TRecordingWindowDirectory::Unregister(HWND Window) {
    Calls.push_back("unregister " + std::to_string(Window));
    const int32_t self = static_cast<int32_t>(getpid());
    std::erase_if(Entries,
                  [&](const TWindowEntry& E) { return E.ProcessId == self && E.Window == Window; });
}

bool TRecordingWindowDirectory::RequestRestore(const TWindowEntry& Entry) {
    Enter("restore " + std::to_string(Entry.ProcessId) + " " + std::to_string(Entry.Window));
    return Delivers;
}

}  // namespace vex

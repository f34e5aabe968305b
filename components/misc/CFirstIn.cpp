#include "components/misc/CFirstIn.h"

#include <unistd.h>

#include <optional>

#include "platform/win/application.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

std::string Compared(const std::string& Text) {
    return Text.substr(0, TFirstInstance::MaxCompared);
}

}  // namespace

TFirstInstance::TFirstInstance(TComponent* AOwner) : TComponent(AOwner) {}

TFirstInstance::~TFirstInstance() = default;

void TFirstInstance::Loaded() {
    TComponent::Loaded();
    if (ComponentState().Contains(csDesigning)) return;
    // The directory is one more thing that can fail where the desktop's window list could not;
    // the user hears why, and this copy runs as if it were the only one.
    try {
        Search();
    } catch (...) {
        FFound = false;
        Application().HandleException(this);
    }
}

void TFirstInstance::Search() {
    FHandle = Application().Handle();
    FClassName = Compared(GetClassName(FHandle));
    FTitle = Compared(GetWindowText(FHandle));
    FFound = false;
    if (FTitle.empty()) return;

    TWindowDirectory& directory = WindowDirectory();
    std::optional<TWindowEntry> other;
    {
        const TWindowDirectoryClaimPtr lock = directory.Lock();
        for (const TWindowEntry& entry : directory.Windows()) {
            if (IsOtherInstance(entry)) {
                other = entry;
                break;
            }
        }
        if (!other) {
            Register(directory);
            return;
        }
    }

    FHandle = other->Window;
    FFound = true;
    bool showFirst = true;
    if (OnFoundInstance) OnFoundInstance(this, static_cast<int32_t>(FHandle), showFirst);
    // A copy that ended since the look-up takes no request; ending this one as well would leave
    // the user with no copy at all.
    if (showFirst && directory.RequestRestore(*other)) {
        Application().Terminate();
        return;
    }
    FFound = false;
    Register(directory);
}

bool TFirstInstance::IsOtherInstance(const TWindowEntry& Entry) const {
    const bool self = Entry.ProcessId == static_cast<int32_t>(getpid()) && Entry.Window == FHandle;
    return !self && Compared(Entry.ClassName) == FClassName && Compared(Entry.Title) == FTitle;
}

void TFirstInstance::Register(TWindowDirectory& Directory) {
    FRegistration = Directory.Register(Application().Handle(), FClassName, FTitle);
}

}  // namespace vex

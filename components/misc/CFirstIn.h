#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/component.h"
#include "platform/shell/windowdirectory.h"
#include "platform/win/messages.h"

namespace vex {

// Handle is the other copy's window; a handler that clears ShowFirst keeps this copy running.
using TFirstInstanceEvent = std::function<void(TObject* Sender, int32_t Handle, bool& ShowFirst)>;

// Keeps a second copy of the program from running. When its form has loaded, it looks in the
// window directory for another process's application window with this copy's class name and
// title (their first 60 characters, compared exactly); when there is one, it asks that copy to
// come forward and ends this one before its message loop runs. Otherwise this copy's window is
// listed for later copies to find, for as long as the component lives.
class TFirstInstance : public TComponent {
    VEX_CLASS(TFirstInstance, TComponent)

public:
    explicit TFirstInstance(TComponent* AOwner);
    ~TFirstInstance() override;

    // The class names and titles are compared up to this many characters.
    static constexpr size_t MaxCompared = 60;

    // Whether the last search found another copy that this one gave way to.
    bool Found() const { return FFound; }

    TFirstInstanceEvent OnFoundInstance;

protected:
    void Loaded() override;

private:
    void Search();
    // Whether Entry is another copy's window: the same class name and title, another window.
    bool IsOtherInstance(const TWindowEntry& Entry) const;
    void Register(TWindowDirectory& Directory);

    // This copy's application window, then the window found.
    HWND FHandle = 0;
    std::string FClassName;
    std::string FTitle;
    bool FFound = false;
    TWindowDirectoryClaimPtr FRegistration;
};

}  // namespace vex

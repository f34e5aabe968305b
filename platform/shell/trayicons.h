#pragma once

#include <map>
#include <utility>

#include "platform/shell/trayhost.h"

namespace vex {

// The icons one host shows, keyed by owner window and id, and the rules every host applies to a
// call: which calls are refused, which members a modify changes, the tip's length, the picture's
// bounds.
class TTrayIcons {
public:
    // Applies the call; false (nothing changed) when the host must refuse it. Raises
    // ETrayIconError for a malformed picture, before anything changes.
    bool Apply(DWORD Message, const NOTIFYICONDATA& Data);

    // The icon as it stands; null when there is none.
    const NOTIFYICONDATA* Find(HWND Wnd, UINT ID) const;
    size_t Count() const { return FIcons.size(); }
    // Every icon, by owner and id.
    const std::map<std::pair<HWND, UINT>, NOTIFYICONDATA>& All() const { return FIcons; }
    // Posts the icon's callback message for a mouse message, as a host does for what a person
    // did on it. False when there is no such icon or it asked for no messages.
    bool Report(HWND Wnd, UINT ID, UINT MouseMessage) const;

    static constexpr int32_t kLargestSide = 256;

private:
    std::map<std::pair<HWND, UINT>, NOTIFYICONDATA> FIcons;
};

}  // namespace vex

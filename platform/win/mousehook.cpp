#include "platform/win/mousehook.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vex {

namespace {

struct THook {
    HHOOK Handle;
    std::shared_ptr<const HOOKPROC> Proc;
    // Unhooked while the chain ran: skipped, but kept until the chain is done, so that its
    // own CallNextHookEx still finds where the chain goes on.
    bool Removed = false;
};

// The newest hook first. Each installer holds its own handle, so removing one hook never
// removes another's.
struct THookChain {
    std::vector<THook> Hooks;
    HHOOK NextHandle = 1;
    int32_t Running = 0;  // hook calls under way
};

THookChain& Chain() {
    static THookChain chain;
    return chain;
}

// Counts a hook call under way, and drops the hooks unhooked meanwhile once none is.
class TRunning {
public:
    TRunning() { ++Chain().Running; }
    ~TRunning() {
        THookChain& chain = Chain();
        if (--chain.Running == 0)
            std::erase_if(chain.Hooks, [](const THook& H) { return H.Removed; });
    }
    TRunning(const TRunning&) = delete;
    TRunning& operator=(const TRunning&) = delete;
};

// Calls the first installed hook from position At, holding its procedure, as the call may
// unhook it.
LRESULT CallFrom(size_t At, int Code, WPARAM WParam, LPARAM LParam) {
    const std::vector<THook>& hooks = Chain().Hooks;
    while (At < hooks.size() && hooks[At].Removed)
        ++At;
    if (At >= hooks.size()) return 0;
    const std::shared_ptr<const HOOKPROC> proc = hooks[At].Proc;
    const TRunning running;
    return (*proc)(Code, WParam, LParam);
}

}  // namespace

HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Proc, HINSTANCE, DWORD) {
    if (IdHook != WH_MOUSE || !Proc) return 0;
    THookChain& chain = Chain();
    const HHOOK handle = chain.NextHandle++;
    chain.Hooks.insert(chain.Hooks.begin(),
                       THook{handle, std::make_shared<const HOOKPROC>(std::move(Proc))});
    return handle;
}

LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam) {
    const std::vector<THook>& hooks = Chain().Hooks;
    const auto at = std::find_if(hooks.begin(), hooks.end(),
                                 [Hook](const THook& H) { return H.Handle == Hook; });
    if (at == hooks.end()) return 0;
    return CallFrom(static_cast<size_t>(at - hooks.begin()) + 1, Code, WParam, LParam);
}

bool UnhookWindowsHookEx(HHOOK Hook) {
    THookChain& chain = Chain();
    const auto at = std::find_if(chain.Hooks.begin(), chain.Hooks.end(),
                                 [Hook](const THook& H) { return H.Handle == Hook && !H.Removed; });
    if (at == chain.Hooks.end()) return false;
    if (chain.Running > 0)
        at->Removed = true;
    else
        chain.Hooks.erase(at);
    return true;
}

namespace wintree {

bool CallMouseHooks(UINT Msg, const MOUSEHOOKSTRUCT& Info) {
    MOUSEHOOKSTRUCT info = Info;
    return CallFrom(0, HC_ACTION, Msg, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace wintree

}  // namespace vex

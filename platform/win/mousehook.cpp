#include "platform/win/mousehook.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vex {

namespace {

struct THook {
    HHOOK Handle;
    std::shared_ptr<const HOOKPROC> Proc;
};

// The newest hook first. Each installer holds its own handle, so removing one hook never
// removes another's.
struct THookChain {
    std::vector<THook> Hooks;
    HHOOK NextHandle = 1;
};

THookChain& Chain() {
    static THookChain chain;
    return chain;
}

// Calls the first hook from position At, holding its procedure, as the call may unhook it.
LRESULT CallFrom(size_t At, int Code, WPARAM WParam, LPARAM LParam) {
    const std::vector<THook>& hooks = Chain().Hooks;
    if (At >= hooks.size()) return 0;
    const std::shared_ptr<const HOOKPROC> proc = hooks[At].Proc;
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
    return std::erase_if(Chain().Hooks, [Hook](const THook& H) { return H.Handle == Hook; }) != 0;
}

namespace wintree {

bool CallMouseHooks(UINT Msg, const MOUSEHOOKSTRUCT& Info) {
    MOUSEHOOKSTRUCT info = Info;
    return CallFrom(0, HC_ACTION, Msg, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace wintree

}  // namespace vex

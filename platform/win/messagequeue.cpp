#include "platform/win/messagequeue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include "platform/core/clock.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr UINT kRunAction = WM_APP;
constexpr UINT kMinimumElapse = 10;

int64_t Now() {
    return Clock().TickMilliseconds();
}

bool Overlaps(UINT FilterMin, UINT FilterMax, UINT First, UINT Last) {
    return (FilterMin == 0 && FilterMax == 0) || (FilterMin <= Last && FilterMax >= First);
}

// Whether raw input may become a message the filter takes, known before routing it: keys stay
// key messages, the pointer's messages are client or non-client mouse messages.
bool FilterMayTake(const MSG& Raw, UINT FilterMin, UINT FilterMax) {
    if (Raw.message >= WM_KEYFIRST && Raw.message <= WM_KEYLAST)
        return Overlaps(FilterMin, FilterMax, WM_KEYFIRST, WM_KEYLAST);
    return Overlaps(FilterMin, FilterMax, WM_MOUSEFIRST, WM_MOUSELAST) ||
           Overlaps(FilterMin, FilterMax, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK);
}

}  // namespace

TMessageQueue& TMessageQueue::Instance() {
    static TMessageQueue queue;
    return queue;
}

TMessageQueue::TMessageQueue() {
    FWakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (FWakeFd < 0) throw EOutOfMemory("Cannot create the message queue's wake-up descriptor");
    FActionWindow = NewWindowHandle();
}

TMessageQueue::~TMessageQueue() {
    ::close(FWakeFd);
}

HWND TMessageQueue::NewWindowHandle() {
    std::lock_guard<std::mutex> guard(FLock);
    const HWND wnd = FNextWindow++;
    FLive.insert(wnd);
    return wnd;
}

void TMessageQueue::ForgetWindow(HWND Wnd) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        if (FLive.erase(Wnd) == 0) return;
        std::erase_if(FPosted, [Wnd](const TPosted& P) { return P.Msg.hwnd == Wnd; });
    }
    std::erase_if(FTimers, [Wnd](const TTimerEntry& T) { return T.Wnd == Wnd; });
}

bool TMessageQueue::WindowExists(HWND Wnd) {
    std::lock_guard<std::mutex> guard(FLock);
    return FLive.count(Wnd) != 0;
}

UINT TMessageQueue::RegisterMessage(const std::string& Name) {
    std::lock_guard<std::mutex> guard(FLock);
    const std::string key = AnsiUpperCase(Name);
    auto it = FRegistered.find(key);
    if (it != FRegistered.end()) return it->second;
    if (FNextRegistered > 0xFFFF) return 0;
    FRegistered.emplace(key, FNextRegistered);
    return FNextRegistered++;
}

void TMessageQueue::Wake() {
    // One write wakes the loop for everything posted until it drains the descriptor.
    if (FWakePending.exchange(true)) return;
    const uint64_t one = 1;
    // A full counter already wakes the loop, so a failed write loses nothing.
    [[maybe_unused]] ssize_t written = ::write(FWakeFd, &one, sizeof one);
}

bool TMessageQueue::Enqueue(TPosted Entry, bool Coalesce) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        if (FLive.count(Entry.Msg.hwnd) == 0) return false;
        if (Coalesce) {
            const MSG& m = Entry.Msg;
            // A guarded message may yet be dropped, so it cannot stand in for this one.
            const bool pending = std::any_of(FPosted.begin(), FPosted.end(), [&](const TPosted& P) {
                return !P.Guarded && P.Msg.hwnd == m.hwnd && P.Msg.message == m.message &&
                       P.Msg.wParam == m.wParam && P.Msg.lParam == m.lParam;
            });
            if (pending) return true;
        }
        FPosted.push_back(std::move(Entry));
    }
    Wake();
    return true;
}

bool TMessageQueue::Post(const MSG& Msg) {
    return Enqueue(TPosted{Msg, {}, false}, false);
}

bool TMessageQueue::PostCoalesced(const MSG& Msg) {
    return Enqueue(TPosted{Msg, {}, false}, true);
}

bool TMessageQueue::PostGuarded(const MSG& Msg, std::weak_ptr<const void> Guard) {
    return Enqueue(TPosted{Msg, std::move(Guard), true}, false);
}

bool TMessageQueue::PostRawInput(const TRawInput& Input, bool Release) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        TRawInput raw = Input;
        raw.Msg.hwnd = 0;
        if (!FInput.empty() && raw.Msg.message == WM_MOUSEMOVE) {
            MSG& last = FInput.back().Input.Msg;
            if (last.message == WM_MOUSEMOVE && last.wParam == raw.Msg.wParam) {
                // A new serial: a loop routing the old move meanwhile finds it gone and looks
                // again, instead of taking this one as the old.
                FInput.back() = TRawEntry{raw, FNextSerial++};
                return true;
            }
        }
        if (FInput.size() >= MaxRawInput + (Release ? MaxHeldReleases : 0)) return false;
        FInput.push_back(TRawEntry{raw, FNextSerial++});
    }
    Wake();
    return true;
}

size_t TMessageQueue::RawInputCount() {
    std::lock_guard<std::mutex> guard(FLock);
    return FInput.size();
}

void TMessageQueue::SetInputRouter(TInputRouter Router) {
    FRouter = std::move(Router);
}

void TMessageQueue::PostAction(std::function<void()> Action) {
    uint64_t id;
    {
        std::lock_guard<std::mutex> guard(FLock);
        id = FNextAction++;
        FActions.emplace(id, std::move(Action));
    }
    Post(MSG{FActionWindow, kRunAction, 0, static_cast<LPARAM>(id), GetTickCount()});
}

bool TMessageQueue::DispatchAction(const MSG& Msg) {
    if (Msg.hwnd != FActionWindow) return false;
    std::function<void()> action;
    {
        std::lock_guard<std::mutex> guard(FLock);
        auto it = FActions.find(static_cast<uint64_t>(Msg.lParam));
        if (Msg.message != kRunAction || it == FActions.end()) return true;
        action = std::move(it->second);
        FActions.erase(it);
    }
    action();
    return true;
}

void TMessageQueue::PostQuit(int ExitCode) {
    std::lock_guard<std::mutex> guard(FLock);
    FQuitPosted = true;
    FQuitCode = ExitCode;
}

void TMessageQueue::SetPaintSource(TPaintSource Source) {
    FPaintSource = std::move(Source);
}

bool TMessageQueue::Matches(const MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax) {
    if (Wnd != 0 && Msg.hwnd != Wnd) return false;
    if (FilterMin == 0 && FilterMax == 0) return true;
    return Msg.message >= FilterMin && Msg.message <= FilterMax;
}

bool TMessageQueue::Peek(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove) {
    // Without watches a look at the descriptors would only drain the wake-up one, which the
    // next Wait does as well: a loop taking input then costs no system call per message.
    if (!FWatches.empty()) PollDescriptors(0);
    {
        std::lock_guard<std::mutex> guard(FLock);
        if (PeekPosted(Msg, Wnd, FilterMin, FilterMax, Remove)) return true;
    }
    if (PeekInput(Msg, Wnd, FilterMin, FilterMax, Remove)) return true;
    {
        std::lock_guard<std::mutex> guard(FLock);
        if (PeekQuit(Msg, Wnd, FilterMin, FilterMax, Remove)) return true;
    }
    MSG paint;
    if (PeekPaint(paint, Wnd, FilterMin, FilterMax)) {
        MSG timer;
        const bool timerWaits = PeekTimer(timer, Wnd, FilterMin, FilterMax, false);
        if (!timerWaits) FPaintedWhileTimersWait.clear();
        // Painting goes before timers, but a window that invalidates itself whenever it paints
        // must not keep a due timer waiting for ever: it paints once while the timer waits.
        if (!timerWaits || FPaintedWhileTimersWait.count(paint.hwnd) == 0) {
            if (Remove && timerWaits) FPaintedWhileTimersWait.insert(paint.hwnd);
            Msg = paint;
            return true;
        }
    }
    if (!PeekTimer(Msg, Wnd, FilterMin, FilterMax, Remove)) return false;
    if (Remove) FPaintedWhileTimersWait.clear();
    return true;
}

bool TMessageQueue::PeekPosted(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove) {
    for (auto it = FPosted.begin(); it != FPosted.end();) {
        if (!Matches(it->Msg, Wnd, FilterMin, FilterMax)) {
            ++it;
        } else if (it->Guarded && it->Guard.expired()) {
            it = FPosted.erase(it);  // its component is gone: nobody is left to receive it
        } else {
            Msg = it->Msg;
            if (Remove) FPosted.erase(it);
            return true;
        }
    }
    return false;
}

bool TMessageQueue::PeekQuit(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove) {
    const MSG quit{0, WM_QUIT, static_cast<WPARAM>(FQuitCode), 0, GetTickCount()};
    if (!FQuitPosted || Wnd != 0 || !Matches(quit, Wnd, FilterMin, FilterMax)) return false;
    Msg = quit;
    if (Remove) FQuitPosted = false;
    return true;
}

bool TMessageQueue::NextRawInput(uint64_t After, UINT FilterMin, UINT FilterMax, TRawEntry& Entry) {
    std::lock_guard<std::mutex> guard(FLock);
    // Serials grow along the queue, so the search starts past everything looked at already.
    auto it = std::upper_bound(FInput.begin(), FInput.end(), After,
                               [](uint64_t S, const TRawEntry& E) { return S < E.Serial; });
    for (; it != FInput.end(); ++it) {
        if (FilterMayTake(it->Input.Msg, FilterMin, FilterMax)) {
            Entry = *it;
            return true;
        }
    }
    return false;
}

bool TMessageQueue::EraseRawInput(uint64_t Serial) {
    std::lock_guard<std::mutex> guard(FLock);
    auto it = std::lower_bound(FInput.begin(), FInput.end(), Serial,
                               [](const TRawEntry& E, uint64_t S) { return E.Serial < S; });
    if (it == FInput.end() || it->Serial != Serial) return false;
    FInput.erase(it);
    return true;
}

bool TMessageQueue::PeekInput(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove) {
    // Routing again input replaced while it was routed is bounded: a hit test that moves the
    // pointer every time would otherwise hold the loop here for ever. The input then waits for
    // the next look, and the loop serves the rest meanwhile without sleeping, as nothing else
    // would wake it for input already queued.
    constexpr int kMaxReroutes = 8;
    int reroutes = 0;
    uint64_t after = 0;
    TRawEntry entry;
    while (NextRawInput(after, FilterMin, FilterMax, entry)) {
        after = entry.Serial;
        MSG routed = entry.Input.Msg;
        const bool routes = !FRouter.Route || FRouter.Route(entry.Input, routed);
        if (!routes) {
            // Nothing takes it: it goes once it comes to be taken.
            if (Remove && EraseRawInput(entry.Serial) && FRouter.Drop) FRouter.Drop(entry.Input);
            continue;
        }
        if (!Matches(routed, Wnd, FilterMin, FilterMax)) continue;
        if (!Remove) {
            Msg = routed;
            return true;
        }
        // Gone while routing (a handler took it): look again from the start.
        if (!EraseRawInput(entry.Serial)) {
            if (++reroutes > kMaxReroutes) {
                Wake();
                return false;
            }
            after = 0;
            continue;
        }
        if (FRouter.Take && !FRouter.Take(entry.Input, routed)) continue;
        Msg = routed;
        return true;
    }
    return false;
}

// WM_PAINT is made when asked for and stays until the window's update region is validated.
bool TMessageQueue::PeekPaint(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax) {
    HWND target = 0;
    if (!FPaintSource || !Matches(MSG{Wnd, WM_PAINT, 0, 0, 0}, Wnd, FilterMin, FilterMax) ||
        !FPaintSource(Wnd, target))
        return false;
    Msg = MSG{target, WM_PAINT, 0, 0, GetTickCount()};
    return true;
}

// Timer messages are made when asked for, so a late timer fires once and a killed one never.
bool TMessageQueue::PeekTimer(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove) {
    const int64_t now = Now();
    TTimerEntry* due = nullptr;
    for (TTimerEntry& t : FTimers) {
        const MSG candidate{t.Wnd, WM_TIMER, t.Id, 0, 0};
        if (t.Due <= now && Matches(candidate, Wnd, FilterMin, FilterMax) &&
            (due == nullptr || t.Due < due->Due))
            due = &t;
    }
    if (due == nullptr) return false;
    Msg = MSG{due->Wnd, WM_TIMER, due->Id, 0, static_cast<DWORD>(now)};
    if (Remove) due->Due = now + due->Elapse;
    return true;
}

int64_t TMessageQueue::NextTimerDue() const {
    int64_t next = -1;
    for (const TTimerEntry& t : FTimers)
        if (next < 0 || t.Due < next) next = t.Due;
    return next;
}

void TMessageQueue::Wait(int64_t DeadlineTick) {
    if (std::exchange(FHandlerRan, false)) return;
    int64_t until = NextTimerDue();
    if (DeadlineTick >= 0 && (until < 0 || DeadlineTick < until)) until = DeadlineTick;
    const int64_t wanted = until < 0 ? -1 : std::max<int64_t>(until - Now(), 0);
    TClock& clock = Clock();
    const int64_t real = wanted < 0 ? -1 : clock.RealWaitMilliseconds(wanted);
    const int timeout = real < 0 ? -1 : static_cast<int>(std::min<int64_t>(real, INT_MAX));
    if (!PollDescriptors(timeout) && wanted > 0) clock.IdleWaitEnded(wanted);
}

bool TMessageQueue::PollDescriptors(int TimeoutMs) {
    FPollSet.clear();
    FPollSet.push_back(pollfd{FWakeFd, POLLIN, 0});
    std::vector<uint64_t> ids;
    for (const auto& [id, watch] : FWatches) {
        if (watch.Events == 0) continue;
        FPollSet.push_back(pollfd{watch.Fd, watch.Events, 0});
        ids.push_back(id);
    }
    int ready = ::poll(FPollSet.data(), FPollSet.size(), TimeoutMs);
    if (ready < 0) {
        if (errno == EINTR) return true;  // the caller looks again
        throw EInOutError("The message loop cannot wait: poll failed", errno);
    }
    if (ready == 0) return false;
    if (FPollSet[0].revents != 0) {
        uint64_t count;
        // Cleared before draining: a post in between writes again, and no wake-up is lost.
        FWakePending.store(false);
        [[maybe_unused]] ssize_t drained = ::read(FWakeFd, &count, sizeof count);
    }
    // Handlers may add, change or remove watches; the ready flags were read beforehand.
    std::vector<std::pair<uint64_t, short>> readyWatches;
    for (size_t i = 1; i < FPollSet.size(); ++i)
        if (FPollSet[i].revents != 0) readyWatches.emplace_back(ids[i - 1], FPollSet[i].revents);
    for (const auto& [id, revents] : readyWatches) {
        auto it = FWatches.find(id);
        if (it == FWatches.end() || it->second.Events == 0) continue;
        std::shared_ptr<std::function<void(short)>> handler = it->second.OnReady;
        FHandlerRan = true;
        (*handler)(revents);
    }
    return true;
}

bool TMessageQueue::StartTimer(HWND Wnd, UINT_PTR Id, UINT Elapse) {
    if (!WindowExists(Wnd)) return false;
    Elapse = std::max(Elapse, kMinimumElapse);
    const int64_t due = Now() + Elapse;
    for (TTimerEntry& t : FTimers) {
        if (t.Wnd == Wnd && t.Id == Id) {
            t.Elapse = Elapse;
            t.Due = due;
            return true;
        }
    }
    FTimers.push_back(TTimerEntry{Wnd, Id, Elapse, due});
    return true;
}

bool TMessageQueue::StopTimer(HWND Wnd, UINT_PTR Id) {
    return std::erase_if(FTimers,
                         [&](const TTimerEntry& t) { return t.Wnd == Wnd && t.Id == Id; }) != 0;
}

uint64_t TMessageQueue::AddWatch(int Fd, short Events, std::function<void(short)> OnReady) {
    const uint64_t id = FNextWatch++;
    FWatches.emplace(
        id, TWatch{Fd, Events, std::make_shared<std::function<void(short)>>(std::move(OnReady))});
    return id;
}

void TMessageQueue::RemoveWatch(uint64_t Id) {
    FWatches.erase(Id);
}

short TMessageQueue::WatchEvents(uint64_t Id) {
    auto it = FWatches.find(Id);
    return it == FWatches.end() ? 0 : it->second.Events;
}

void TMessageQueue::SetWatchEvents(uint64_t Id, short Events) {
    auto it = FWatches.find(Id);
    if (it != FWatches.end()) it->second.Events = Events;
}

}  // namespace vex

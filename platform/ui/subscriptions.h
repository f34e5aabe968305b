#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vex {

namespace subscriptions_detail {
struct TSlotsBase {
    virtual ~TSlotsBase() = default;
    virtual void Remove(uint64_t Id) = 0;
};
}  // namespace subscriptions_detail

// Holds one subscription to an event: destroying the token (or calling Unsubscribe) ends it, so
// a component that subscribes in its constructor and keeps the token as a member is never called
// after it is gone, whatever order components come and go in. A token outliving the event's
// source does nothing.
class TSubscription {
public:
    TSubscription() = default;
    TSubscription(std::weak_ptr<subscriptions_detail::TSlotsBase> Slots, uint64_t Id)
        : FSlots(std::move(Slots)), FId(Id) {}
    TSubscription(TSubscription&& Other) noexcept
        : FSlots(std::move(Other.FSlots)), FId(std::exchange(Other.FId, 0)) {}
    TSubscription& operator=(TSubscription&& Other) noexcept {
        if (this != &Other) {
            Unsubscribe();
            FSlots = std::move(Other.FSlots);
            FId = std::exchange(Other.FId, 0);
        }
        return *this;
    }
    TSubscription(const TSubscription&) = delete;
    TSubscription& operator=(const TSubscription&) = delete;
    ~TSubscription() { Unsubscribe(); }

    void Unsubscribe() {
        if (auto slots = FSlots.lock()) slots->Remove(FId);
        FSlots.reset();
        FId = 0;
    }

private:
    std::weak_ptr<subscriptions_detail::TSlotsBase> FSlots;
    uint64_t FId = 0;
};

// The subscribers of one event, called in the order they subscribed. A handler may subscribe,
// unsubscribe (itself or others) or free the event's source while it runs: those who left are
// not called, those who joined wait for the next time, and nothing more is called once the
// source is gone.
template <class... Args>
class TSubscribers {
public:
    using THandler = std::function<void(Args...)>;

    TSubscribers() = default;
    TSubscribers(const TSubscribers&) = delete;
    TSubscribers& operator=(const TSubscribers&) = delete;
    ~TSubscribers() { FSlots->Closed = true; }

    [[nodiscard]] TSubscription Subscribe(THandler Handler) {
        const uint64_t id = FSlots->Next++;
        FSlots->Handlers.emplace_back(id, std::make_shared<THandler>(std::move(Handler)));
        return TSubscription(FSlots, id);
    }

    bool Empty() const { return FSlots->Handlers.empty(); }

    void Notify(Args... Values) const {
        const std::shared_ptr<TSlots> slots = FSlots;  // outlives a source freed by a handler
        std::vector<uint64_t> ids;
        for (const auto& [id, handler] : slots->Handlers)
            ids.push_back(id);
        for (uint64_t id : ids) {
            if (slots->Closed) return;
            const auto found = std::find_if(slots->Handlers.begin(), slots->Handlers.end(),
                                            [id](const auto& Slot) { return Slot.first == id; });
            if (found == slots->Handlers.end()) continue;
            const std::shared_ptr<THandler> handler = found->second;
            (*handler)(Values...);
        }
    }

private:
    struct TSlots : subscriptions_detail::TSlotsBase {
        std::vector<std::pair<uint64_t, std::shared_ptr<THandler>>> Handlers;
        uint64_t Next = 1;
        bool Closed = false;
        void Remove(uint64_t Id) override {
            std::erase_if(Handlers, [Id](const auto& Slot) { return Slot.first == Id; });
        }
    };

    std::shared_ptr<TSlots> FSlots = std::make_shared<TSlots>();
};

}  // namespace vex

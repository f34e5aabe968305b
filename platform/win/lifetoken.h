#pragma once

#include <memory>

namespace vex {

// A component's life, as a posted message can watch it: a component keeps one as a member and
// posts with PostGuardedMessage(..., Token.Weak()); a message still queued when the component
// is destroyed is dropped instead of reaching a window procedure that would use the freed
// object. Take Weak() on the main thread; the weak reference may then go to any thread.
class TLifeToken {
public:
    TLifeToken() : FLife(std::make_shared<char>()) {}
    TLifeToken(const TLifeToken&) = delete;
    TLifeToken& operator=(const TLifeToken&) = delete;

    std::weak_ptr<const void> Weak() const { return FLife; }

private:
    std::shared_ptr<const char> FLife;
};

}  // namespace vex

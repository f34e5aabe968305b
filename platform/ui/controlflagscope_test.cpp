#include "platform/ui/controlflagscope.h"

#include <gtest/gtest.h>

#include <memory>

namespace vex {
namespace {

TEST(ControlFlagScope, AScopeInsideAnotherLeavesTheFlagUpForTheOuterOne) {
    bool flag = false;
    const auto life = std::make_shared<int>();
    {
        const TControlFlagScope outer(flag, life);
        {
            // A handler run inside the outer scope reaches the same routine again.
            const TControlFlagScope inner(flag, life);
            EXPECT_TRUE(flag);
        }
        EXPECT_TRUE(flag) << "the outer scope still holds the flag up";
    }
    EXPECT_FALSE(flag);
}

TEST(ControlFlagScope, TheFlagOfAControlFreedInsideTheScopeIsNotTouched) {
    // The flag stands in for a member of the freed control, whose memory is no longer the flag's.
    bool flag = false;
    auto life = std::make_shared<int>();
    {
        const TControlFlagScope scope(flag, life);
        life.reset();
        flag = true;  // what took the memory over wrote its own value there
    }
    EXPECT_TRUE(flag);
}

}  // namespace
}  // namespace vex

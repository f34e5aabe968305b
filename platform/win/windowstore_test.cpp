#include "platform/win/windowstore.h"

#include <vector>

#include "platform/win/input_testsupport.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

using WindowStore = test::InputScene;

// More windows than the store keeps at hand, looked up in turn, each found as itself; a window
// found just before it is destroyed is not found after, nor mistaken for a later one.
TEST_F(WindowStore, FindsEachWindowAsItselfAndForgetsADestroyedOne) {
    TWindowStore& store = TWindowStore::Instance();
    const HWND main = Make("main", WS_POPUP | WS_VISIBLE, TRect{0, 0, 100, 100});
    std::vector<HWND> windows;
    for (int i = 0; i < 40; ++i)
        windows.push_back(Make("child", WS_CHILD, TRect{0, 0, 10, 10}, main));
    for (int round = 0; round < 2; ++round)
        for (const HWND w : windows) {
            const TWnd* found = store.Find(w);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->Handle, w);
        }
    const HWND gone = windows[7];
    ASSERT_NE(store.Find(gone), nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(store.Find(gone), nullptr);
    for (int i = 0; i < 20; ++i) {
        const HWND later = Make("later", WS_CHILD, TRect{0, 0, 10, 10}, main);
        ASSERT_EQ(store.Find(later)->Handle, later);
        EXPECT_EQ(store.Find(gone), nullptr) << "after " << i << " later windows";
    }
}

}  // namespace
}  // namespace vex

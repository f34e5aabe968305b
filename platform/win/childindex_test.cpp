#include "platform/win/childindex.h"

#include <random>

#include "platform/win/input_testsupport.h"
#include "platform/win/windowstore.h"

namespace vex {
namespace {

using ChildIndex = test::InputScene;

// The index answers what walking the children in stacking order answers, for many overlapping,
// hidden, disabled and empty children, and again after they change.
TEST_F(ChildIndex, AgreesWithAWalkOfTheChildren) {
    const HWND main = Make("main", WS_POPUP | WS_VISIBLE, TRect{0, 0, 400, 300});
    std::mt19937 random(17);
    const auto pick = [&](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(random);
    };
    std::vector<HWND> children;
    for (int i = 0; i < 200; ++i) {
        DWORD style = WS_CHILD;
        if (pick(0, 9) > 0) style |= WS_VISIBLE;
        if (pick(0, 9) == 0) style |= WS_DISABLED;
        const int x = pick(-50, 420), y = pick(-50, 320);
        children.push_back(Make("c", style, TRect{x, y, x + pick(0, 80), y + pick(0, 80)}, main));
    }
    const auto walk = [&](TPoint P) -> const TWnd* {
        for (const TWnd* c : TWindowStore::Instance().Find(main)->Children)
            if ((c->Style & WS_VISIBLE) && !(c->Style & WS_DISABLED) && PtInRect(c->Bounds, P))
                return c;
        return nullptr;
    };
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 5000; ++i) {
            const TPoint p{pick(-60, 460), pick(-60, 360)};
            ASSERT_EQ(wintree::TChildIndex::ChildAt(*TWindowStore::Instance().Find(main), p),
                      walk(p))
                << p.X << "," << p.Y << " in round " << round;
        }
        for (int i = 0; i < 20; ++i) {
            const HWND c = children[static_cast<size_t>(pick(0, 199))];
            MoveWindow(c, pick(-50, 420), pick(-50, 320), pick(0, 80), pick(0, 80), false);
            ShowWindow(c, pick(0, 1) ? SW_SHOWNA : SW_HIDE);
            SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

}  // namespace
}  // namespace vex

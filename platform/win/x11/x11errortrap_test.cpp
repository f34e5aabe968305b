// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11errortrap.h"

#include <memory>

#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

constexpr Window kNoSuchWindow = 0x3FFFFF;
int gUntrappedErrors = 0;

struct TDisplayCloser {
    void operator()(Display* Dpy) const { XCloseDisplay(Dpy); }
};
using TDisplay = std::unique_ptr<Display, TDisplayCloser>;

TEST(X11ErrorTrap, CatchesTheErrorsOfItsOwnRequestsAndPassesOthersOn) {
    test::XvfbServer server;
    TDisplay ours(XOpenDisplay(server.DisplayName().c_str()));
    TDisplay other(XOpenDisplay(server.DisplayName().c_str()));
    ASSERT_TRUE(ours && other);
    const XErrorHandler before = XSetErrorHandler([](Display*, XErrorEvent*) {
        ++gUntrappedErrors;
        return 0;
    });

    {
        TX11ErrorTrap trap(ours.get());
        XMapWindow(ours.get(), kNoSuchWindow);
        XDestroyWindow(ours.get(), kNoSuchWindow);
        EXPECT_EQ(trap.Sync(), BadWindow);
        EXPECT_EQ(trap.Sync(), BadWindow);  // the first error stays
    }
    {
        TX11ErrorTrap outer(ours.get());
        {
            TX11ErrorTrap inner(ours.get());
            XMapWindow(ours.get(), kNoSuchWindow);
            EXPECT_EQ(inner.Sync(), BadWindow);
        }
        EXPECT_EQ(outer.Sync(), Success);
    }
    EXPECT_EQ(gUntrappedErrors, 0);

    // Another connection's error, and one of a request sent before the trap, are not its own.
    XMapWindow(ours.get(), kNoSuchWindow);
    {
        TX11ErrorTrap trap(ours.get());
        XMapWindow(other.get(), kNoSuchWindow);
        XSync(other.get(), False);
        EXPECT_EQ(trap.Sync(), Success);
    }
    EXPECT_EQ(gUntrappedErrors, 2);

    // A trap that ends without asking still waits for its errors, so none escapes it.
    {
        TX11ErrorTrap trap(ours.get());
        XMapWindow(ours.get(), kNoSuchWindow);
    }
    XSync(ours.get(), False);
    EXPECT_EQ(gUntrappedErrors, 2);
    XSetErrorHandler(before);
}

}  // namespace
}  // namespace vex

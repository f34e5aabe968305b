// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11stagingimage.h"

#include <X11/Xutil.h>

#include <vector>

#include "platform/win/x11/x11connection.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

TEST(X11StagingImage, UsesSharedMemoryExactlyWhereTheServerOffersIt) {
    for (const bool offered : {true, false}) {
        SCOPED_TRACE(offered ? "with MIT-SHM" : "without MIT-SHM");
        test::XvfbServer server(offered);
        TX11Connection connection(server.DisplayName());
        Display* dpy = connection.Dpy();
        const Pixmap target = XCreatePixmap(dpy, connection.Root(), 64, 48, 24);
        const GC gc = XCreateGC(dpy, target, 0, nullptr);
        TX11StagingImage image(connection);
        std::vector<uint32_t> pixels(64 * 48, 0x00A1B2C3);
        image.Put(target, gc, TPixelRows{pixels.data(), 64, 48, 64}, Rect(0, 0, 64, 48));
        EXPECT_EQ(image.SharedMemory(), offered);
        XImage* back = XGetImage(dpy, target, 0, 0, 64, 48, AllPlanes, ZPixmap);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(XGetPixel(back, 63, 47) & 0xFFFFFF, 0xA1B2C3u);
        XDestroyImage(back);
        XFreeGC(dpy, gc);
        XFreePixmap(dpy, target);
    }
}

}  // namespace
}  // namespace vex

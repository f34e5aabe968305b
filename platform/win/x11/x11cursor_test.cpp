// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11cursor.h"

#include <X11/extensions/Xfixes.h>

#include <string>
#include <vector>

#include "platform/win/cursor.h"
#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

// The pointer's cursor as the server shows it: its size and hot spot.
std::string ShownCursor(Display* Dpy) {
    XFixesCursorImage* image = XFixesGetCursorImage(Dpy);
    if (image == nullptr) return "none";
    const std::string shown = std::to_string(image->width) + "x" + std::to_string(image->height) +
                              " at " + std::to_string(image->xhot) + "," +
                              std::to_string(image->yhot);
    XFree(image);
    return shown;
}

TEST(X11Cursor, ThePointerOverOurWindowShowsTheCursorTheProcessSet) {
    test::XvfbServer server;
    test::X11Peer peer(server.DisplayName());
    std::vector<uint32_t> pixels(100 * 100, 0x808080);
    TPresenterSink sink;
    sink.Pixels = [&](HWND) { return TPixelRows{pixels.data(), 100, 100, 100}; };
    std::unique_ptr<TPresenter> presenter = MakeX11Presenter(server.DisplayName(), sink);
    presenter->Show(1, Rect(50, 50, 150, 150), TWindowLook{"cursor"});
    ASSERT_EQ(test::Eventually([&] { return peer.FindWindow("cursor") != 0 ? "" : "not shown"; }),
              "");
    XWarpPointer(peer.Dpy(), 0, peer.Root(), 0, 0, 0, 0, 100, 100);
    XSync(peer.Dpy(), False);

    struct Case {
        const char* Name;
        const TCursorShape* Shape;
        std::string Shown;
    };
    const TCursorShape* drag = GetCursorShape(LoadCursor(1, 32012));
    const TCursorShape* hsplit = GetCursorShape(LoadCursor(1, 32014));
    ASSERT_NE(drag, nullptr);
    ASSERT_NE(hsplit, nullptr);
    const std::vector<Case> cases = {
        {"a picture", drag, "16x21 at 0,0"},
        {"another", hsplit, "16x13 at 8,7"},
        {"none", nullptr, "1x1 at 0,0"},
        {"the drag picture again", drag, "16x21 at 0,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        presenter->SetCursor(c.Shape);
        EXPECT_EQ(test::Eventually([&] {
                      const std::string shown = ShownCursor(peer.Dpy());
                      return shown == c.Shown ? "" : "the pointer shows " + shown;
                  }),
                  "");
    }
    // A standard cursor comes from the server's cursor font: no longer the picture.
    const TCursorShape* beam = GetCursorShape(LoadCursor(0, IDC_IBEAM));
    presenter->SetCursor(beam);
    EXPECT_EQ(test::Eventually([&] {
                  return ShownCursor(peer.Dpy()) != "16x21 at 0,0" ? "" : "still the picture";
              }),
              "");
    EXPECT_EQ(presenter->ShownCursor(), *beam);
}

}  // namespace
}  // namespace vex

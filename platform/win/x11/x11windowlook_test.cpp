// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <set>

#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

struct TLookCase {
    TWindowLook Look;
    std::string Utf8Name;
    std::string Latin1Name;
    bool Transient;
    std::set<std::string> States;
    std::string Type;
    std::vector<unsigned long> MotifHints;  // empty: none
};

// One window goes through these looks in turn while shown, so each row also checks what the
// row before it leaves behind.
const TLookCase kLooks[] = {
    // Latin-1 lacks the euro and trade marks; a byte the code page leaves undefined stands for
    // the control character of its number.
    {TWindowLook{"Caf\xE9 \x80\x99\x81", 1, true, true, false},
     "Caf\xC3\xA9 \xE2\x82\xAC\xE2\x84\xA2\xC2\x81",
     "Caf\xE9 ??\x81",
     true,
     {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"},
     "_NET_WM_WINDOW_TYPE_UTILITY",
     {2, 0, 0, 0, 0}},
    {TWindowLook{"Plain"}, "Plain", "Plain", false, {}, "_NET_WM_WINDOW_TYPE_NORMAL", {}},
    {TWindowLook{"On top", 0, true},
     "On top",
     "On top",
     false,
     {"_NET_WM_STATE_ABOVE"},
     "_NET_WM_WINDOW_TYPE_NORMAL",
     {}},
    {TWindowLook{"Tool", 0, false, true},
     "Tool",
     "Tool",
     false,
     {"_NET_WM_STATE_SKIP_TASKBAR"},
     "_NET_WM_WINDOW_TYPE_UTILITY",
     {}},
    {TWindowLook{"Bare", 1, false, false, false},
     "Bare",
     "Bare",
     true,
     {},
     "_NET_WM_WINDOW_TYPE_NORMAL",
     {2, 0, 0, 0, 0}},
    {TWindowLook{""}, "", "", false, {}, "_NET_WM_WINDOW_TYPE_NORMAL", {}},
};

std::string AtomName(Display* Dpy, unsigned long Value) {
    char* name = XGetAtomName(Dpy, static_cast<Atom>(Value));
    std::string text = name != nullptr ? name : "?";
    if (name != nullptr) XFree(name);
    return text;
}

// "" when the window's properties say what the row says, else the first that does not.
std::string LookDifference(const test::X11Peer& Peer, Window W, Window Owner,
                           const TLookCase& Want) {
    if (Peer.Property(W, "_NET_WM_NAME") != Want.Utf8Name) return "_NET_WM_NAME";
    if (Peer.Property(W, "WM_NAME") != Want.Latin1Name) return "WM_NAME";
    const std::vector<unsigned long> transient = Peer.Values(W, "WM_TRANSIENT_FOR");
    if (transient !=
        (Want.Transient ? std::vector<unsigned long>{Owner} : std::vector<unsigned long>{}))
        return "WM_TRANSIENT_FOR";
    std::set<std::string> states;
    for (unsigned long atom : Peer.Values(W, "_NET_WM_STATE"))
        states.insert(AtomName(Peer.Dpy(), atom));
    if (states != Want.States) return "_NET_WM_STATE";
    const std::vector<unsigned long> type = Peer.Values(W, "_NET_WM_WINDOW_TYPE");
    if (type.size() != 1 || AtomName(Peer.Dpy(), type[0]) != Want.Type)
        return "_NET_WM_WINDOW_TYPE";
    if (Peer.Values(W, "_MOTIF_WM_HINTS") != Want.MotifHints) return "_MOTIF_WM_HINTS";
    return "";
}

TEST(X11WindowLook, TitlesAndHintsCanBeReadBackAndFollowEveryChange) {
    test::XvfbServer server;
    test::X11Peer peer(server.DisplayName());
    std::unique_ptr<TPresenter> presenter = MakeX11Presenter(server.DisplayName(), {});
    presenter->Show(1, Rect(0, 0, 100, 100), TWindowLook{"Owner"});
    Window owner = 0;
    ASSERT_EQ(test::Eventually([&] { return (owner = peer.FindWindow("Owner")) ? "" : "none"; }),
              "");

    // The first row also goes to a window of its own, written whole when it is made.
    presenter->Show(2, Rect(10, 10, 60, 60), kLooks[0].Look);
    presenter->Show(3, Rect(20, 20, 80, 80), kLooks[0].Look);
    Window changing = 0, fresh = 0;
    for (const TLookCase& row : kLooks) {
        SCOPED_TRACE(row.Utf8Name);
        presenter->Show(3, Rect(20, 20, 80, 80), row.Look);
        EXPECT_EQ(test::Eventually([&] {
                      // In stacking order: the owner, the window written whole, the one
                      // that changes.
                      Window root = 0, parent = 0, *children = nullptr;
                      unsigned count = 0;
                      XQueryTree(peer.Dpy(), peer.Root(), &root, &parent, &children, &count);
                      changing = count >= 3 ? children[2] : 0;
                      fresh = count >= 2 ? children[1] : 0;
                      if (children != nullptr) XFree(children);
                      return LookDifference(peer, changing, owner, row);
                  }),
                  "");
    }
    EXPECT_EQ(LookDifference(peer, fresh, owner, kLooks[0]), "");

    // A window manager drops the states of a window that is withdrawn; shown again, it has them.
    presenter->Hide(2);
    EXPECT_EQ(test::Eventually([&] {
                  XWindowAttributes a{};
                  XGetWindowAttributes(peer.Dpy(), fresh, &a);
                  return a.map_state == IsUnmapped ? "" : "still mapped";
              }),
              "");
    XDeleteProperty(peer.Dpy(), fresh, peer.AtomNamed("_NET_WM_STATE"));
    XSync(peer.Dpy(), False);
    presenter->Show(2, Rect(10, 10, 60, 60), kLooks[0].Look);
    EXPECT_EQ(test::Eventually([&] { return LookDifference(peer, fresh, owner, kLooks[0]); }), "");

    XWindowAttributes attributes{};
    XGetWindowAttributes(peer.Dpy(), changing, &attributes);
    EXPECT_EQ(attributes.bit_gravity, NorthWestGravity);
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(peer.Dpy(), changing, &hints, &supplied);
    EXPECT_EQ(hints.win_gravity, StaticGravity);
    EXPECT_EQ(std::vector<int>({hints.x, hints.y, hints.width, hints.height}),
              std::vector<int>({20, 20, 60, 60}));
}

}  // namespace
}  // namespace vex

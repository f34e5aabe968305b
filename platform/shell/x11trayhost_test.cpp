// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/shell/x11trayhost.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/shell/trayhost.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/input.h"
#include "platform/win/presenter.h"
#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/childprocess.h"
#include "tests/support/messagepump.h"
#include "tests/support/tempdir.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

constexpr UINT kCallback = 0x464;
constexpr uint32_t kRed = 0xFFCC0000;

// Xvfb with the presenter on it and a real tray (trayer) that a test can end and start again.
class X11TrayHost : public ::testing::Test {
protected:
    void SetUp() override {
        FSavedDisplay = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
        setenv("DISPLAY", FServer.DisplayName().c_str(), 1);
        SetPresenter(MakeX11Presenter(FServer.DisplayName(), WindowTreeSink()));
        FSelection = FPeer.AtomNamed("_NET_SYSTEM_TRAY_S0");
    }
    void TearDown() override {
        FTray.Stop();
        SetPresenter(std::make_unique<THeadlessPresenter>());
        if (FSavedDisplay.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", FSavedDisplay.c_str(), 1);
    }

    void StartTray() {
        FTray.Start({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                     "--height", "32", "--SetDockType", "false", "--expand", "false"},
                    FLogs.File("trayer.log"));
        ASSERT_TRUE(test::PumpUntil([&] { return TrayWindow() != 0; }))
            << test::ReadWholeFile(FLogs.File("trayer.log"));
    }
    Window TrayWindow() const { return XGetSelectionOwner(FPeer.Dpy(), FSelection); }

    // Our icon's window, found by its title; 0 while there is none.
    Window IconWindow(Window Under = 0) const { return WindowTitled(kTip, Under); }
    Window WindowTitled(const std::string& Title, Window Under = 0) const {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(FPeer.Dpy(), Under == 0 ? FPeer.Root() : Under, &root, &parent, &children,
                       &count) == 0)
            return 0;
        for (unsigned i = 0; i < count && found == 0; ++i)
            found = FPeer.Property(children[i], "WM_NAME") == Title
                        ? children[i]
                        : WindowTitled(Title, children[i]);
        if (children != nullptr) XFree(children);
        return found;
    }
    // Embedded in a window other than the root, and shown.
    bool Docked() const {
        const Window icon = IconWindow();
        if (icon == 0) return false;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        test::X11Peer* peer = const_cast<test::X11Peer*>(&FPeer);
        if (XQueryTree(peer->Dpy(), icon, &root, &parent, &children, &count) == 0) return false;
        if (children != nullptr) XFree(children);
        XWindowAttributes attributes{};
        return parent != root && XGetWindowAttributes(peer->Dpy(), icon, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }
    // The middle of the icon on the screen.
    bool OnScreen(TPoint P) const {
        Display* display = FPeer.Dpy();
        const int screen = DefaultScreen(display);
        return P.X >= 0 && P.Y >= 0 && P.X < DisplayWidth(display, screen) &&
               P.Y < DisplayHeight(display, screen);
    }

    TPoint IconCentre() const {
        const Window icon = IconWindow();
        XWindowAttributes attributes{};
        XGetWindowAttributes(FPeer.Dpy(), icon, &attributes);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(FPeer.Dpy(), icon, FPeer.Root(), attributes.width / 2,
                              attributes.height / 2, &x, &y, &child);
        return TPoint{x, y};
    }

    NOTIFYICONDATA Icon(HWND Owner) const {
        NOTIFYICONDATA data;
        data.Wnd = Owner;
        data.ID = 42;
        data.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.CallbackMessage = kCallback;
        data.Icon = TTrayIconImage{16, 16, std::vector<uint32_t>(256, kRed)};
        data.Tip = kTip;
        return data;
    }

    void Xdotool(const std::string& Arguments) {
        const std::string command = "DISPLAY=" + FServer.DisplayName() + " xdotool " + Arguments;
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    }

    // The mouse messages the owner got through the callback, in order.
    static std::vector<LPARAM> Callbacks(const test::RecordingWindow& Owner) {
        std::vector<LPARAM> messages;
        for (const TMessage& m : Owner.Received)
            if (m.Msg == kCallback && m.WParam == 42 && m.LParam != WM_MOUSEMOVE)
                messages.push_back(m.LParam);
        return messages;
    }

    static inline const std::string kTip = "Vexbane: 3 messages waiting";
    test::XvfbServer FServer;
    test::X11Peer FPeer{FServer.DisplayName()};
    test::TempDir FLogs;
    test::ChildProcess FTray;
    std::string FSavedDisplay;
    Atom FSelection = 0;
};

TEST_F(X11TrayHost, DocksPaintsAndReportsClicksAndDocksAgainWhenTheTrayComesBack) {
    StartTray();
    test::RecordingWindow owner;
    std::unique_ptr<TTrayHost> host = MakeX11TrayHost();
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(host->Notify(NIM_ADD, Icon(owner.Handle())));
    ASSERT_TRUE(test::PumpUntil([&] { return Docked(); }));

    // The icon is painted at the size the tray gave it, once the tray has put it on the screen
    // (a busy machine may see it docked before it is placed).
    TPoint centre;
    ASSERT_TRUE(test::PumpUntil([&] {
        centre = IconCentre();
        return OnScreen(centre) && FPeer.Screen(TRect{centre.X, centre.Y, centre.X + 1,
                                                      centre.Y + 1})[0] == (kRed & 0xFFFFFF);
    })) << "at "
        << centre.X << "," << centre.Y;

    // Transparent pixels let the tray's background through; a modify repaints at once.
    // (The tray's background is its own colour: neither the icon's red nor black.)
    const TPoint left{centre.X - 8, centre.Y};
    const auto pixel = [&](TPoint At) {
        return FPeer.Screen(TRect{At.X, At.Y, At.X + 1, At.Y + 1})[0];
    };
    NOTIFYICONDATA halfClear = Icon(owner.Handle());
    for (size_t i = 0; i < halfClear.Icon.Pixels.size(); ++i)
        if (i % 16 < 8) halfClear.Icon.Pixels[i] = 0x00FFFFFF;
    halfClear.Flags = NIF_ICON;
    ASSERT_TRUE(host->Notify(NIM_MODIFY, halfClear));
    ASSERT_TRUE(test::PumpUntil([&] {
        return pixel(left) != (kRed & 0xFFFFFF) && pixel(left) != 0;
    })) << std::hex
        << pixel(left);
    EXPECT_EQ(pixel(centre), kRed & 0xFFFFFF);

    Xdotool("mousemove " + std::to_string(centre.X) + " " + std::to_string(centre.Y) + " click 1");
    ASSERT_TRUE(test::PumpUntil([&] { return Callbacks(owner).size() == 2; }));
    EXPECT_EQ(Callbacks(owner), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    // A menu the click opens at the pointer opens over the icon.
    TPoint pointer;
    GetCursorPos(pointer);
    EXPECT_EQ(pointer, centre);

    owner.Received.clear();
    Xdotool("click --repeat 2 --delay 50 3");
    ASSERT_TRUE(test::PumpUntil([&] { return Callbacks(owner).size() == 4; }));
    EXPECT_EQ(Callbacks(owner),
              (std::vector<LPARAM>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP}));

    // The tray ends and starts again: the icon is back in it.
    FTray.Stop();
    ASSERT_TRUE(test::PumpUntil([&] { return TrayWindow() == 0 && !Docked(); }));
    StartTray();
    ASSERT_TRUE(test::PumpUntil([&] { return Docked(); }));

    ASSERT_TRUE(host->Notify(NIM_DELETE, Icon(owner.Handle())));
    ASSERT_TRUE(test::PumpUntil([&] { return IconWindow() == 0; }));
}

TEST_F(X11TrayHost, KeepsIconsAddedBeforeAnyTrayRunsWithTheirTipsAsTitles) {
    test::RecordingWindow owner;
    std::unique_ptr<TTrayHost> host = MakeX11TrayHost();
    ASSERT_TRUE(host->Notify(NIM_ADD, Icon(owner.Handle())));
    NOTIFYICONDATA longer = Icon(owner.Handle());
    longer.Flags = NIF_TIP;
    longer.Tip = kTip + std::string(100, '!');
    ASSERT_TRUE(host->Notify(NIM_MODIFY, longer));
    EXPECT_EQ(test::Eventually([&] {
                  return WindowTitled(longer.Tip.substr(0, 63)) != 0 ? "" : "no window so titled";
              }),
              "");
    ASSERT_TRUE(host->Notify(NIM_MODIFY, Icon(owner.Handle())));
    StartTray();
    ASSERT_TRUE(test::PumpUntil([&] { return Docked(); }));
}

TEST_F(X11TrayHost, FollowsThePresenterFromConnectionToConnection) {
    StartTray();
    test::RecordingWindow owner;
    std::unique_ptr<TTrayHost> host = MakeX11TrayHost();
    ASSERT_TRUE(host->Notify(NIM_ADD, Icon(owner.Handle())));
    ASSERT_TRUE(test::PumpUntil([&] { return Docked(); }));
    const Window first = IconWindow();

    // A new presenter is made before the old one ends; the icon moves to its connection.
    SetPresenter(MakeX11Presenter(FServer.DisplayName(), WindowTreeSink()));
    ASSERT_TRUE(test::PumpUntil([&] { return Docked() && IconWindow() != first; }));

    // Without a display the icon is kept, shown nowhere, and comes back with one.
    SetPresenter(std::make_unique<THeadlessPresenter>());
    ASSERT_TRUE(test::PumpUntil([&] { return IconWindow() == 0; }));
    EXPECT_TRUE(host->Notify(NIM_MODIFY, Icon(owner.Handle())));
    SetPresenter(MakeX11Presenter(FServer.DisplayName(), WindowTreeSink()));
    ASSERT_TRUE(test::PumpUntil([&] { return Docked(); }));
}

TEST(TrayHostChoice, IsTheDisplaysTrayOnlyWhenThePresenterShowsOne) {
    SetPresenter(std::make_unique<THeadlessPresenter>());
    EXPECT_EQ(MakeX11TrayHost(), nullptr);
}

}  // namespace
}  // namespace vex

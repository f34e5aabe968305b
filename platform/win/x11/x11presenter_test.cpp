// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11presenter.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/keyboard.h"
#include "platform/win/messageloop.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/childprocess.h"
#include "tests/support/messagepump.h"
#include "tests/support/processortime.h"
#include "tests/support/tempdir.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

// A window's picture: stripes of strong colours and specks like the strokes of text, in rows
// wider than the picture, so that a lost stride, a swapped channel or an off-by-one shows.
class TPicture {
public:
    TPicture(int Width, int Height, uint32_t Seed)
        : FWidth(Width), FHeight(Height), FStride(Width + 13), FPixels(FStride * Height, 0xDEAD) {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) {
                const bool speck = (x * 31 + y * 17 + Seed) % 11 == 0;
                const uint32_t stripe = (x / 8 + Seed) % 3 == 0   ? 0xFF8040
                                        : (x / 8 + Seed) % 3 == 1 ? 0x2060C0
                                                                  : 0x10E030;
                FPixels[y * FStride + x] = speck ? 0x000000 : stripe ^ ((y & 0x0F) * 0x010101);
            }
    }
    TPixelRows Rows() const { return TPixelRows{FPixels.data(), FWidth, FHeight, FStride}; }
    uint32_t At(int X, int Y) const { return FPixels[Y * FStride + X]; }
    // Writes the picture into Store, whose rows have no gap, and returns those rows.
    TPixelRows CopyTo(TPixelStore& Store) const {
        uint32_t* pixels = Store.Pixels();
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                pixels[y * FWidth + x] = At(x, y);
        return TPixelRows{pixels, FWidth, FHeight, FWidth};
    }

private:
    int FWidth, FHeight, FStride;
    std::vector<uint32_t> FPixels;
};

// "" when the screen shows Expected(x, y) at every point of Area (window coordinates) of a
// window placed at Origin, else where and how it differs.
template <class Expected>
std::string ScreenDifference(const test::X11Peer& Peer, TPoint Origin, const TRect& Area,
                             Expected Want) {
    TRect onScreen = Area;
    OffsetRect(onScreen, Origin.X, Origin.Y);
    const std::vector<uint32_t> shown = Peer.Screen(onScreen);
    const int width = Area.Right - Area.Left;
    int wrong = 0;
    std::string first;
    for (size_t i = 0; i < shown.size(); ++i) {
        const int x = Area.Left + static_cast<int>(i) % width;
        const int y = Area.Top + static_cast<int>(i) / width;
        const uint32_t want = Want(x, y);
        if (want == shown[i]) continue;
        if (wrong++ == 0) {
            char text[96];
            std::snprintf(text, sizeof text, "at (%d, %d) the screen shows %06X, not %06X", x, y,
                          shown[i], want);
            first = text;
        }
    }
    return wrong == 0 ? "" : first + " (" + std::to_string(wrong) + " pixels differ)";
}

// A presenter on a fresh Xvfb, with a sink that records what the presenter reports and answers
// for pixels from Pictures, and a second client that looks at the screen.
class X11Display : public testing::Test {
protected:
    explicit X11Display(bool SharedMemory = true)
        : Server(SharedMemory), Peer(Server.DisplayName()) {
        TPresenterSink sink;
        sink.Pixels = [this](HWND Wnd) {
            ++PixelsAsked;
            if (PixelsFail) throw EInvalidOperation("no pixels");
            return Pictures.at(Wnd).Rows();
        };
        sink.Moved = [this](HWND Wnd, const TRect& Bounds) { Moves.push_back({Wnd, Bounds}); };
        sink.CloseRequested = [this](HWND Wnd) { Closes.push_back(Wnd); };
        sink.Input = [this](const MSG& Msg) { Inputs.push_back(Msg); };
        sink.Focus = [this](HWND Wnd, bool In) {
            Focuses.push_back(std::to_string(Wnd) + (In ? " in" : " out"));
        };
        Presenter = MakeX11Presenter(Server.DisplayName(), sink);
    }

    // Shows the window with its picture put on screen; returns the X window another client sees.
    Window ShowPainted(HWND Wnd, const TRect& Bounds, const std::string& Title, uint32_t Seed) {
        const int width = Bounds.Right - Bounds.Left, height = Bounds.Bottom - Bounds.Top;
        Pictures.insert_or_assign(Wnd, TPicture(width, height, Seed));
        Presenter->Show(Wnd, Bounds, TWindowLook{Title});
        Presenter->Present(Wnd, Pictures.at(Wnd).Rows(), Rect(0, 0, width, height));
        Window id = 0;
        EXPECT_EQ(test::Eventually([&] {
                      id = Peer.FindWindow(Title);
                      return id == 0 ? "no window is titled " + Title : "";
                  }),
                  "");
        return id;
    }

    std::string ScreenShows(HWND Wnd, TPoint Origin, const TRect& Area) {
        return test::Eventually([&] {
            return ScreenDifference(Peer, Origin, Area,
                                    [&](int X, int Y) { return Pictures.at(Wnd).At(X, Y); });
        });
    }

    test::XvfbServer Server;
    test::X11Peer Peer;
    std::map<HWND, TPicture> Pictures;
    int PixelsAsked = 0;
    bool PixelsFail = false;
    std::vector<std::pair<HWND, TRect>> Moves;
    std::vector<HWND> Closes;
    std::vector<MSG> Inputs;
    std::vector<std::string> Focuses;
    std::unique_ptr<TPresenter> Presenter;
};

// The same with and without MIT-SHM on the server.
class X11DisplayPixels : public X11Display, public testing::WithParamInterface<bool> {
protected:
    X11DisplayPixels() : X11Display(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(SharedMemory, X11DisplayPixels, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& Info) {
                             return Info.param ? "WithMitShm" : "WithoutMitShm";
                         });

TEST_P(X11DisplayPixels, TheScreenShowsThePresentedPixelsExactly) {
    ShowPainted(1, Rect(20, 30, 220, 180), "Stripes", 0);
    EXPECT_EQ(ScreenShows(1, Point(20, 30), Rect(0, 0, 200, 150)), "");

    // Only the dirty part changes, though the rows hold a new picture everywhere.
    const TPicture before = Pictures.at(1);
    Pictures.insert_or_assign(1, TPicture(200, 150, 1));
    const TRect dirty = Rect(10, 20, 57, 61);
    Presenter->Present(1, Pictures.at(1).Rows(), dirty);
    EXPECT_EQ(
        test::Eventually([&] {
            return ScreenDifference(Peer, Point(20, 30), Rect(0, 0, 200, 150), [&](int X, int Y) {
                return PtInRect(dirty, Point(X, Y)) ? Pictures.at(1).At(X, Y) : before.At(X, Y);
            });
        }),
        "");
}

TEST_P(X11DisplayPixels, APictureLargerThanAnyBeforeGrowsTheImage) {
    ShowPainted(1, Rect(0, 0, 40, 30), "Small", 0);
    ShowPainted(2, Rect(100, 100, 700, 500), "Large", 2);
    EXPECT_EQ(ScreenShows(1, Point(0, 0), Rect(0, 0, 40, 30)), "");
    EXPECT_EQ(ScreenShows(2, Point(100, 100), Rect(0, 0, 600, 400)), "");
}

TEST_P(X11DisplayPixels, PicturesPresentedInQuickSuccessionAllArriveWhole) {
    // The pictures come in rows of their own, then painted one after the other into one store
    // of the presenter; each frame waits for the display to read the store before changing it,
    // as painting does, or a put could show a later picture where an earlier one was meant.
    ShowPainted(1, Rect(0, 0, 320, 240), "Frames", 0);
    const std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(320, 240);
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "in a store" : "in rows of their own");
        // What the screen must end up showing: each present's dirty part of its own picture.
        std::vector<uint32_t> expected(320 * 240);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                expected[y * 320 + x] = Pictures.at(1).At(x, y);
        Presenter->Present(1, Pictures.at(1).Rows(), Rect(0, 0, 320, 240));
        for (uint32_t frame = 1; frame <= 40; ++frame) {
            const TPicture picture(320, 240, frame);
            const int inset = static_cast<int>(frame % 7) * 20;
            const TRect dirty = frame % 5 == 0
                                    ? Rect(0, 0, 320, 240)
                                    : Rect(inset, inset / 2, 320 - inset / 3, 240 - inset);
            if (stored) store->AwaitRead();
            Presenter->Present(1, stored ? picture.CopyTo(*store) : picture.Rows(), dirty);
            for (int y = dirty.Top; y < dirty.Bottom; ++y)
                for (int x = dirty.Left; x < dirty.Right; ++x)
                    expected[y * 320 + x] = picture.At(x, y);
        }
        EXPECT_EQ(test::Eventually([&] {
                      return ScreenDifference(Peer, Point(0, 0), Rect(0, 0, 320, 240),
                                              [&](int X, int Y) { return expected[Y * 320 + X]; });
                  }),
                  "");
    }
}

TEST_F(X11Display, WaitingForAStoreWaitsForTheServerToReadItsLastPutAndNoLonger) {
    ShowPainted(1, Rect(0, 0, 200, 150), "Awaited", 0);
    const std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(200, 150);
    const TPixelRows rows = Pictures.at(1).CopyTo(*store);
    // While another client holds the server, it reads nothing of ours.
    XGrabServer(Peer.Dpy());
    XSync(Peer.Dpy(), False);
    const auto waited = [&] {
        const auto start = std::chrono::steady_clock::now();
        store->AwaitRead();
        return std::chrono::steady_clock::now() - start;
    };
    EXPECT_LT(waited(), 100ms) << "nothing was put from the store";
    Presenter->Present(1, rows, Rect(0, 0, 200, 150));
    std::thread release([&] {
        std::this_thread::sleep_for(300ms);
        XUngrabServer(Peer.Dpy());
        XSync(Peer.Dpy(), False);
    });
    EXPECT_GE(waited(), 250ms) << "the put was not read before the wait ended";
    release.join();
    EXPECT_LT(waited(), 100ms) << "the put has been read";
}

TEST_P(X11DisplayPixels, StoresOfEverySizeStartBlackAndAnEmptyOneHasNoPixelsToShow) {
    for (const auto& [width, height] :
         {std::pair{1, 1}, {3, 1}, {1, 7}, {640, 480}, {0, 5}, {5, 0}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(width, height);
        for (int i = 0; i < width * height; ++i)
            ASSERT_EQ(store->Pixels()[i], 0u);
        store->AwaitRead();
    }
    EXPECT_THROW(Presenter->MakePixelStore(-1, 10), EInvalidOperation);
}

TEST_P(X11DisplayPixels, AStoreWiderThanAnyWindowIsShownRowForRow) {
    ShowPainted(1, Rect(0, 0, 100, 3), "Wide", 0);
    for (const int width : {32767, 32768, 70000}) {
        SCOPED_TRACE(width);
        const std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(width, 3);
        const TPicture picture(width, 3, static_cast<uint32_t>(width));
        store->AwaitRead();
        Presenter->Present(1, picture.CopyTo(*store), Rect(0, 0, 100, 3));
        EXPECT_EQ(test::Eventually([&] {
                      return ScreenDifference(Peer, Point(0, 0), Rect(0, 0, 100, 3),
                                              [&](int X, int Y) { return picture.At(X, Y); });
                  }),
                  "");
    }
}

TEST_P(X11DisplayPixels, AStoreOutlivesItsPresenterAndIsShownThroughTheNextOne) {
    ShowPainted(1, Rect(10, 10, 210, 160), "Before", 0);
    std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(200, 150);
    store->AwaitRead();
    Presenter->Present(1, Pictures.at(1).CopyTo(*store), Rect(0, 0, 200, 150));
    Presenter.reset();
    // The pixels are still there and can change; the next presenter shows them.
    store->AwaitRead();
    Pictures.insert_or_assign(2, TPicture(200, 150, 4));
    const TPixelRows rows = Pictures.at(2).CopyTo(*store);
    Presenter = MakeX11Presenter(Server.DisplayName(), TPresenterSink{});
    Presenter->Show(2, Rect(30, 20, 230, 170), TWindowLook{"After"});
    Presenter->Present(2, rows, Rect(0, 0, 200, 150));
    EXPECT_EQ(ScreenShows(2, Point(30, 20), Rect(0, 0, 200, 150)), "");
    Presenter->Forget(2);
    store.reset();
    test::PumpFor(50ms);
}

// The shared-memory segments this process made that still exist.
std::set<int> OurSegments() {
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    std::getline(table, line);  // the column names
    std::set<int> ids;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        long key = 0, size = 0;
        int id = 0, perms = 0, creator = 0;
        fields >> key >> id >> perms >> size >> creator;
        if (creator == getpid()) ids.insert(id);
    }
    return ids;
}

TEST_P(X11DisplayPixels, NoSegmentOutlivesTheStoresAndPresenterThatUsedIt) {
    const std::set<int> before = OurSegments();
    ShowPainted(1, Rect(0, 0, 120, 90), "Segments", 0);
    std::vector<std::unique_ptr<TPixelStore>> stores;
    for (int i = 0; i < 60; ++i) {
        const int width = 1 + i * 7, height = 1 + i * 3;
        stores.push_back(Presenter->MakePixelStore(width, height));
        if (i % 3 == 0)
            Presenter->Present(1, TPicture(width, height, i).CopyTo(*stores.back()),
                               Rect(0, 0, width, height));
    }
    // The stores are in segments of their own when the server reads them in place.
    EXPECT_EQ(OurSegments().size() > before.size() + 60, GetParam());
    // Some go with the presenter still there, the rest after it.
    stores.resize(30);
    Presenter.reset();
    stores.clear();
    EXPECT_EQ(OurSegments(), before);
}

TEST_F(X11Display, AStoreFreedWhileItsPutWaitsIsShownWhole) {
    ShowPainted(1, Rect(0, 0, 200, 150), "Freed", 0);
    std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(200, 150);
    Pictures.insert_or_assign(1, TPicture(200, 150, 5));
    const TPixelRows rows = Pictures.at(1).CopyTo(*store);
    XGrabServer(Peer.Dpy());
    XSync(Peer.Dpy(), False);
    Presenter->Present(1, rows, Rect(0, 0, 200, 150));
    store.reset();
    XUngrabServer(Peer.Dpy());
    XSync(Peer.Dpy(), False);
    EXPECT_EQ(ScreenShows(1, Point(0, 0), Rect(0, 0, 200, 150)), "");
}

TEST_F(X11Display, WaitingForAStoreWhenTheDisplayHasEndedReturns) {
    ShowPainted(7, Rect(0, 0, 80, 60), "Ended", 0);
    const std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(80, 60);
    Presenter->Present(7, Pictures.at(7).CopyTo(*store), Rect(0, 0, 80, 60));
    Server.Stop();
    // Nothing has told the presenter yet: the wait is what finds out.
    store->AwaitRead();
    store->AwaitRead();
    Presenter->Present(7, Pictures.at(7).CopyTo(*store), Rect(0, 0, 80, 60));
    EXPECT_TRUE(Presenter->Headless());
    EXPECT_THROW(test::PumpUntil([] { return false; }, 2s), EDisplayError);
}

TEST_P(X11DisplayPixels, AnExposedAreaIsCopiedFromTheBufferWithoutPaintingAgain) {
    const Window ours = ShowPainted(1, Rect(20, 30, 220, 180), "Exposed", 0);
    ASSERT_TRUE(test::PumpUntil([&] { return PixelsAsked > 0; }));  // the first map's expose
    ASSERT_EQ(ScreenShows(1, Point(20, 30), Rect(0, 0, 200, 150)), "");
    // The buffer changes behind the screen's back: what comes back after an expose shows it.
    Pictures.insert_or_assign(1, TPicture(200, 150, 7));
    PixelsAsked = 0;

    // Another program's window over ours, and one over that; the first goes away and leaves an
    // L-shaped hole, which the server reports as a series of rectangles.
    Display* peer = Peer.Dpy();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0x808080;
    const auto cover = [&](int X, int Y, int W, int H) {
        const Window w =
            XCreateWindow(peer, Peer.Root(), X, Y, static_cast<unsigned>(W),
                          static_cast<unsigned>(H), 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWOverrideRedirect | CWBackPixel, &attributes);
        XMapRaised(peer, w);
        return w;
    };
    const Window first = cover(40, 50, 100, 80);
    cover(90, 90, 200, 200);
    XSync(peer, False);
    XDestroyWindow(peer, first);
    XSync(peer, False);
    ASSERT_TRUE(test::PumpUntil([&] { return PixelsAsked > 0; }));
    test::PumpFor(100ms);
    EXPECT_EQ(PixelsAsked, 1);
    // What the second window leaves uncovered of the hole, in window coordinates.
    EXPECT_EQ(ScreenShows(1, Point(20, 30), Rect(20, 20, 120, 60)), "");
    EXPECT_EQ(ScreenShows(1, Point(20, 30), Rect(20, 60, 70, 100)), "");

    // Unmapped and mapped again by someone else: the whole window comes back in one put.
    PixelsAsked = 0;
    XUnmapWindow(peer, ours);
    XMapWindow(peer, ours);
    XSync(peer, False);
    ASSERT_TRUE(test::PumpUntil([&] { return PixelsAsked > 0; }));
    test::PumpFor(100ms);
    EXPECT_EQ(PixelsAsked, 1);
    EXPECT_EQ(ScreenShows(1, Point(20, 30), Rect(0, 0, 70, 150)), "");
    EXPECT_TRUE(Moves.empty());
    EXPECT_TRUE(Closes.empty());
    EXPECT_TRUE(Inputs.empty());
}

TEST_F(X11Display, ResizesThroughTheServerReachTheTreeOnceWithTheLastPlace) {
    const Window ours = ShowPainted(1, Rect(20, 30, 220, 180), "Resized", 0);
    Display* peer = Peer.Dpy();
    XResizeWindow(peer, ours, 300, 200);
    XMoveWindow(peer, ours, 5, 6);
    XMoveResizeWindow(peer, ours, 40, 50, 320, 240);
    XSync(peer, False);
    ASSERT_TRUE(test::PumpUntil([&] { return !Moves.empty(); }));
    test::PumpFor(200ms);
    ASSERT_EQ(Moves.size(), 1u);
    EXPECT_EQ(Moves[0].first, HWND{1});
    EXPECT_EQ(Moves[0].second, Rect(40, 50, 360, 290));
}

TEST_F(X11Display, PlacesTheTreeSetsAreNotReportedBack) {
    const Window ours = ShowPainted(1, Rect(20, 30, 220, 180), "Placed", 0);
    const auto geometryIs = [&](int X, int Width) {
        return [&, X, Width] {
            XWindowAttributes a{};
            XGetWindowAttributes(Peer.Dpy(), ours, &a);
            return a.x == X && a.width == Width ? "" : "elsewhere";
        };
    };
    Presenter->Show(1, Rect(21, 30, 222, 180), TWindowLook{"Placed"});
    ASSERT_EQ(test::Eventually(geometryIs(21, 201)), "");
    // The server's word on that move waits unread while the next move is held up behind
    // another client's grab: it tells of a place the tree has already left.
    Display* peer = Peer.Dpy();
    XGrabServer(peer);
    XSync(peer, False);
    Presenter->Show(1, Rect(25, 30, 230, 180), TWindowLook{"Placed"});
    std::thread release([peer] {
        std::this_thread::sleep_for(300ms);
        XUngrabServer(peer);
        XFlush(peer);
    });
    test::PumpFor(100ms);
    release.join();
    test::PumpFor(200ms);
    EXPECT_TRUE(Moves.empty());
    EXPECT_EQ(test::Eventually(geometryIs(25, 205)), "");
}

TEST_F(X11Display, BoundsBeyondWhatXAllowsAreBroughtWithinIt) {
    struct TCase {
        TRect Bounds;
        int X, Y, Width, Height;
    };
    const TCase cases[] = {
        {Rect(10, 10, 10, 10), 10, 10, 1, 1},  // empty
        {Rect(50, 60, 40, 30), 50, 60, 1, 1},  // inside out
        {Rect(-40000, 5, -39990, 15), -32768, 5, 10, 10},
        {Rect(0, 0, INT32_MAX, 100), 0, 0, 32767, 100},
        {Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), -32768, -32768, 32767, 32767},
    };
    HWND wnd = 1;
    for (const TCase& c : cases) {
        const std::string title = "Odd " + std::to_string(wnd);
        Presenter->Show(wnd, c.Bounds, TWindowLook{title});
        Window id = 0;
        ASSERT_EQ(test::Eventually([&] {
                      id = Peer.FindWindow(title);
                      return id == 0 ? "not shown" : "";
                  }),
                  "")
            << title;
        XWindowAttributes a{};
        ASSERT_NE(XGetWindowAttributes(Peer.Dpy(), id, &a), 0);
        EXPECT_EQ(std::vector<int>({a.x, a.y, a.width, a.height}),
                  std::vector<int>({c.X, c.Y, c.Width, c.Height}))
            << title;
        ++wnd;
    }
}

TEST_F(X11Display, TheCloseButtonAsksTheTreeToClose) {
    const Window ours = ShowPainted(3, Rect(0, 0, 50, 50), "Closing", 0);
    // Another protocol's message is not a close.
    Peer.SendClientMessage(ours, Peer.AtomNamed("WM_PROTOCOLS"), Peer.AtomNamed("WM_TAKE_FOCUS"));
    Peer.SendClientMessage(ours, Peer.AtomNamed("WM_PROTOCOLS"),
                           Peer.AtomNamed("WM_DELETE_WINDOW"));
    ASSERT_TRUE(test::PumpUntil([&] { return !Closes.empty(); }));
    test::PumpFor(50ms);
    EXPECT_EQ(Closes, std::vector<HWND>{3});
    EXPECT_EQ(Peer.Values(ours, "WM_PROTOCOLS"),
              std::vector<unsigned long>{Peer.AtomNamed("WM_DELETE_WINDOW")});
}

TEST_F(X11Display, EventsAfterOneWhoseHandlingFailedAreStillHandled) {
    const Window ours = ShowPainted(3, Rect(0, 0, 50, 50), "Failing", 0);
    ASSERT_TRUE(test::PumpUntil([&] { return PixelsAsked > 0; }));
    PixelsFail = true;
    Display* peer = Peer.Dpy();
    XUnmapWindow(peer, ours);
    XMapWindow(peer, ours);
    Peer.SendClientMessage(ours, Peer.AtomNamed("WM_PROTOCOLS"),
                           Peer.AtomNamed("WM_DELETE_WINDOW"));
    EXPECT_THROW(test::PumpUntil([&] { return !Closes.empty(); }), EInvalidOperation);
    PixelsFail = false;
    EXPECT_TRUE(test::PumpUntil([&] { return !Closes.empty(); }, 2s));
}

TEST_F(X11Display, PointerAndKeyEventsReachTheSinkAsMessages) {
    const Window ours = ShowPainted(4, Rect(100, 100, 200, 200), "Typing", 0);
    Display* peer = Peer.Dpy();
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.window = ours;
    event.xbutton.button = Button1;
    event.xbutton.x = 7;
    event.xbutton.y = 9;
    XSendEvent(peer, ours, False, NoEventMask, &event);
    event = XEvent{};
    event.xkey.type = KeyPress;
    event.xkey.window = ours;
    event.xkey.keycode = XKeysymToKeycode(peer, XStringToKeysym("q"));
    XSendEvent(peer, ours, False, NoEventMask, &event);
    XSync(peer, False);
    ASSERT_TRUE(test::PumpUntil([&] { return Inputs.size() >= 2; }));
    EXPECT_EQ(Inputs[0].hwnd, HWND{4});
    EXPECT_EQ(Inputs[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(Inputs[0].lParam, MAKELONG(7, 9));
    EXPECT_EQ(Inputs[1].message, WM_KEYDOWN);
    EXPECT_EQ(Inputs[1].wParam, WPARAM{'Q'});
}

TEST_F(X11Display, TheKeyboardMovingBetweenWindowsReachesTheSink) {
    const Window one = ShowPainted(1, Rect(0, 0, 100, 100), "One", 0);
    const Window two = ShowPainted(2, Rect(200, 0, 300, 100), "Two", 1);
    for (Window to : {one, two, Peer.Root()}) {
        XSetInputFocus(Peer.Dpy(), to, RevertToParent, CurrentTime);
        XSync(Peer.Dpy(), False);
    }
    ASSERT_TRUE(test::PumpUntil([&] { return Focuses.size() >= 4; }));
    EXPECT_EQ(Focuses, (std::vector<std::string>{"1 in", "1 out", "2 in", "2 out"}));
}

TEST_F(X11Display, TheCapturingWindowGetsThePointerWhereverItIs) {
    ShowPainted(1, Rect(0, 0, 100, 100), "Captor", 0);
    const auto warp = [&](int X, int Y) {
        XWarpPointer(Peer.Dpy(), None, Peer.Root(), 0, 0, 0, 0, X, Y);
        XSync(Peer.Dpy(), False);
    };
    warp(50, 50);
    ASSERT_TRUE(test::PumpUntil([&] { return !Inputs.empty(); }));
    Presenter->CapturePointer(1);
    warp(300, 200);
    // Outside the window, yet its move.
    ASSERT_TRUE(test::PumpUntil([&] {
        return std::any_of(Inputs.begin(), Inputs.end(), [](const MSG& M) {
            return M.hwnd == 1 && M.message == WM_MOUSEMOVE && M.lParam == MAKELONG(300, 200);
        });
    }));
    Presenter->CapturePointer(0);
    // The release goes to the server on the presenter's own connection, which the server may
    // serve after ours: the pointer is free once another client can take it.
    ASSERT_TRUE(test::PumpUntil([&] {
        if (XGrabPointer(Peer.Dpy(), Peer.Root(), False, 0, GrabModeAsync, GrabModeAsync, None,
                         None, CurrentTime) != GrabSuccess)
            return false;
        XUngrabPointer(Peer.Dpy(), CurrentTime);
        XSync(Peer.Dpy(), False);
        return true;
    }));
    warp(310, 210);
    test::PumpFor(100ms);
    for (const MSG& input : Inputs)
        EXPECT_NE(input.lParam, MAKELONG(310, 210)) << "a move after the capture ended";
}

TEST_F(X11Display, MovingThePointerPutsItThereAndReportsTheMove) {
    ShowPainted(1, Rect(0, 0, 100, 100), "Pointer", 0);
    Presenter->MovePointer(TPoint{40, 30});
    ASSERT_TRUE(test::PumpUntil([&] {
        return std::any_of(Inputs.begin(), Inputs.end(), [](const MSG& M) {
            return M.message == WM_MOUSEMOVE && M.lParam == MAKELONG(40, 30);
        });
    }));
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(Peer.Dpy(), Peer.Root(), &root, &child, &x, &y, &wx, &wy, &mask);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 30);
}

TEST_F(X11Display, AHeldKeyRepeatsAsPressesAndIsReleasedOnce) {
    ShowPainted(4, Rect(0, 0, 100, 100), "Held", 0);
    Presenter->Activate(4);
    test::ChildProcess xdotool;
    test::TempDir logs;
    const std::string display = "DISPLAY=" + Server.DisplayName();
    xdotool.Start({"env", display, "sh", "-c", "xdotool keydown a; sleep 0.8; xdotool keyup a"},
                  logs.File("xdotool.log"));
    ASSERT_TRUE(test::PumpUntil([&] { return xdotool.Exited(); }));
    test::PumpFor(100ms);
    ASSERT_GE(Inputs.size(), 3u) << "the server repeats a key held for 0.8 s";
    for (size_t i = 0; i + 1 < Inputs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Inputs[i].message, WM_KEYDOWN);
        EXPECT_EQ((Inputs[i].lParam >> 30) & 1, i == 0 ? 0 : 1);
    }
    EXPECT_EQ(Inputs.back().message, WM_KEYUP);
    EXPECT_EQ(Inputs.back().wParam, WPARAM{'A'});
}

TEST_F(X11Display, AKeyLetGoWhileAnotherWindowHadTheKeyboardIsReleasedWhenItComesBack) {
    const Window ours = ShowPainted(4, Rect(0, 0, 100, 100), "Away", 0);
    Presenter->Activate(4);
    const std::string display = "DISPLAY=" + Server.DisplayName();
    test::TempDir logs;
    const auto xdotool = [&](const std::string& Command) {
        test::ChildProcess child;
        child.Start({"env", display, "xdotool", "key" + Command, "shift"}, logs.File("x.log"));
        ASSERT_TRUE(test::PumpUntil([&] { return child.Exited(); }));
    };
    const auto focus = [&](Window To) {
        XSetInputFocus(Peer.Dpy(), To, RevertToParent, CurrentTime);
        XSync(Peer.Dpy(), False);
    };
    focus(ours);
    xdotool("down");
    ASSERT_TRUE(test::PumpUntil([&] { return !Inputs.empty(); }));
    focus(Peer.Root());
    xdotool("up");  // the root window hears it, not ours
    focus(ours);
    ASSERT_TRUE(test::PumpUntil([&] { return Inputs.back().message == WM_KEYUP; }));
    EXPECT_EQ(Inputs.back().wParam, WPARAM{VK_SHIFT});
    EXPECT_EQ(Inputs.back().hwnd, HWND{4});
}

TEST_F(X11Display, APadDigitLetGoElsewhereIsReleasedAsTheDigitItWentDownAs) {
    const Window ours = ShowPainted(4, Rect(0, 0, 100, 100), "Away", 0);
    Presenter->Activate(4);
    const std::string display = "DISPLAY=" + Server.DisplayName();
    test::TempDir logs;
    const auto xdotool = [&](const std::string& Command, const std::string& Key) {
        test::ChildProcess child;
        child.Start({"env", display, "xdotool", Command, Key}, logs.File("x.log"));
        ASSERT_TRUE(test::PumpUntil([&] { return child.Exited(); }));
    };
    const auto focus = [&](Window To) {
        XSetInputFocus(Peer.Dpy(), To, RevertToParent, CurrentTime);
        XSync(Peer.Dpy(), False);
    };
    focus(Peer.Root());
    xdotool("key", "Num_Lock");
    focus(ours);
    xdotool("keydown", "KP_5");
    ASSERT_TRUE(test::PumpUntil([&] { return !Inputs.empty(); }));
    ASSERT_EQ(Inputs.back().wParam, WPARAM{VK_NUMPAD5});
    focus(Peer.Root());
    xdotool("keyup", "KP_5");
    xdotool("key", "Num_Lock");
    focus(ours);
    ASSERT_TRUE(test::PumpUntil([&] { return Inputs.back().message == WM_KEYUP; }));
    EXPECT_EQ(Inputs.back().wParam, WPARAM{VK_NUMPAD5});
}

TEST_F(X11Display, HiddenWindowsAreWithdrawnAndForgottenOnesDestroyed) {
    const Window ours = ShowPainted(5, Rect(0, 0, 60, 40), "Hidden", 0);
    const auto mapState = [&] {
        XWindowAttributes a{};
        return XGetWindowAttributes(Peer.Dpy(), ours, &a) != 0 ? a.map_state : -1;
    };
    EXPECT_EQ(mapState(), IsViewable);
    Presenter->Hide(5);
    EXPECT_EQ(test::Eventually([&] { return mapState() == IsUnmapped ? "" : "still mapped"; }), "");
    // Pixels of a hidden window go nowhere, and nothing fails.
    Presenter->Present(5, Pictures.at(5).Rows(), Rect(0, 0, 60, 40));
    Presenter->Show(5, Rect(0, 0, 60, 40), TWindowLook{"Hidden"});
    EXPECT_EQ(test::Eventually([&] { return mapState() == IsViewable ? "" : "not mapped"; }), "");
    Presenter->Forget(5);
    EXPECT_EQ(test::Eventually([&] { return Peer.FindWindow("Hidden") == 0 ? "" : "still there"; }),
              "");
    // A forgotten or unknown window is left alone.
    Presenter->Present(5, Pictures.at(5).Rows(), Rect(0, 0, 60, 40));
    Presenter->Hide(5);
    Presenter->Activate(77);
    Presenter->Forget(77);
}

TEST_F(X11Display, AWindowAnotherClientDestroysCostsNeitherTheProcessNorLaterShows) {
    const Window ours = ShowPainted(6, Rect(10, 10, 110, 90), "Doomed", 0);
    const uint64_t errorsBefore = UntrappedX11Errors().Count;
    XDestroyWindow(Peer.Dpy(), ours);
    XSync(Peer.Dpy(), False);
    // Before the news arrives, every request about the gone window fails on the server, and
    // none of that ends us; after it, the window is simply not there.
    Presenter->Present(6, Pictures.at(6).Rows(), Rect(0, 0, 100, 80));
    Presenter->Show(6, Rect(12, 10, 112, 90), TWindowLook{"Doomed"});
    test::PumpFor(50ms);
    EXPECT_GT(UntrappedX11Errors().Count, errorsBefore);
    Presenter->Present(6, Pictures.at(6).Rows(), Rect(0, 0, 100, 80));
    Presenter->Activate(6);
    Presenter->Hide(6);
    test::PumpFor(50ms);
    // Shown again, it is a window of its own once more.
    ShowPainted(6, Rect(12, 10, 112, 90), "Doomed", 3);
    EXPECT_EQ(ScreenShows(6, Point(12, 10), Rect(0, 0, 100, 80)), "");
    Presenter->Forget(6);
    test::PumpFor(50ms);
}

TEST_F(X11Display, ALostDisplayIsReportedOnceAndLeavesTheWindowsOffScreen) {
    ShowPainted(7, Rect(0, 0, 80, 60), "Lost", 0);
    const std::unique_ptr<TPixelStore> store = Presenter->MakePixelStore(80, 60);
    Presenter->Present(7, Pictures.at(7).CopyTo(*store), Rect(0, 0, 80, 60));
    Server.Stop();
    EXPECT_THROW(test::PumpUntil([] { return false; }, 2s), EDisplayError);
    // From now on the presenter shows nothing, fails nothing and keeps the loop asleep.
    Presenter->Present(7, Pictures.at(7).Rows(), Rect(0, 0, 80, 60));
    Presenter->Show(7, Rect(5, 0, 85, 60), TWindowLook{"Lost"});
    Presenter->Show(8, Rect(0, 0, 10, 10), TWindowLook{"New"});
    Presenter->Activate(7);
    Presenter->Hide(7);
    Presenter->Forget(8);
    // Its stores are memory now: waiting for the display returns at once, and new ones come.
    store->AwaitRead();
    Presenter->Present(7, Pictures.at(7).CopyTo(*store), Rect(0, 0, 80, 60));
    EXPECT_EQ(Presenter->MakePixelStore(10, 10)->Pixels()[99], 0u);
    const long before = test::ProcessCpuMicroseconds();
    test::PumpFor(300ms);
    const long cpu = test::ProcessCpuMicroseconds() - before;
    EXPECT_LT(cpu, 30000) << "microseconds of processor time in 300 ms after the loss";
    Presenter.reset();
}

TEST_F(X11Display, MalformedRowsAreRefused) {
    ShowPainted(1, Rect(0, 0, 60, 40), "Rows", 0);
    std::vector<uint32_t> pixels(60 * 40);
    EXPECT_THROW(Presenter->Present(1, TPixelRows{pixels.data(), 60, 40, 59}, Rect(0, 0, 60, 40)),
                 EInvalidOperation);
    EXPECT_THROW(Presenter->Present(1, TPixelRows{nullptr, 60, 40, 60}, Rect(0, 0, 60, 40)),
                 EInvalidOperation);
    // Nothing to show is not an error, nor a dirty area beyond the rows.
    Presenter->Present(1, TPixelRows{nullptr, 0, 0, 0}, Rect(0, 0, 60, 40));
    Presenter->Present(1, TPixelRows{pixels.data(), 60, 40, 60}, Rect(-100, -100, 1000, 1000));
    Presenter->Present(1, TPixelRows{pixels.data(), 60, 40, 60}, Rect(70, 0, 80, 10));
}

TEST_F(X11Display, ActivatingRaisesAndFocusesWithoutAWindowManager) {
    const Window one = ShowPainted(1, Rect(0, 0, 100, 100), "One", 0);
    const Window two = ShowPainted(2, Rect(50, 50, 150, 150), "Two", 1);
    const auto focusAndTop = [&](Window Expected) {
        return [&, Expected] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(Peer.Dpy(), &focus, &revert);
            Window root = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            XQueryTree(Peer.Dpy(), Peer.Root(), &root, &parent, &children, &count);
            const Window top = count > 0 ? children[count - 1] : 0;
            if (children != nullptr) XFree(children);
            return focus == Expected && top == Expected ? "" : "not focused and on top";
        };
    };
    Presenter->Activate(1);
    EXPECT_EQ(test::Eventually(focusAndTop(one)), "");
    Presenter->Activate(2);
    EXPECT_EQ(test::Eventually(focusAndTop(two)), "");
}

TEST_F(X11Display, TheScreenIsTheRootWindowAndFollowsItsSize) {
    EXPECT_EQ(Presenter->ScreenRect(), Rect(0, 0, 1280, 1024));
    EXPECT_FALSE(Presenter->Headless());
    // What the server tells its clients when the resolution changes.
    XEvent event{};
    event.xconfigure.type = ConfigureNotify;
    event.xconfigure.event = event.xconfigure.window = Peer.Root();
    event.xconfigure.width = 800;
    event.xconfigure.height = 600;
    XSendEvent(Peer.Dpy(), Peer.Root(), False, StructureNotifyMask, &event);
    XSync(Peer.Dpy(), False);
    EXPECT_TRUE(test::PumpUntil([&] { return Presenter->ScreenRect() == Rect(0, 0, 800, 600); }));
}

TEST_F(X11Display, AnIdleWaitWithAShownWindowTakesNoProcessorTime) {
    ShowPainted(1, Rect(0, 0, 300, 200), "Idle", 0);
    test::PumpFor(100ms);
    const long cpuBefore = test::ProcessCpuMicroseconds();
    const auto start = std::chrono::steady_clock::now();
    ProcessMessagesUntil([] { return false; }, Clock().TickMilliseconds() + 2000);
    const auto waited = std::chrono::steady_clock::now() - start;
    const long cpu = test::ProcessCpuMicroseconds() - cpuBefore;
    EXPECT_GE(waited, 1990ms);
    EXPECT_LT(cpu, 20000) << "microseconds of processor time in a 2-second idle wait";
    std::printf("idle 2 s wait with a shown window: %ld us of processor time\n", cpu);
}

TEST(X11PresenterOpening, ADisplayThatCannotBeOpenedFailsNamingIt) {
    try {
        MakeX11Presenter(":31999", TPresenterSink{});
        FAIL() << "no error";
    } catch (const EDisplayError& e) {
        EXPECT_NE(e.Message().find("\":31999\""), std::string::npos) << e.Message();
    }
}

}  // namespace
}  // namespace vex

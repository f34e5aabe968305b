#pragma once

// For tests only: another client of the test's display, which sees and does what a person or
// another program would. Include GoogleTest before it.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/presenter.h"
#include "platform/win/x11/x11errortrap.h"

namespace vex::test {

class X11Peer {
public:
    explicit X11Peer(const std::string& DisplayName) : FDisplay(XOpenDisplay(DisplayName.c_str())) {
        if (FDisplay == nullptr) throw std::runtime_error("cannot open " + DisplayName);
        // A test may end the server while the peer is connected.
        XSetIOErrorExitHandler(
            FDisplay, [](Display*, void*) {}, nullptr);
    }
    ~X11Peer() { XCloseDisplay(FDisplay); }
    X11Peer(const X11Peer&) = delete;
    X11Peer& operator=(const X11Peer&) = delete;

    Display* Dpy() const { return FDisplay; }
    Window Root() const { return DefaultRootWindow(FDisplay); }
    Atom AtomNamed(const char* Name) const { return XInternAtom(FDisplay, Name, False); }

    // The top-level window whose WM_NAME is Title, or 0.
    Window FindWindow(const std::string& Title) const {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(FDisplay, Root(), &root, &parent, &children, &count) == 0) return 0;
        for (unsigned i = 0; i < count && found == 0; ++i)
            if (Property(children[i], "WM_NAME") == Title) found = children[i];
        if (children != nullptr) XFree(children);
        return found;
    }

    // The bytes of a property of format 8, or the values of one of format 32; empty when it is
    // not there.
    std::string Property(Window W, const char* Name) const {
        std::string bytes;
        Read(W, Name, [&](int Format, unsigned long Count, unsigned char* Data) {
            if (Format == 8) bytes.assign(reinterpret_cast<char*>(Data), Count);
        });
        return bytes;
    }
    std::vector<unsigned long> Values(Window W, const char* Name) const {
        std::vector<unsigned long> values;
        Read(W, Name, [&](int Format, unsigned long Count, unsigned char* Data) {
            if (Format == 32) {
                const auto* longs = reinterpret_cast<unsigned long*>(Data);
                values.assign(longs, longs + Count);
            }
        });
        return values;
    }

    // The screen's pixels in Area, rows top to bottom, as 0x00RRGGBB.
    std::vector<uint32_t> Screen(const TRect& Area) const {
        const int width = Area.Right - Area.Left, height = Area.Bottom - Area.Top;
        XImage* image =
            XGetImage(FDisplay, Root(), Area.Left, Area.Top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (image == nullptr) throw std::runtime_error("XGetImage failed");
        std::vector<uint32_t> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
        XDestroyImage(image);
        return pixels;
    }

    // Sends the window a client message, as a window manager or another program would.
    void SendClientMessage(Window W, Atom Type, long Value) const {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = W;
        event.xclient.message_type = Type;
        event.xclient.format = 32;
        event.xclient.data.l[0] = Value;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(FDisplay, W, False, NoEventMask, &event);
        XSync(FDisplay, False);
    }

private:
    template <class Use>
    void Read(Window W, const char* Name, Use Consume) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        // The window may be destroyed by its owner at any time, which is then no property.
        TX11ErrorTrap trap(FDisplay);
        if (XGetWindowProperty(FDisplay, W, AtomNamed(Name), 0, 4096, False, AnyPropertyType, &type,
                               &format, &count, &after, &data) == Success &&
            data != nullptr)
            Consume(format, count, data);
        if (data != nullptr) XFree(data);
    }

    Display* FDisplay;
};

// Another client's view of the display catches up with our requests in its own time: asks
// Check (which describes what is still wrong, "" when nothing) until it is content or five
// seconds have passed, and returns its last answer.
template <class Check>
std::string Eventually(Check Describe) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::string wrong = Describe();
    while (!wrong.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        wrong = Describe();
    }
    return wrong;
}

}  // namespace vex::test

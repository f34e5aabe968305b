#pragma once

// For tests only: another program holding the display's clipboard with several targets at once,
// which xclip cannot. It answers from a thread of its own, over a connection of its own.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <atomic>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace vex::test {

class X11ClipboardHolder {
public:
    // Takes the CLIPBOARD selection on the display, offering Data by target name, each small
    // enough for one property.
    X11ClipboardHolder(const std::string& DisplayName,
                       const std::map<std::string, std::string>& Data)
        : FDisplay(XOpenDisplay(DisplayName.c_str())) {
        if (FDisplay == nullptr) throw std::runtime_error("cannot open " + DisplayName);
        for (const auto& [target, bytes] : Data)
            FData[XInternAtom(FDisplay, target.c_str(), False)] = bytes;
        FTargets = XInternAtom(FDisplay, "TARGETS", False);
        const Atom clipboard = XInternAtom(FDisplay, "CLIPBOARD", False);
        FWindow = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(FDisplay, clipboard, FWindow, CurrentTime);
        if (XGetSelectionOwner(FDisplay, clipboard) != FWindow)
            throw std::runtime_error("the clipboard was not given to the holder");
        FThread = std::thread([this] { Serve(); });
    }
    ~X11ClipboardHolder() {
        FStop = true;
        FThread.join();
        XCloseDisplay(FDisplay);
    }
    X11ClipboardHolder(const X11ClipboardHolder&) = delete;
    X11ClipboardHolder& operator=(const X11ClipboardHolder&) = delete;

private:
    void Serve() {
        pollfd connection{ConnectionNumber(FDisplay), POLLIN, 0};
        while (!FStop) {
            while (XPending(FDisplay) > 0) {
                XEvent event;
                XNextEvent(FDisplay, &event);
                if (event.type == SelectionRequest) Answer(event.xselectionrequest);
            }
            poll(&connection, 1, 10);
        }
    }

    void Answer(const XSelectionRequestEvent& Request) {
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = Request.requestor;
        reply.xselection.selection = Request.selection;
        reply.xselection.target = Request.target;
        reply.xselection.time = Request.time;
        reply.xselection.property = Request.property;
        if (Request.target == FTargets) {
            std::vector<unsigned long> targets = {FTargets};
            for (const auto& entry : FData)
                targets.push_back(entry.first);
            XChangeProperty(FDisplay, Request.requestor, Request.property, XA_ATOM, 32,
                            PropModeReplace, reinterpret_cast<unsigned char*>(targets.data()),
                            static_cast<int>(targets.size()));
        } else if (auto data = FData.find(Request.target); data != FData.end()) {
            XChangeProperty(FDisplay, Request.requestor, Request.property, Request.target, 8,
                            PropModeReplace,
                            reinterpret_cast<const unsigned char*>(data->second.data()),
                            static_cast<int>(data->second.size()));
        } else {
            reply.xselection.property = 0;
        }
        XSendEvent(FDisplay, Request.requestor, False, NoEventMask, &reply);
        XFlush(FDisplay);
    }

    Display* FDisplay;
    Window FWindow = 0;
    Atom FTargets = 0;
    std::map<Atom, std::string> FData;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

}  // namespace vex::test

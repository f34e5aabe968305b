#pragma once

#include <X11/Xlib.h>

#include <functional>

namespace vex {

class TX11Connection;

// A part of the platform other than the presenter that speaks over the presenter's display
// connection (the tray icon's window): one connection per process, whose events the presenter
// reads and offers to its clients first.
class TX11Client {
public:
    virtual ~TX11Client() = default;
    // An event came; true when it was the client's, which the presenter then leaves alone.
    virtual bool HandleX11Event(XEvent& Event) = 0;
    // An X11 presenter came into force: SharedX11Connection() is its connection. The one before
    // it, if any, may still be open, and closes later without the client being told.
    virtual void X11ConnectionOpened() = 0;
    // The connection in force is about to close, with no other in its place: whatever the
    // client made on it goes with it.
    virtual void X11ConnectionClosing() = 0;
};

// The connection of the X11 presenter in force; null while none is.
TX11Connection* SharedX11Connection();
// Sends what the clients queued and has the events Xlib read meanwhile handled (the descriptor
// will not wake the loop for them).
void FlushSharedX11();
// A client is told of the connection in force at once, and of every later one.
void AddX11Client(TX11Client* Client);
void RemoveX11Client(TX11Client* Client);

// The presenter's side. A presenter replacing another is made before the old one ends, so the
// old one's detach, coming after, leaves the new one in force.
void AttachX11Clients(TX11Connection* Connection, std::function<void()> Flush);
void DetachX11Clients(TX11Connection* Connection);
bool OfferX11Clients(XEvent& Event);

}  // namespace vex

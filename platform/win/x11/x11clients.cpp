#include "platform/win/x11/x11clients.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vex {

namespace {

struct TShared {
    TX11Connection* Connection = nullptr;
    std::function<void()> Flush;
    std::vector<TX11Client*> Clients;
};

TShared& Shared() {
    static TShared shared;
    return shared;
}

}  // namespace

TX11Connection* SharedX11Connection() {
    return Shared().Connection;
}

void FlushSharedX11() {
    if (Shared().Flush) Shared().Flush();
}

void AddX11Client(TX11Client* Client) {
    Shared().Clients.push_back(Client);
    if (Shared().Connection != nullptr) Client->X11ConnectionOpened();
}

void RemoveX11Client(TX11Client* Client) {
    auto& clients = Shared().Clients;
    clients.erase(std::remove(clients.begin(), clients.end(), Client), clients.end());
}

void AttachX11Clients(TX11Connection* Connection, std::function<void()> Flush) {
    Shared().Connection = Connection;
    Shared().Flush = std::move(Flush);
    // A copy: a client may leave while it is told.
    for (TX11Client* client : std::vector<TX11Client*>(Shared().Clients))
        client->X11ConnectionOpened();
}

void DetachX11Clients(TX11Connection* Connection) {
    if (Shared().Connection != Connection) return;
    for (TX11Client* client : std::vector<TX11Client*>(Shared().Clients))
        client->X11ConnectionClosing();
    Shared().Connection = nullptr;
    Shared().Flush = nullptr;
}

bool OfferX11Clients(XEvent& Event) {
    for (TX11Client* client : std::vector<TX11Client*>(Shared().Clients))
        if (client->HandleX11Event(Event)) return true;
    return false;
}

}  // namespace vex

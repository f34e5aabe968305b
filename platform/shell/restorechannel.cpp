#include "platform/shell/restorechannel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/shell/windowdirectory.h"
#include "platform/win/messageloop.h"

namespace vex {

namespace {

sockaddr_un AddressOf(const std::string& Path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (Path.size() >= sizeof address.sun_path)
        throw EWindowDirectoryError("The socket path " + Path + " is too long");
    std::memcpy(address.sun_path, Path.c_str(), Path.size() + 1);
    return address;
}

int DatagramSocket() {
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw EWindowDirectoryError(std::string("No socket for restore requests: ") +
                                    std::strerror(errno));
    return fd;
}

}  // namespace

TRestoreListener::TRestoreListener(std::string Path, std::function<void()> OnRequest)
    : FPath(std::move(Path)), FOnRequest(std::move(OnRequest)) {
    const sockaddr_un address = AddressOf(FPath);
    FFd = DatagramSocket();
    // A socket file left by an ended process with the same name would keep bind from working.
    unlink(FPath.c_str());
    if (bind(FFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        close(FFd);
        throw EWindowDirectoryError("Cannot take restore requests at " + FPath + ": " +
                                    std::strerror(error));
    }
    FWatch = std::make_unique<TDescriptorWatch>(FFd, POLLIN, [this](short) { Drain(); });
}

TRestoreListener::~TRestoreListener() {
    FWatch.reset();
    close(FFd);
    unlink(FPath.c_str());
}

void TRestoreListener::Drain() {
    bool requested = false;
    for (int i = 0; i < MaxDatagramsPerWake; ++i) {
        char buffer[kRestoreRequest.size() + 1];
        // MSG_TRUNC gives the datagram's whole length, so a longer one that starts with the
        // request is not taken for it.
        const ssize_t length = recv(FFd, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
        if (length < 0) break;
        if (std::string_view(buffer, std::min(static_cast<size_t>(length), sizeof buffer)) ==
            kRestoreRequest)
            requested = true;
    }
    if (requested) FOnRequest();
}

bool SendRestoreRequest(const std::string& Path) {
    const sockaddr_un address = AddressOf(Path);
    const int fd = DatagramSocket();
    const ssize_t sent =
        sendto(fd, kRestoreRequest.data(), kRestoreRequest.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
    return sent == static_cast<ssize_t>(kRestoreRequest.size());
}

}  // namespace vex

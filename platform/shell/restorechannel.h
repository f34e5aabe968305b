#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vex {

class TDescriptorWatch;

// How a restore request reaches a window's owner: one datagram on a UNIX socket in the
// directory's private folder, which the owner's message loop watches.
inline constexpr std::string_view kRestoreRequest = "restore";

// Takes restore requests on a socket at Path for as long as it lives. OnRequest runs on the main
// thread from the message loop, once for all the requests that arrived together; anything else
// that arrives is read and dropped. Raises EWindowDirectoryError when the socket cannot be made.
class TRestoreListener {
public:
    TRestoreListener(std::string Path, std::function<void()> OnRequest);
    ~TRestoreListener();
    TRestoreListener(const TRestoreListener&) = delete;
    TRestoreListener& operator=(const TRestoreListener&) = delete;

    // Datagrams read at one wake-up at most, so that a flood cannot hold the loop; the rest wait
    // for the next pass.
    static constexpr int MaxDatagramsPerWake = 64;

private:
    void Drain();

    std::string FPath;
    int FFd = -1;
    std::function<void()> FOnRequest;
    std::unique_ptr<TDescriptorWatch> FWatch;
};

// Sends a restore request to the socket at Path without waiting: false when nobody takes
// requests there or its queue is full.
bool SendRestoreRequest(const std::string& Path);

}  // namespace vex

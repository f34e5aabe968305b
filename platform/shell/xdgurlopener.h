#pragma once

#include <string>

#include "platform/shell/urlopener.h"

namespace vex {

// Opens an address with the desktop's xdg-open, found on PATH, as the one argument after the
// program's name: no shell ever reads the address. The message loop keeps running while xdg-open
// works, for at most Patience milliseconds of the clock: its exit status says whether the
// address was opened. One still running then (a desktop whose browser stays in the foreground)
// is taken as having opened it, and is reaped by a thread of its own when it ends.
class TXdgUrlOpener : public TUrlOpener {
public:
    explicit TXdgUrlOpener(int64_t Patience = 5000) : FPatience(Patience) {}
    void Open(const std::string& Url) override;

private:
    int64_t FPatience;
};

}  // namespace vex

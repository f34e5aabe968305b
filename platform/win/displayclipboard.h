#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vex {

// The clipboard a display shares between its programs, for text alone. The process's clipboard
// (clipboard.h) puts its text there and, while another program holds it, reads that program's.
class TDisplayClipboard {
public:
    // Pasted text is outside data: longer text is cut here.
    static constexpr size_t MaxText = 16u << 20;

    enum class THolder { Us, Elsewhere, Nobody };

    virtual ~TDisplayClipboard() = default;
    // Makes the display's clipboard ours, offering Text (Windows-1252; nullopt: nothing) to the
    // other programs until another takes it. False when the display refused.
    virtual bool Offer(std::optional<std::string> Text) = 0;
    virtual THolder Holder() = 0;
    // Whether the program holding the clipboard offers text, asked without fetching it (which
    // a look at what the clipboard holds need not pay for). Waits as Fetch does.
    virtual bool OffersText() = 0;
    // The text the program holding the clipboard gives, in Windows-1252: at most MaxText bytes,
    // cut at a NUL, bytes that are no character replaced. Waits through the message loop for a
    // bounded time; nullopt when the holder has no text, refuses or does not answer, and for a
    // fetch asked for by a handler that runs while another waits.
    virtual std::optional<std::string> Fetch() = 0;
};

}  // namespace vex

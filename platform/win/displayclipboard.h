#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vex {

// What the display's clipboard carries between programs: text, and rich text beside it.
enum class TDisplayFormat { Text, Rtf };

// What we offer, each format only when there.
struct TDisplayData {
    std::optional<std::string> Text;  // Windows-1252
    std::optional<std::string> Rtf;   // the bytes as they stand
};

// The clipboard a display shares between its programs. The process's clipboard (clipboard.h)
// puts its text and rich text there and, while another program holds it, reads that program's.
class TDisplayClipboard {
public:
    // Pasted data are outside data: longer data are cut here.
    static constexpr size_t MaxText = 16u << 20;

    enum class THolder { Us, Elsewhere, Nobody };

    virtual ~TDisplayClipboard() = default;
    // Makes the display's clipboard ours, offering Data to the other programs until another
    // takes it. False when the display refused.
    virtual bool Offer(TDisplayData Data) = 0;
    virtual THolder Holder() = 0;
    // The formats the program holding the clipboard offers, asked without fetching them (which
    // a look at what the clipboard holds need not pay for), in the order of TDisplayFormat.
    // Waits as Fetch does.
    virtual std::vector<TDisplayFormat> Offered() = 0;
    // What the program holding the clipboard gives in Format, at most MaxText bytes: text in
    // Windows-1252, cut at a NUL, bytes that are no character replaced; rich text as sent.
    // Waits through the message loop for a bounded time; nullopt when the holder has no such
    // data, refuses or does not answer, and for a fetch asked for by a handler that runs while
    // another waits.
    virtual std::optional<std::string> Fetch(TDisplayFormat Format) = 0;
};

}  // namespace vex

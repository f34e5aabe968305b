#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/displayclipboard.h"

namespace vex {

class TX11Connection;

// The display's CLIPBOARD selection as the shared clipboard. Owning it, we answer other
// programs' requests for TARGETS, UTF8_STRING, TEXT and STRING, and text/rtf for rich text;
// reading it, we ask its owner for UTF-8 (then Latin-1) or text/rtf and wait through the message
// loop, reading incremental transfers up to the limit. Outgoing data too large for one request
// are refused rather than sent in parts.
class TX11Clipboard : public TDisplayClipboard {
public:
    // How long the owner may keep us waiting for each step of an answer, and for all of it.
    static constexpr int64_t StepTimeoutMs = 2000;
    static constexpr int64_t TransferTimeoutMs = 30000;

    // Flush sends what is queued and has events Xlib read meanwhile handled.
    TX11Clipboard(const TX11Connection& Connection, std::function<void()> Flush);
    ~TX11Clipboard() override;
    TX11Clipboard(const TX11Clipboard&) = delete;
    TX11Clipboard& operator=(const TX11Clipboard&) = delete;

    bool Offer(TDisplayData Data) override;
    THolder Holder() override;
    std::vector<TDisplayFormat> Offered() override;
    std::optional<std::string> Fetch(TDisplayFormat Format) override;

    // Takes the events about the selection and our window; false for any other.
    bool HandleEvent(const XEvent& Event);

private:
    // The window that owns the selection and receives answers, made at first need.
    Window OwnWindow();
    void Answer(const XSelectionRequestEvent& Request);
    bool Convert(Atom Target, Atom Property, Window Requestor);
    // Asks the owner to convert to Target and waits for its answer: false when it refused or
    // did not answer; Refused tells which.
    bool Ask(Atom Target, int64_t Deadline, bool& Refused);
    // Asks the owner for Target, keeping at most Room bytes of its answer; Refused tells a
    // refusal from no answer.
    std::optional<std::string> FetchAs(Atom Target, size_t Room, bool& Refused);
    std::optional<std::string> FetchText();
    // Reads the reply property (deleting it, which asks an incremental sender for more) and
    // appends up to Room bytes of it to Raw; returns the bytes it held and its type.
    size_t TakeReply(std::string& Raw, size_t Room, Atom& Type);
    bool ReadIncrementally(std::string& Raw, size_t Room, int64_t Deadline);
    // Runs the message loop until Arrived holds or the deadline (a tick count) passes.
    bool Await(const std::function<bool()>& Arrived, int64_t Deadline);
    size_t MaxOutgoing() const;

    const TX11Connection& FConnection;
    std::function<void()> FFlush;
    Window FWindow = 0;  // 0 until first needed
    bool FOwned = false;
    TDisplayData FOffered;
    bool FTransferring = false;
    // What the owner's answers have brought so far.
    bool FNotified = false;
    Atom FNotifiedProperty = 0;
    bool FReplyGrew = false;  // a new chunk of an incremental transfer lies in the property
};

}  // namespace vex

#include "platform/win/x11/x11clipboard.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/messageloop.h"
#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11errortrap.h"
#include "platform/win/x11/x11text.h"

namespace vex {

namespace {

// UTF-8 takes at most four bytes for a character we keep one of.
constexpr size_t kMaxRaw = 4 * TDisplayClipboard::MaxText;

int64_t Now() {
    return Clock().TickMilliseconds();
}

// One transfer at a time: a handler run while we wait must not start a second one into the same
// reply property. Marks one under way for its scope, unless one already was.
class TOneTransfer {
public:
    explicit TOneTransfer(bool& Busy) : FBusy(Busy), FTaken(!Busy) { FBusy = true; }
    ~TOneTransfer() {
        if (FTaken) FBusy = false;
    }
    TOneTransfer(const TOneTransfer&) = delete;
    TOneTransfer& operator=(const TOneTransfer&) = delete;
    bool Taken() const { return FTaken; }

private:
    bool& FBusy;
    bool FTaken;
};

}  // namespace

TX11Clipboard::TX11Clipboard(const TX11Connection& Connection, std::function<void()> Flush)
    : FConnection(Connection), FFlush(std::move(Flush)) {}

TX11Clipboard::~TX11Clipboard() {
    if (FWindow != 0 && !FConnection.Lost()) XDestroyWindow(FConnection.Dpy(), FWindow);
}

Window TX11Clipboard::OwnWindow() {
    if (FWindow != 0) return FWindow;
    XSetWindowAttributes attributes{};
    // Property changes tell when an incremental sender has put the next chunk.
    attributes.event_mask = PropertyChangeMask;
    FWindow = XCreateWindow(FConnection.Dpy(), FConnection.Root(), -1, -1, 1, 1, 0, 0, InputOnly,
                            CopyFromParent, CWEventMask, &attributes);
    return FWindow;
}

bool TX11Clipboard::Offer(TDisplayData Data) {
    Display* dpy = FConnection.Dpy();
    FOffered = std::move(Data);
    XSetSelectionOwner(dpy, FConnection.Atoms().Clipboard, OwnWindow(), CurrentTime);
    FOwned = XGetSelectionOwner(dpy, FConnection.Atoms().Clipboard) == FWindow;
    if (!FOwned) FOffered = {};
    FFlush();
    return FOwned;
}

TDisplayClipboard::THolder TX11Clipboard::Holder() {
    // Asked of the server: the event telling us another program took it may still be on its way.
    const Window owner = XGetSelectionOwner(FConnection.Dpy(), FConnection.Atoms().Clipboard);
    FFlush();
    if (owner == FWindow && FOwned) return THolder::Us;
    FOwned = false;
    FOffered = {};
    return owner == 0 ? THolder::Nobody : THolder::Elsewhere;
}

std::optional<std::string> TX11Clipboard::Fetch(TDisplayFormat Format) {
    const TOneTransfer transfer(FTransferring);
    if (!transfer.Taken()) return std::nullopt;
    if (Format == TDisplayFormat::Text) return FetchText();
    bool refused = false;
    // Rich text is 7-bit by its own rules: what comes is kept as it came, only cut at the limit.
    return FetchAs(FConnection.Atoms().Rtf, MaxText, refused);
}

std::optional<std::string> TX11Clipboard::FetchText() {
    const TX11Atoms& atoms = FConnection.Atoms();
    for (Atom target : {atoms.Utf8String, static_cast<Atom>(XA_STRING)}) {
        bool refused = false;
        const std::optional<std::string> raw = FetchAs(target, kMaxRaw, refused);
        if (raw)
            return target == atoms.Utf8String ? Utf8ToWin1252(*raw, MaxText)
                                              : Latin1ToWin1252(*raw, MaxText);
        if (!refused) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> TX11Clipboard::FetchAs(Atom Target, size_t Room, bool& Refused) {
    const int64_t deadline = Now() + TransferTimeoutMs;
    if (!Ask(Target, deadline, Refused)) return std::nullopt;
    std::string raw;
    Atom type = 0;
    FReplyGrew = false;
    TakeReply(raw, Room, type);
    if (type == FConnection.Atoms().Incr) {
        raw.clear();
        if (!ReadIncrementally(raw, Room, deadline)) return std::nullopt;
    } else if (type == 0) {
        return std::nullopt;  // the owner named a property it never wrote
    }
    return raw;
}

bool TX11Clipboard::Ask(Atom Target, int64_t Deadline, bool& Refused) {
    Display* dpy = FConnection.Dpy();
    const TX11Atoms& atoms = FConnection.Atoms();
    XDeleteProperty(dpy, OwnWindow(), atoms.ClipboardReply);
    FNotified = false;
    XConvertSelection(dpy, atoms.Clipboard, Target, atoms.ClipboardReply, FWindow, CurrentTime);
    FFlush();
    if (!Await([this] { return FNotified; }, std::min(Deadline, Now() + StepTimeoutMs)))
        return false;
    Refused = FNotifiedProperty == 0;
    return !Refused;
}

std::vector<TDisplayFormat> TX11Clipboard::Offered() {
    const TOneTransfer transfer(FTransferring);
    if (!transfer.Taken()) return {};
    const TX11Atoms& atoms = FConnection.Atoms();
    bool refused = false;
    if (!Ask(atoms.Targets, Now() + StepTimeoutMs, refused)) return {};
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // A few hundred targets are plenty; more are not read.
    std::vector<TDisplayFormat> offered;
    if (XGetWindowProperty(FConnection.Dpy(), FWindow, atoms.ClipboardReply, 0, 256, True, XA_ATOM,
                           &type, &format, &count, &after, &data) == Success &&
        format == 32) {
        const auto* targets = reinterpret_cast<const unsigned long*>(data);
        const auto* end = targets + count;
        if (std::any_of(targets, end, [&](unsigned long Target) {
                return Target == atoms.Utf8String || Target == XA_STRING || Target == atoms.Text;
            }))
            offered.push_back(TDisplayFormat::Text);
        if (std::find(targets, end, FConnection.Atoms().Rtf) != end)
            offered.push_back(TDisplayFormat::Rtf);
    }
    if (data != nullptr) XFree(data);
    if (after > 0) XDeleteProperty(FConnection.Dpy(), FWindow, atoms.ClipboardReply);
    FFlush();
    return offered;
}

size_t TX11Clipboard::TakeReply(std::string& Raw, size_t Room, Atom& Type) {
    Display* dpy = FConnection.Dpy();
    const Atom property = FConnection.Atoms().ClipboardReply;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // The length is counted in 32-bit units; one more than the room tells whether more is left.
    const long units = static_cast<long>(Room / 4 + 1);
    if (XGetWindowProperty(dpy, FWindow, property, 0, units, True, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success) {
        Type = 0;
        return 0;
    }
    const size_t bytes = format == 0 ? 0 : count * static_cast<size_t>(format / 8);
    // Format 32 comes as longs; only the formats of bytes, 8, are kept.
    if (format == 8) Raw.append(reinterpret_cast<const char*>(data), std::min(bytes, Room));
    if (data != nullptr) XFree(data);
    // A property longer than asked for is not deleted by the read; the sender waits for that.
    if (after > 0) XDeleteProperty(dpy, FWindow, property);
    FFlush();
    Type = type;
    return bytes + after;
}

bool TX11Clipboard::ReadIncrementally(std::string& Raw, size_t Room, int64_t Deadline) {
    // The read of the INCR property deleted it, which asked for the first chunk. Chunks beyond
    // the room are taken and dropped, so the sender finishes and no late chunk lands in the
    // next transfer.
    for (;;) {
        if (!Await([this] { return FReplyGrew; }, std::min(Deadline, Now() + StepTimeoutMs)))
            return false;
        FReplyGrew = false;
        Atom type = 0;
        const size_t before = Raw.size();
        const size_t size = TakeReply(Raw, Room - std::min(Room, before), type);
        if (size == 0) return true;
    }
}

bool TX11Clipboard::Await(const std::function<bool()>& Arrived, int64_t Deadline) {
    if (FConnection.Lost()) return false;
    const TWaitResult result =
        ProcessMessagesUntil([&] { return Arrived() || FConnection.Lost(); }, Deadline);
    return result == TWaitResult::Condition && !FConnection.Lost();
}

bool TX11Clipboard::HandleEvent(const XEvent& Event) {
    const TX11Atoms& atoms = FConnection.Atoms();
    switch (Event.type) {
        case SelectionRequest:
            if (Event.xselectionrequest.owner != FWindow) return false;
            Answer(Event.xselectionrequest);
            return true;
        case SelectionClear:
            if (Event.xselectionclear.window != FWindow) return false;
            if (Event.xselectionclear.selection == atoms.Clipboard) {
                FOwned = false;
                FOffered = {};
            }
            return true;
        case SelectionNotify:
            if (Event.xselection.requestor != FWindow) return false;
            FNotified = true;
            FNotifiedProperty = Event.xselection.property;
            return true;
        case PropertyNotify:
            if (Event.xproperty.window != FWindow) return false;
            if (Event.xproperty.atom == atoms.ClipboardReply &&
                Event.xproperty.state == PropertyNewValue)
                FReplyGrew = true;
            return true;
        default:
            return false;
    }
}

void TX11Clipboard::Answer(const XSelectionRequestEvent& Request) {
    Display* dpy = FConnection.Dpy();
    // Clients of the oldest convention name no property: the target is the property then.
    const Atom property = Request.property == 0 ? Request.target : Request.property;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = dpy;
    reply.requestor = Request.requestor;
    reply.selection = Request.selection;
    reply.target = Request.target;
    reply.time = Request.time;
    // The requestor may have gone meanwhile.
    TX11ErrorTrap trap(dpy);
    const bool given = FOwned && Request.selection == FConnection.Atoms().Clipboard &&
                       Convert(Request.target, property, Request.requestor);
    reply.property = given ? property : 0;
    XEvent event{};
    event.xselection = reply;
    XSendEvent(dpy, Request.requestor, False, NoEventMask, &event);
    trap.Sync();
    FFlush();
}

bool TX11Clipboard::Convert(Atom Target, Atom Property, Window Requestor) {
    Display* dpy = FConnection.Dpy();
    const TX11Atoms& atoms = FConnection.Atoms();
    if (Target == atoms.Targets) {
        // The richest first.
        std::vector<unsigned long> targets = {atoms.Targets};
        if (FOffered.Rtf) targets.push_back(FConnection.Atoms().Rtf);
        if (FOffered.Text) targets.insert(targets.end(), {atoms.Utf8String, atoms.Text, XA_STRING});
        XChangeProperty(dpy, Requestor, Property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(targets.data()),
                        static_cast<int>(targets.size()));
        return true;
    }
    std::string converted;  // the text in the encoding asked for
    const std::string* data = &converted;
    Atom type = Target;
    if (FOffered.Text && (Target == atoms.Utf8String || Target == atoms.Text)) {
        converted = Win1252ToUtf8(*FOffered.Text);
        type = atoms.Utf8String;
    } else if (FOffered.Text && Target == XA_STRING) {
        converted = Win1252ToLatin1(*FOffered.Text);
    } else if (FOffered.Rtf && Target == FConnection.Atoms().Rtf) {
        data = &*FOffered.Rtf;
    } else {
        return false;
    }
    if (data->size() > MaxOutgoing()) return false;
    XChangeProperty(dpy, Requestor, Property, type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data->data()),
                    static_cast<int>(data->size()));
    return true;
}

size_t TX11Clipboard::MaxOutgoing() const {
    Display* dpy = FConnection.Dpy();
    long units = XExtendedMaxRequestSize(dpy);
    if (units == 0) units = XMaxRequestSize(dpy);
    // Less the request's own header.
    return static_cast<size_t>(units) * 4 - 64;
}

}  // namespace vex

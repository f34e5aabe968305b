#include "platform/win/clipboard.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win/presenter.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Where a format's data are.
enum class TSource {
    Here,      // set by us, or fetched
    Offered,   // offered by the program holding the display's clipboard, not fetched yet
    Fetching,  // on its way: a handler asking meanwhile finds none
};

struct TEntry {
    UINT Format;
    std::string Data;
    TSource Source = TSource::Here;
};

struct TClipboard {
    bool Open = false;
    HWND OpenedBy = 0;
    HWND Owner = 0;
    std::vector<TEntry> Formats;  // in the order set
    // What the display's clipboard offers has been listed in Formats in this opening.
    bool SyncedWhileOpen = false;
    uint64_t Changes = 0;  // counts emptyings and formats set
};

TClipboard& Board() {
    static TClipboard board;
    return board;
}

TDisplayClipboard* Display() {
    return Presenter().Clipboard();
}

UINT FormatNumber(TDisplayFormat Format) {
    return Format == TDisplayFormat::Text ? CF_TEXT : RegisterClipboardFormat(CF_RTF);
}

constexpr TDisplayFormat kDisplayFormats[] = {TDisplayFormat::Text, TDisplayFormat::Rtf};

// The display's format Format travels as; nullopt for one that stays in the process.
std::optional<TDisplayFormat> SharedAs(UINT Format) {
    for (TDisplayFormat shared : kDisplayFormats)
        if (FormatNumber(shared) == Format) return shared;
    return std::nullopt;
}

TEntry* Find(UINT Format) {
    std::vector<TEntry>& formats = Board().Formats;
    auto it = std::find_if(formats.begin(), formats.end(),
                           [&](const TEntry& Entry) { return Entry.Format == Format; });
    return it == formats.end() ? nullptr : &*it;
}

// The data under Format, unless they are still with the other program.
const std::string* Held(UINT Format) {
    const TEntry* entry = Find(Format);
    return entry == nullptr || entry->Source != TSource::Here ? nullptr : &entry->Data;
}

// Whether another program holds the display's clipboard, whose formats are then all the
// clipboard holds: what we kept is dropped.
bool HeldElsewhere(TDisplayClipboard& Display) {
    const TDisplayClipboard::THolder holder = Display.Holder();
    if (holder == TDisplayClipboard::THolder::Us) return false;
    Board().Formats.clear();
    Board().Owner = 0;
    return holder == TDisplayClipboard::THolder::Elsewhere;
}

// Lists what the other program offers among the formats, once an opening. Each is fetched when
// first read, so a paste of text does not pay for the rich text beside it.
void SyncWithDisplay() {
    TClipboard& board = Board();
    TDisplayClipboard* display = Display();
    if (display == nullptr || (board.Open && board.SyncedWhileOpen)) return;
    board.SyncedWhileOpen = board.Open;
    if (!HeldElsewhere(*display)) return;
    const uint64_t changes = board.Changes;
    const std::vector<TDisplayFormat> offered = display->Offered();
    // A handler run while the answer was awaited may have filled the clipboard: what it set
    // stands.
    if (board.Changes != changes) return;
    for (TDisplayFormat format : offered)
        board.Formats.push_back({FormatNumber(format), {}, TSource::Offered});
}

// Brings what the other program offers in Format into its place, or drops the format when the
// program does not give it.
void FetchOffered(TDisplayFormat Format) {
    const UINT number = FormatNumber(Format);
    TEntry* entry = Find(number);
    if (entry == nullptr || entry->Source != TSource::Offered) return;
    entry->Source = TSource::Fetching;
    TDisplayClipboard* display = Display();
    std::optional<std::string> data = display != nullptr ? display->Fetch(Format) : std::nullopt;
    // A handler run while the fetch waited may have emptied the clipboard or set the format:
    // what it did stands.
    entry = Find(number);
    if (entry == nullptr || entry->Source != TSource::Fetching) return;
    if (data) {
        entry->Data = std::move(*data);
        entry->Source = TSource::Here;
    } else {
        Board().Formats.erase(Board().Formats.begin() + (entry - Board().Formats.data()));
    }
}

// The formats a look from outside an opening sees: the other program is asked what it
// offers, which costs less than fetching it.
std::vector<UINT> FormatsSeen() {
    TClipboard& board = Board();
    TDisplayClipboard* display = Display();
    if (board.Open) SyncWithDisplay();
    const bool local = board.Open || display == nullptr || !HeldElsewhere(*display);
    std::vector<UINT> formats;
    if (local) {
        for (const TEntry& entry : board.Formats)
            formats.push_back(entry.Format);
    } else {
        for (TDisplayFormat format : display->Offered())
            formats.push_back(FormatNumber(format));
    }
    return formats;
}

// CF_TEXT ends at its first NUL, as the original's readers take it; rich text goes as it stands.
TDisplayData OfferedData() {
    TDisplayData offered;
    if (const std::string* text = Held(CF_TEXT)) offered.Text = text->substr(0, text->find('\0'));
    if (const std::string* rtf = Held(FormatNumber(TDisplayFormat::Rtf))) offered.Rtf = *rtf;
    return offered;
}

}  // namespace

bool OpenClipboard(HWND Owner) {
    TClipboard& board = Board();
    if (board.Open && board.OpenedBy != Owner) return false;
    if (!board.Open) board.SyncedWhileOpen = false;
    board.Open = true;
    board.OpenedBy = Owner;
    return true;
}

bool CloseClipboard() {
    TClipboard& board = Board();
    if (!board.Open) return false;
    board.Open = false;
    board.OpenedBy = 0;
    return true;
}

bool EmptyClipboard() {
    TClipboard& board = Board();
    if (!board.Open) return false;
    board.Formats.clear();
    ++board.Changes;
    board.Owner = board.OpenedBy;
    // The display's clipboard is ours from now on, and empty.
    if (TDisplayClipboard* display = Display()) display->Offer({});
    board.SyncedWhileOpen = true;
    return true;
}

bool SetClipboardData(UINT Format, std::string Data) {
    TClipboard& board = Board();
    if (!board.Open || Format == 0) return false;
    SyncWithDisplay();
    const std::optional<TDisplayFormat> shared = SharedAs(Format);
    // Offering takes the display's clipboard from the other program: what we keep of its
    // offer must be here before.
    if (shared)
        for (TDisplayFormat other : kDisplayFormats)
            if (other != *shared) FetchOffered(other);
    ++board.Changes;
    if (TEntry* entry = Find(Format)) {
        entry->Data = std::move(Data);
        entry->Source = TSource::Here;
    } else {
        board.Formats.push_back({Format, std::move(Data)});
    }
    if (shared)
        if (TDisplayClipboard* display = Display()) display->Offer(OfferedData());
    return true;
}

const std::string* GetClipboardData(UINT Format) {
    if (!Board().Open) return nullptr;
    SyncWithDisplay();
    if (const std::optional<TDisplayFormat> shared = SharedAs(Format)) FetchOffered(*shared);
    return Held(Format);
}

UINT EnumClipboardFormats(UINT Format) {
    TClipboard& board = Board();
    if (!board.Open) return 0;
    SyncWithDisplay();
    auto it = board.Formats.begin();
    if (Format != 0) {
        it = std::find_if(board.Formats.begin(), board.Formats.end(),
                          [&](const TEntry& Entry) { return Entry.Format == Format; });
        if (it != board.Formats.end()) ++it;
    }
    return it == board.Formats.end() ? 0 : it->Format;
}

bool IsClipboardFormatAvailable(UINT Format) {
    const std::vector<UINT> formats = FormatsSeen();
    return std::find(formats.begin(), formats.end(), Format) != formats.end();
}

int32_t CountClipboardFormats() {
    return static_cast<int32_t>(FormatsSeen().size());
}

UINT RegisterClipboardFormat(const std::string& Name) {
    return Name.empty() ? 0 : RegisterWindowMessage(Name);
}

HWND GetClipboardOwner() {
    TClipboard& board = Board();
    TDisplayClipboard* display = Display();
    // What an opening has read stays for the rest of it.
    if (display != nullptr && !(board.Open && board.SyncedWhileOpen)) HeldElsewhere(*display);
    return board.Owner;
}

HWND GetOpenClipboardWindow() {
    return Board().Open ? Board().OpenedBy : 0;
}

}  // namespace vex

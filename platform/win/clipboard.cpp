#include "platform/win/clipboard.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win/presenter.h"
#include "platform/win/window.h"

namespace vex {

namespace {

struct TClipboard {
    bool Open = false;
    HWND OpenedBy = 0;
    HWND Owner = 0;
    std::vector<std::pair<UINT, std::string>> Formats;  // in the order set
    // The display's text has been read into Formats in this opening.
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

std::pair<UINT, std::string>* Find(UINT Format) {
    std::vector<std::pair<UINT, std::string>>& formats = Board().Formats;
    auto it = std::find_if(formats.begin(), formats.end(),
                           [&](const auto& Entry) { return Entry.first == Format; });
    return it == formats.end() ? nullptr : &*it;
}

// Whether another program holds the display's clipboard, whose text is then all the clipboard
// holds: what we kept is dropped.
bool HeldElsewhere(TDisplayClipboard& Display) {
    const TDisplayClipboard::THolder holder = Display.Holder();
    if (holder == TDisplayClipboard::THolder::Us) return false;
    Board().Formats.clear();
    Board().Owner = 0;
    return holder == TDisplayClipboard::THolder::Elsewhere;
}

// Reads the other program's text into the formats, once an opening.
void SyncWithDisplay() {
    TClipboard& board = Board();
    TDisplayClipboard* display = Display();
    if (display == nullptr || (board.Open && board.SyncedWhileOpen)) return;
    board.SyncedWhileOpen = board.Open;
    if (!HeldElsewhere(*display)) return;
    const uint64_t changes = board.Changes;
    std::optional<std::string> text = display->Fetch();
    // A handler run while the fetch waited may have filled the clipboard: what it set stands.
    if (text && board.Changes == changes) board.Formats.emplace_back(CF_TEXT, std::move(*text));
}

// The formats a look from outside an opening sees: the other program is asked whether it
// offers text, which costs less than fetching it.
std::vector<UINT> FormatsSeen() {
    TClipboard& board = Board();
    TDisplayClipboard* display = Display();
    if (board.Open) SyncWithDisplay();
    const bool local = board.Open || display == nullptr || !HeldElsewhere(*display);
    if (!local) return display->OffersText() ? std::vector<UINT>{CF_TEXT} : std::vector<UINT>{};
    std::vector<UINT> formats;
    for (const auto& entry : board.Formats)
        formats.push_back(entry.first);
    return formats;
}

// CF_TEXT ends at its first NUL, as the original's readers take it.
std::optional<std::string> OfferedText() {
    const std::pair<UINT, std::string>* text = Find(CF_TEXT);
    if (text == nullptr) return std::nullopt;
    return text->second.substr(0, text->second.find('\0'));
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
    if (TDisplayClipboard* display = Display()) display->Offer(std::nullopt);
    board.SyncedWhileOpen = true;
    return true;
}

bool SetClipboardData(UINT Format, std::string Data) {
    TClipboard& board = Board();
    if (!board.Open || Format == 0) return false;
    SyncWithDisplay();
    ++board.Changes;
    if (std::pair<UINT, std::string>* entry = Find(Format))
        entry->second = std::move(Data);
    else
        board.Formats.emplace_back(Format, std::move(Data));
    if (Format == CF_TEXT)
        if (TDisplayClipboard* display = Display()) display->Offer(OfferedText());
    return true;
}

const std::string* GetClipboardData(UINT Format) {
    if (!Board().Open) return nullptr;
    SyncWithDisplay();
    const std::pair<UINT, std::string>* entry = Find(Format);
    return entry == nullptr ? nullptr : &entry->second;
}

UINT EnumClipboardFormats(UINT Format) {
    TClipboard& board = Board();
    if (!board.Open) return 0;
    SyncWithDisplay();
    auto it = board.Formats.begin();
    if (Format != 0) {
        it = std::find_if(board.Formats.begin(), board.Formats.end(),
                          [&](const auto& Entry) { return Entry.first == Format; });
        if (it != board.Formats.end()) ++it;
    }
    return it == board.Formats.end() ? 0 : it->first;
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

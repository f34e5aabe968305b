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

// While another program holds the display's clipboard, its text is all the clipboard holds;
// read once an opening, and at each look from outside one.
void SyncWithDisplay() {
    TClipboard& board = Board();
    TDisplayClipboard* display = Display();
    if (display == nullptr || (board.Open && board.SyncedWhileOpen)) return;
    board.SyncedWhileOpen = board.Open;
    const TDisplayClipboard::THolder holder = display->Holder();
    if (holder == TDisplayClipboard::THolder::Us) return;
    board.Formats.clear();
    board.Owner = 0;
    if (holder == TDisplayClipboard::THolder::Nobody) return;
    if (std::optional<std::string> text = display->Fetch())
        board.Formats.emplace_back(CF_TEXT, std::move(*text));
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
    SyncWithDisplay();
    return Find(Format) != nullptr;
}

int32_t CountClipboardFormats() {
    SyncWithDisplay();
    return static_cast<int32_t>(Board().Formats.size());
}

UINT RegisterClipboardFormat(const std::string& Name) {
    return Name.empty() ? 0 : RegisterWindowMessage(Name);
}

HWND GetClipboardOwner() {
    SyncWithDisplay();
    return Board().Owner;
}

HWND GetOpenClipboardWindow() {
    return Board().Open ? Board().OpenedBy : 0;
}

}  // namespace vex

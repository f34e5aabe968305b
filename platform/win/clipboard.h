#pragma once

#include <cstdint>
#include <string>

#include "platform/win/messages.h"

namespace vex {

// The clipboard: data in formats, kept in the order they were set. The data are byte strings,
// which stand for the original's global memory blocks with its ownership rules: SetClipboardData
// takes the data, and what GetClipboardData gives stays the clipboard's. In the process alone,
// unless the presenter has a display: then the text and the rich text (CF_TEXT and CF_RTF) are
// the display's clipboard, offered to other programs when set, and theirs read when they hold
// it. Main thread only.

inline constexpr UINT CF_TEXT = 1;  // Windows-1252 text, ending at its first NUL
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_METAFILEPICT = 3;
inline constexpr UINT CF_DIB = 8;
// Registered under this name (RegisterClipboardFormat) by the rich-text controls.
inline constexpr const char* CF_RTF = "Rich Text Format";

// Opens the clipboard for Owner (0: for the process). False while another window has it open.
bool OpenClipboard(HWND Owner);
// False when it was not open.
bool CloseClipboard();
// Drops every format and makes the window that opened the clipboard its owner; only while open.
bool EmptyClipboard();
// Puts Data under Format, replacing what it held there (which keeps its place in the order);
// only while open, and never under format 0.
bool SetClipboardData(UINT Format, std::string Data);
// The data under Format while the clipboard is open, or null. They stay the clipboard's: good
// until the clipboard is emptied or closed, or the format set again.
const std::string* GetClipboardData(UINT Format);
// The format after Format in the order they were set (0: the first); 0 after the last, and
// when the clipboard is not open.
UINT EnumClipboardFormats(UINT Format);
bool IsClipboardFormatAvailable(UINT Format);
int32_t CountClipboardFormats();
// A format number from 0xC000 on for the name, the same for every call with that name
// (compared without regard to case) and shared with RegisterWindowMessage, as the original's;
// 0 for an empty name or when the range is used up.
UINT RegisterClipboardFormat(const std::string& Name);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

// The clipboard, open for a scope; nothing happens while another window holds it.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND Owner) : FOpen(OpenClipboard(Owner)) {}
    ~TOpenClipboard() {
        if (FOpen) CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool Open() const { return FOpen; }

private:
    bool FOpen;
};

}  // namespace vex

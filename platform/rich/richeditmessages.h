#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// The notices a rich-text control sends, by the bits of its event mask that ask for them
// (EM_SETEVENTMASK). The control's typed calls stand for the messages; these numbers are what
// its parent hears in WM_NOTIFY and what stored masks hold.
inline constexpr uint32_t ENM_NONE = 0x00000000;
inline constexpr uint32_t ENM_CHANGE = 0x00000001;
inline constexpr uint32_t ENM_UPDATE = 0x00000002;
inline constexpr uint32_t ENM_SCROLL = 0x00000004;
inline constexpr uint32_t ENM_KEYEVENTS = 0x00010000;
inline constexpr uint32_t ENM_MOUSEEVENTS = 0x00020000;
inline constexpr uint32_t ENM_REQUESTRESIZE = 0x00040000;
inline constexpr uint32_t ENM_SELCHANGE = 0x00080000;
inline constexpr uint32_t ENM_DROPFILES = 0x00100000;
inline constexpr uint32_t ENM_PROTECTED = 0x00200000;
inline constexpr uint32_t ENM_LINK = 0x04000000;

inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT EN_REQUESTRESIZE = 0x0701;
inline constexpr UINT EN_SELCHANGE = 0x0702;
inline constexpr UINT EN_PROTECTED = 0x0704;
inline constexpr UINT EN_SAVECLIPBOARD = 0x0708;
inline constexpr UINT EN_LINK = 0x070B;

// What the selection holds (EM_SELECTIONTYPE).
inline constexpr uint16_t SEL_EMPTY = 0x0000;
inline constexpr uint16_t SEL_TEXT = 0x0001;
inline constexpr uint16_t SEL_OBJECT = 0x0002;
inline constexpr uint16_t SEL_MULTICHAR = 0x0004;
inline constexpr uint16_t SEL_MULTIOBJECT = 0x0008;

// Stream formats (EM_STREAMIN, EM_STREAMOUT).
inline constexpr uint32_t SF_TEXT = 0x0001;
inline constexpr uint32_t SF_RTF = 0x0002;
inline constexpr uint32_t SFF_SELECTION = 0x8000;

// A range of characters; CpMax -1 is the end of the text.
struct TCharRange {
    int32_t CpMin = 0;
    int32_t CpMax = 0;
    friend bool operator==(const TCharRange&, const TCharRange&) = default;
};

// A mouse message over a link (EN_LINK): the message as the control received it and the link.
struct TENLink {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    TCharRange Range;
};

// An edit about to change protected text (EN_PROTECTED): the message that makes it and the
// range it touches.
struct TENProtected {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    TCharRange Range;
};

}  // namespace vex

#include "platform/gfx/cursors.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/core/stringutils.h"
#include "platform/win/cursor.h"

namespace vex {

namespace {

struct TCursorIdent {
    TCursor Cursor;
    std::string_view Ident;
};

constexpr std::array<TCursorIdent, 22> CursorIdents = {{
    {crDefault, "crDefault"},
    {crArrow, "crArrow"},
    {crCross, "crCross"},
    {crIBeam, "crIBeam"},
    {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"},
    {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},
    {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},
    {crNo, "crNo"},
    {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
    {crNone, "crNone"},
}};

// The framework's picture cursors are numbered 32000 less their constant.
constexpr TCursorSource Picture(TCursor Cursor) {
    return TCursorSource{true, static_cast<uint32_t>(32000 - Cursor)};
}
constexpr TCursorSource Standard(uint32_t Id) {
    return TCursorSource{false, Id};
}

constexpr std::array<std::pair<TCursor, TCursorSource>, 20> CursorSources = {{
    {crArrow, Standard(IDC_ARROW)},          {crCross, Standard(IDC_CROSS)},
    {crIBeam, Standard(IDC_IBEAM)},          {crSizeNESW, Standard(IDC_SIZENESW)},
    {crSizeNS, Standard(IDC_SIZENS)},        {crSizeNWSE, Standard(IDC_SIZENWSE)},
    {crSizeWE, Standard(IDC_SIZEWE)},        {crUpArrow, Standard(IDC_UPARROW)},
    {crHourGlass, Standard(IDC_WAIT)},       {crDrag, Picture(crDrag)},
    {crNoDrop, Picture(crNoDrop)},           {crHSplit, Picture(crHSplit)},
    {crVSplit, Picture(crVSplit)},           {crMultiDrag, Picture(crMultiDrag)},
    {crSQLWait, Standard(IDC_WAIT)},         {crNo, Standard(IDC_NO)},
    {crAppStart, Standard(IDC_APPSTARTING)}, {crHelp, Picture(crHelp)},
    {crHandPoint, Standard(IDC_HAND)},       {crSizeAll, Standard(IDC_SIZEALL)},
}};

}  // namespace

TCursorSource CursorSource(TCursor Cursor) {
    for (const auto& [cursor, source] : CursorSources)
        if (cursor == Cursor) return source;
    return TCursorSource();
}

bool CursorToIdent(int32_t Cursor, std::string& Ident) {
    for (const TCursorIdent& entry : CursorIdents) {
        if (entry.Cursor != Cursor) continue;
        Ident = entry.Ident;
        return true;
    }
    return false;
}

bool IdentToCursor(const std::string& Ident, int32_t& Cursor) {
    for (const TCursorIdent& entry : CursorIdents) {
        if (!SameText(entry.Ident, Ident)) continue;
        Cursor = entry.Cursor;
        return true;
    }
    return false;
}

}  // namespace vex

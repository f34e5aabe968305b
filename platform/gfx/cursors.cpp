#include "platform/gfx/cursors.h"

#include <array>
#include <string_view>

#include "platform/core/stringutils.h"

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

}  // namespace

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

#pragma once

// Formats as the test tables write them: one field by name, as text.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/core/stringutils.h"
#include "platform/rich/richformats.h"

namespace vex::test {

inline std::string TabsOf(const TRichParaFormat& Format) {
    std::string text;
    for (int32_t tab : Format.Tabs)
        text += (text.empty() ? "" : ",") + std::to_string(tab);
    return text;
}

// "gap <twips> left <twips>" and each cell's right edge, its borders after a '+' as letters of
// l, t, r and b; "none" for a paragraph that has no cells, gap or left edge.
inline std::string CellsOf(const TRichParaFormat& Format) {
    if (!Format.IsRow() && Format.CellGap == 0 && Format.RowLeft == 0) return "none";
    std::string text =
        "gap " + std::to_string(Format.CellGap) + " left " + std::to_string(Format.RowLeft);
    for (const TRichCell& cell : Format.Cells) {
        text += " " + std::to_string(cell.Right);
        if (cell.Borders != 0) text += "+";
        for (const auto& [side, letter] : {std::pair{CellBorderLeft, 'l'},
                                           {CellBorderTop, 't'},
                                           {CellBorderRight, 'r'},
                                           {CellBorderBottom, 'b'}})
            if (cell.Borders & side) text += letter;
    }
    return text;
}

inline std::string CharField(const TRichCharFormat& F, const std::string& Field) {
    if (Field == "face") return F.Face;
    if (Field == "size") return std::to_string(F.Size);
    if (Field == "color") return F.AutoColor ? "auto" : "0x" + IntToHex(F.Color, 6);
    if (Field == "charset") return std::to_string(F.Charset);
    if (Field == "pitch") return std::to_string(F.Pitch);
    if (Field == "bold") return std::to_string(F.Bold);
    if (Field == "italic") return std::to_string(F.Italic);
    if (Field == "underline") return std::to_string(F.Underline);
    if (Field == "strike") return std::to_string(F.StrikeOut);
    if (Field == "protected") return std::to_string(F.Protected);
    ADD_FAILURE() << "unknown field " << Field;
    return "";
}

inline std::string ParaField(const TRichParaFormat& F, const std::string& Field) {
    if (Field == "align") return std::to_string(F.Alignment);
    if (Field == "start") return std::to_string(F.StartIndent);
    if (Field == "offset") return std::to_string(F.Offset);
    if (Field == "right") return std::to_string(F.RightIndent);
    if (Field == "before") return std::to_string(F.SpaceBefore);
    if (Field == "after") return std::to_string(F.SpaceAfter);
    if (Field == "rule") return std::to_string(F.LineSpacingRule);
    if (Field == "spacing") return std::to_string(F.LineSpacing);
    if (Field == "tabs") return TabsOf(F);
    if (Field == "numbering") return std::to_string(F.Numbering);
    if (Field == "cells") return CellsOf(F);
    ADD_FAILURE() << "unknown field " << Field;
    return "";
}

}  // namespace vex::test

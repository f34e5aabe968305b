#pragma once

#include <cstdint>
#include <string_view>

namespace vex {

// What a control word does to the reader; words not listed are ignored.
enum class TRtfKeyword {
    Unknown,
    // document
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Bin,
    // destinations
    FontTable,
    ColorTable,
    SkippedDestination,
    Object,
    Result,
    FieldResult,
    Numbering,
    // font and colour tables
    Font,
    FontCharset,
    FontPitch,
    Red,
    Green,
    Blue,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Color,
    Protect,
    Hidden,
    // paragraphs
    ParagraphDefault,
    AlignLeft,
    AlignRight,
    AlignCenter,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    Tab,
    BulletLevel,
    ListItem,
    // tables
    RowDefaults,
    RowGap,
    RowLeft,
    CellEdge,
    CellBorder,
    BorderNone,
    InTable,
    // text
    TabChar,
    ParagraphEnd,
    Cell,
    RowEnd,
    NestedCell,  // a cell or row of a table inside a cell, read as a blank
    Symbol,
};

struct TRtfWord {
    TRtfKeyword Keyword = TRtfKeyword::Unknown;
    char Char = 0;     // the character of a symbol word, 0 for one that stands for nothing
    uint8_t Side = 0;  // the side of a cell border word
};

TRtfWord LookUpRtfWord(std::string_view Name);

}  // namespace vex

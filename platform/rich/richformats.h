#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/font.h"

namespace vex {

// Which fields of a character format are meant: by a setter, the fields to change; by a getter
// over a selection, the fields that hold one value throughout it (a cleared bit is "mixed").
enum : uint32_t {
    CFM_BOLD = 0x00000001,
    CFM_ITALIC = 0x00000002,
    CFM_UNDERLINE = 0x00000004,
    CFM_STRIKEOUT = 0x00000008,
    CFM_PROTECTED = 0x00000010,
    CFM_CHARSET = 0x08000000,
    CFM_FACE = 0x20000000,  // the face name and its pitch
    CFM_COLOR = 0x40000000,
    CFM_SIZE = 0x80000000,
    CFM_ALL = 0xE800001F,
};

// The character sets the engine knows; any other number stands for the default one.
bool IsKnownCharset(int32_t Charset);

constexpr size_t MaxFaceLength = 31;
// Half a point to 1638 points, the sizes RTF can say.
constexpr int32_t MinFontSize = 10;
constexpr int32_t MaxFontSize = 32760;

struct TRichCharFormat {
    std::string Face = "MS Sans Serif";
    int32_t Size = 160;  // twips
    bool AutoColor = true;
    uint32_t Color = 0;  // 0x00BBGGRR, meaningful only without AutoColor
    uint8_t Charset = ANSI_CHARSET;
    uint8_t Pitch = 0;  // 0 default, 1 fixed, 2 variable
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool Protected = false;

    // Longer names are cut, as the format record of the original held 31 characters.
    void SetFace(const std::string& Value);
    // Copies the fields of Mask from Source.
    void Assign(const TRichCharFormat& Source, uint32_t Mask);
    // Makes the format one the engine can hold: the face cut, the size within bounds, no
    // colour kept with AutoColor,
    // a known pitch, and DefaultCharset for a character set the engine does not know.
    void Normalize(uint8_t DefaultCharset);
    // The fields of Mask in which the two differ.
    uint32_t Differences(const TRichCharFormat& Other) const;
    bool operator==(const TRichCharFormat&) const = default;
};

enum : uint32_t {
    PFM_STARTINDENT = 0x001,
    PFM_RIGHTINDENT = 0x002,
    PFM_OFFSET = 0x004,
    PFM_ALIGNMENT = 0x008,
    PFM_TABSTOPS = 0x010,
    PFM_NUMBERING = 0x020,
    PFM_SPACEBEFORE = 0x040,
    PFM_SPACEAFTER = 0x080,
    PFM_LINESPACING = 0x100,
    PFM_ALL = 0x1FF,
};

constexpr uint16_t PFA_LEFT = 1;
constexpr uint16_t PFA_RIGHT = 2;
constexpr uint16_t PFA_CENTER = 3;
constexpr uint16_t PFA_JUSTIFY = 4;  // kept, laid out as left
constexpr uint16_t PFN_BULLET = 1;
constexpr size_t MAX_TAB_STOPS = 32;
// Rows hold as many cells as the richest word processors allow.
constexpr size_t MaxRowCells = 63;

// In a table row's text each cell ends in a cell mark, and a line break inside a cell is a
// character of its own, so that a row stays one paragraph however many lines its cells hold.
constexpr char RichCellMark = '\t';
constexpr char RichCellBreak = '\v';

// Which sides of a table cell carry a border line.
enum : uint8_t {
    CellBorderLeft = 1,
    CellBorderTop = 2,
    CellBorderRight = 4,
    CellBorderBottom = 8,
};

// A cell of a table row: its right edge in twips from the layout's left edge, with its half of
// the gap between cells, and its border lines.
struct TRichCell {
    int32_t Right = 0;
    uint8_t Borders = 0;
    bool operator==(const TRichCell&) const = default;
};

struct TRichParaFormat {
    uint16_t Numbering = 0;
    int32_t StartIndent = 0;  // twips, all of them
    int32_t RightIndent = 0;
    int32_t Offset = 0;  // of the lines after the first, from the first
    uint16_t Alignment = PFA_LEFT;
    std::vector<int32_t> Tabs;
    int32_t SpaceBefore = 0;
    int32_t SpaceAfter = 0;
    // Rules 0 single, 1 one and a half, 2 double, 3 at least LineSpacing twips, 4 exactly
    // LineSpacing twips, 5 LineSpacing twentieths of a line.
    uint8_t LineSpacingRule = 0;
    int32_t LineSpacing = 0;
    // A paragraph with cells is a table row: each cell mark in its text ends a cell, and the
    // cells stand side by side, each wrapping its own text. No mask names these, so a format set
    // through a mask keeps a row a row.
    std::vector<TRichCell> Cells;
    int32_t CellGap = 0;  // twips between a cell's edge and its text
    int32_t RowLeft = 0;  // twips from the layout's left edge to the first cell's left edge

    bool IsRow() const { return !Cells.empty(); }
    // False, and nothing changed, when all MaxRowCells are taken.
    bool AddCell(const TRichCell& Cell);
    // False, and nothing changed, when all MAX_TAB_STOPS are taken.
    bool AddTab(int32_t Position);
    // Keeps the first MAX_TAB_STOPS.
    void SetTabs(const std::vector<int32_t>& Positions);
    // A rule 5 spacing of one, one and a half or two lines is the same as rules 0 to 2 and is
    // kept as them, so that equal spacing compares equal whichever way it was set; a rule
    // without a positive value, or one unknown, is single spacing.
    void SetLineSpacing(uint8_t Rule, int32_t Value);
    void Assign(const TRichParaFormat& Source, uint32_t Mask);
    uint32_t Differences(const TRichParaFormat& Other) const;
    bool operator==(const TRichParaFormat&) const = default;
};

// Formats are stored once and referred to by number, so a run of text costs two integers.
template <typename TFormat, typename THash>
class TFormatPool {
public:
    int32_t Intern(const TFormat& Format) {
        auto found = FIndex.find(Format);
        if (found != FIndex.end()) return found->second;
        const auto number = static_cast<int32_t>(FFormats.size());
        FFormats.push_back(Format);
        FIndex.emplace(Format, number);
        return number;
    }
    const TFormat& operator[](int32_t Number) const { return FFormats.at(Number); }
    size_t size() const { return FFormats.size(); }

private:
    std::vector<TFormat> FFormats;
    std::unordered_map<TFormat, int32_t, THash> FIndex;
};

struct TRichCharFormatHash {
    size_t operator()(const TRichCharFormat& F) const;
};
struct TRichParaFormatHash {
    size_t operator()(const TRichParaFormat& F) const;
};
using TCharFormatPool = TFormatPool<TRichCharFormat, TRichCharFormatHash>;
using TParaFormatPool = TFormatPool<TRichParaFormat, TRichParaFormatHash>;

}  // namespace vex

#include "platform/rich/richformats.h"

#include <algorithm>
#include <functional>

namespace vex {

bool IsKnownCharset(int32_t Charset) {
    static constexpr std::array<int32_t, 19> known = {
        0, 1, 2, 77, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255};
    return std::find(known.begin(), known.end(), Charset) != known.end();
}

void TRichCharFormat::SetFace(const std::string& Value) {
    Face = Value.substr(0, MaxFaceLength);
}

void TRichCharFormat::Assign(const TRichCharFormat& Source, uint32_t Mask) {
    if (Mask & CFM_FACE) {
        Face = Source.Face;
        Pitch = Source.Pitch;
    }
    if (Mask & CFM_SIZE) Size = Source.Size;
    if (Mask & CFM_COLOR) {
        AutoColor = Source.AutoColor;
        Color = Source.Color;
    }
    if (Mask & CFM_CHARSET) Charset = Source.Charset;
    if (Mask & CFM_BOLD) Bold = Source.Bold;
    if (Mask & CFM_ITALIC) Italic = Source.Italic;
    if (Mask & CFM_UNDERLINE) Underline = Source.Underline;
    if (Mask & CFM_STRIKEOUT) StrikeOut = Source.StrikeOut;
    if (Mask & CFM_PROTECTED) Protected = Source.Protected;
}

void TRichCharFormat::Normalize(uint8_t DefaultCharset) {
    SetFace(Face);
    Size = std::clamp(Size, MinFontSize, MaxFontSize);
    if (AutoColor) Color = 0;
    Color &= 0xFFFFFF;
    if (Pitch > 2) Pitch = 0;
    if (!IsKnownCharset(Charset)) Charset = DefaultCharset;
}

uint32_t TRichCharFormat::Differences(const TRichCharFormat& Other) const {
    uint32_t mask = 0;
    if (Face != Other.Face || Pitch != Other.Pitch) mask |= CFM_FACE;
    if (Size != Other.Size) mask |= CFM_SIZE;
    if (AutoColor != Other.AutoColor || (!AutoColor && Color != Other.Color)) mask |= CFM_COLOR;
    if (Charset != Other.Charset) mask |= CFM_CHARSET;
    if (Bold != Other.Bold) mask |= CFM_BOLD;
    if (Italic != Other.Italic) mask |= CFM_ITALIC;
    if (Underline != Other.Underline) mask |= CFM_UNDERLINE;
    if (StrikeOut != Other.StrikeOut) mask |= CFM_STRIKEOUT;
    if (Protected != Other.Protected) mask |= CFM_PROTECTED;
    return mask;
}

bool TRichParaFormat::AddTab(int32_t Position) {
    if (Tabs.size() >= MAX_TAB_STOPS) return false;
    Tabs.push_back(Position);
    return true;
}

bool TRichParaFormat::AddCell(const TRichCell& Cell) {
    if (Cells.size() >= MaxRowCells) return false;
    Cells.push_back(Cell);
    return true;
}

void TRichParaFormat::SetTabs(const std::vector<int32_t>& Positions) {
    Tabs.assign(Positions.begin(), Positions.begin() + std::min(Positions.size(), MAX_TAB_STOPS));
}

void TRichParaFormat::SetLineSpacing(uint8_t Rule, int32_t Value) {
    if (Rule == 5 && (Value == 20 || Value == 30 || Value == 40)) {
        Rule = static_cast<uint8_t>(Value / 10 - 2);
        Value = 0;
    }
    if (Rule > 5 || (Rule >= 3 && Value <= 0)) Rule = 0;
    if (Rule <= 2) Value = 0;
    LineSpacingRule = Rule;
    LineSpacing = Value;
}

void TRichParaFormat::Assign(const TRichParaFormat& Source, uint32_t Mask) {
    if (Mask & PFM_STARTINDENT) StartIndent = Source.StartIndent;
    if (Mask & PFM_RIGHTINDENT) RightIndent = Source.RightIndent;
    if (Mask & PFM_OFFSET) Offset = Source.Offset;
    if (Mask & PFM_ALIGNMENT) Alignment = Source.Alignment;
    if (Mask & PFM_TABSTOPS) SetTabs(Source.Tabs);
    if (Mask & PFM_NUMBERING) Numbering = Source.Numbering;
    if (Mask & PFM_SPACEBEFORE) SpaceBefore = Source.SpaceBefore;
    if (Mask & PFM_SPACEAFTER) SpaceAfter = Source.SpaceAfter;
    if (Mask & PFM_LINESPACING) SetLineSpacing(Source.LineSpacingRule, Source.LineSpacing);
}

uint32_t TRichParaFormat::Differences(const TRichParaFormat& Other) const {
    uint32_t mask = 0;
    if (StartIndent != Other.StartIndent) mask |= PFM_STARTINDENT;
    if (RightIndent != Other.RightIndent) mask |= PFM_RIGHTINDENT;
    if (Offset != Other.Offset) mask |= PFM_OFFSET;
    if (Alignment != Other.Alignment) mask |= PFM_ALIGNMENT;
    if (Tabs != Other.Tabs) mask |= PFM_TABSTOPS;
    if (Numbering != Other.Numbering) mask |= PFM_NUMBERING;
    if (SpaceBefore != Other.SpaceBefore) mask |= PFM_SPACEBEFORE;
    if (SpaceAfter != Other.SpaceAfter) mask |= PFM_SPACEAFTER;
    if (LineSpacingRule != Other.LineSpacingRule || LineSpacing != Other.LineSpacing)
        mask |= PFM_LINESPACING;
    return mask;
}

namespace {

size_t Mix(size_t Seed, size_t Value) {
    return Seed ^ (Value + 0x9E3779B97F4A7C15ull + (Seed << 6) + (Seed >> 2));
}

}  // namespace

size_t TRichCharFormatHash::operator()(const TRichCharFormat& F) const {
    size_t h = std::hash<std::string>()(F.Face);
    h = Mix(h, static_cast<size_t>(F.Size));
    h = Mix(h, F.AutoColor ? 0x1000000u : F.Color);
    h = Mix(h, size_t{F.Charset} << 8 | F.Pitch);
    return Mix(h, size_t{F.Bold} | size_t{F.Italic} << 1 | size_t{F.Underline} << 2 |
                      size_t{F.StrikeOut} << 3 | size_t{F.Protected} << 4);
}

size_t TRichParaFormatHash::operator()(const TRichParaFormat& F) const {
    size_t h = Mix(F.Numbering, F.Alignment);
    for (int32_t value : {F.StartIndent, F.RightIndent, F.Offset, F.SpaceBefore, F.SpaceAfter,
                          F.LineSpacing, int32_t{F.LineSpacingRule}})
        h = Mix(h, static_cast<size_t>(value));
    for (int32_t tab : F.Tabs)
        h = Mix(h, static_cast<size_t>(tab));
    h = Mix(h, static_cast<size_t>(F.CellGap) << 32 ^ static_cast<uint32_t>(F.RowLeft));
    for (const TRichCell& cell : F.Cells)
        h = Mix(h, static_cast<size_t>(static_cast<uint32_t>(cell.Right)) << 8 | cell.Borders);
    return h;
}

}  // namespace vex

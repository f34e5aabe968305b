#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// Text alignment: horizontal, vertical and current-position flags combine.
inline constexpr uint32_t TA_NOUPDATECP = 0;
inline constexpr uint32_t TA_UPDATECP = 1;
inline constexpr uint32_t TA_LEFT = 0;
inline constexpr uint32_t TA_RIGHT = 2;
inline constexpr uint32_t TA_CENTER = 6;
inline constexpr uint32_t TA_TOP = 0;
inline constexpr uint32_t TA_BOTTOM = 8;
inline constexpr uint32_t TA_BASELINE = 24;

inline constexpr uint32_t ETO_OPAQUE = 2;
inline constexpr uint32_t ETO_CLIPPED = 4;

inline constexpr uint32_t DT_TOP = 0x0;
inline constexpr uint32_t DT_LEFT = 0x0;
inline constexpr uint32_t DT_CENTER = 0x1;
inline constexpr uint32_t DT_RIGHT = 0x2;
inline constexpr uint32_t DT_VCENTER = 0x4;
inline constexpr uint32_t DT_BOTTOM = 0x8;
inline constexpr uint32_t DT_WORDBREAK = 0x10;
inline constexpr uint32_t DT_SINGLELINE = 0x20;
inline constexpr uint32_t DT_EXPANDTABS = 0x40;
inline constexpr uint32_t DT_TABSTOP = 0x80;
inline constexpr uint32_t DT_NOCLIP = 0x100;
inline constexpr uint32_t DT_EXTERNALLEADING = 0x200;
inline constexpr uint32_t DT_CALCRECT = 0x400;
inline constexpr uint32_t DT_NOPREFIX = 0x800;
inline constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// Returns the alignment it replaced.
uint32_t SetTextAlign(HDC DC, uint32_t Align);
uint32_t GetTextAlign(HDC DC);

// The metrics of the context's font.
bool GetTextMetrics(HDC DC, TTextMetric& Metric);
// Width and height of Text in the context's font, without regard to tabs or line breaks.
bool GetTextExtentPoint(HDC DC, std::string_view Text, TSize& Size);
bool TextOut(HDC DC, int32_t X, int32_t Y, std::string_view Text);
bool ExtTextOut(HDC DC, int32_t X, int32_t Y, uint32_t Options, const TRect* Rect,
                std::string_view Text);

struct TDrawTextParams {
    // Tab stops every iTabLength average character widths (8 when 0 or less).
    int32_t iTabLength = 8;
    int32_t iLeftMargin = 0;
    int32_t iRightMargin = 0;
    // Set to the number of bytes of the text that were processed.
    uint32_t uiLengthDrawn = 0;
};

// Lays Text out in Rect by the DT_ flags and draws it with the context's colours and
// background mode; the height of the text is returned. With DT_CALCRECT nothing is drawn and
// Rect's right and bottom are set to fit the text (for several lines, the widest one).
// DT_VCENTER and DT_BOTTOM work with DT_SINGLELINE only, as on the original.
int32_t DrawText(HDC DC, std::string_view Text, TRect& Rect, uint32_t Format);
int32_t DrawTextEx(HDC DC, std::string_view Text, TRect& Rect, uint32_t Format,
                   TDrawTextParams* Params);

}  // namespace vex

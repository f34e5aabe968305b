#pragma once

#include <cstdint>

#include "platform/gfx/canvas.h"

namespace vex {

// Edges of DrawEdge: an outer and an inner line, each raised or sunken.
inline constexpr uint32_t BDR_RAISEDOUTER = 0x0001;
inline constexpr uint32_t BDR_SUNKENOUTER = 0x0002;
inline constexpr uint32_t BDR_RAISEDINNER = 0x0004;
inline constexpr uint32_t BDR_SUNKENINNER = 0x0008;
inline constexpr uint32_t BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr uint32_t BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

inline constexpr uint32_t BF_LEFT = 0x0001;
inline constexpr uint32_t BF_TOP = 0x0002;
inline constexpr uint32_t BF_RIGHT = 0x0004;
inline constexpr uint32_t BF_BOTTOM = 0x0008;
inline constexpr uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr uint32_t BF_MIDDLE = 0x0800;
inline constexpr uint32_t BF_SOFT = 0x1000;
inline constexpr uint32_t BF_ADJUST = 0x2000;
inline constexpr uint32_t BF_FLAT = 0x4000;
inline constexpr uint32_t BF_MONO = 0x8000;

inline constexpr uint32_t DFC_SCROLL = 3;
inline constexpr uint32_t DFC_BUTTON = 4;

inline constexpr uint32_t DFCS_BUTTONCHECK = 0x0000;
inline constexpr uint32_t DFCS_BUTTONRADIO = 0x0004;
inline constexpr uint32_t DFCS_BUTTONPUSH = 0x0010;
inline constexpr uint32_t DFCS_SCROLLUP = 0x0000;
inline constexpr uint32_t DFCS_SCROLLDOWN = 0x0001;
inline constexpr uint32_t DFCS_SCROLLLEFT = 0x0002;
inline constexpr uint32_t DFCS_SCROLLRIGHT = 0x0003;
inline constexpr uint32_t DFCS_SCROLLCOMBOBOX = 0x0005;
inline constexpr uint32_t DFCS_INACTIVE = 0x0100;
inline constexpr uint32_t DFCS_PUSHED = 0x0200;
inline constexpr uint32_t DFCS_CHECKED = 0x0400;
inline constexpr uint32_t DFCS_FLAT = 0x4000;
inline constexpr uint32_t DFCS_MONO = 0x8000;

// The classic 3-D border along the sides Flags names: the outer line first, then the inner one
// inside it (a lone inner edge takes the outer place). Top and left lines stop a pixel short of
// a drawn right or bottom line, which owns the corners. BF_MIDDLE fills what is left with the
// button face (the window colour with BF_FLAT or BF_MONO); BF_ADJUST moves Rect inside the
// lines drawn. Rect is logical; the lines are a pixel wide whatever the mapping. False for a
// null context.
bool DrawEdge(HDC DC, TRect& Rect, uint32_t Edge, uint32_t Flags);

// Inverts every other pixel of the rectangle's one-pixel border, so a second call restores it.
bool DrawFocusRect(HDC DC, const TRect& Rect);

// Push buttons, check boxes, radio buttons and scroll arrows in the classic look. Rect is not
// changed; false for a null context or a kind not listed above.
bool DrawFrameControl(HDC DC, TRect& Rect, uint32_t Type, uint32_t State);

}  // namespace vex

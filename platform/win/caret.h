#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// The text caret: one per thread, belonging to one window, which draws it as a rectangle of
// inverted pixels over its own and puts them back when it blinks off.

// The pixels of a bitmap caret (0x00RRGGBB, row after row), each exclusive-ored onto the pixel
// beneath it: black leaves a pixel alone, white inverts it. CreateCaret copies them.
struct TCaretBitmap {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// Asks CreateCaret for a grey caret, which halves the inversion, instead of a bitmap.
extern const TCaretBitmap GrayCaretBitmap;
inline constexpr const TCaretBitmap* GrayCaret = &GrayCaretBitmap;

// The blink time that never blinks: the caret stays on while it is shown.
inline constexpr UINT CaretNoBlink = 0xFFFFFFFF;

// Replaces the thread's caret with a new, hidden one at (0, 0) of Wnd's client area: solid with
// Bitmap null, grey with GrayCaret, else the bitmap's picture at the bitmap's size. A width or
// height of 0 (or less) is one pixel. False when Wnd is no window.
bool CreateCaret(HWND Wnd, const TCaretBitmap* Bitmap, int32_t Width, int32_t Height);
// Takes the caret away. False when the thread has none.
bool DestroyCaret();
// Hiding nests: the caret shows once every HideCaret (and its creation) has had its
// ShowCaret. Wnd 0 means the caret's own window; another window, or a caret already showing,
// answers false and changes nothing.
bool HideCaret(HWND Wnd);
bool ShowCaret(HWND Wnd);
// Moves the caret (client coordinates of its window), shown or not; a shown caret comes on at
// once at its new place. False when the thread has no caret.
bool SetCaretPos(int32_t X, int32_t Y);
bool GetCaretPos(TPoint& Point);

// Milliseconds from on to off and back, for this process alone (CaretNoBlink: never); 530 at
// first. Setting it restarts the blinking; 0 is refused.
UINT GetCaretBlinkTime();
bool SetCaretBlinkTime(UINT Milliseconds);

// The caret as a test sees it.
struct TCaretState {
    HWND Wnd = 0;  // 0: the thread has no caret
    TRect Rect;    // client coordinates of Wnd
    int32_t HideCount = 0;
    bool Visible = false;   // every hide has had its show
    bool BlinkOn = false;   // visible, and in the on phase of its blinking
    bool InPixels = false;  // its inversion is in the window's pixels now
};
TCaretState GetCaretState();

}  // namespace vex

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/geometry.h"
#include "platform/win/cursorshape.h"
#include "platform/win/displayclipboard.h"
#include "platform/win/messages.h"

namespace vex {

// A top-level window's picture as painting left it: pixels 0x00RRGGBB, rows top to bottom,
// Stride pixels from one row to the next.
struct TPixelRows {
    const uint32_t* Pixels = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;
};

// What a display shows of a top-level window besides its pixels.
struct TWindowLook {
    std::string Title;
    HWND Owner = 0;
    bool TopMost = false;
    bool ToolWindow = false;  // no taskbar entry, a small frame
    bool Framed = true;       // false for a bare popup: the display adds no frame or title
    // A menu or a drop-down: shown over everything at once, past any window manager.
    bool Popup = false;
    friend bool operator==(const TWindowLook&, const TWindowLook&) = default;
};

// What the window tree offers a presenter: pixels to put back after an expose, and the changes a
// person makes through the display, which come back as the messages the tree would make.
struct TPresenterSink {
    std::function<TPixelRows(HWND Wnd)> Pixels;
    // The display moved or resized the window (screen coordinates of the whole window).
    std::function<void(HWND Wnd, const TRect& Bounds)> Moved;
    // The display's close button.
    std::function<void(HWND Wnd)> CloseRequested;
    // Pointer and key events, already in the vocabulary of window messages; pointer positions
    // relative to the window's top-left pixel but the wheel's, which are on the screen.
    std::function<void(const MSG& Msg)> Input;
    // The display gave the keyboard to the window (In) or took it away.
    std::function<void(HWND Wnd, bool In)> Focus;
};

// Where a top-level window's pixels live. They stay in one place for the store's life.
class TPixelStore {
public:
    virtual ~TPixelStore() = default;
    // The pixels, row after row with no gap, black at first.
    virtual uint32_t* Pixels() = 0;
    // Returns once the display has read what the last present put from here: a change made
    // before then could reach the screen half done.
    virtual void AwaitRead() {}
};

// How shown top-level windows reach a screen. The window tree alone calls it, on the main thread;
// child windows never reach it. Without a display the headless presenter keeps nothing.
class TPresenter {
public:
    virtual ~TPresenter() = default;

    virtual bool Headless() const = 0;
    // The whole screen in pixels.
    virtual TRect ScreenRect() const = 0;
    // The window became visible at Bounds, or while visible changed its place or look.
    virtual void Show(HWND Wnd, const TRect& Bounds, const TWindowLook& Look) = 0;
    virtual void Hide(HWND Wnd) = 0;
    // Puts the window at the top of the display's stacking order, and gives it the keyboard.
    virtual void Activate(HWND Wnd) = 0;
    // A window inside Wnd holds the mouse capture (Wnd 0: none does): the display sends every
    // pointer event to Wnd, wherever the pointer is, until the capture ends.
    virtual void CapturePointer(HWND /*Wnd*/) {}
    // Puts the pointer at the screen point; the display reports the move as a person's.
    virtual void MovePointer(TPoint /*Screen*/) {}
    // The window was destroyed.
    virtual void Forget(HWND Wnd) = 0;
    // Painting changed Dirty (window coordinates) of the window's pixels.
    virtual void Present(HWND Wnd, const TPixelRows& Rows, const TRect& Dirty) = 0;
    // Room for Width x Height pixels (neither side negative) that Present may put without
    // copying them first. Here, memory of the process. A store goes on working as plain memory
    // after the presenter that made it is gone.
    virtual std::unique_ptr<TPixelStore> MakePixelStore(int32_t Width, int32_t Height);

    // The mouse cursor over every window shown (null: none). Each presenter records it, so
    // that without a display it can still be read.
    virtual void SetCursor(const TCursorShape* Shape);
    const std::optional<TCursorShape>& ShownCursor() const { return FShownCursor; }

    // The display's shared clipboard; null without a display, where the process keeps its own.
    virtual TDisplayClipboard* Clipboard() { return nullptr; }

private:
    std::optional<TCursorShape> FShownCursor;
};

// The window tree's side of the seam, for the presenter it makes.
TPresenterSink WindowTreeSink();

// The presenter of the process, made at first use: headless when VEX_DISPLAY is "headless" or
// there is no DISPLAY, else the display's. A display that is named but cannot be opened raises
// EDisplayError naming it.
TPresenter& Presenter();
// Replaces the presenter (tests); windows already shown are shown again through the new one.
void SetPresenter(std::unique_ptr<TPresenter> Value);

}  // namespace vex

#include "platform/ui/windowpicture.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/paint.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// Copies Area (Wnd's window coordinates, cut to what the window shows) into Picture.
void CopyArea(HWND Wnd, const TRect& Area, TBitmap& Picture) {
    UpdateWindow(TopLevelWindowOf(Wnd));
    const TPixelRows rows = WindowPixels(Wnd);
    TRect area;
    if (rows.Pixels == nullptr || !IntersectRect(area, Area, Rect(0, 0, rows.Width, rows.Height))) {
        Picture.SetSize(0, 0);
        return;
    }
    Picture.SetSize(area.Right - area.Left, area.Bottom - area.Top);
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        std::memcpy(Picture.ScanLine(y - area.Top),
                    rows.Pixels + static_cast<size_t>(y) * rows.Stride + area.Left,
                    static_cast<size_t>(area.Right - area.Left) * sizeof(uint32_t));
}

}  // namespace

void PictureOfWindow(HWND Wnd, TBitmap& Picture) {
    CopyArea(Wnd, Rect(0, 0, INT32_MAX, INT32_MAX), Picture);
}

void PictureOfControl(TControl& Control, TBitmap& Picture) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&Control)) {
        if (windowed->HandleAllocated())
            PictureOfWindow(windowed->Handle(), Picture);
        else
            Picture.SetSize(0, 0);
        return;
    }
    TWinControl* parent = Control.Parent();
    if (parent == nullptr || !parent->HandleAllocated()) {
        Picture.SetSize(0, 0);
        return;
    }
    // The control's bounds are in the parent's client area, which lies inside its frame.
    TRect window;
    GetWindowRect(parent->Handle(), window);
    TPoint client{0, 0};
    ClientToScreen(parent->Handle(), client);
    TRect area = Control.BoundsRect();
    OffsetRect(area, client.X - window.Left, client.Y - window.Top);
    CopyArea(parent->Handle(), area, Picture);
}

void SaveWindowPicture(HWND Wnd, const std::string& FileName) {
    TBitmap picture;
    PictureOfWindow(Wnd, picture);
    picture.SaveToFile(FileName);
}

void SaveControlPicture(TControl& Control, const std::string& FileName) {
    TBitmap picture;
    PictureOfControl(Control, picture);
    picture.SaveToFile(FileName);
}

}  // namespace vex

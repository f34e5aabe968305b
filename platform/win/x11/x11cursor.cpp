#include "platform/win/x11/x11cursor.h"

#include <X11/cursorfont.h>

#include <array>
#include <utility>
#include <vector>

#include "platform/win/cursor.h"

namespace vex {

namespace {

// The cursor font's nearest glyph for each standard cursor; the font has no diagonal double
// arrows, so the corner glyphs stand in for them.
constexpr std::array<std::pair<uint32_t, unsigned>, 13> kFontGlyphs = {{
    {IDC_ARROW, XC_left_ptr},
    {IDC_IBEAM, XC_xterm},
    {IDC_WAIT, XC_watch},
    {IDC_CROSS, XC_crosshair},
    {IDC_UPARROW, XC_sb_up_arrow},
    {IDC_SIZENWSE, XC_bottom_right_corner},
    {IDC_SIZENESW, XC_bottom_left_corner},
    {IDC_SIZEWE, XC_sb_h_double_arrow},
    {IDC_SIZENS, XC_sb_v_double_arrow},
    {IDC_SIZEALL, XC_fleur},
    {IDC_NO, XC_X_cursor},
    {IDC_HAND, XC_hand2},
    {IDC_APPSTARTING, XC_watch},
}};

// A bitmap of the pixels that are Which (bit set), rows padded to bytes, least significant bit
// first, as XCreateBitmapFromData reads them.
std::vector<char> BitsOf(const TCursorShape& Shape, bool (*Which)(TCursorShape::TPixel)) {
    const int32_t rowBytes = (Shape.Width + 7) / 8;
    std::vector<char> bits(static_cast<size_t>(rowBytes) * Shape.Height, 0);
    for (int32_t y = 0; y < Shape.Height; ++y)
        for (int32_t x = 0; x < Shape.Width; ++x)
            if (Which(Shape.Pixels[static_cast<size_t>(y) * Shape.Width + x]))
                bits[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<char>(1 << (x % 8));
    return bits;
}

Cursor PictureCursor(Display* Dpy, Window Root, const TCursorShape& Shape) {
    // The source's set bits take the foreground (black), its clear ones the background (white);
    // the mask says which show at all.
    const std::vector<char> source =
        BitsOf(Shape, [](TCursorShape::TPixel P) { return P == TCursorShape::Black; });
    const std::vector<char> mask =
        BitsOf(Shape, [](TCursorShape::TPixel P) { return P != TCursorShape::Clear; });
    const auto width = static_cast<unsigned>(Shape.Width);
    const auto height = static_cast<unsigned>(Shape.Height);
    const Pixmap sourceMap = XCreateBitmapFromData(Dpy, Root, source.data(), width, height);
    const Pixmap maskMap = XCreateBitmapFromData(Dpy, Root, mask.data(), width, height);
    XColor black{}, white{};
    white.red = white.green = white.blue = 0xFFFF;
    white.flags = black.flags = DoRed | DoGreen | DoBlue;
    const Cursor cursor = XCreatePixmapCursor(Dpy, sourceMap, maskMap, &black, &white,
                                              static_cast<unsigned>(Shape.HotSpot.X),
                                              static_cast<unsigned>(Shape.HotSpot.Y));
    XFreePixmap(Dpy, sourceMap);
    XFreePixmap(Dpy, maskMap);
    return cursor;
}

}  // namespace

Cursor MakeX11Cursor(Display* Dpy, Window Root, const TCursorShape* Shape) {
    if (Shape == nullptr) {
        TCursorShape none;
        none.Width = none.Height = 1;
        none.Pixels = {TCursorShape::Clear};
        return PictureCursor(Dpy, Root, none);
    }
    if (Shape->Standard == 0) return PictureCursor(Dpy, Root, *Shape);
    for (const auto& [id, glyph] : kFontGlyphs)
        if (id == Shape->Standard) return XCreateFontCursor(Dpy, glyph);
    return XCreateFontCursor(Dpy, XC_left_ptr);
}

}  // namespace vex

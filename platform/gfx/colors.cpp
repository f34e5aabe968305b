#include "platform/gfx/colors.h"

#include <array>
#include <string_view>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

// The classic grey 3-D scheme, by system colour index.
constexpr std::array<TColor, 25> ClassicScheme = {
    0xC0C0C0,  // scroll bar
    0x808000,  // desktop background
    0x800000,  // active caption
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application work space
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3-D dark shadow
    0xC0C0C0,  // 3-D light
    0x000000,  // tooltip text
    0xE1FFFF,  // tooltip background
};

struct TColorIdent {
    TColor Color;
    std::string_view Ident;
};

constexpr std::array<TColorIdent, 43> ColorIdents = {{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
}};

}  // namespace

bool ColorToIdent(TColor Color, std::string& Ident) {
    for (const TColorIdent& entry : ColorIdents) {
        if (entry.Color != Color) continue;
        Ident = entry.Ident;
        return true;
    }
    return false;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
    for (const TColorIdent& entry : ColorIdents) {
        if (!SameText(entry.Ident, Ident)) continue;
        Color = entry.Color;
        return true;
    }
    return false;
}

TColor ColorToRGB(TColor Color) {
    if (Color < 0) {
        const uint32_t index = static_cast<uint32_t>(Color) & 0xFF;
        return index < ClassicScheme.size() ? ClassicScheme[index] : clBlack;
    }
    return Color;
}

}  // namespace vex

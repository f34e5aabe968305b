#include "components/entry/OvcMisc.h"

#include <algorithm>

#include "platform/core/codepage.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/font.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

bool KeyDown(int32_t VirtualKey) {
    return GetKeyState(VirtualKey) < 0;
}

TCharSet BuildAlphaCharSet() {
    TCharSet set;
    for (char c = 'A'; c <= 'Z'; ++c)
        set.set(static_cast<uint8_t>(c));
    for (char c = 'a'; c <= 'z'; ++c)
        set.set(static_cast<uint8_t>(c));
    for (char c : {' ', ',', '-', '.'})
        set.set(static_cast<uint8_t>(c));
    for (int code = 128; code <= 255; ++code)
        if (IsAnsiAlpha(static_cast<char>(code))) set.set(code);
    return set;
}

}  // namespace

int32_t FontCellHeight(const TFont& Font) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas().Font().Assign(&Font);
    TTextMetric metric;
    GetTextMetrics(bitmap.Canvas().Handle(), metric);
    return metric.tmHeight;
}

int32_t SystemFontHeight() {
    TFont system;
    system.SetName("System");
    system.SetHeight(0);  // the face's default size
    return FontCellHeight(system);
}

uint8_t GetShiftFlags() {
    uint8_t flags = 0;
    if (KeyDown(VK_CONTROL)) flags |= 4;
    if (KeyDown(VK_SHIFT)) flags |= 2;
    if (KeyDown(VK_MENU)) flags |= 8;
    return flags;
}

int32_t GetLeftButton() {
    return GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
}

int32_t GetTopTextMargin(const TFont& Font, TBorderStyle BorderStyle, int32_t ClientHeight,
                         bool Ctl3D) {
    const int32_t h = ClientHeight;
    const int32_t i = std::min(SystemFontHeight(), FontCellHeight(Font));
    // An odd space left over goes below the text.
    const int32_t odd = (h - i) & 1;
    if (BorderStyle == bsNone) return i < h - 2 ? 0 : (h - i - 2) / 2 - odd;
    if (i < h - 4) return 1;
    return Ctl3D ? (h - i - 4) / 2 - 1 : (h - i - 4) / 2 - odd;
}

std::unique_ptr<TBitmap> LoadBaseBitmap(const std::string& ResName) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromResourceName(ResName);
    return bitmap;
}

const TCharSet& AlphaCharSet() {
    static const TCharSet set = BuildAlphaCharSet();
    return set;
}

TOvcUserData::TOvcUserData() {
    TCharSet all;
    all.set();
    all.reset(0);
    UserCharSets.fill(all);
    ForceCase.fill(mcNoChange);
    for (size_t i = 0; i < SubstChars.size(); ++i)
        SubstChars[i] = static_cast<char>(FirstSubstCode + i);
}

void TOvcUserData::UserCharSet(char MC, TCharSet& CS) const {
    if (MC >= '1' && MC <= '8') CS = UserCharSets[MC - '1'];
}

TForceCase TOvcUserData::ForceCaseOf(char MC) const {
    return MC >= '1' && MC <= '8' ? ForceCase[MC - '1'] : mcNoChange;
}

char TOvcUserData::SubstCharOf(char SC) const {
    const uint8_t code = static_cast<uint8_t>(SC);
    if (code < FirstSubstCode || code >= FirstSubstCode + SubstChars.size()) return 0;
    return SubstChars[code - FirstSubstCode];
}

TOvcUserData& DefaultUserData() {
    static TOvcUserData data;
    return data;
}

}  // namespace vex

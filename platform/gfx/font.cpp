#include "platform/gfx/font.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/core/geometry.h"

namespace vex {

namespace {

struct THandleTable {
    std::mutex Lock;
    std::unordered_map<HFONT, TLogFont> Fonts;
    HFONT Next = 1;
};

THandleTable& Handles() {
    static THandleTable table;
    return table;
}

[[noreturn]] void RaiseStale(HFONT Font) {
    throw EInvalidFontHandle("Invalid font handle " + std::to_string(Font));
}

int32_t NormalAngle(int32_t Tenths) {
    const int32_t angle = Tenths % 3600;
    return angle < 0 ? angle + 3600 : angle;
}

// A height of 0 is the default size: a font of some size keeps at least a pixel, with the sign
// that says whether the height is the character's or the cell's.
int32_t AtLeastAPixel(int32_t Height, int32_t WithSignOf) {
    if (Height != 0 || WithSignOf == 0) return Height;
    return WithSignOf < 0 ? -1 : 1;
}

}  // namespace

int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator) {
    if (Denominator == 0) return -1;
    const int64_t product = int64_t{Number} * Numerator;
    // Halves round away from zero.
    int64_t result = (std::llabs(product) + std::llabs(Denominator) / 2) / std::llabs(Denominator);
    if ((product < 0) != (Denominator < 0)) result = -result;
    return SaturateToInt32(result);
}

HFONT CreateFontIndirect(const TLogFont& LogFont) {
    TLogFont copy = LogFont;
    if (copy.lfFaceName.size() >= LF_FACESIZE) copy.lfFaceName.resize(LF_FACESIZE - 1);
    THandleTable& table = Handles();
    std::lock_guard guard(table.Lock);
    const HFONT handle = table.Next++;
    table.Fonts.emplace(handle, std::move(copy));
    return handle;
}

int32_t GetObject(HFONT Font, TLogFont& LogFont) {
    THandleTable& table = Handles();
    std::lock_guard guard(table.Lock);
    const auto it = table.Fonts.find(Font);
    if (it == table.Fonts.end()) RaiseStale(Font);
    LogFont = it->second;
    return static_cast<int32_t>(sizeof(TLogFont));
}

bool DeleteObject(HFONT Font) {
    THandleTable& table = Handles();
    std::lock_guard guard(table.Lock);
    if (table.Fonts.erase(Font) == 0) RaiseStale(Font);
    return true;
}

TFont::~TFont() {
    ReleaseHandle();
}

void TFont::ReleaseHandle() {
    if (FHandle == 0) return;
    // The caller may already have deleted a handle it got from Handle(); that is its mistake,
    // not a reason to fail here.
    THandleTable& table = Handles();
    std::lock_guard guard(table.Lock);
    table.Fonts.erase(FHandle);
    FHandle = 0;
}

void TFont::NewVersion() {
    static std::atomic<uint64_t> latest{0};
    FVersion = latest.fetch_add(1, std::memory_order_relaxed) + 1;
}

void TFont::SetSize(int32_t Value) {
    const int32_t size = std::clamp(Value, -MaxFontHeight, MaxFontHeight);
    SetHeight(AtLeastAPixel(-MulDiv(size, FPixelsPerInch, 72), -size));
}

void TFont::SetPixelsPerInch(int32_t Value) {
    if (Value >= 1 && Value <= MaxPixelsPerInch) FPixelsPerInch = Value;
}

void TFont::Changed() {
    NewVersion();
    ReleaseHandle();
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value.substr(0, LF_FACESIZE - 1);
    Changed();
}

void TFont::SetHeight(int32_t Value) {
    Value = std::clamp(Value, -MaxFontHeight, MaxFontHeight);
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    NewVersion();
    // The colour is not part of the logical font, so the handle stays valid.
    if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FCharset) return;
    FCharset = Value;
    Changed();
}

void TFont::SetOrientation(int32_t Value) {
    Value = NormalAngle(Value);
    if (Value == FOrientation) return;
    FOrientation = Value;
    Changed();
}

TLogFont TFont::LogFont() const {
    TLogFont lf;
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfPitchAndFamily = FPitch == fpFixed      ? FIXED_PITCH
                          : FPitch == fpVariable ? VARIABLE_PITCH
                                                 : DEFAULT_PITCH;
    lf.lfFaceName = FName;
    return lf;
}

HFONT TFont::Handle() {
    if (FHandle == 0) FHandle = CreateFontIndirect(LogFont());
    return FHandle;
}

void TFont::SetHandle(HFONT Value) {
    if (Value == FHandle) return;
    TLogFont lf;
    GetObject(Value, lf);
    ReleaseHandle();
    if (!lf.lfFaceName.empty()) FName = lf.lfFaceName;
    FHeight = std::clamp(lf.lfHeight, -MaxFontHeight, MaxFontHeight);
    TFontStyles style;
    if (lf.lfWeight >= FW_SEMIBOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    FStyle = style;
    switch (lf.lfPitchAndFamily & 3) {
        case FIXED_PITCH:
            FPitch = fpFixed;
            break;
        case VARIABLE_PITCH:
            FPitch = fpVariable;
            break;
        default:
            FPitch = fpDefault;
    }
    FCharset = lf.lfCharSet;
    FOrientation = NormalAngle(lf.lfEscapement);
    FHandle = Value;
    NewVersion();
    if (OnChange) OnChange(this);
}

void TFont::Assign(const TPersistent* Source) {
    const auto* font = dynamic_cast<const TFont*>(Source);
    if (!font) {
        TPersistent::Assign(Source);
        return;
    }
    // Painting copies a control's font into its canvas every time, and mostly it is already there.
    const bool rescaled = font->FPixelsPerInch != FPixelsPerInch;
    if (rescaled || font->FVersion != FVersion) {
        FName = font->FName;
        FHeight = rescaled ? std::clamp(AtLeastAPixel(-MulDiv(font->Size(), FPixelsPerInch, 72),
                                                      font->FHeight),
                                        -MaxFontHeight, MaxFontHeight)
                           : font->FHeight;
        FColor = font->FColor;
        FStyle = font->FStyle;
        FPitch = font->FPitch;
        FCharset = font->FCharset;
        FOrientation = font->FOrientation;
        if (rescaled)
            NewVersion();
        else
            FVersion = font->FVersion;
    }
    ReleaseHandle();
    if (OnChange) OnChange(this);
}

}  // namespace vex

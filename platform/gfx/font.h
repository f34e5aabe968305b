#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/object.h"
#include "platform/core/set.h"
#include "platform/gfx/colors.h"

namespace vex {

// A font handle that was deleted or never created.
VEX_EXCEPTION(EInvalidFontHandle, Exception);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, 4>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;

inline constexpr int32_t FW_NORMAL = 400;
inline constexpr int32_t FW_SEMIBOLD = 600;
inline constexpr int32_t FW_BOLD = 700;

// The low two bits of lfPitchAndFamily.
inline constexpr uint8_t DEFAULT_PITCH = 0;
inline constexpr uint8_t FIXED_PITCH = 1;
inline constexpr uint8_t VARIABLE_PITCH = 2;
// The family in the high nibble.
inline constexpr uint8_t FF_DONTCARE = 0x00;
inline constexpr uint8_t FF_ROMAN = 0x10;
inline constexpr uint8_t FF_SWISS = 0x20;
inline constexpr uint8_t FF_MODERN = 0x30;

inline constexpr uint8_t OUT_DEFAULT_PRECIS = 0;
inline constexpr uint8_t CLIP_DEFAULT_PRECIS = 0;
inline constexpr uint8_t DEFAULT_QUALITY = 0;

// Face names longer than this are cut, as the original's fixed-size field did.
inline constexpr size_t LF_FACESIZE = 32;

// Heights beyond this many pixels are drawn at this size; text that large is a mistake, and
// its glyphs would otherwise take unbounded memory.
inline constexpr int32_t MaxFontHeight = 1000;

// The description a font is created from. lfHeight < 0 is the character height in pixels,
// > 0 the cell height (character plus internal leading), 0 the default size. Escapement is in
// tenths of a degree, counter-clockwise.
struct TLogFont {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = FW_NORMAL;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = DEFAULT_CHARSET;
    uint8_t lfOutPrecision = OUT_DEFAULT_PRECIS;
    uint8_t lfClipPrecision = CLIP_DEFAULT_PRECIS;
    uint8_t lfQuality = DEFAULT_QUALITY;
    uint8_t lfPitchAndFamily = DEFAULT_PITCH;
    std::string lfFaceName;

    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// A handle names a logical font in a process-wide table. Handles are never reused, so a
// deleted one stays recognisably stale; 0 is no font.
using HFONT = uint64_t;

HFONT CreateFontIndirect(const TLogFont& LogFont);
// Copies the font's description into LogFont and returns its size in bytes; a stale handle
// raises EInvalidFontHandle.
int32_t GetObject(HFONT Font, TLogFont& LogFont);
// Frees the handle; a stale one raises EInvalidFontHandle. Returns true, as the original did.
bool DeleteObject(HFONT Font);

// Round(Number * Numerator / Denominator) without overflow; -1 for a zero denominator, as on
// the original.
int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator);

// The screen's resolution, which a canvas and its font have until a device sets its own.
inline constexpr int32_t ScreenPixelsPerInch = 96;
// Beyond this a page of tenths of a millimetre would no longer fit the 32-bit device range.
inline constexpr int32_t MaxPixelsPerInch = 9600;

// The canvas's font. Size is in points at the font's resolution (the screen's 96 pixels per
// inch unless a device sets its own); Height in pixels. Every change fires OnChange, which the
// canvas uses to keep its text colour.
class TFont : public TPersistent {
    VEX_CLASS(TFont, TPersistent)

public:
    TFont() = default;
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    std::function<void(TObject* Sender)> OnChange;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    int32_t Height() const { return FHeight; }
    // Clamped to +-MaxFontHeight.
    void SetHeight(int32_t Value);
    // In points at the font's resolution.
    int32_t Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
    void SetSize(int32_t Value);
    // The resolution a size in points is drawn at: the screen's, or the device's for a device's
    // canvas (a printer). It changes what Size reads, not the height. Outside 1 to
    // MaxPixelsPerInch nothing changes.
    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    // The escapement of rotated text, tenths of a degree counter-clockwise, kept in [0, 3600).
    int32_t Orientation() const { return FOrientation; }
    void SetOrientation(int32_t Value);

    // The font as a logical-font description.
    TLogFont LogFont() const;
    // A handle the font owns: valid until the font changes or is destroyed.
    HFONT Handle();
    // Adopts Value: the font takes its description and owns the handle from now on, so the
    // caller must not delete it. A stale handle raises EInvalidFontHandle and changes nothing.
    void SetHandle(HFONT Value);

    // Assigning a font copies what differs; the font still changes (its handle goes, OnChange
    // fires) when nothing did. Between fonts of different resolutions the size in points is
    // what is copied, so a screen font assigned to a printer's prints as large as it shows.
    void Assign(const TPersistent* Source) override;

    // Fonts of one version describe the same font in the same colour: each change makes a new
    // version, and a copy takes its source's. Comparing versions tells an unchanged copy without
    // reading either font's description.
    uint64_t Version() const { return FVersion; }

private:
    // A change of the description: a new version, the handle goes, OnChange fires.
    void Changed();
    void ReleaseHandle();
    void NewVersion();

    // Copying a font that is already there reads these alone, next to OnChange.
    uint64_t FVersion = 0;  // every font made describes the same default font
    HFONT FHandle = 0;
    TColor FColor = clWindowText;
    std::string FName = "MS Sans Serif";
    int32_t FHeight = -11;
    int32_t FPixelsPerInch = ScreenPixelsPerInch;
    TFontStyles FStyle;
    TFontPitch FPitch = fpDefault;
    TFontCharset FCharset = DEFAULT_CHARSET;
    int32_t FOrientation = 0;
};

}  // namespace vex

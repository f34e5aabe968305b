#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/set.h"
#include "platform/gfx/font.h"
#include "platform/gfx/fontfaces.h"

namespace vex {

// Whose fonts a font dialog offers: the screen's, the printer's, or those of either.
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
// fdWysiwyg offers only the scalable fonts that both the screen and the printer have, so that
// what shows is what prints, whatever Device says.
enum TFontDialogOption { fdWysiwyg };
using TFontDialogOptions = TSet<TFontDialogOption, 1>;

// The family names a font dialog lists, sorted, each once.
std::vector<std::string> FontDialogFamilies(const std::vector<TFontFace>& Screen,
                                            const std::vector<TFontFace>& Printer,
                                            TFontDialogDevice Device, TFontDialogOptions Options);

// The sizes in points a font dialog lists: the usual ones within the limits (0 for none).
std::vector<int32_t> FontDialogSizes(int32_t MinFontSize, int32_t MaxFontSize);

// The largest size in points a font can take.
inline constexpr int32_t MaxPointSize = MaxFontHeight * 72 / ScreenPixelsPerInch;

// The size in points a typed text asks for, or nothing when it is no whole number within the
// limits (0 for none) and the sizes a font can take.
std::optional<int32_t> ParseFontSize(const std::string& Text, int32_t MinFontSize,
                                     int32_t MaxFontSize);
// What a person is told when ParseFontSize refuses a text.
std::string FontSizeRangeText(int32_t MinFontSize, int32_t MaxFontSize);

// The four styles a font dialog offers, by name, and back; a name it does not offer gives
// nothing.
struct TNamedFontStyle {
    const char* Name;
    TFontStyles Style;
};
const std::vector<TNamedFontStyle>& FontDialogStyles();
std::optional<TFontStyles> FontStyleNamed(const std::string& Name);
// The name of the offered style nearest Style: bold and italic, underline and strike-out aside.
std::string FontStyleName(TFontStyles Style);

}  // namespace vex

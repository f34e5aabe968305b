#include "platform/ui/fontchoices.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

// The families of Faces, scalable ones alone when asked.
std::set<std::string> FamiliesOf(const std::vector<TFontFace>& Faces, bool ScalableOnly) {
    std::set<std::string> families;
    for (const TFontFace& face : Faces)
        if (face.Scalable || !ScalableOnly) families.insert(face.FaceName);
    return families;
}

// The limits as a closed range of the sizes a font can take.
std::pair<int32_t, int32_t> SizeRange(int32_t MinFontSize, int32_t MaxFontSize) {
    const int32_t low = std::clamp(MinFontSize, 1, MaxPointSize);
    const int32_t high =
        MaxFontSize > 0 ? std::clamp(MaxFontSize, low, MaxPointSize) : MaxPointSize;
    return {low, high};
}

}  // namespace

std::vector<std::string> FontDialogFamilies(const std::vector<TFontFace>& Screen,
                                            const std::vector<TFontFace>& Printer,
                                            TFontDialogDevice Device, TFontDialogOptions Options) {
    const bool wysiwyg = Options.Contains(fdWysiwyg);
    const std::set<std::string> screen = FamiliesOf(Screen, wysiwyg);
    const std::set<std::string> printer = FamiliesOf(Printer, wysiwyg);
    std::vector<std::string> families;
    if (wysiwyg) {
        std::set_intersection(screen.begin(), screen.end(), printer.begin(), printer.end(),
                              std::back_inserter(families));
        return families;
    }
    if (Device == fdScreen) return {screen.begin(), screen.end()};
    if (Device == fdPrinter) return {printer.begin(), printer.end()};
    std::set_union(screen.begin(), screen.end(), printer.begin(), printer.end(),
                   std::back_inserter(families));
    return families;
}

std::vector<int32_t> FontDialogSizes(int32_t MinFontSize, int32_t MaxFontSize) {
    static const int32_t usual[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    const auto [low, high] = SizeRange(MinFontSize, MaxFontSize);
    std::vector<int32_t> sizes;
    for (int32_t size : usual)
        if (size >= low && size <= high) sizes.push_back(size);
    return sizes;
}

std::optional<int32_t> ParseFontSize(const std::string& Text, int32_t MinFontSize,
                                     int32_t MaxFontSize) {
    const std::string trimmed = Trim(Text);
    int32_t size = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, size);
    if (trimmed.empty() || error != std::errc() || stop != end) return std::nullopt;
    const auto [low, high] = SizeRange(MinFontSize, MaxFontSize);
    if (size < low || size > high) return std::nullopt;
    return size;
}

std::string FontSizeRangeText(int32_t MinFontSize, int32_t MaxFontSize) {
    const auto [low, high] = SizeRange(MinFontSize, MaxFontSize);
    return "Size must be between " + std::to_string(low) + " and " + std::to_string(high) +
           " points.";
}

const std::vector<TNamedFontStyle>& FontDialogStyles() {
    static const std::vector<TNamedFontStyle> styles = {{"Regular", {}},
                                                        {"Italic", {fsItalic}},
                                                        {"Bold", {fsBold}},
                                                        {"Bold Italic", {fsBold, fsItalic}}};
    return styles;
}

std::optional<TFontStyles> FontStyleNamed(const std::string& Name) {
    for (const TNamedFontStyle& style : FontDialogStyles())
        if (SameText(Trim(Name), style.Name)) return style.Style;
    return std::nullopt;
}

std::string FontStyleName(TFontStyles Style) {
    const TFontStyles kept = Style * TFontStyles{fsBold, fsItalic};
    for (const TNamedFontStyle& style : FontDialogStyles())
        if (style.Style == kept) return style.Name;
    return FontDialogStyles().front().Name;
}

}  // namespace vex

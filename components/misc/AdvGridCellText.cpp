// Cutting a cell's text into lines, finding what a link shows, and shortening a text to fit.

#include "components/misc/AdvGridCellText.h"

namespace vex {

namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::string_view kSchemeEnd = "://";
constexpr std::string_view kMailto = "mailto:";

}  // namespace

std::vector<std::string_view> CellLines(std::string_view Text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (true) {
        const size_t end = Text.find('\r', start);
        if (end == std::string_view::npos) {
            lines.push_back(Text.substr(start));
            return lines;
        }
        lines.push_back(Text.substr(start, end - start));
        start = end + 1;
        if (start < Text.size() && Text[start] == '\n') ++start;
    }
}

bool IsLinkText(std::string_view Text) {
    return Text.find(kSchemeEnd) != std::string_view::npos ||
           Text.find(kMailto) != std::string_view::npos;
}

std::string_view LinkShownText(std::string_view Text, bool Full) {
    if (Full) return Text;
    // The scheme is cut at the first of the two marks; "mailto:" names no "://".
    const size_t scheme = Text.find(kSchemeEnd);
    const size_t mailto = Text.find(kMailto);
    if (scheme != std::string_view::npos && (mailto == std::string_view::npos || scheme < mailto))
        return Text.substr(scheme + kSchemeEnd.size());
    if (mailto != std::string_view::npos) return Text.substr(mailto + kMailto.size());
    return Text;
}

std::string EllipsisText(std::string_view Text, int32_t Width,
                         const std::function<int32_t(std::string_view)>& TextWidth) {
    if (TextWidth(Text) <= Width) return std::string(Text);
    auto fits = [&](size_t Length) {
        std::string candidate(Text.substr(0, Length));
        candidate += kEllipsis;
        return TextWidth(candidate) <= Width;
    };
    if (!fits(0)) return {};
    // A longer start is never narrower: the longest that fits lies where fits turns false.
    size_t low = 0, high = Text.size();  // fits(low) holds; the whole text did not fit
    while (high - low > 1) {
        const size_t middle = low + (high - low) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    std::string shown(Text.substr(0, low));
    shown += kEllipsis;
    return shown;
}

}  // namespace vex

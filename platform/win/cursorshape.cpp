#include "platform/win/cursorshape.h"

#include <charconv>
#include <string_view>

namespace vex {

namespace {

// The next line of Text from At on, without its line break ("\n" or "\r\n").
std::string_view NextLine(std::string_view Text, size_t& At) {
    const size_t end = std::min(Text.find('\n', At), Text.size());
    std::string_view line = Text.substr(At, end - At);
    At = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool ReadNumber(std::string_view& Text, int32_t& Value) {
    while (!Text.empty() && Text.front() == ' ')
        Text.remove_prefix(1);
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (error != std::errc() || end == Text.data()) return false;
    Text.remove_prefix(static_cast<size_t>(end - Text.data()));
    return true;
}

}  // namespace

std::optional<TCursorShape> ParseCursorPicture(std::span<const uint8_t> Bytes) {
    const std::string_view text(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
    size_t at = 0;
    std::string_view header = NextLine(text, at);
    constexpr std::string_view kHotSpot = "hotspot";
    if (!header.starts_with(kHotSpot)) return std::nullopt;
    header.remove_prefix(kHotSpot.size());
    TCursorShape shape;
    if (!ReadNumber(header, shape.HotSpot.X) || !ReadNumber(header, shape.HotSpot.Y) ||
        !header.empty())
        return std::nullopt;
    while (at < text.size()) {
        const std::string_view row = NextLine(text, at);
        if (row.empty() && at >= text.size()) break;  // the last line break
        if (shape.Height == 0) shape.Width = static_cast<int32_t>(row.size());
        if (static_cast<int32_t>(row.size()) != shape.Width || shape.Width > MaxCursorSide ||
            ++shape.Height > MaxCursorSide)
            return std::nullopt;
        for (char c : row) {
            switch (c) {
                case '.':
                    shape.Pixels.push_back(TCursorShape::Clear);
                    break;
                case '#':
                    shape.Pixels.push_back(TCursorShape::Black);
                    break;
                case 'o':
                    shape.Pixels.push_back(TCursorShape::White);
                    break;
                default:
                    return std::nullopt;
            }
        }
    }
    if (shape.Width == 0 || shape.HotSpot.X < 0 || shape.HotSpot.Y < 0 ||
        shape.HotSpot.X >= shape.Width || shape.HotSpot.Y >= shape.Height)
        return std::nullopt;
    return shape;
}

}  // namespace vex

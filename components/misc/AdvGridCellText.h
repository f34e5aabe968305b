#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// How a grid cell's text is cut up and shortened before it is drawn or measured.

// The lines of a cell: broken at CR, a LF right behind a CR belonging to the break.
std::vector<std::string_view> CellLines(std::string_view Text);

// A text holding "://" or "mailto:" is a link.
bool IsLinkText(std::string_view Text);
// What a link cell shows: the address after "://" or "mailto:", or all of it when Full.
std::string_view LinkShownText(std::string_view Text, bool Full);

// Text as it fits Width: itself when it does, else its longest start that fits with "..."
// behind it; "..." alone when no character fits that way, and nothing when even that does not.
// TextWidth measures a piece of text; it is called about log2(length) times.
std::string EllipsisText(std::string_view Text, int32_t Width,
                         const std::function<int32_t(std::string_view)>& TextWidth);

}  // namespace vex

#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vex {

// Fitting a status text into the chooser's status line, which is as wide as it is and no wider.

// The width of a text in pixels, in the status line's font.
using TTextExtent = std::function<int32_t(const std::string& Text)>;

// Whether Path names an existing folder; one trailing "/" is overlooked.
bool IsExistingFolder(const std::string& Path);

// Text as it is when it fits; else its longest start that fits followed by "...", down to
// "..." alone.
std::string ShortenPlainText(const std::string& Text, int32_t Width, const TTextExtent& Extent);

// Path as it is when it fits; else its file name is kept and its folders give way from the
// front: /usr/share/doc/name becomes /.../share/doc/name, /.../doc/name, /.../name,
// .../name and last name alone, whichever first fits.
std::string ShortenPathText(const std::string& Path, int32_t Width, const TTextExtent& Extent);

// The status text as shown in a status line Width wide: a path of an existing folder shortened
// as a path, anything else as plain text; with no status line (Width 0) or an empty text, the
// text itself.
std::string FitStatusText(const std::string& Text, int32_t Width, const TTextExtent& Extent);

}  // namespace vex

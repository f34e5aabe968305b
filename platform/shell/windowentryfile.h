#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/shell/windowdirectory.h"

namespace vex {

// The files that stand for one listed window in the directory's folder. Their names carry the
// process, its start and the window, so a later process never writes over an earlier one's.

// The entry's contents are read from files that any program of the user may have written, so
// reading them trusts nothing: a file larger than this is not read.
inline constexpr size_t MaxWindowEntryFileSize = 16384;

std::string WindowEntryFileName(const TWindowEntry& Entry);
std::string WindowSocketFileName(const TWindowEntry& Entry);
// Whether Name has the form of an entry file's name; other files of the folder are not entries.
bool IsWindowEntryFileName(std::string_view Name);

// The text of an entry file: a heading line, then one line for each field. Bytes below 0x20 and
// the backslash are written as escapes, so a title is always one line.
std::string FormatWindowEntry(const TWindowEntry& Entry);
// The entry a file holds; nothing for any text that FormatWindowEntry would not have written
// or whose texts are longer than TWindowDirectory::MaxTextLength.
std::optional<TWindowEntry> ParseWindowEntry(std::string_view Text);

}  // namespace vex

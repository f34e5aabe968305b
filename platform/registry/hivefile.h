#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/registry/regkeynode.h"

namespace vex {

// The text form of a hive on disk:
//
//   VexbaneRegistry 1
//   Top=sz:a value of the hive's top key
//   [Software\Maker\Program]
//   Name=sz:text
//   Count=dword:42
//   End
//
// One "[path]" line per key, parents before children; the value lines of a key follow its
// header. In names and data, control characters and % = [ ] are written as %XX, so every
// line is one record and the first "=" ends the name. The closing "End" line tells a complete
// file from a cut-off one.
std::string FormatHive(const TRegKeyNode& Root);

// Reads a hive written by FormatHive. Anything else (a foreign or damaged file, a cut-off one,
// names or data beyond the registry's bounds) raises ERegistryException with FileName and the
// line at fault.
std::unique_ptr<TRegKeyNode> ParseHive(std::string_view Text, const std::string& RootName,
                                       const std::string& FileName);

}  // namespace vex

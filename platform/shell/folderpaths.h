#pragma once

#include <string>

namespace vex {

// Path with each run of "/" made one and no trailing "/", but "/" itself.
std::string NormalFolderPath(std::string Path);

// Whether Path is Root or below it, compared as absolute paths by whole names ("/home/a" is not
// below "/home/ab"), without looking at the disk.
bool IsPathWithin(const std::string& Root, const std::string& Path);

// Whether a chooser rooted at Root can select Path: an existing folder at or below the root.
bool IsSelectableFolder(const std::string& Root, const std::string& Path);

}  // namespace vex

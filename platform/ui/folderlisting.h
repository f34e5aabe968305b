#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vex {

// What a file dialog finds on the disk. Paths are absolute and of any length: folders are
// opened one name at a time from the root, so a path longer than the system's limit works as
// well as a short one.

enum class TEntryKind { Missing, File, Folder, Other };

// What Path names, links followed; a device, pipe or socket is Other, since reading one can
// block its reader for ever.
TEntryKind EntryKindOf(const std::string& Path);

// One folder's subfolders and regular files, each sorted as a person looks for them (letters
// in any case, accents with their base letter). "." and ".." are left out, and so is an entry
// that cannot be looked at (a link to nothing).
struct TFolderListing {
    // More entries than this are left out, so that a huge folder cannot take all memory.
    static constexpr size_t MaxEntries = 200000;

    std::vector<std::string> Folders;
    std::vector<std::string> Files;
    bool Truncated = false;
    std::string Error;  // why the folder could not be read; empty when it could
};
TFolderListing ReadFolderListing(const std::string& Path);

// The folder above Path; "/" for "/".
std::string ParentFolder(const std::string& Path);
// Typed taken from Folder unless it starts with "/", with "." and ".." worked out by name
// (going up from "/" stays there) and runs of "/" made one; no trailing "/" but for "/".
std::string ResolvePath(const std::string& Folder, const std::string& Typed);

}  // namespace vex

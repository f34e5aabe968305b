#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vex {

// The rows of a folder tree as the chooser shows them: the root, then each open folder's
// subfolders below it, one level further in. A folder is read when it is first opened; a
// hidden one (its name starting with ".") is left out, and one that may not be read is shown
// but cannot be opened.
class TFolderTree {
public:
    // More subfolders than this in one folder are left out, so that one huge folder cannot
    // take all memory.
    static constexpr size_t MaxChildren = 65536;

    struct TRow {
        std::string Path;  // absolute, without a trailing "/" but for "/"
        std::string Name;  // the root's row shows its whole path
        int32_t Depth = 0;
        bool Readable = true;
        bool Read = false;  // listed once; its subfolders then are what it has
        bool Expanded = false;
        size_t ChildCount = 0;  // as last read
    };

    explicit TFolderTree(const std::string& Root);

    size_t Count() const { return FRows.size(); }
    const TRow& Row(size_t Index) const { return FRows.at(Index); }

    // A folder that may be read and, as far as known, has subfolders.
    bool CanExpand(size_t Index) const;
    // Opens the row, reading its folder the first time, and answers whether it is open now.
    bool Expand(size_t Index);
    // Closes the row, dropping the rows below it from view.
    void Collapse(size_t Index);
    // The row of the folder above, -1 for the root.
    int32_t Parent(size_t Index) const;
    // Opens the folders from the root down to Path and answers Path's row; -1 when Path is not a
    // folder below the root that can be reached.
    int32_t Reveal(const std::string& Path);
    // The row showing Path, -1 when none does.
    int32_t Find(const std::string& Path) const;

private:
    // The subfolders of the row's folder, sorted; the row learns whether it could be read.
    std::vector<std::string> ReadSubfolders(TRow& Row) const;
    // One past the last row below Index.
    size_t SubtreeEnd(size_t Index) const;

    std::vector<TRow> FRows;
};

}  // namespace vex

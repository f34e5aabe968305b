#include "platform/ui/folderbrowsertree.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/shell/folderpaths.h"

namespace vex {

namespace {

std::string ChildPath(const std::string& Folder, const std::string& Name) {
    return Folder == "/" ? "/" + Name : Folder + "/" + Name;
}

bool MayRead(const std::string& Folder) {
    return access(Folder.c_str(), R_OK | X_OK) == 0;
}

// Names in the order a person looks for them: letters regardless of case, then as bytes.
std::string SortKey(const std::string& Name) {
    std::string key = Name;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return key;
}

}  // namespace

TFolderTree::TFolderTree(const std::string& Root) {
    TRow root;
    root.Path = NormalFolderPath(Root);
    root.Name = root.Path;
    root.Readable = MayRead(root.Path);
    FRows.push_back(std::move(root));
}

bool TFolderTree::CanExpand(size_t Index) const {
    const TRow& row = Row(Index);
    return row.Readable && (!row.Read || row.ChildCount > 0);
}

std::vector<std::string> TFolderTree::ReadSubfolders(TRow& Row) const {
    std::vector<std::pair<std::string, std::string>> keyed;  // sort key, name
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(Row.Path.c_str()), closedir);
    if (!dir) {
        Row.Readable = false;
        return {};
    }
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        struct stat info;
        if (stat(ChildPath(Row.Path, name).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) continue;
        keyed.emplace_back(SortKey(name), name);
        if (keyed.size() == MaxChildren) break;
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& [key, name] : keyed)
        names.push_back(std::move(name));
    return names;
}

size_t TFolderTree::SubtreeEnd(size_t Index) const {
    size_t end = Index + 1;
    while (end < FRows.size() && FRows[end].Depth > FRows[Index].Depth)
        ++end;
    return end;
}

bool TFolderTree::Expand(size_t Index) {
    TRow& row = FRows.at(Index);
    if (row.Expanded) return true;
    if (!row.Readable) return false;
    const std::vector<std::string> names = ReadSubfolders(row);
    row.Read = true;
    row.ChildCount = names.size();
    if (!row.Readable || names.empty()) return false;
    row.Expanded = true;
    std::vector<TRow> children;
    children.reserve(names.size());
    for (const std::string& name : names) {
        TRow child;
        child.Path = ChildPath(row.Path, name);
        child.Name = name;
        child.Depth = row.Depth + 1;
        child.Readable = MayRead(child.Path);
        children.push_back(std::move(child));
    }
    FRows.insert(FRows.begin() + static_cast<std::ptrdiff_t>(Index) + 1,
                 std::make_move_iterator(children.begin()),
                 std::make_move_iterator(children.end()));
    return true;
}

void TFolderTree::Collapse(size_t Index) {
    TRow& row = FRows.at(Index);
    if (!row.Expanded) return;
    FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(Index) + 1,
                FRows.begin() + static_cast<std::ptrdiff_t>(SubtreeEnd(Index)));
    FRows[Index].Expanded = false;
}

int32_t TFolderTree::Parent(size_t Index) const {
    const int32_t depth = Row(Index).Depth;
    for (size_t i = Index; i-- > 0;)
        if (FRows[i].Depth < depth) return static_cast<int32_t>(i);
    return -1;
}

int32_t TFolderTree::Find(const std::string& Path) const {
    const std::string path = NormalFolderPath(Path);
    for (size_t i = 0; i < FRows.size(); ++i)
        if (FRows[i].Path == path) return static_cast<int32_t>(i);
    return -1;
}

int32_t TFolderTree::Reveal(const std::string& Path) {
    const std::string path = NormalFolderPath(Path);
    if (!IsSelectableFolder(FRows[0].Path, path)) return -1;
    size_t at = 0;
    while (FRows[at].Path != path) {
        // The next folder on the way down is the child whose path starts the rest.
        if (!Expand(at)) return -1;
        const size_t end = SubtreeEnd(at);
        size_t next = end;
        for (size_t i = at + 1; i < end; ++i)
            if (FRows[i].Depth == FRows[at].Depth + 1 && IsPathWithin(FRows[i].Path, path)) {
                next = i;
                break;
            }
        if (next == end) return -1;
        at = next;
    }
    return static_cast<int32_t>(at);
}

}  // namespace vex

#include "platform/shell/folderpaths.h"

#include <string_view>

#include "platform/core/files.h"

namespace vex {

std::string NormalFolderPath(std::string Path) {
    std::string path;
    path.reserve(Path.size());
    for (char c : Path)
        if (c != '/' || path.empty() || path.back() != '/') path += c;
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

namespace {

// A "." or ".." among the names would let a path that reads as below the root lead out of it.
bool HasDotName(const std::string& Path) {
    size_t start = 0;
    while (start <= Path.size()) {
        size_t end = Path.find('/', start);
        if (end == std::string::npos) end = Path.size();
        const std::string_view name(Path.data() + start, end - start);
        if (name == "." || name == "..") return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool IsPathWithin(const std::string& Root, const std::string& Path) {
    const std::string root = NormalFolderPath(Root);
    const std::string path = NormalFolderPath(Path);
    if (root.empty() || root[0] != '/' || path.empty() || path[0] != '/') return false;
    if (HasDotName(root) || HasDotName(path)) return false;
    if (root == "/" || path == root) return true;
    return path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
           path[root.size()] == '/';
}

bool IsSelectableFolder(const std::string& Root, const std::string& Path) {
    return IsPathWithin(Root, Path) && DirectoryExists(Path);
}

}  // namespace vex

#include "components/misc/BrowseDrStatus.h"

#include "platform/core/files.h"

namespace vex {

namespace {

constexpr const char* kEllipsis = "...";
constexpr const char* kFolderMarker = ".../";

// The folder part with its first folder given way to the marker: "/" alone goes; otherwise a
// leading "/" is kept aside, a marker in front dropped, the next folder with its "/" dropped and
// the marker put in front, and the "/" put back.
std::string DropFirstFolder(std::string Folders) {
    if (Folders == "/") return "";
    const bool rooted = Folders[0] == '/';
    if (rooted) Folders.erase(0, 1);
    if (Folders.starts_with(kFolderMarker)) Folders.erase(0, 4);
    const size_t slash = Folders.find('/');
    Folders = slash == std::string::npos ? "" : kFolderMarker + Folders.substr(slash + 1);
    return rooted ? "/" + Folders : Folders;
}

}  // namespace

bool IsExistingFolder(const std::string& Path) {
    if (Path.empty()) return false;
    std::string path = Path;
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return DirectoryExists(path);
}

std::string ShortenPlainText(const std::string& Text, int32_t Width, const TTextExtent& Extent) {
    if (Extent(Text) <= Width) return Text;
    size_t kept = Text.size();
    std::string shown = Text;
    while (kept > 0 && Extent(shown) > Width) {
        --kept;
        shown = Text.substr(0, kept) + kEllipsis;
    }
    return shown;
}

std::string ShortenPathText(const std::string& Path, int32_t Width, const TTextExtent& Extent) {
    // A path here has no drive in front, so where a drive would go, "/.../" just loses its "/".
    const size_t lastSlash = Path.rfind('/');
    std::string folders = lastSlash == std::string::npos ? "" : Path.substr(0, lastSlash + 1);
    const std::string name = lastSlash == std::string::npos ? Path : Path.substr(lastSlash + 1);
    while (!folders.empty() && Extent(folders + name) > Width)
        folders = folders == "/.../" ? kFolderMarker : DropFirstFolder(folders);
    return folders + name;
}

std::string FitStatusText(const std::string& Text, int32_t Width, const TTextExtent& Extent) {
    if (Width <= 0 || Text.empty()) return Text;
    return IsExistingFolder(Text) ? ShortenPathText(Text, Width, Extent)
                                  : ShortenPlainText(Text, Width, Extent);
}

}  // namespace vex

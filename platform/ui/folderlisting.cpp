#include "platform/ui/folderlisting.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/core/codepage.h"

namespace vex {

namespace {

class TFd {
public:
    explicit TFd(int Fd = -1) : FFd(Fd) {}
    ~TFd() {
        if (FFd >= 0) close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    TFd(TFd&& Other) noexcept : FFd(Other.Release()) {}
    TFd& operator=(TFd&& Other) noexcept {
        if (this != &Other) {
            TFd old(FFd);
            FFd = Other.Release();
        }
        return *this;
    }
    int Get() const { return FFd; }
    int Release() { return std::exchange(FFd, -1); }

private:
    int FFd;
};

std::vector<std::string> NamesOf(const std::string& Path) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start < Path.size()) {
        size_t end = Path.find('/', start);
        if (end == std::string::npos) end = Path.size();
        if (end > start) names.push_back(Path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// The folder holding the last name of Path (for "/" itself, "/"), opened only to look names
// up in, and that last name ("." for "/").
TFd OpenParent(const std::string& Path, std::string& Last) {
    const std::vector<std::string> names = NamesOf(Path);
    TFd folder(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (names.empty()) {
        Last = ".";
        return folder;
    }
    for (size_t i = 0; i + 1 < names.size() && folder.Get() >= 0; ++i)
        folder = TFd(openat(folder.Get(), names[i].c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    Last = names.back();
    return folder;
}

TEntryKind KindOf(mode_t Mode) {
    if (S_ISDIR(Mode)) return TEntryKind::Folder;
    if (S_ISREG(Mode)) return TEntryKind::File;
    return TEntryKind::Other;
}

bool Before(const std::string& A, const std::string& B) {
    const int order = AnsiCollate(A, B, true);
    return order != 0 ? order < 0 : A < B;
}

}  // namespace

TEntryKind EntryKindOf(const std::string& Path) {
    std::string last;
    const TFd parent = OpenParent(Path, last);
    struct stat info;
    if (parent.Get() < 0 || fstatat(parent.Get(), last.c_str(), &info, 0) != 0)
        return TEntryKind::Missing;
    return KindOf(info.st_mode);
}

TFolderListing ReadFolderListing(const std::string& Path) {
    TFolderListing listing;
    std::string last;
    const TFd parent = OpenParent(Path, last);
    TFd folder(parent.Get() < 0
                   ? -1
                   : openat(parent.Get(), last.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(
        folder.Get() < 0 ? nullptr : fdopendir(folder.Get()), closedir);
    if (!dir) {
        listing.Error = std::strerror(errno);
        return listing;
    }
    const int fd = folder.Release();  // the listing owns it now
    while (const dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (listing.Folders.size() + listing.Files.size() == TFolderListing::MaxEntries) {
            listing.Truncated = true;
            break;
        }
        TEntryKind kind = entry->d_type == DT_DIR   ? TEntryKind::Folder
                          : entry->d_type == DT_REG ? TEntryKind::File
                                                    : TEntryKind::Missing;
        if (kind == TEntryKind::Missing) {
            struct stat info;
            if (fstatat(fd, name, &info, 0) != 0) continue;
            kind = KindOf(info.st_mode);
        }
        if (kind == TEntryKind::Folder) listing.Folders.emplace_back(name);
        if (kind == TEntryKind::File) listing.Files.emplace_back(name);
    }
    std::sort(listing.Folders.begin(), listing.Folders.end(), Before);
    std::sort(listing.Files.begin(), listing.Files.end(), Before);
    return listing;
}

std::string ParentFolder(const std::string& Path) {
    return ResolvePath(Path, "..");
}

std::string ResolvePath(const std::string& Folder, const std::string& Typed) {
    std::vector<std::string> kept;
    const bool absolute = !Typed.empty() && Typed[0] == '/';
    for (const std::string* part : {&Folder, &Typed}) {
        if (absolute && part == &Folder) continue;
        for (std::string& name : NamesOf(*part)) {
            if (name == ".") continue;
            if (name == "..") {
                if (!kept.empty()) kept.pop_back();
                continue;
            }
            kept.push_back(std::move(name));
        }
    }
    std::string path;
    for (const std::string& name : kept)
        path += "/" + name;
    return path.empty() ? "/" : path;
}

}  // namespace vex

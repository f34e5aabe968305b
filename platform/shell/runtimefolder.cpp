#include "platform/shell/runtimefolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/shell/windowdirectory.h"

namespace vex {

namespace {

[[noreturn]] void Refuse(const std::string& Path, const std::string& Why) {
    throw EWindowDirectoryError("The folder " + Path + " cannot be used: " + Why);
}

}  // namespace

std::string RuntimeFolderPath(const std::optional<std::string>& XdgRuntimeDir, uid_t User) {
    if (XdgRuntimeDir && !XdgRuntimeDir->empty() && XdgRuntimeDir->front() == '/')
        return *XdgRuntimeDir + (XdgRuntimeDir->back() == '/' ? "" : "/") + "vexbane";
    return "/tmp/vexbane-" + std::to_string(User);
}

std::string OpenPrivateFolder(const std::string& Path) {
    if (mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST) Refuse(Path, std::strerror(errno));
    const int fd = open(Path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        Refuse(Path,
               error == ENOTDIR || error == ELOOP ? "it is not a folder" : std::strerror(error));
    }
    struct stat info {};
    const int statResult = fstat(fd, &info);
    const int statError = errno;
    close(fd);
    if (statResult != 0) Refuse(Path, std::strerror(statError));
    if (info.st_uid != geteuid()) Refuse(Path, "it belongs to another user");
    if ((info.st_mode & 077) != 0) Refuse(Path, "other users may enter it");
    return Path;
}

std::string PrivateRuntimeFolder() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    return OpenPrivateFolder(RuntimeFolderPath(
        xdg == nullptr ? std::nullopt : std::optional<std::string>(xdg), geteuid()));
}

}  // namespace vex

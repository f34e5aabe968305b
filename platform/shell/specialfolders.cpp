#include "platform/shell/specialfolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/core/files.h"
#include "platform/shell/folderpaths.h"
#include "platform/shell/programoutput.h"

namespace vex {

namespace {

// A user's places file may hold anything; a folder path is far below this.
constexpr size_t kMaxAnswer = 4096;
constexpr std::chrono::milliseconds kAnswerTimeOut{2000};

}  // namespace

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return NormalFolderPath(home);
    if (const passwd* entry = getpwuid(getuid());
        entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/')
        return NormalFolderPath(entry->pw_dir);
    return "";
}

std::string DesktopFolder() {
    if (std::optional<std::string> answer =
            ProgramOutput({"xdg-user-dir", "DESKTOP"}, kAnswerTimeOut, kMaxAnswer)) {
        std::string path = *answer;
        if (!path.empty() && path.back() == '\n') path.pop_back();
        if (!path.empty() && path[0] == '/' && path.find('\n') == std::string::npos)
            return NormalFolderPath(path);
    }
    const std::string home = HomeFolder();
    return home.empty() ? "" : home + "/Desktop";
}

std::optional<std::string> SpecialFolderPath(int32_t Folder) {
    std::string path;
    switch (Folder) {
        case CSIDL_DESKTOP:
        case CSIDL_DRIVES:
            return std::string("/");
        case CSIDL_PERSONAL:
            path = HomeFolder();
            break;
        case CSIDL_DESKTOPDIRECTORY:
            path = DesktopFolder();
            break;
        default:
            return std::nullopt;
    }
    if (path.empty() || !DirectoryExists(path)) return std::nullopt;
    return path;
}

}  // namespace vex

#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace vex {

// Where this user's programs keep state that lasts only while they run: "vexbane" in the runtime
// folder XDG_RUNTIME_DIR names, or, when that is unset or not an absolute path, a folder of
// /tmp named for the user id.
std::string RuntimeFolderPath(const std::optional<std::string>& XdgRuntimeDir, uid_t User);

// Makes Path (mode 0700) when it is missing and gives it back once it is sure that the folder is
// private: a folder, not a link, owned by the effective user and closed to everyone else. Raises
// EWindowDirectoryError naming what is wrong otherwise, as another user could then read or plant
// what is kept there.
std::string OpenPrivateFolder(const std::string& Path);

// The private folder of this process's user, from its environment.
std::string PrivateRuntimeFolder();

}  // namespace vex

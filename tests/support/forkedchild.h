#pragma once

#include <functional>
#include <string>

namespace vex::test {

// Runs Body in a forked copy of the test program and gives back the text it returned, for a test
// that changes what the process may do (its user, its limits, its mounts) and must not change it
// for the tests after it. Only the calling thread goes on in the copy. Throws std::runtime_error
// when Body throws or the copy dies.
std::string InForkedChild(const std::function<std::string()>& Body);

// What a copy that first had to Prepare gave back: the text of Body, or why it could not be
// prepared, for the test to skip on.
struct ForkedResult {
    std::string Text;
    std::string NotRun;  // empty when Body ran
};
// Runs Prepare in a forked copy, and Body there after it when Prepare gave no reason why not.
ForkedResult InForkedChild(const std::function<std::string()>& Prepare,
                           const std::function<std::string()>& Body);

// Preparations for such a copy; each gives why it could not be made, or nothing.
//
// Gives up the superuser's rights, under which permission bits do not apply, by becoming the
// unprivileged user 65534, who must then be able to search every folder down to Reach.
std::string BecomeOrdinaryUser(const std::string& Reach);
// Mounts on the folder Path, in a mount namespace of the copy's own, a file system that the copy
// may not look into, as another user's FUSE mount looks to everyone else: looking Path up fails
// with EACCES. No daemon serves it, and none is ever asked.
std::string MountUnreachableFolder(const std::string& Path);

}  // namespace vex::test

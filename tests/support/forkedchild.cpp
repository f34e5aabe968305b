#include "tests/support/forkedchild.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vex::test {

namespace {

std::string Failed(const std::string& What) {
    return What + ": " + std::strerror(errno);
}

}  // namespace

std::string InForkedChild(const std::function<std::string()>& Body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        int status = 1;
        try {
            const std::string text = Body();
            status = 0;
            for (size_t at = 0; at < text.size() && status == 0;) {
                const ssize_t n = ::write(pipeFds[1], text.data() + at, text.size() - at);
                if (n > 0)
                    at += static_cast<size_t>(n);
                else if (errno != EINTR)
                    status = 1;
            }
        } catch (...) {
        }
        ::_exit(status);  // no exit handlers of the test program run twice
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            text.append(buffer, static_cast<size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the forked test process failed");
    return text;
}

ForkedResult InForkedChild(const std::function<std::string()>& Prepare,
                           const std::function<std::string()>& Body) {
    // The first byte tells Body's text from the reason it did not run.
    const std::string text = InForkedChild([&] {
        const std::string notRun = Prepare();
        return notRun.empty() ? "+" + Body() : "-" + notRun;
    });
    if (text.starts_with('+')) return {text.substr(1), ""};
    return {"", text.substr(1)};
}

std::string BecomeOrdinaryUser(const std::string& Reach) {
    constexpr uid_t Nobody = 65534;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
        return Failed("cannot become user 65534");
    if (::faccessat(AT_FDCWD, Reach.c_str(), X_OK, AT_EACCESS) != 0)
        return Failed("user " + std::to_string(::geteuid()) + " cannot search " + Reach);
    return {};
}

std::string MountUnreachableFolder(const std::string& Path) {
    if (::unshare(CLONE_NEWNS) != 0) return Failed("cannot make a mount namespace");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return Failed("cannot keep mounts from the rest of the system");
    // Held open for the life of the copy: closing it would end the file system's connection.
    const int fuse = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fuse < 0) return Failed("cannot open /dev/fuse");
    // Owned by someone else, the mount is closed to the copy before the kernel would ask a daemon.
    const std::string owner = std::to_string(::geteuid() == 65534 ? 65533 : 65534);
    const std::string options =
        "fd=" + std::to_string(fuse) + ",rootmode=40000,user_id=" + owner + ",group_id=" + owner;
    if (::mount("vex-test", Path.c_str(), "fuse", MS_NOSUID | MS_NODEV, options.c_str()) != 0)
        return Failed("cannot mount a FUSE file system on " + Path);
    return {};
}

}  // namespace vex::test

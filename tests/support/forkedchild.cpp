#include "tests/support/forkedchild.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace vex::test {

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

bool RunAsOrdinaryUser() {
    if (::geteuid() != 0) return true;
    constexpr uid_t Nobody = 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
}

}  // namespace vex::test

#pragma once

#include <functional>
#include <string>

namespace vex::test {

// Runs Body in a forked copy of the test program and gives back the text it returned, for a test
// that changes what the process may do (its user, its limits) and must not change it for the
// tests after it. Only the calling thread goes on in the copy. Throws std::runtime_error when
// Body throws or the copy dies.
std::string InForkedChild(const std::function<std::string()>& Body);

// In such a copy: gives up the superuser's rights, under which permission bits do not apply, by
// becoming the unprivileged user 65534. True when the process now runs as an ordinary user.
bool RunAsOrdinaryUser();

}  // namespace vex::test

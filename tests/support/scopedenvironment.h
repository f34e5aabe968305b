#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace vex::test {

// Sets an environment variable for the object's lifetime, and puts back what was there after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* Name, const std::string& Value) : FName(Name) {
        if (const char* old = std::getenv(Name)) FOld = old;
        setenv(Name, Value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (FOld)
            setenv(FName, FOld->c_str(), 1);
        else
            unsetenv(FName);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* FName;
    std::optional<std::string> FOld;
};

}  // namespace vex::test

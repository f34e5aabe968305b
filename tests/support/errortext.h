#pragma once

#include <string>

namespace vex::test {

// The message of the E that Call raises, or "no error" when it raises none; any other exception
// passes through and fails the test.
template <class E, class F>
std::string ErrorText(F&& Call) {
    try {
        Call();
    } catch (const E& e) {
        return e.Message();
    }
    return "no error";
}

}  // namespace vex::test

#include "platform/shell/programoutput.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vex {
namespace {

using std::chrono::milliseconds;

TEST(ProgramOutput, AnswersTheOutputOfAProgramThatSucceeds) {
    struct TCase {
        std::vector<std::string> Arguments;
        std::optional<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {{"printf", "%s|", "a b", "$HOME;`x`"}, "a b|$HOME;`x`|"},  // no shell sees them
        {{"sh", "-c", "echo out; echo err >&2"}, "out\n"},
        {{"sh", "-c", "echo partial; exit 3"}, std::nullopt},
        {{"no-such-program-here"}, std::nullopt},
        {{}, std::nullopt},
        {{"head", "-c", "5000", "/dev/zero"}, std::nullopt},  // over the limit
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.empty() ? "" : c.Arguments[0]);
        EXPECT_EQ(ProgramOutput(c.Arguments, milliseconds(5000), 4096), c.Expected);
    }
}

TEST(ProgramOutput, GivesUpOnAProgramThatHangsWithinItsTimeOut) {
    for (const char* script : {"sleep 30", "exec >&-; sleep 30"}) {
        SCOPED_TRACE(script);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ProgramOutput({"sh", "-c", script}, milliseconds(200), 4096), std::nullopt);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    }
}

}  // namespace
}  // namespace vex

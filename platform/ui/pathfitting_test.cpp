#include "platform/ui/pathfitting.h"

#include <gtest/gtest.h>

#include <string>

namespace vex {
namespace {

TEST(PathFitting, ALongPathKeepsItsEndFromAFolderOnAFewMeasurementsAway) {
    int measured = 0;
    const auto width = [&](const std::string& Text) {
        ++measured;
        return static_cast<int32_t>(Text.size());
    };
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "/folder";
    const struct {
        std::string Path;
        int32_t Width;
        const char* Shown;
    } cases[] = {
        {"/home/ann/mail", 14, "/home/ann/mail"},
        {"/home/ann/mail", 13, ".../ann/mail"},
        {"/home/ann/mail", 8, ".../mail"},
        {"/home/ann/mail", 6, "...ail"},
        {"/home/ann/mail", 2, "..."},
        {"/", 0, "..."},
        // A cut inside a name never splits a letter of several bytes.
        {"/mail/\xC3\xA9t\xC3\xA9", 7, "...t\xC3\xA9"},
        {"/mail/\xE2\x82\xAC\xE2\x82\xAC", 8, "...\xE2\x82\xAC"},
        {deep, 30, ".../folder/folder/folder"},
    };
    for (const auto& c : cases) {
        measured = 0;
        EXPECT_EQ(FitPathToWidth(c.Path, c.Width, width), c.Shown) << c.Width;
        EXPECT_LT(measured, 30) << "a path is measured a few times, not once a name";
    }
}

}  // namespace
}  // namespace vex

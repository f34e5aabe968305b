#include "platform/ui/pathfitting.h"

#include <gtest/gtest.h>

#include <string>

namespace vex {
namespace {

TEST(PathFitting, ALongPathKeepsItsEndFromAFolderOn) {
    const auto width = [](const std::string& Text) { return static_cast<int32_t>(Text.size()); };
    const struct {
        const char* Path;
        int32_t Width;
        const char* Shown;
    } cases[] = {
        {"/home/ann/mail", 14, "/home/ann/mail"},
        {"/home/ann/mail", 13, ".../ann/mail"},
        {"/home/ann/mail", 8, ".../mail"},
        {"/home/ann/mail", 6, "...ail"},
        {"/home/ann/mail", 2, "..."},
        {"/", 0, "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitPathToWidth(c.Path, c.Width, width), c.Shown) << c.Path << " " << c.Width;
}

TEST(PathFitting, APathOfThousandsOfFoldersIsMeasuredAFewTimesOnly) {
    std::string path;
    for (int i = 0; i < 5000; ++i)
        path += "/folder";
    int measured = 0;
    const std::string shown = FitPathToWidth(path, 30, [&](const std::string& Text) {
        ++measured;
        return static_cast<int32_t>(Text.size());
    });
    EXPECT_EQ(shown, ".../folder/folder/folder");
    EXPECT_LT(measured, 30);
}

}  // namespace
}  // namespace vex

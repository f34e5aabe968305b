#include "platform/core/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

// The module "core_test" comes from testdata/ through vex_resources().

namespace vex {
namespace {

std::string AsText(std::span<const uint8_t> Bytes) {
    return std::string(Bytes.begin(), Bytes.end());
}

TEST(Resources, StringsSpanTheNumberRangeAsWindows1252AndFilesMatchInAnyCaseByteForByte) {
    EXPECT_EQ(LoadStr(0), "Lowest number");
    EXPECT_EQ(LoadStr(65535), "Highest number");
    EXPECT_EQ(LoadStr(200), "Caf\xe9 \xe0 5 \x80");
    EXPECT_EQ(LoadStr(201), std::string("Tab\there, \"quoted\", back\\slash, raw \x01\xff"));
    for (int32_t id : {202, 1, 56999, 57001, -1, 65536, INT32_MIN, INT32_MAX})
        EXPECT_EQ(LoadStr(id), "") << id;
    std::string everyByte(256, 0);
    for (int i = 0; i < 256; ++i)
        everyByte[i] = static_cast<char>(i);
    EXPECT_EQ(AsText(FindResource("rcdata", "EVERYBYTE").value()), everyByte);
    EXPECT_EQ(AsText(FindResource("RcData", "everybyte").value()), everyByte);
    EXPECT_TRUE(FindResource("RCDATA", "empty").value().empty());  // empty, but there
    for (auto [type, name] :
         {std::pair{"RCDATA", "Missing"}, std::pair{"BITMAP", "EveryByte"},
          std::pair{"RCDATA", "EveryByt"}, std::pair{"RCDATA", "EveryBytes"}, std::pair{"", ""}})
        EXPECT_FALSE(FindResource(type, name).has_value()) << type << "/" << name;
    EXPECT_EQ(ResourceConflicts(), std::vector<std::string>{});
}

// A module registered later, as a shared library would be, that repeats a number and a name.
constexpr std::array<uint8_t, 9> kLateText = {'L', 'a', 't', 'e', 'o', 'n', 'l', 'y', '!'};
constexpr TResourceString kLateStrings[] = {{57000, 0, 4}, {60000, 4, 5}};
constexpr std::array<uint8_t, 1> kLateBytes = {42};
constexpr TResourceFile kLateFiles[] = {{"rcdata", "everybyte", kLateBytes},
                                        {"RCDATA", "Late", kLateBytes}};
constexpr TResourceModule kLateModule = {"late", kLateStrings, kLateText, kLateFiles};

TEST(ResourceConflicts, NamesRepeatedNumbersAndNamesWhileTheFirstModuleStillWins) {
    {
        TResourceRegistrar registrar(kLateModule);
        EXPECT_EQ(ResourceConflicts(),
                  (std::vector<std::string>{"string 57000 is defined by core_test and late",
                                            "resource RCDATA/EveryByte is defined by core_test "
                                            "and late"}));
        EXPECT_EQ(LoadStr(57000), "Operation timed out");  // the first module wins
        EXPECT_EQ(LoadStr(60000), "only!");
        EXPECT_EQ(FindResource("RCDATA", "EveryByte")->size(), 256u);
        EXPECT_EQ(AsText(FindResource("rcdata", "late").value()), "*");
    }
    EXPECT_EQ(ResourceConflicts(), std::vector<std::string>{});
    EXPECT_EQ(LoadStr(60000), "");
    EXPECT_FALSE(FindResource("RCDATA", "Late").has_value());
}

}  // namespace
}  // namespace vex

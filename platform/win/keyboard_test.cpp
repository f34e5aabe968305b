#include "platform/win/keyboard.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"

namespace vex {
namespace {

// Every test starts and ends with all keys up and untoggled.
class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { SetKeyboardState(TKeyboardState{}); }
    void TearDown() override { SetKeyboardState(TKeyboardState{}); }
};

TEST_F(KeyboardTest, KeyStateIsNegativeWhileDownTogglesOnEachPressAndRoundTripsAsATable) {
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
    SetKeyState(VK_CAPITAL, true);
    EXPECT_EQ(static_cast<uint16_t>(GetKeyState(VK_CAPITAL)), 0x8001);
    SetKeyState(VK_CAPITAL, true);  // auto-repeat does not toggle again
    SetKeyState(VK_CAPITAL, false);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
    SetKeyState(VK_CAPITAL, true);
    SetKeyState(VK_CAPITAL, false);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);

    // The whole table round-trips, and codes outside it read up.
    TKeyboardState state{};
    state[0] = 0x80;
    state[VK_NUMLOCK] = 0x01;
    state[255] = 0x81;
    SetKeyboardState(state);
    EXPECT_LT(GetKeyState(0), 0);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(static_cast<uint16_t>(GetKeyState(255)), 0x8001);
    TKeyboardState read;
    GetKeyboardState(read);
    EXPECT_EQ(read, state);
    EXPECT_EQ(GetKeyState(-1), 0);
    EXPECT_EQ(GetKeyState(256), 0);
    EXPECT_THROW(SetKeyState(-1, true), ERangeError);
    EXPECT_THROW(SetKeyState(256, true), ERangeError);
}

}  // namespace
}  // namespace vex

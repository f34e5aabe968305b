#include "platform/shell/trayicons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/shell/recordingtrayhost.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

TTrayIconImage Solid(int32_t Side, uint32_t Pixel) {
    return TTrayIconImage{Side, Side,
                          std::vector<uint32_t>(static_cast<size_t>(Side * Side), Pixel)};
}

NOTIFYICONDATA Record(HWND Wnd, UINT Flags, const std::string& Tip = "",
                      const TTrayIconImage& Icon = {}, UINT Callback = 0x464) {
    NOTIFYICONDATA data;
    data.Wnd = Wnd;
    data.ID = 42;
    data.Flags = Flags;
    data.CallbackMessage = Callback;
    data.Icon = Icon;
    data.Tip = Tip;
    return data;
}

TEST(TrayIcons, RefusesCallsThatDoNotFitTheIconsShown) {
    test::RecordingWindow owner;
    const HWND wnd = owner.Handle();
    TTrayIcons icons;
    struct Case {
        const char* What;
        DWORD Message;
        NOTIFYICONDATA Data;
        bool Result;
        size_t Count;
    };
    const std::vector<Case> cases = {
        {"a modify before any add", NIM_MODIFY, Record(wnd, NIF_TIP, "x"), false, 0},
        {"a delete before any add", NIM_DELETE, Record(wnd, 0), false, 0},
        {"an add for no window", NIM_ADD, Record(wnd + 1000, 7), false, 0},
        {"an add", NIM_ADD, Record(wnd, 7, "tip", Solid(16, 0xFF00FF00)), true, 1},
        {"the same add again", NIM_ADD, Record(wnd, 7), false, 1},
        {"an unknown message", 7, Record(wnd, 7), false, 1},
        {"a modify", NIM_MODIFY, Record(wnd, NIF_TIP, "new"), true, 1},
        {"a delete", NIM_DELETE, Record(wnd, 0), true, 0},
        {"the same delete again", NIM_DELETE, Record(wnd, 0), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(icons.Apply(c.Message, c.Data), c.Result);
        EXPECT_EQ(icons.Count(), c.Count);
    }
}

TEST(TrayIcons, AModifyChangesOnlyTheMembersItsFlagsName) {
    test::RecordingWindow owner;
    TTrayIcons icons;
    ASSERT_TRUE(icons.Apply(NIM_ADD, Record(owner.Handle(), 7, "first", Solid(2, 1))));
    ASSERT_TRUE(icons.Apply(NIM_MODIFY, Record(owner.Handle(), NIF_TIP, "second", {}, 0x999)));
    const NOTIFYICONDATA* icon = icons.Find(owner.Handle(), 42);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Tip, "second");
    EXPECT_EQ(icon->Icon, Solid(2, 1));
    EXPECT_EQ(icon->CallbackMessage, 0x464u);
    ASSERT_TRUE(icons.Apply(NIM_MODIFY, Record(owner.Handle(), NIF_ICON, "", Solid(3, 2))));
    EXPECT_EQ(icons.Find(owner.Handle(), 42)->Icon, Solid(3, 2));
    EXPECT_EQ(icons.Find(owner.Handle(), 42)->Tip, "second");
}

TEST(TrayIcons, CutsTheTipToSixtyThreeBytes) {
    test::RecordingWindow owner;
    TTrayIcons icons;
    for (const size_t length : {size_t{0}, size_t{63}, size_t{64}, size_t{300}, size_t{70000}}) {
        SCOPED_TRACE(length);
        icons.Apply(NIM_DELETE, Record(owner.Handle(), 0));
        ASSERT_TRUE(
            icons.Apply(NIM_ADD, Record(owner.Handle(), NIF_TIP, std::string(length, 'a'))));
        EXPECT_EQ(icons.Find(owner.Handle(), 42)->Tip,
                  std::string(std::min<size_t>(length, 63), 'a'));
    }
}

TEST(TrayIcons, RefusesMalformedPicturesBeforeChangingAnything) {
    test::RecordingWindow owner;
    TTrayIcons icons;
    ASSERT_TRUE(icons.Apply(NIM_ADD, Record(owner.Handle(), 7, "kept", Solid(4, 9))));
    const std::vector<TTrayIconImage> bad = {
        {2, 2, std::vector<uint32_t>(3)},
        {-1, 4, {}},
        {257, 1, std::vector<uint32_t>(257)},
        {65536, 65536, {}},
    };
    for (const TTrayIconImage& image : bad) {
        SCOPED_TRACE(std::to_string(image.Width) + "x" + std::to_string(image.Height));
        EXPECT_THROW(icons.Apply(NIM_MODIFY, Record(owner.Handle(), 7, "lost", image)),
                     ETrayIconError);
        EXPECT_EQ(icons.Find(owner.Handle(), 42)->Tip, "kept");
        EXPECT_EQ(icons.Find(owner.Handle(), 42)->Icon, Solid(4, 9));
    }
}

TEST(TrayIcons, ADeleteTakesTheIconAwayWhateverPictureComesWithIt) {
    test::RecordingWindow owner;
    TTrayIcons icons;
    ASSERT_TRUE(icons.Apply(NIM_ADD, Record(owner.Handle(), 7, "shown", Solid(4, 9))));
    EXPECT_TRUE(icons.Apply(NIM_DELETE, Record(owner.Handle(), 7, "", {2, 2, {}})));
    EXPECT_EQ(icons.Count(), 0u);
}

TEST(RecordingTrayHost, RecordsCallsAndPostsClicksToTheOwner) {
    test::RecordingWindow owner;
    TRecordingTrayHost host;
    EXPECT_FALSE(host.Click(owner.Handle(), 42, {WM_LBUTTONDOWN}));
    EXPECT_TRUE(host.Notify(NIM_ADD, Record(owner.Handle(), 7, "tip")));
    EXPECT_FALSE(host.Notify(NIM_ADD, Record(owner.Handle(), 7, "tip")));
    ASSERT_EQ(host.Calls().size(), 2u);
    EXPECT_TRUE(host.Calls()[0].Result);
    EXPECT_FALSE(host.Calls()[1].Result);

    ASSERT_TRUE(host.Click(owner.Handle(), 42, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}));
    ASSERT_TRUE(test::PumpUntil([&] { return owner.Received.size() == 3; }));
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(owner.Received[i].Msg, 0x464u);
        EXPECT_EQ(owner.Received[i].WParam, 42u);
        EXPECT_EQ(owner.Received[i].LParam, static_cast<LPARAM>(expected[i]));
    }

    // An icon that asked for no messages tells its owner nothing.
    ASSERT_TRUE(host.Notify(NIM_DELETE, Record(owner.Handle(), 0)));
    ASSERT_TRUE(host.Notify(NIM_ADD, Record(owner.Handle(), NIF_TIP, "quiet")));
    EXPECT_FALSE(host.Click(owner.Handle(), 42, {WM_LBUTTONDOWN}));
}

}  // namespace
}  // namespace vex

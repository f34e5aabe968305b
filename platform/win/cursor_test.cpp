#include "platform/win/cursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/win_testsupport.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

class CursorTest : public ::testing::Test {
protected:
    CursorTest() {
        WNDCLASS beam;
        if (!GetClassInfo("BeamWindow", beam)) {
            beam.lpfnWndProc = [](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
                return DefWindowProc(Wnd, Msg, WParam, LParam);
            };
            beam.hCursor = LoadCursor(0, IDC_IBEAM);
            beam.lpszClassName = "BeamWindow";
            RegisterClass(beam);
        }
        SetCursor(0);
    }

    static LPARAM Where(int32_t HitTest) {
        return MAKELONG(static_cast<uint16_t>(HitTest), static_cast<uint16_t>(WM_MOUSEMOVE));
    }

    test::MessageLog Log;
};

TEST_F(CursorTest, StandardCursorsLoadByNumberAndUnknownOnesDoNot) {
    for (uint32_t id :
         {IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_SIZEALL, IDC_SIZENWSE, IDC_SIZENESW,
          IDC_SIZEWE, IDC_SIZENS, IDC_NO, IDC_HAND, IDC_APPSTARTING, IDC_UPARROW}) {
        SCOPED_TRACE(id);
        const HCURSOR cursor = LoadCursor(0, id);
        ASSERT_NE(cursor, 0);
        EXPECT_EQ(GetCursorShape(cursor)->Standard, id);
    }
    EXPECT_EQ(LoadCursor(0, 1), 0);
    EXPECT_EQ(LoadCursor(0, 0x10000), 0);  // a resource cursor's handle is no standard number
    EXPECT_EQ(GetCursorShape(0), nullptr);
}

TEST_F(CursorTest, ResourceCursorsArePicturesLoadedOnce) {
    const HCURSOR drag = LoadCursor(1, 32012);
    ASSERT_NE(drag, 0);
    EXPECT_EQ(LoadCursor(1, 32012), drag);
    const TCursorShape* shape = GetCursorShape(drag);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Standard, 0u);
    EXPECT_EQ(shape->HotSpot, (TPoint{0, 0}));
    EXPECT_EQ(shape->Pixels[0], TCursorShape::Black);
    for (uint32_t id : {32013u, 32014u, 32015u})
        EXPECT_NE(LoadCursor(1, id), 0) << id;
    EXPECT_EQ(LoadCursor(1, 4711), 0);
}

TEST_F(CursorTest, SetCursorReturnsThePreviousAndThePresenterShowsItUnlessHidden) {
    const HCURSOR arrow = LoadCursor(0, IDC_ARROW), wait = LoadCursor(0, IDC_WAIT);
    EXPECT_EQ(SetCursor(arrow), 0);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(GetCursor(), wait);
    ASSERT_TRUE(Presenter().ShownCursor().has_value());
    EXPECT_EQ(Presenter().ShownCursor()->Standard, IDC_WAIT);

    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_FALSE(Presenter().ShownCursor().has_value());
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_FALSE(Presenter().ShownCursor().has_value());
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_EQ(Presenter().ShownCursor()->Standard, IDC_WAIT);
    SetCursor(0);
    EXPECT_FALSE(Presenter().ShownCursor().has_value());
}

// The answers of DefWindowProc to WM_SETCURSOR, for a child of a parent with the arrow's class
// (none) and a child whose class shows the I-beam.
TEST_F(CursorTest, DefWindowProcAsksTheParentFirstThenUsesTheClassOrTheFrame) {
    const HWND parent = Log.Create("parent", WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
    const HWND plain = Log.Create("plain", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, parent);
    const HWND beam = CreateWindowEx(0, "BeamWindow", "beam", WS_CHILD | WS_VISIBLE | WS_THICKFRAME,
                                     60, 0, 50, 50, parent, 0, 0);
    struct Case {
        const char* Name;
        HWND Wnd;
        int32_t HitTest;
        bool ParentClaims;
        LRESULT Result;
        uint32_t Cursor;  // 0: left as it was
    };
    const std::vector<Case> cases = {
        {"a client area without a class cursor", plain, HTCLIENT, false, 0, 0},
        {"a client area with one", beam, HTCLIENT, false, 1, IDC_IBEAM},
        {"a parent that claims it", beam, HTCLIENT, true, 1, 0},
        {"the caption", plain, HTCAPTION, false, 1, IDC_ARROW},
        {"left border", beam, HTLEFT, true, 1, IDC_SIZEWE},  // the border is the child's
        {"right border", beam, HTRIGHT, false, 1, IDC_SIZEWE},
        {"top border", beam, HTTOP, false, 1, IDC_SIZENS},
        {"bottom border", beam, HTBOTTOM, false, 1, IDC_SIZENS},
        {"top-left corner", beam, HTTOPLEFT, false, 1, IDC_SIZENWSE},
        {"bottom-right corner", beam, HTBOTTOMRIGHT, false, 1, IDC_SIZENWSE},
        {"top-right corner", beam, HTTOPRIGHT, false, 1, IDC_SIZENESW},
        {"bottom-left corner", beam, HTBOTTOMLEFT, false, 1, IDC_SIZENESW},
        {"nowhere", parent, HTNOWHERE, false, 1, IDC_ARROW},
        {"a bad place", parent, HTERROR, false, 1, IDC_ARROW},
    };
    bool claims = false;
    std::vector<std::string> asked;
    Log.Watched = {WM_SETCURSOR};
    Log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg == WM_SETCURSOR && Wnd == parent && claims) return 1;
        return std::nullopt;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        claims = c.ParentClaims;
        SetCursor(0);
        Log.Lines.clear();
        EXPECT_EQ(SendMessage(c.Wnd, WM_SETCURSOR, c.Wnd, Where(c.HitTest)), c.Result);
        EXPECT_EQ(GetCursor(), static_cast<HCURSOR>(c.Cursor));
        const bool sizing = c.HitTest >= HTLEFT && c.HitTest <= HTBOTTOMRIGHT;
        // A child's parent heard of it first unless it was a sizing border.
        const auto parentHeard = std::count(Log.Lines.begin(), Log.Lines.end(), "parent ?");
        EXPECT_EQ(parentHeard, c.Wnd == parent || !sizing ? 1 : 0);
    }
    DestroyWindow(beam);
}

TEST(CursorPicture, ParsesPicturesAndRefusesWhatIsNotOne) {
    const auto parse = [](const std::string& Text) {
        return ParseCursorPicture(
            std::span(reinterpret_cast<const uint8_t*>(Text.data()), Text.size()));
    };
    const std::optional<TCursorShape> two = parse("hotspot 1 0\r\n#o\n..\n");
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(two->Width, 2);
    EXPECT_EQ(two->Height, 2);
    EXPECT_EQ(two->HotSpot, (TPoint{1, 0}));
    EXPECT_EQ(two->Pixels,
              (std::vector<TCursorShape::TPixel>{TCursorShape::Black, TCursorShape::White,
                                                 TCursorShape::Clear, TCursorShape::Clear}));
    const std::string wide = "hotspot 0 0\n" + std::string(65, '#') + "\n";
    std::string tall = "hotspot 0 0\n";
    for (int i = 0; i < 65; ++i)
        tall += "#\n";
    for (const std::string& bad :
         {std::string(""), std::string("hotspot 0\n#\n"), std::string("hotspot 0 0\n"),
          std::string("hotspot 2 0\n##\n"), std::string("hotspot 0 0\n##\n#\n"),
          std::string("hotspot 0 0\n#x\n"), std::string("hotspot -1 0\n#\n"),
          std::string("hot 0 0\n#\n"), wide, tall}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parse(bad).has_value());
    }
}

}  // namespace
}  // namespace vex

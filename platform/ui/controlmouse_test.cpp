#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/input_testsupport.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

using test::TLog;
using test::TLogged;
using test::TPlainPanel;
using test::TShownForm;

std::string ShiftText(TShiftState Shift) {
    std::string text;
    const char* letters = "SACLRMD";
    for (int i = 0; i < 7; ++i)
        if (Shift.Contains(static_cast<TShiftStateFlag>(i))) text += letters[i];
    return text;
}

// Writes the mouse events of Control into Log.
void WatchMouse(TControl& Control, TLog& Log, const std::string& Tag) {
    const auto button = [](TMouseButton B) { return std::string(1, "LRM"[B]); };
    const auto at = [](int32_t X, int32_t Y) {
        return std::to_string(X) + "," + std::to_string(Y);
    };
    Control.OnMouseDown = [&Log, Tag, button, at](TObject*, TMouseButton B, TShiftState S,
                                                  int32_t X, int32_t Y) {
        Log.push_back(Tag + " down " + button(B) + " " + at(X, Y) + " " + ShiftText(S));
    };
    Control.OnMouseUp = [&Log, Tag, button, at](TObject*, TMouseButton B, TShiftState S, int32_t X,
                                                int32_t Y) {
        Log.push_back(Tag + " up " + button(B) + " " + at(X, Y) + " " + ShiftText(S));
    };
    Control.OnMouseMove = [&Log, Tag, at](TObject*, TShiftState S, int32_t X, int32_t Y) {
        Log.push_back(Tag + " move " + at(X, Y) + " " + ShiftText(S));
    };
    Control.OnClick = [&Log, Tag](TObject*) { Log.push_back(Tag + " click"); };
    Control.OnDblClick = [&Log, Tag](TObject*) { Log.push_back(Tag + " dblclick"); };
}

// A plain control that also notes the pointer entering and leaving it.
class TMouseLogged : public TGraphicControl {
public:
    TMouseLogged(TComponent* AOwner, TLog& Log, std::string Tag)
        : TGraphicControl(AOwner), FLog(Log), FTag(std::move(Tag)) {
        WatchMouse(*this, Log, FTag);
    }
    // Runs as the pointer leaves, after the leave is noted.
    std::function<void()> OnLeave;

    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_MOUSEENTER) FLog.push_back(FTag + " enter");
        if (Message.Msg == CM_MOUSELEAVE) {
            FLog.push_back(FTag + " leave");
            if (OnLeave) OnLeave();
            return;
        }
        TGraphicControl::WndProc(Message);
    }

private:
    TLog& FLog;
    std::string FTag;
};

struct TMouseStep {
    UINT Msg;
    int16_t X;
    int16_t Y;
    WPARAM Keys;
};

// A panel at the form's corner with a plain control at (10, 10)-(40, 40) on it.
struct TPanelWithChild {
    TLog Log;
    TShownForm Shown;
    TPlainPanel* Panel = Shown.Add<TPlainPanel>(Shown.Form, Rect(0, 0, 100, 100));
    TMouseLogged* Child = Shown.Add<TMouseLogged>(Panel, Rect(10, 10, 40, 40), Log, "g");
    TPanelWithChild() { WatchMouse(*Panel, Log, "panel"); }
    void Send(const std::vector<TMouseStep>& Steps) {
        for (const TMouseStep& s : Steps)
            SendMessage(Panel->Handle(), s.Msg, s.Keys, PointToLParam(Point(s.X, s.Y)));
    }
    TLog Events() const {
        TLog kept;
        for (const std::string& line : Log)
            if (line.find(" enter") == std::string::npos &&
                line.find(" leave") == std::string::npos)
                kept.push_back(line);
        return kept;
    }
};

TEST(ControlMouse, PressAndReleaseMakeClicksWithTheirShiftStates) {
    struct TCase {
        const char* Name;
        bool DoubleClicks;
        std::vector<TMouseStep> Steps;
        TLog Seen;
    };
    const std::vector<TCase> cases = {
        {"a click",
         true,
         {{WM_LBUTTONDOWN, 15, 15, MK_LBUTTON}, {WM_LBUTTONUP, 15, 15, 0}},
         {"g down L 5,5 L", "g click", "g up L 5,5 "}},
        {"released elsewhere",
         true,
         {{WM_LBUTTONDOWN, 15, 15, MK_LBUTTON},
          {WM_MOUSEMOVE, 60, 70, MK_LBUTTON},
          {WM_LBUTTONUP, 60, 70, 0}},
         {"g down L 5,5 L", "g move 50,60 L", "g up L 50,60 "}},
        {"a double click",
         true,
         {{WM_LBUTTONDOWN, 15, 15, MK_LBUTTON},
          {WM_LBUTTONUP, 15, 15, 0},
          {WM_LBUTTONDBLCLK, 15, 15, MK_LBUTTON},
          {WM_LBUTTONUP, 15, 15, 0}},
         {"g down L 5,5 L", "g click", "g up L 5,5 ", "g dblclick", "g down L 5,5 LD",
          "g up L 5,5 "}},
        {"a double click where none is taken",
         false,
         {{WM_LBUTTONDOWN, 15, 15, MK_LBUTTON},
          {WM_LBUTTONUP, 15, 15, 0},
          {WM_LBUTTONDBLCLK, 15, 15, MK_LBUTTON},
          {WM_LBUTTONUP, 15, 15, 0}},
         {"g down L 5,5 L", "g click", "g up L 5,5 ", "g down L 5,5 L", "g click", "g up L 5,5 "}},
        {"shift and ctrl",
         true,
         {{WM_LBUTTONDOWN, 11, 12, MK_LBUTTON | MK_SHIFT | MK_CONTROL},
          {WM_LBUTTONUP, 11, 12, MK_SHIFT}},
         {"g down L 1,2 SCL", "g click", "g up L 1,2 S"}},
        {"the other buttons click nothing",
         true,
         {{WM_RBUTTONDOWN, 15, 15, MK_RBUTTON},
          {WM_RBUTTONUP, 15, 15, 0},
          {WM_MBUTTONDOWN, 15, 15, MK_MBUTTON},
          {WM_MBUTTONDBLCLK, 15, 15, MK_MBUTTON},
          {WM_MBUTTONUP, 15, 15, 0}},
         {"g down R 5,5 R", "g up R 5,5 ", "g down M 5,5 M", "g down M 5,5 MD", "g up M 5,5 "}},
        {"beside the child, the panel's own",
         true,
         {{WM_LBUTTONDOWN, 50, 50, MK_LBUTTON}, {WM_LBUTTONUP, 50, 50, 0}},
         {"panel down L 50,50 L", "panel click", "panel up L 50,50 "}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanelWithChild t;
        if (!c.DoubleClicks)
            t.Child->SetControlStyle(t.Child->ControlStyle() - TControlStyle{csDoubleClicks});
        t.Send(c.Steps);
        EXPECT_EQ(t.Events(), c.Seen);
        EXPECT_EQ(GetCaptureControl(), nullptr);
    }
}

TEST(ControlMouse, GoesToTheTopmostChildThatIsVisibleAndEnabled) {
    struct TCase {
        const char* Name;
        bool TopEnabled;
        bool TopVisible;
        const char* Receiver;
    };
    const std::vector<TCase> cases = {
        {"both there", true, true, "top"},
        {"top disabled", false, true, "g"},
        {"top hidden", true, false, "g"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanelWithChild t;
        auto* top = t.Shown.Add<TMouseLogged>(t.Panel, Rect(30, 30, 60, 60), t.Log, "top");
        top->SetEnabled(c.TopEnabled);
        top->SetVisible(c.TopVisible);
        EXPECT_EQ(t.Panel->ControlAtPos(Point(35, 35), false),
                  c.TopEnabled && c.TopVisible ? static_cast<TControl*>(top) : t.Child);
        t.Send({{WM_LBUTTONDOWN, 35, 35, MK_LBUTTON}, {WM_LBUTTONUP, 35, 35, 0}});
        const std::string who = c.Receiver;
        const std::string at = who == "top" ? "5,5" : "25,25";
        EXPECT_EQ(t.Events(),
                  (TLog{who + " down L " + at + " L", who + " click", who + " up L " + at + " "}));
    }
}

TEST(ControlMouse, ThePointerEntersAndLeavesEachControl) {
    TPanelWithChild t;
    auto* other = t.Shown.Add<TMouseLogged>(t.Panel, Rect(50, 10, 80, 40), t.Log, "other");
    t.Send({{WM_MOUSEMOVE, 15, 15, 0},
            {WM_MOUSEMOVE, 16, 15, 0},
            {WM_MOUSEMOVE, 55, 15, 0},
            {WM_MOUSEMOVE, 45, 50, 0},
            {WM_MOUSEMOVE, 20, 20, 0}});
    EXPECT_EQ(MouseControl(), t.Child);
    SendMessage(t.Panel->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(MouseControl(), nullptr);
    TLog crossings;
    for (const std::string& line : t.Log)
        if (line.find(" enter") != std::string::npos || line.find(" leave") != std::string::npos)
            crossings.push_back(line);
    EXPECT_EQ(crossings,
              (TLog{"g enter", "g leave", "other enter", "other leave", "g enter", "g leave"}));
    (void)other;
}

TEST(ControlMouse, AControlHiddenUnderThePointerHearsItWasLeft) {
    struct TCase {
        const char* Name;
        std::function<void(TPanelWithChild&)> Hide;
        TLog Crossings;
    };
    const std::vector<TCase> cases = {
        {"itself hidden", [](TPanelWithChild& T) { T.Child->Hide(); }, {"g enter", "g leave"}},
        {"its window hidden", [](TPanelWithChild& T) { T.Panel->Hide(); }, {"g enter", "g leave"}},
        {"hidden, its leave handler freeing its window",
         [](TPanelWithChild& T) {
             T.Child->OnLeave = [&T] { delete T.Panel; };
             T.Child->Hide();
         },
         {"g enter", "g leave"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanelWithChild t;
        t.Send({{WM_MOUSEMOVE, 15, 15, 0}});
        ASSERT_EQ(MouseControl(), t.Child);
        c.Hide(t);
        // It may show again somewhere the pointer is not, looking as if it still were.
        EXPECT_EQ(MouseControl(), nullptr);
        TLog crossings;
        for (const std::string& line : t.Log)
            if (line.ends_with(" enter") || line.ends_with(" leave")) crossings.push_back(line);
        EXPECT_EQ(crossings, c.Crossings);
    }
}

TEST(ControlMouse, TheControlHoldingTheMouseLosesItWhenTheModeIsCancelled) {
    TLog focusLog;  // outlives the form, whose going still tells the edit of the focus
    TPanelWithChild t;
    auto* edit = t.Shown.Add<TLogged>(t.Shown.Form, Rect(120, 0, 160, 20), focusLog, "edit");
    edit->SetFocus();
    t.Send({{WM_LBUTTONDOWN, 15, 15, MK_LBUTTON}});
    // The press told the form's active control that the mouse went elsewhere.
    EXPECT_EQ(focusLog.back(), "edit cancelmode from 1");
    EXPECT_EQ(GetCaptureControl(), t.Child);
    EXPECT_TRUE(t.Child->MouseCapture());
    EXPECT_EQ(vex::GetCapture(), t.Panel->Handle());

    SendMessage(t.Panel->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(t.Child->MouseCapture());
    EXPECT_EQ(vex::GetCapture(), HWND{0});
    t.Send({{WM_LBUTTONUP, 15, 15, 0}});
    // The press ended where nothing is, without a click; the late release is the child's too
    // since the pointer is over it, and it is no click either.
    EXPECT_EQ(t.Events(), (TLog{"g down L 5,5 L", "g up L -1,-1 ", "g up L 5,5 "}));
}

TEST(ControlMouse, AControlDisabledWhileHoldingTheMouseLetsItGo) {
    struct TCase {
        const char* Name;
        std::function<TControl*(TPanelWithChild&)> Holder;
        std::function<void(TPanelWithChild&)> Disable;
    };
    const std::vector<TCase> cases = {
        {"a plain control", [](TPanelWithChild& T) { return T.Child; },
         [](TPanelWithChild& T) { T.Child->SetEnabled(false); }},
        {"the window of a plain control holding it", [](TPanelWithChild& T) { return T.Child; },
         [](TPanelWithChild& T) { T.Panel->SetEnabled(false); }},
        {"a windowed control", [](TPanelWithChild& T) { return T.Panel; },
         [](TPanelWithChild& T) { T.Panel->SetEnabled(false); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanelWithChild t;
        c.Holder(t)->SetMouseCapture(true);
        c.Disable(t);
        // A disabled control hears no release, so it would hold the mouse, and the keys that
        // go to the window holding it, for good.
        EXPECT_EQ(GetCaptureControl(), nullptr);
        EXPECT_EQ(vex::GetCapture(), HWND{0});
    }
    // Enabled again, the control takes presses as before, and the panel its own.
    TPanelWithChild t;
    const TMouseEvent logDown = t.Child->OnMouseDown;
    t.Child->OnMouseDown = [&t](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        t.Child->SetEnabled(false);
    };
    t.Send({{WM_LBUTTONDOWN, 15, 15, MK_LBUTTON}, {WM_LBUTTONUP, 15, 15, 0}});
    t.Child->SetEnabled(true);
    t.Child->OnMouseDown = logDown;
    t.Log.clear();
    t.Send({{WM_LBUTTONDOWN, 50, 50, MK_LBUTTON},
            {WM_LBUTTONUP, 50, 50, 0},
            {WM_LBUTTONDOWN, 15, 15, MK_LBUTTON},
            {WM_LBUTTONUP, 15, 15, 0}});
    EXPECT_EQ(t.Events(), (TLog{"panel down L 50,50 L", "panel click", "panel up L 50,50 ",
                                "g down L 5,5 L", "g click", "g up L 5,5 "}));
}

TEST(ControlMouse, APlainControlFreedWithTheWindowItHeldTheMouseThroughIsForgotten) {
    TPanelWithChild t;
    t.Child->SetMouseCapture(true);
    // The panel's window goes before its children are freed.
    delete t.Panel;
    // Another window taking the mouse directly must not find the freed control.
    vex::SetCapture(t.Shown.Form->Handle());
    EXPECT_EQ(GetCaptureControl(), t.Shown.Form);
    vex::ReleaseCapture();
}

TEST(ControlMouse, TheWheelGoesToTheFocusedControlSignedAndInWholeNotches) {
    struct TCase {
        const char* Name;
        std::vector<int16_t> Deltas;
        bool EditHandlesWheel;
        bool EditHandlesNotches;
        TLog Seen;
    };
    const std::vector<TCase> cases = {
        {"handled at once", {-120}, true, false, {"edit wheel -120 C"}},
        {"a notch down", {-120}, false, true, {"edit wheel -120 C", "edit notch down"}},
        {"half notches add up",
         {60, 60, 60},
         false,
         true,
         {"edit wheel 60 C", "panel wheel 60 C", "edit wheel 60 C", "edit notch up",
          "edit wheel 60 C", "panel wheel 60 C"}},
        {"a fast turn",
         {360},
         false,
         true,
         {"edit wheel 360 C", "edit notch up", "edit notch up", "edit notch up"}},
        {"left to the parent", {-240}, false, false, {"edit wheel -240 C", "panel wheel -240 C"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLog log;
        TShownForm shown;
        auto* panel = shown.Add<TLogged>(shown.Form, Rect(0, 0, 100, 100), log, "panel");
        auto* edit = shown.Add<TLogged>(panel, Rect(10, 10, 50, 30), log, "edit");
        for (TLogged* control : {panel, edit}) {
            const bool isEdit = control == edit;
            control->OnMouseWheel = [&log, isEdit, &c](TObject*, TShiftState S, int32_t Delta,
                                                       TPoint, bool& Handled) {
                log.push_back(std::string(isEdit ? "edit" : "panel") + " wheel " +
                              std::to_string(Delta) + " " + ShiftText(S));
                Handled = isEdit ? c.EditHandlesWheel : true;
            };
        }
        if (c.EditHandlesNotches) {
            edit->OnMouseWheelUp = [&log](TObject*, TShiftState, TPoint, bool& Handled) {
                log.push_back("edit notch up");
                Handled = true;
            };
            edit->OnMouseWheelDown = [&log](TObject*, TShiftState, TPoint, bool& Handled) {
                log.push_back("edit notch down");
                Handled = true;
            };
        }
        edit->SetFocus();
        log.clear();
        for (int16_t delta : c.Deltas)
            SendMessage(shown.Form->Handle(), WM_MOUSEWHEEL,
                        static_cast<WPARAM>(MAKELONG(MK_CONTROL, static_cast<uint16_t>(delta))),
                        PointToLParam(Point(20, 20)));
        EXPECT_EQ(log, c.Seen);
    }
}

TEST(ControlMouse, TheRightButtonOpensThePopupMenuOfTheControlUnderIt) {
    struct TOpened {
        TControl* Control;
        TComponent* Menu;
        TPoint At;
    };
    std::vector<TOpened> opened;
    struct TUninstall {
        ~TUninstall() { SetPopupMenuHandler(nullptr); }
    } uninstall;
    SetPopupMenuHandler([&](TControl* Control, TComponent* Menu, TPoint At) {
        opened.push_back({Control, Menu, At});
        return true;
    });
    TPanelWithChild t;
    auto* childMenu = new TComponent(t.Shown.Form);
    auto* panelMenu = new TComponent(t.Shown.Form);
    t.Child->SetPopupMenu(childMenu);
    t.Panel->SetPopupMenu(panelMenu);
    const auto rightClick = [&](int16_t X, int16_t Y) {
        t.Send({{WM_RBUTTONDOWN, X, Y, MK_RBUTTON}, {WM_RBUTTONUP, X, Y, 0}});
    };

    rightClick(15, 16);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].Control, t.Child);
    EXPECT_EQ(opened[0].Menu, childMenu);
    EXPECT_EQ(opened[0].At, t.Panel->ClientToScreen(Point(15, 16)));

    rightClick(60, 60);  // beside the child: the panel's menu
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].Control, t.Panel);

    t.Panel->SetPopupMenu(nullptr);  // a child window without one asks its parent's
    t.Shown.Form->SetPopupMenu(panelMenu);
    rightClick(60, 60);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2].Control, t.Shown.Form);

    TPoint asked;
    t.Child->OnContextPopup = [&](TObject*, TPoint At, bool& Handled) {
        asked = At;
        Handled = true;
    };
    rightClick(15, 16);  // the control's own handler says it is done
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_EQ(asked, Point(5, 6));

    SetPopupMenuHandler(nullptr);
    t.Child->OnContextPopup = nullptr;
    rightClick(15, 16);  // no menus at all: nothing opens
    EXPECT_EQ(opened.size(), 3u);
}

TEST(ControlMouse, HandlersMayFreeTheControlTheyRunFor) {
    struct TCase {
        const char* Name;
        std::function<void(TPanelWithChild&)> Arm;
    };
    const auto freeChild = [](TPanelWithChild& T) { return [&T](TObject*) { delete T.Child; }; };
    const std::vector<TCase> cases = {
        {"the child on its click", [&](TPanelWithChild& T) { T.Child->OnClick = freeChild(T); }},
        {"the child on its double click",
         [&](TPanelWithChild& T) { T.Child->OnDblClick = freeChild(T); }},
        {"the panel on the child's click",
         [](TPanelWithChild& T) { T.Child->OnClick = [&T](TObject*) { delete T.Panel; }; }},
        {"the form on the child's press",
         [](TPanelWithChild& T) {
             T.Child->OnMouseDown = [&T](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
                 delete std::exchange(T.Shown.Form, nullptr);
             };
         }},
        {"the child on its context menu",
         [](TPanelWithChild& T) {
             T.Child->OnContextPopup = [&T](TObject*, TPoint, bool&) { delete T.Child; };
         }},
        {"the panel as the pointer leaves the child",
         [](TPanelWithChild& T) { T.Child->OnLeave = [&T] { delete T.Panel; }; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanelWithChild t;
        c.Arm(t);
        const HWND panel = t.Panel->Handle();
        for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                         WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE, WM_MOUSELEAVE})
            SendMessage(panel, msg, 0, PointToLParam(Point(15, 15)));
        EXPECT_EQ(GetCaptureControl(), nullptr);
    }
}

// A windowed control whose own handling of one message frees it, as a native control's may
// through a notice it sends from there.
class TFreedByItsDefault : public TWinControl {
public:
    TFreedByItsDefault(TComponent* AOwner, UINT FreeOn) : TWinControl(AOwner), FFreeOn(FreeOn) {
        FControlStyle.Include(csDoubleClicks);
    }
    void DefaultHandler(TMessage& Message) override {
        if (Message.Msg == FFreeOn) {
            delete this;
            return;
        }
        TWinControl::DefaultHandler(Message);
    }

private:
    UINT FFreeOn;
};

TEST(ControlMouse, AControlFreedByItsOwnHandlingOfAButtonIsNotUsedAfterwards) {
    for (const UINT msg : {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONDOWN,
                           WM_MBUTTONDBLCLK, WM_MBUTTONUP}) {
        SCOPED_TRACE(msg);
        TShownForm shown;
        auto* control = shown.Add<TFreedByItsDefault>(shown.Form, Rect(0, 0, 50, 50), msg);
        bool told = false;
        control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
            told = true;
        };
        control->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
            told = true;
        };
        const std::weak_ptr<const void> life = control->LifeToken();
        SendMessage(control->Handle(), msg, 0, PointToLParam(Point(5, 5)));
        EXPECT_TRUE(life.expired());
        EXPECT_FALSE(told);
    }
}

}  // namespace
}  // namespace vex

#include "platform/ui/form.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/applicationevents.h"
#include "platform/ui/formframe.h"
#include "platform/ui/formplacement.h"
#include "platform/ui/screen.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/modaldriver.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::PumpUntilIdle;

// Handles what a test left queued and takes a quit among it, so the next test starts clean.
int TakeQuit() {
    PumpUntilIdle();
    MSG msg;
    return PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
}

struct TShown {
    TForm* Form = new TForm(nullptr);
    explicit TShown(const std::string& Caption, TRect Bounds = Rect(10, 10, 210, 160)) {
        Form->SetCaption(Caption);
        Form->SetBoundsRect(Bounds);
        Form->Show();
    }
    ~TShown() { delete Form; }
    TShown(const TShown&) = delete;
    TShown& operator=(const TShown&) = delete;
};

TEST(Form, BorderAndFormStyleGiveTheWindowItsFrameAndBand) {
    struct TCase {
        TFormBorderStyle Border;
        TFormStyle Band;
        DWORD Style;
        DWORD ExStyle;
    };
    constexpr DWORD boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const std::vector<TCase> cases = {
        {bsNone, fsNormal, WS_POPUP, 0},
        {bsSingle, fsNormal, WS_CAPTION | boxes, 0},
        {bsSizeable, fsNormal, WS_CAPTION | WS_THICKFRAME | boxes, 0},
        {bsDialog, fsNormal, WS_POPUP | WS_CAPTION | WS_SYSMENU,
         WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE},
        {bsToolWindow, fsStayOnTop, WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {bsSizeToolWin, fsNormal, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_EX_TOOLWINDOW},
    };
    constexpr DWORD frameBits = WS_POPUP | WS_CAPTION | WS_THICKFRAME | boxes;
    constexpr DWORD exBits =
        WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Border);
        TShown shown("styled");
        TForm& form = *shown.Form;
        form.SetBorderStyle(c.Border);
        form.SetFormStyle(c.Band);
        const auto style = static_cast<DWORD>(GetWindowLong(form.Handle(), GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLong(form.Handle(), GWL_EXSTYLE));
        EXPECT_EQ(style & frameBits, c.Style);
        EXPECT_EQ(exStyle & exBits, c.ExStyle);
        EXPECT_TRUE(IsWindowVisible(form.Handle())) << "a new frame keeps the form shown";
        TTopLevelState state;
        ASSERT_TRUE(GetTopLevelState(form.Handle(), state));
        EXPECT_EQ(state.TopMost, c.Band == fsStayOnTop);
    }
}

TEST(Form, PositionPlacesTheFormAgainstScreenWorkAreaOrAnchor) {
    TPlacementSpace space;
    space.Screen = Rect(0, 0, 1000, 800);
    space.WorkArea = Rect(0, 0, 1000, 760);
    space.Anchor = Rect(100, 100, 400, 300);
    space.Cascade = 2;
    const TRect form = Rect(5, 7, 205, 107);
    struct TCase {
        TPosition Position;
        TRect Bounds;
        TRect Expected;
    };
    const std::vector<TCase> cases = {
        {poDesigned, form, form},
        {poScreenCenter, form, Rect(400, 350, 600, 450)},
        {poDesktopCenter, form, Rect(400, 330, 600, 430)},
        {poMainFormCenter, form, Rect(150, 150, 350, 250)},
        {poOwnerFormCenter, form, Rect(150, 150, 350, 250)},
        // Larger than the screen: the corner stays on it.
        {poScreenCenter, Rect(0, 0, 1200, 900), Rect(0, 0, 1200, 900)},
        {poDefaultPosOnly, form, Rect(48, 48, 248, 148)},
        {poDefaultSizeOnly, form, Rect(5, 7, 755, 577)},
        {poDefault, form, Rect(48, 48, 798, 618)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Position);
        const TRect placed = PlaceForm(c.Position, c.Bounds, space);
        EXPECT_EQ(placed, c.Expected);
    }
    space.Anchor = TRect{};
    EXPECT_EQ(PlaceForm(poMainFormCenter, form, space), Rect(400, 350, 600, 450))
        << "without a main form, the screen";
}

TEST(Form, AScreenCentredFormIsCentredEachTimeItShows) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.SetPosition(poScreenCenter);
    const TRect expected = PlaceForm(poScreenCenter, form.BoundsRect(), ScreenPlacementSpace());
    form.Show();
    EXPECT_EQ(form.BoundsRect(), expected);
    form.Hide();
    form.SetLeft(3);
    form.Show();
    EXPECT_EQ(form.BoundsRect(), expected);
}

// A form with a script that ends its modal run by one action.
struct ModalCase {
    const char* Name;
    std::function<void(TForm&)> Action;
    TModalResult Expected;
};

TEST(Form, ShowModalAnswersTheResultThatEndedTheRun) {
    const std::vector<ModalCase> cases = {
        {"ok", [](TForm& F) { F.SetModalResult(mrOk); }, mrOk},
        {"yes", [](TForm& F) { F.SetModalResult(mrYes); }, mrYes},
        {"all", [](TForm& F) { F.SetModalResult(mrAll); }, mrAll},
        {"close", [](TForm& F) { F.Close(); }, mrCancel},
        {"close button", [](TForm& F) { PostMessage(F.Handle(), WM_CLOSE, 0, 0); }, mrCancel},
        {"script runs out", [](TForm&) {}, mrCancel},
    };
    for (const ModalCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm form(nullptr);
        TModalScript script;
        script.Then([&] {
            EXPECT_TRUE(form.Modal());
            EXPECT_TRUE(IsWindowVisible(form.Handle()));
            c.Action(form);
        });
        EXPECT_EQ(form.ShowModal(), c.Expected);
        EXPECT_FALSE(form.Modal());
        EXPECT_FALSE(form.Visible());
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
    }
    EXPECT_EQ(TakeQuit(), -1);
}

TEST(Form, AModalRunDisablesTheOtherWindowsAndGivesActivationBack) {
    TShown first("first");
    TShown second("second");
    TShown disabled("disabled");
    EnableWindow(disabled.Form->Handle(), false);
    SetActiveWindow(first.Form->Handle());
    TForm dialog(nullptr);
    std::vector<bool> enabledDuring;
    TModalScript script;
    script.Then([&] {
        for (TShown* s : {&first, &second, &disabled})
            enabledDuring.push_back(IsWindowEnabled(s->Form->Handle()));
        EXPECT_EQ(GetActiveWindow(), dialog.Handle());
        EXPECT_EQ(Screen().ActiveForm(), &dialog);
        dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(enabledDuring, std::vector<bool>({false, false, false}));
    EXPECT_TRUE(IsWindowEnabled(first.Form->Handle()));
    EXPECT_TRUE(IsWindowEnabled(second.Form->Handle()));
    EXPECT_FALSE(IsWindowEnabled(disabled.Form->Handle())) << "it was disabled before";
    EXPECT_EQ(GetActiveWindow(), first.Form->Handle());
    EXPECT_EQ(Screen().ActiveForm(), first.Form);
}

TEST(Form, AQuitEndsTheModalRunAndIsPutBackForTheOuterLoop) {
    TShown other("other");
    TForm dialog(nullptr);
    TModalScript script;
    script.Then([] { PostQuitMessage(3); }).Then([&] { dialog.SetModalResult(mrOk); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(script.Pending(), 1u) << "nothing after the quit is read";
    EXPECT_TRUE(IsWindowEnabled(other.Form->Handle()));
    EXPECT_EQ(TakeQuit(), 3);
}

TEST(Form, ThrowingHandlersLeaveTheModalRunCleanly) {
    TShown other("other");
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    {
        SCOPED_TRACE("a handler of a message throws: reported, and the run goes on");
        TForm dialog(nullptr);
        TModalScript script;
        script
            .Then([&] {
                dialog.OnResize = [](TObject*) { throw std::runtime_error("resize failed"); };
                PostMessage(dialog.Handle(), WM_SIZE, 0, MAKELONG(50, 60));
            })
            .Then([&] { dialog.SetModalResult(mrRetry); });
        EXPECT_EQ(dialog.ShowModal(), mrRetry);
        EXPECT_EQ(reported, std::vector<std::string>({"resize failed"}));
    }
    {
        SCOPED_TRACE("CloseQuery throws: the exception leaves ShowModal, all put back");
        TForm dialog(nullptr);
        dialog.OnCloseQuery = [](TObject*, bool&) { throw std::runtime_error("no"); };
        TModalScript script;
        script.Then([&] { dialog.SetModalResult(mrOk); });
        EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
        EXPECT_FALSE(dialog.Modal());
        EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
        EXPECT_TRUE(IsWindowEnabled(other.Form->Handle()));
        EXPECT_EQ(GetActiveWindow(), other.Form->Handle());
    }
    {
        SCOPED_TRACE("OnShow throws: reported, and the run goes on");
        TForm dialog(nullptr);
        dialog.OnShow = [](TObject*) { throw std::runtime_error("show failed"); };
        TModalScript script;
        script.Then([&] { dialog.SetModalResult(mrIgnore); });
        EXPECT_EQ(dialog.ShowModal(), mrIgnore);
        EXPECT_EQ(reported.back(), "show failed");
    }
    Application().OnException = nullptr;
}

TEST(Form, AFormFreedInItsOwnModalRunEndsItWithCancel) {
    TShown other("other");
    auto* dialog = new TForm(nullptr);
    bool destroyed = false;
    dialog->OnDestroy = [&](TObject*) { destroyed = true; };
    TModalScript script;
    script.Then([&] { delete dialog; }).Then([] { ADD_FAILURE() << "the run went on"; });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(IsWindowEnabled(other.Form->Handle()));
    EXPECT_EQ(GetActiveWindow(), other.Form->Handle());
}

TEST(Form, AFormFreedByItsOwnHandlerInItsModalRunEndsItWithCancel) {
    TShown other("other");
    auto* dialog = new TForm(nullptr);
    TModalScript script;
    script.Then([&] {
        dialog->OnResize = [&](TObject*) { delete dialog; };
        PostMessage(dialog->Handle(), WM_SIZE, 0, MAKELONG(40, 30));
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_TRUE(IsWindowEnabled(other.Form->Handle()));
}

TEST(Form, ANestedModalRunGivesTheOuterOneBackItsWindowAndActivation) {
    TShown main("main");
    TForm outer(nullptr), inner(nullptr);
    TModalResult innerResult = mrNone;
    bool outerEnabledDuringInner = true;
    TModalScript script;
    script
        .Then([&] {
            innerResult = inner.ShowModal();
            EXPECT_TRUE(IsWindowEnabled(outer.Handle()));
            EXPECT_FALSE(IsWindowEnabled(main.Form->Handle()));
            EXPECT_EQ(GetActiveWindow(), outer.Handle());
            outer.SetModalResult(mrOk);
        })
        .Then([&] {
            outerEnabledDuringInner = IsWindowEnabled(outer.Handle());
            inner.SetModalResult(mrNo);
        });
    EXPECT_EQ(outer.ShowModal(), mrOk);
    EXPECT_EQ(innerResult, mrNo);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(IsWindowEnabled(main.Form->Handle()));
    EXPECT_EQ(GetActiveWindow(), main.Form->Handle());
}

TEST(Form, AModalRunStartedByAMousePressTakesTheMouseFromThePressedForm) {
    TShown main("main");
    TForm dialog(nullptr);
    HWND captureDuringRun = main.Form->Handle();
    main.Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        EXPECT_EQ(GetCapture(), main.Form->Handle());
        TModalScript script;
        script.Then([&] {
            captureDuringRun = GetCapture();
            dialog.SetModalResult(mrOk);
        });
        EXPECT_EQ(dialog.ShowModal(), mrOk);
    };
    PostMessage(main.Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(20, 20));
    PumpUntilIdle();
    EXPECT_EQ(captureDuringRun, HWND{0}) << "the dialog's clicks would go to the pressed form";
}

TEST(Form, ShowModalRefusesAVisibleDisabledOrModalForm) {
    TShown visible("visible");
    EXPECT_THROW(visible.Form->ShowModal(), EInvalidOperation);
    TForm disabled(nullptr);
    disabled.SetEnabled(false);
    EXPECT_THROW(disabled.ShowModal(), EInvalidOperation);
}

TEST(Form, CloseAsksCloseQueryThenDoesWhatOnCloseSays) {
    struct TCase {
        const char* Name;
        bool CanClose;
        TCloseAction Action;
        bool Visible;
        bool Iconic;
        bool Freed;
    };
    const std::vector<TCase> cases = {
        {"refused", false, caHide, true, false, false},
        {"hide", true, caHide, false, false, false},
        {"none", true, caNone, true, false, false},
        {"minimize", true, caMinimize, true, true, false},
        {"free", true, caFree, false, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* form = new TForm(nullptr);
        form->Show();
        const std::weak_ptr<const void> life = form->LifeToken();
        int asked = 0;
        form->OnCloseQuery = [&](TObject*, bool& CanClose) { ++asked, CanClose = c.CanClose; };
        form->OnClose = [&](TObject*, TCloseAction& Action) {
            EXPECT_EQ(Action, caHide);
            Action = c.Action;
        };
        form->Close();
        EXPECT_EQ(asked, 1);
        EXPECT_FALSE(life.expired()) << "a form is freed only after the messages waiting";
        const HWND wnd = form->Handle();
        EXPECT_EQ(IsIconic(wnd), c.Iconic);
        PumpUntilIdle();
        EXPECT_EQ(life.expired(), c.Freed);
        if (life.expired()) continue;
        EXPECT_EQ(form->Visible(), c.Visible);
        delete form;
    }
}

TEST(Form, AModalRunEndsOnlyWhenCloseQueryAndOnCloseAgree) {
    TForm dialog(nullptr);
    int queries = 0;
    dialog.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++queries > 1; };
    int closes = 0;
    dialog.OnClose = [&](TObject*, TCloseAction& Action) {
        if (++closes == 1) Action = caNone;
    };
    std::vector<TModalResult> seen;
    TModalScript script;
    for (int i = 0; i < 3; ++i)
        script.Then([&] {
            seen.push_back(dialog.ModalResult());
            dialog.SetModalResult(mrAbort);
        });
    EXPECT_EQ(dialog.ShowModal(), mrAbort);
    EXPECT_EQ(seen, std::vector<TModalResult>({mrNone, mrNone, mrNone}));
    EXPECT_EQ(queries, 3);
    EXPECT_EQ(closes, 2);
}

TEST(Form, ReleaseFreesTheFormOnceWhateverHappensToItsWindowMeanwhile) {
    const std::vector<std::pair<const char*, std::function<void(TForm&)>>> meanwhile = {
        {"nothing", [](TForm&) {}},
        {"released twice", [](TForm& F) { F.Release(); }},
        {"window made again", [](TForm& F) { F.SetBorderStyle(bsDialog); }},
        {"hidden and made again", [](TForm& F) { F.Hide(), F.SetFormStyle(fsStayOnTop); }},
    };
    for (const auto& [name, change] : meanwhile) {
        SCOPED_TRACE(name);
        auto* form = new TForm(nullptr);
        int destroyed = 0;
        form->OnDestroy = [&](TObject*) { ++destroyed; };
        form->Show();
        form->Release();
        change(*form);
        PumpUntilIdle();
        EXPECT_EQ(destroyed, 1);
        if (destroyed == 0) delete form;
    }
}

TEST(Form, AFailingOnCreateIsReportedAndTheFormIsMadeAllTheSame) {
    struct TFailingForm : TForm {
        explicit TFailingForm(TComponent* AOwner) : TForm(AOwner) {
            OnCreate = [](TObject*) { throw std::runtime_error("create failed"); };
        }
    };
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    TFailingForm* form = nullptr;
    EXPECT_NO_THROW(form = ApplicationEvents().CreateForm<TFailingForm>(nullptr));
    Application().OnException = nullptr;
    EXPECT_EQ(reported, std::vector<std::string>({"create failed"}));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ApplicationEvents().MainForm(), form);
    delete form;
    EXPECT_EQ(ApplicationEvents().MainForm(), nullptr);
}

TEST(Form, EventsFollowTheFormsLife) {
    std::vector<std::string> events;
    auto note = [&](const char* Name) {
        return [&events, Name](TObject*) { events.push_back(Name); };
    };
    struct TCreatedForm : TForm {
        explicit TCreatedForm(TComponent* AOwner) : TForm(AOwner) {
            OnCreate = [this](TObject* Sender) { Created = Sender == this; };
        }
        bool Created = false;
    };
    TShown other("other");
    auto* form = ApplicationEvents().CreateForm<TCreatedForm>(nullptr);
    EXPECT_TRUE(form->Created);
    EXPECT_EQ(ApplicationEvents().MainForm(), form) << "the first form made that way";
    EXPECT_NE(ApplicationEvents().CreateForm<TCreatedForm>(form)->Owner(), nullptr);
    EXPECT_EQ(ApplicationEvents().MainForm(), form);
    form->OnDestroy = note("destroy");
    form->OnShow = note("show");
    form->OnHide = note("hide");
    form->OnActivate = note("activate");
    form->OnDeactivate = note("deactivate");
    form->Show();
    SetActiveWindow(other.Form->Handle());
    form->Hide();
    delete form;
    EXPECT_EQ(events,
              std::vector<std::string>({"show", "activate", "deactivate", "hide", "destroy"}));
    EXPECT_EQ(ApplicationEvents().MainForm(), nullptr);
}

}  // namespace
}  // namespace vex

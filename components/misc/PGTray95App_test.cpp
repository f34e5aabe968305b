#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/misc/PGAppWnd.h"
#include "components/misc/PGTray95.h"
#include "components/misc/PGTray95Notify.h"
#include "platform/core/exceptions.h"
#include "platform/shell/recordingtrayhost.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"
#include "platform/win/modaldriver.h"
#include "platform/win/toplevel.h"
#include "platform/win/virtualclock.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowpos.h"

namespace vex {
namespace {

// A main form with a tray icon in the tray, a second form, and a recording tray.
class TrayApplication : public ::testing::Test {
protected:
    TrayApplication() {
        SetTrayHost(std::make_unique<TRecordingTrayHost>());
        ApplicationEvents().SetMainForm(Main.get());
        Icon = new TPGTrayIcon95(Main.get());
        Icon->SetActive(true);
    }
    ~TrayApplication() override {
        Other.reset();
        Main.reset();
        SetTrayHost(nullptr);
    }

    static HWND App() { return Application().Handle(); }
    static TTopLevelState AppState() {
        TTopLevelState state;
        GetTopLevelState(App(), state);
        return state;
    }
    static bool Showing(TCustomForm& Form) {
        return Form.Visible() && IsWindowVisible(Form.Handle()) && !IsIconic(Form.Handle());
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    std::unique_ptr<TForm> Main = std::make_unique<TForm>(nullptr);
    std::unique_ptr<TForm> Other = std::make_unique<TForm>(nullptr);
    TPGTrayIcon95* Icon;
};

TEST_F(TrayApplication, TheApplicationWindowHasAnOwnerWindowAndNoTaskbarEntry) {
    ASSERT_TRUE(OwnerWindowPresent());
    EXPECT_EQ(GetClassName(RequestOwnerWindow()), "TPGApplication");
    EXPECT_EQ(RequestOwnerWindow(), RequestOwnerWindow());
    const TTopLevelState state = AppState();
    EXPECT_FALSE(state.Visible);
    EXPECT_FALSE(state.Taskbar);
}

TEST_F(TrayApplication, HidingClosesTheFormsAndShowingBringsBackTheMainForm) {
    Main->Show();
    Other->Show();
    Icon->HideApplication();
    EXPECT_FALSE(Main->Visible());
    EXPECT_FALSE(Other->Visible());
    EXPECT_FALSE(AppState().Visible);
    EXPECT_TRUE(AppState().Parked) << "the closing steps leave it under the owner window";
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
    Application().ProcessMessages();

    Icon->ShowApplication();
    EXPECT_FALSE(Main->Visible()) << "the show waits for the message being handled";
    Application().ProcessMessages();
    EXPECT_TRUE(Showing(*Main));
    EXPECT_FALSE(Other->Visible());
    EXPECT_TRUE(AppState().Visible);
    EXPECT_FALSE(AppState().Parked);
    EXPECT_FALSE(AppState().Taskbar);
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
}

TEST_F(TrayApplication, ShowingWithoutTheTaskbarIconLeavesTheApplicationWindowHidden) {
    Icon->SetOptions(Icon->Options() + TPGTrayIconOptions{toHideTaskBarIconOnShowApp});
    Icon->ShowApplication();
    Application().ProcessMessages();
    EXPECT_TRUE(Showing(*Main));
    EXPECT_FALSE(AppState().Visible);
    const int32_t components = Main->ComponentCount();
    Icon->ShowApplication();
    Application().ProcessMessages();
    EXPECT_EQ(Main->ComponentCount(), components) << "one close notifier on the main form";
}

TEST_F(TrayApplication, MinimisingToTheTrayHidesTheMainFormAndTellsOnce) {
    Icon->SetOptions(TPGTrayIconOptions{toMinimizeToTray});
    int minimised = 0;
    Icon->OnAppMinimize = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Icon);
        ++minimised;
    };
    Main->Show();
    Icon->HideApplication();
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Main->Handle()));
    EXPECT_FALSE(AppState().Visible);
    EXPECT_EQ(minimised, 1);
    Icon->ShowApplication();
    Application().ProcessMessages();
    EXPECT_TRUE(Showing(*Main));
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
}

TEST_F(TrayApplication, OfTwoDeferredCallsOnlyTheLaterRuns) {
    Icon->SetOptions(TPGTrayIconOptions{toMinimizeToTray});
    Icon->ShowApplication();
    Icon->HideApplication();
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Main->Handle()));
    Icon->HideApplication();
    Icon->ShowApplication();
    Application().ProcessMessages();
    EXPECT_TRUE(Showing(*Main));
}

TEST_F(TrayApplication, AMinimiseAfterTheTrayIconIsFreedCallsNothingOfIt) {
    int trayHeard = 0, othersHeard = 0;
    Icon->OnAppMinimize = [&](TObject*) { ++trayHeard; };
    Icon->OnAppRestore = [&](TObject*) { ++trayHeard; };
    const TSubscription other =
        ApplicationEvents().MinimizeSubscribers.Subscribe([&](TObject*) { ++othersHeard; });
    delete Icon;
    Main->Show();
    ApplicationEvents().Minimize();
    ApplicationEvents().Restore();
    Application().ProcessMessages();
    EXPECT_EQ(trayHeard, 0);
    EXPECT_EQ(othersHeard, 1);
    EXPECT_TRUE(Showing(*Main));
}

TEST_F(TrayApplication, MinimisingTheApplicationGoesToTheTrayAndRestoringComesBack) {
    int restored = 0;
    Icon->OnAppRestore = [&](TObject*) { ++restored; };
    Main->Show();
    ApplicationEvents().Minimize();
    EXPECT_FALSE(Main->Visible()) << "closed to the tray";
    ApplicationEvents().Restore();
    EXPECT_EQ(restored, 1);
    Application().ProcessMessages();
    EXPECT_TRUE(Showing(*Main));
}

TEST_F(TrayApplication, ShowModalFormRunsTheFormAndGivesItsResult) {
    TModalScript script;
    script.Then([&] {
        EXPECT_TRUE(Other->Modal());
        Other->SetModalResult(mrOk);
    });
    EXPECT_EQ(Icon->ShowModalForm(Other.get()), mrOk);
    EXPECT_FALSE(Other->Visible());
    Application().ProcessMessages();
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
    EXPECT_FALSE(AppState().Visible);
}

TEST_F(TrayApplication, ShowModalFormOfAFormAlreadyShowingBringsItForward) {
    Other->Show();
    Main->Show();
    TModalScript script;
    EXPECT_EQ(Icon->ShowModalForm(Other.get()), 0);
    EXPECT_EQ(GetActiveWindow(), Other->Handle());
    EXPECT_EQ(script.Exhausted(), 0) << "no modal run";
}

TEST_F(TrayApplication, NilFormsAreRefused) {
    const auto message = [](const std::function<void()>& Call) {
        try {
            Call();
        } catch (const EInvalidOperation& e) {
            return e.Message();
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { Icon->ShowModalForm(nullptr); }), "You cant show a \"nil\" form !");
    EXPECT_EQ(message([&] { Icon->HideForm(nullptr); }), "You cant hide a \"nil\" form !");
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
}

// A failure on the way into the modal run (reported from OnShow, or thrown by ShowModal) leaves
// no drawing lock counted and no form marked as being shown, so another ShowModalForm runs,
// from inside the run as after it.
TEST_F(TrayApplication, AFailingShowModalLeavesNothingRaised) {
    struct Case {
        const char* Name;
        std::function<void(TForm&)> Break;
        std::function<void(TForm&)> Mend;
        bool Throws;
    };
    const Case cases[] = {
        {"OnShow throws, reported, and the run goes on",
         [](TForm& F) { F.OnShow = [](TObject*) { throw EInvalidOperation("show"); }; },
         [](TForm& F) { F.OnShow = nullptr; }, false},
        {"ShowModal refuses a disabled form", [](TForm& F) { F.SetEnabled(false); },
         [](TForm& F) { F.SetEnabled(true); }, true},
    };
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        reported.clear();
        c.Break(*Other);
        int32_t nested = -1;
        {
            TModalScript script;
            // While the form runs, the tray may show another form modally.
            script.Then([&] {
                TForm third(nullptr);
                TModalScript inner;
                inner.Then([&] { third.SetModalResult(mrIgnore); });
                nested = Icon->ShowModalForm(&third);
                Other->SetModalResult(mrNo);
            });
            if (c.Throws)
                EXPECT_THROW(Icon->ShowModalForm(Other.get()), EInvalidOperation);
            else
                EXPECT_EQ(Icon->ShowModalForm(Other.get()), mrNo);
        }
        EXPECT_EQ(reported.size(), c.Throws ? 0u : 1u);
        EXPECT_EQ(nested, c.Throws ? -1 : mrIgnore);
        EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
        c.Mend(*Other);
        TModalScript script;
        script.Then([&] { Other->SetModalResult(mrYes); });
        EXPECT_EQ(Icon->ShowModalForm(Other.get()), mrYes);
        EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
    }
    Application().OnException = nullptr;
}

TEST_F(TrayApplication, ATrayIconFreedDuringTheModalRunLeavesNoLockCounted) {
    Icon->SetOptions(TPGTrayIconOptions{toMinimizeToTray});
    TModalScript script;
    script.Then([&] {
        delete Icon;
        Other->SetModalResult(mrOk);
    });
    EXPECT_EQ(Icon->ShowModalForm(Other.get()), mrOk);
    Application().ProcessMessages();
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
}

TEST_F(TrayApplication, ShowModalFormFromTheOnShowOfAnotherFails) {
    TForm third(nullptr);
    std::string refused;
    Other->OnShow = [&](TObject*) {
        try {
            Icon->ShowModalForm(&third);
        } catch (const EInvalidOperation& e) {
            refused = e.Message();
        }
    };
    TModalScript script;
    script.Then([&] {
        EXPECT_TRUE(Showing(*Other));
        Other->SetModalResult(mrOk);
    });
    EXPECT_EQ(Icon->ShowModalForm(Other.get()), mrOk);
    EXPECT_EQ(refused, "You cant call ShowForm or ShowModalForm in the OnShow event of a form !");
    EXPECT_FALSE(third.Visible());
    EXPECT_EQ(TPGTrayIcon95::UpdateLockCount(), 0);
}

TEST_F(TrayApplication, AFormHasOneCloseNotifierAndKeepsItsOwnOnClose) {
    std::vector<std::string> heard;
    Other->OnClose = [&](TObject*, TCloseAction&) { heard.push_back("form"); };
    const int32_t before = Other->ComponentCount();
    TPGNotifyOnFormClose* first = TPGNotifyOnFormClose::Attach(
        Other.get(), [&](TCustomForm* Form) { heard.push_back(Form == Other.get() ? "1" : "?"); });
    TPGNotifyOnFormClose* second =
        TPGNotifyOnFormClose::Attach(Other.get(), [&](TCustomForm*) { heard.push_back("2"); });
    EXPECT_EQ(first, second);
    EXPECT_EQ(Other->ComponentCount(), before + 1);
    Other->Show();
    Other->Close();
    EXPECT_EQ(heard, (std::vector<std::string>{"form", "1"}));
}

TEST_F(TrayApplication, ACloseNotifierOutlivingItsTrayIconDoesNothing) {
    TModalScript script;
    script.Then([&] { Other->SetModalResult(mrOk); });
    Icon->ShowModalForm(Other.get());
    delete Icon;
    Other->Show();
    Other->Close();
    Application().ProcessMessages();
    EXPECT_FALSE(Other->Visible());
}

}  // namespace
}  // namespace vex

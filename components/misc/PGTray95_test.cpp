#include "components/misc/PGTray95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "components/misc/PGTray95Animation.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/gfx/bitmap.h"
#include "platform/shell/recordingtrayhost.h"
#include "platform/ui/form.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/messageloop.h"
#include "platform/win/modaldriver.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A square of one colour (0x00RRGGBB) as the PNG a program would carry.
void FillSolid(TBitmap& Bitmap, int32_t Side, uint32_t Rgb) {
    Bitmap.SetSize(Side, Side);
    for (int32_t y = 0; y < Side; ++y)
        std::fill_n(Bitmap.ScanLine(y), Side, Rgb);
}

void LoadSolid(TIcon& Icon, int32_t Side, uint32_t Rgb) {
    TBitmap bitmap;
    FillSolid(bitmap, Side, Rgb);
    TMemoryStream png;
    bitmap.SaveToStream(png);
    png.SetPosition(0);
    Icon.LoadFromStream(png);
}

// A tray icon on a form, a recording tray, and the virtual clock.
class TrayIcon : public ::testing::Test {
protected:
    TrayIcon() {
        auto host = std::make_unique<TRecordingTrayHost>();
        Host = host.get();
        SetTrayHost(std::move(host));
        Icon = new TPGTrayIcon95(Form.get());
    }
    ~TrayIcon() override {
        Form.reset();
        SetTrayHost(nullptr);
    }

    void RunUntil(int64_t Tick) {
        ProcessMessagesUntil([] { return false; }, Tick);
    }
    // Milliseconds since the case began.
    int64_t Now() const { return Clock.TickMilliseconds() - Start; }
    void Note(const std::string& What) { Events.push_back(What + "@" + std::to_string(Now())); }
    std::string NoteXY(const std::string& What, int32_t X, int32_t Y) {
        return What + "@" + std::to_string(Now()) + "(" + std::to_string(X) + "." +
               std::to_string(Y) + ")";
    }
    // The tray reporting one mouse message on the icon.
    void Mouse(UINT Msg) {
        ASSERT_TRUE(Host->Click(Icon->Handle(), kTrayIconId, {Msg}));
        Application().ProcessMessages();
    }
    // A new form and icon for a table's case, in the tray; the case's handler names.
    const std::string& FreshActiveIcon(const test::TestCase& Case) {
        Form = std::make_unique<TForm>(nullptr);
        Icon = new TPGTrayIcon95(Form.get());
        Icon->SetActive(true);
        return Case[0];
    }
    static std::vector<std::string> SplitSteps(const std::string& Steps) {
        std::vector<std::string> steps;
        for (size_t from = 0, comma; from <= Steps.size(); from = comma + 1) {
            comma = std::min(Steps.find(',', from), Steps.size());
            steps.push_back(Steps.substr(from, comma - from));
        }
        return steps;
    }
    // One step of a table: "L" a left press ... (see testdata/pgtray95.txt).
    void Act(const std::string& What) {
        static const std::map<char, UINT> messages = {
            {'L', WM_LBUTTONDOWN},   {'R', WM_RBUTTONDOWN},   {'M', WM_MBUTTONDOWN},
            {'l', WM_LBUTTONDBLCLK}, {'r', WM_RBUTTONDBLCLK}, {'U', WM_LBUTTONUP},
            {'V', WM_MOUSEMOVE}};
        if (What == "-") return;
        if (What[0] == 'P') {
            const size_t dot = What.find('.');
            SetCursorPos(std::stoi(What.substr(1, dot - 1)), std::stoi(What.substr(dot + 1)));
            Application().ProcessMessages();
            return;
        }
        Mouse(messages.at(What[0]));
    }
    // Runs the steps of a table's case from now on.
    void RunSteps(const std::string& Steps) {
        Start = Clock.TickMilliseconds();
        Events.clear();
        for (const std::string& step : SplitSteps(Steps)) {
            const size_t colon = step.find(':');
            RunUntil(Start + std::stoll(step.substr(0, colon)));
            Act(step.substr(colon + 1));
        }
    }
    std::string Joined() const {
        std::string all;
        for (const std::string& e : Events)
            all += (all.empty() ? "" : ",") + e;
        return all.empty() ? "-" : all;
    }
    // The messages of the calls made to the tray, "ADD MODIFY ...".
    std::string CallNames() const {
        static const char* const names[] = {"ADD", "MODIFY", "DELETE"};
        std::string all;
        for (const auto& call : Host->Calls())
            all += (all.empty() ? "" : " ") + std::string(names[call.Message]);
        return all;
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    TRecordingTrayHost* Host;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TPGTrayIcon95* Icon;
    std::vector<std::string> Events;
    int64_t Start = 0;
};

TEST_F(TrayIcon, OnlyAFormMayOwnIt) {
    TComponent plain(nullptr);
    for (TComponent* owner : {static_cast<TComponent*>(nullptr), &plain}) {
        try {
            TPGTrayIcon95 icon(owner);
            ADD_FAILURE() << "made without a form";
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), "TrayIcons must be owned by a Form !");
        }
    }
    EXPECT_EQ(plain.ComponentCount(), 0);
}

TEST_F(TrayIcon, AddsModifiesAndRemovesTheOneIconOfItsWindow) {
    Icon->SetHint("Vexbane");
    Icon->SetActive(true);
    Icon->SetHint("Vexbane: 3 messages");
    Icon->SetActive(true);
    Icon->SetActive(false);
    Icon->SetActive(false);
    EXPECT_EQ(CallNames(), "ADD MODIFY DELETE");
    const NOTIFYICONDATA& added = Host->Calls().front().Data;
    EXPECT_EQ(added.Wnd, Icon->Handle());
    EXPECT_EQ(added.ID, 42u);
    EXPECT_EQ(added.Flags, 7u);
    EXPECT_EQ(added.CallbackMessage, 0x464u);
    EXPECT_EQ(added.Tip, "Vexbane");
    EXPECT_EQ(Host->Calls()[1].Data.Tip, "Vexbane: 3 messages");
    EXPECT_EQ(Host->Icons().Count(), 0u);
}

TEST_F(TrayIcon, TheTipIsTheHintCutTo63BytesWhateverItsLength) {
    Icon->SetActive(true);
    for (size_t length : {0u, 1u, 63u, 64u, 100u, 255u, 256u, 100000u}) {
        SCOPED_TRACE(length);
        const std::string hint(length, 'h');
        Icon->SetHint(hint + "!");
        Icon->SetHint(hint);
        EXPECT_EQ(Icon->Tip(), hint.substr(0, 63));
        EXPECT_EQ(Host->Icons().Find(Icon->Handle(), 42)->Tip, hint.substr(0, 63));
    }
    Icon->SetShowHint(false);
    EXPECT_EQ(Host->Icons().Find(Icon->Handle(), 42)->Tip, "");
}

TEST_F(TrayIcon, StateChangesAskOnStateChangingOnlyWhileActive) {
    struct Case {
        bool Active;
        TPGTrayIconState To;
        int Answer;  // what the handler turns NewState into; -1 leaves it
        TPGTrayIconState Expected;
        int Asked;
    };
    const Case cases[] = {
        {false, tsDisabled, -1, tsDisabled, 0},        {true, tsDisabled, -1, tsDisabled, 1},
        {true, tsEnabled, -1, tsEnabled, 0},           {true, tsDisabled, tsEnabled, tsEnabled, 1},
        {true, tsAnimated, tsDisabled, tsDisabled, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        Icon->SetActive(false);
        Icon->SetState(tsEnabled);
        Icon->SetActive(c.Active);
        int asked = 0;
        Icon->OnStateChanging = [&](TObject* Sender, TPGTrayIconState& NewState) {
            EXPECT_EQ(Sender, Icon);
            ++asked;
            if (c.Answer >= 0) NewState = static_cast<TPGTrayIconState>(c.Answer);
        };
        Icon->SetState(c.To);
        EXPECT_EQ(Icon->State(), c.Expected);
        EXPECT_EQ(asked, c.Asked);
        Icon->OnStateChanging = nullptr;
    }
}

TEST_F(TrayIcon, SettingTheStateFromOnStateChangingFailsAndKeepsIt) {
    Icon->SetActive(true);
    Icon->OnStateChanging = [&](TObject*, TPGTrayIconState&) { Icon->SetState(tsAnimated); };
    try {
        Icon->SetState(tsDisabled);
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(),
                  "You cannot modify the state property in the OnStateChanging event !!!");
    }
    EXPECT_EQ(Icon->State(), tsEnabled);
    Icon->OnStateChanging = nullptr;
    Icon->SetState(tsDisabled);
    EXPECT_EQ(Icon->State(), tsDisabled);
}

TEST_F(TrayIcon, TheStateChoosesThePictureTheTrayShows) {
    TIcon normal, disabled;
    LoadSolid(normal, 2, 0xFF0000);
    LoadSolid(disabled, 3, 0x0000FF);
    Icon->SetIcon(normal);
    Icon->SetDisabledIcon(disabled);
    Icon->SetActive(true);
    EXPECT_EQ(Host->Icons().Find(Icon->Handle(), 42)->Icon.Pixels,
              std::vector<uint32_t>(4, 0xFFFF0000u));
    Icon->SetState(tsDisabled);
    EXPECT_EQ(Host->Icons().Find(Icon->Handle(), 42)->Icon.Pixels,
              std::vector<uint32_t>(9, 0xFF0000FFu));
}

TEST_F(TrayIcon, TheAnimationIntervalIsCheckedWhenSet) {
    TPGTrayIconAnimation& animation = Icon->Animation();
    for (int32_t bad : {54, 0, -1, 100001, INT32_MIN, INT32_MAX}) {
        EXPECT_THROW(animation.SetInterval(bad), ERangeError) << bad;
        EXPECT_EQ(animation.Interval(), 1000);
    }
    for (int32_t good : {55, 100000, 300}) {
        animation.SetInterval(good);
        EXPECT_EQ(animation.Interval(), good);
    }
}

TEST_F(TrayIcon, AnAnimationSetWhileInactiveStartsWithTheIcon) {
    Icon->Animation().SetInterval(100);
    Icon->OnAnimation = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Icon);
        Note("tick");
    };
    Icon->SetState(tsAnimated);
    RunUntil(500);
    EXPECT_EQ(Joined(), "-");
    Icon->AddIcon();
    RunUntil(820);
    Icon->RemoveIcon();
    RunUntil(2000);
    EXPECT_EQ(Joined(), "tick@500,tick@600,tick@700,tick@800");
}

TEST_F(TrayIcon, TheAnimationShowsEachFileInTurn) {
    test::TempDir dir;
    TStringList names;
    for (uint32_t colour : {0xFF0000u, 0x00FF00u, 0x0000FFu}) {
        names.Add(dir.Path() + "/" + std::to_string(names.Count()) + ".png");
        TBitmap frame;
        FillSolid(frame, 1, colour);
        frame.SaveToFile(names[names.Count() - 1]);
    }
    Icon->Animation().SetIcons(names);
    Icon->Animation().SetInterval(100);
    std::vector<uint32_t> shown;
    Icon->SetActive(true);
    Icon->SetState(tsAnimated);
    for (int64_t tick = 0; tick <= 400; tick += 100) {
        RunUntil(tick + 10);
        shown.push_back(Host->Icons().Find(Icon->Handle(), 42)->Icon.Pixels.at(0));
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFF0000u,
                                            0xFF00FF00u}));
}

TEST_F(TrayIcon, MousePressesAndDoubleClicksBecomeClickEvents) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/pgtray95.txt", "mouse")) {
        SCOPED_TRACE(c.Where);
        const std::string& handlers = FreshActiveIcon(c);
        if (handlers.find("click") != std::string::npos)
            Icon->OnClick = [this](TObject* Sender) {
                EXPECT_EQ(Sender, Icon);
                Note("click");
            };
        if (handlers.find("dbl") != std::string::npos)
            Icon->OnDblClick = [this](TObject*) { Note("dbl"); };
        Icon->SetAutoPopup(handlers.find("auto") != std::string::npos);
        RunSteps(c[1]);
        EXPECT_EQ(Joined(), c[2]);
    }
}

TEST_F(TrayIcon, PointerMovesBecomeEnterMoveAndExitEvents) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/pgtray95.txt", "hover")) {
        SCOPED_TRACE(c.Where);
        const std::string& handlers = FreshActiveIcon(c);
        const auto record = [this](const std::string& What) {
            return [this, What](TObject*, TShiftState, int32_t X, int32_t Y) {
                Events.push_back(NoteXY(What, X, Y));
            };
        };
        if (handlers.find("enter") != std::string::npos) Icon->OnMouseEnter = record("enter");
        if (handlers.find("exit") != std::string::npos) Icon->OnMouseExit = record("exit");
        if (handlers.find("move") != std::string::npos) Icon->OnMouseMove = record("move");
        if (handlers.find("dbl") != std::string::npos) Icon->OnDblClick = [](TObject*) {};
        RunSteps(c[1]);
        EXPECT_EQ(Joined(), c[2]);
    }
}

TEST_F(TrayIcon, AFailingDeferredClickIsReportedAndTheNextOneRuns) {
    std::vector<std::string> reported;
    Application().OnException = [&](TObject* Sender, const std::exception& E) {
        EXPECT_EQ(Sender, Icon);
        reported.push_back(E.what());
    };
    Icon->SetActive(true);
    int clicks = 0;
    Icon->OnClick = [&](TObject*) {
        if (++clicks == 1) throw EInvalidOperation("first click failed");
    };
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONDOWN);
    Application().OnException = nullptr;
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(reported, std::vector<std::string>{"first click failed"});
}

TEST_F(TrayIcon, AClickHandlerMayFreeTheTrayIcon) {
    Icon->SetActive(true);
    Icon->OnDblClick = [](TObject*) {};
    Icon->OnClick = [this](TObject*) { delete Icon; };
    Mouse(WM_LBUTTONDOWN);
    RunUntil(Now() + 1000);
    EXPECT_EQ(Form->ComponentCount(), 0);
    EXPECT_EQ(Host->Icons().Count(), 0u);
}

TEST_F(TrayIcon, ARightPressOpensThePopupMenuAtThePointer) {
    auto* menu = new TPopupMenu(Form.get());
    auto* item = new TMenuItem(menu);
    item->SetCaption("&Check mail");
    menu->Items()->Add(item);
    Icon->SetPopupMenu(menu);
    Icon->SetAutoPopup(true);
    Icon->SetActive(true);
    Icon->OnClick = [this](TObject*) { Note("click"); };
    SetCursorPos(200, 150);
    Mouse(WM_MOUSEMOVE);
    bool opened = false;
    {
        TModalScript script;
        script.Then([&] {
            opened = !test::OpenMenus().empty();
            test::TapKey(VK_ESCAPE);
        });
        Mouse(WM_RBUTTONDOWN);
    }
    EXPECT_TRUE(opened);
    EXPECT_EQ(menu->PopupPoint(), Point(200, 150));
    EXPECT_EQ(Joined(), "-");

    delete menu;
    EXPECT_EQ(Icon->PopupMenu(), nullptr);
    Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(Joined(), "click@0") << "without a menu a right press is a click";
}

TEST_F(TrayIcon, AnIconSetActiveWhileLoadingGoesToTheTrayWhenLoaded) {
    TForm form(nullptr);
    form.BeginLoading();
    auto* icon = new TPGTrayIcon95(&form);
    icon->SetActive(true);
    icon->SetHint("loaded");
    EXPECT_EQ(CallNames(), "");
    form.EndLoading();
    EXPECT_EQ(CallNames(), "ADD");
    EXPECT_EQ(Host->Calls().front().Data.Tip, "loaded");
}

TEST_F(TrayIcon, AMissingIconResourceLeavesTheTrayIconEmpty) {
    TIcon normal;
    LoadSolid(normal, 2, 0xFF0000);
    Icon->SetIcon(normal);
    TStringList names;
    names.Add("NoSuchTrayFrame");
    Icon->Animation().SetIcons(names);
    Icon->Animation().SetOptions(aoIconsInExe);
    Icon->SetActive(true);
    Icon->SetState(tsAnimated);
    EXPECT_TRUE(Host->Icons().Find(Icon->Handle(), 42)->Icon.Empty());
    EXPECT_TRUE(Icon->CurrentIcon().Empty());
}

}  // namespace
}  // namespace vex

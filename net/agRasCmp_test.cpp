#include "net/agRasCmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "net/componentexceptions.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/application.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"

namespace vex {
namespace {

const std::string NotDetected = "TagRas component was unable to detect\r\nRAS on your system.";
const std::string SetBeforeConnecting =
    "This property can be set only before\r\nestablishing the connection";

constexpr DWORD RemoteDisconnection = 628;

// Dispatches until the condition holds; a hang fails the test after a few real seconds.
void PumpUntil(const std::function<bool()>& Condition) {
    const auto start = std::chrono::steady_clock::now();
    ProcessMessagesUntil([&] {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
            ADD_FAILURE() << "watchdog: the condition never held";
            return true;
        }
        return Condition();
    });
}

// The text and number of the error that a dial raises.
std::pair<std::string, DWORD> DialFailure(TagRas& Ras) {
    try {
        Ras.Dial();
    } catch (const ERASError& E) {
        return {E.what(), E.LastError};
    }
    ADD_FAILURE() << "the dial did not fail";
    return {};
}

size_t CallsOf(const TScriptedDialup& Service, const std::string& Function) {
    return static_cast<size_t>(
        std::count(Service.Calls().begin(), Service.Calls().end(), Function));
}

// Message boxes are collected instead of shown; the virtual clock lets dials of many seconds
// pass at once.
class RasTest : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};
    std::vector<std::string> boxes;
    TMessageBoxOverride collectBoxes{
        [this](HWND, const std::string& Text, const std::string& Caption, UINT Type) {
            EXPECT_EQ(Caption, Application().Title());
            EXPECT_EQ(Type, MB_OK);
            boxes.push_back(Text);
            return IDOK;
        }};
};

TEST_F(RasTest, WithoutTheServiceOrItsDialFunctionNothingIsListedOrDialled) {
    {
        TagRas ras(nullptr);
        EXPECT_EQ(ras.Entries().Count(), 0);
        ras.SetService("Provider");
        EXPECT_EQ(boxes, std::vector<std::string>{NotDetected});
        EXPECT_EQ(ras.Service(), "");
        ras.Dial();
        EXPECT_TRUE(ras.Connected());  // nothing to dial: the network is taken as there
        EXPECT_EQ(ras.ConnHandle(), TagRas::NoConnection);
        ras.HangUp();
    }
    TScriptedDialup service({"RasDialA"});
    service.AddEntry({.Name = "Provider", .Script = ConnectingScript(100)});
    TagRas ras(nullptr);
    ras.SetService("Provider");
    ras.Dial();
    EXPECT_FALSE(ras.Connected());
    EXPECT_FALSE(ras.DialledByMe());
    EXPECT_TRUE(service.Dials().empty());
}

class RasDial : public RasTest {
protected:
    RasDial() {
        service.AddEntry({.Name = "Provider",
                          .UserName = "ann",
                          .Password = "stored",
                          .PasswordStored = true,
                          .IpAddress = "10.0.0.2",
                          .Script = ConnectingScript(1000)});
    }

    // Made after the phone book is filled, since the component reads it when created.
    TagRas& Ras(const std::string& ServiceName = "Provider") {
        ras = std::make_unique<TagRas>(nullptr);
        ras->SetService(ServiceName);
        ras->OnDisconnected = [this](TObject* Sender) {
            EXPECT_EQ(Sender, ras.get());
            ++disconnected;
        };
        return *ras;
    }

    TScriptedDialup service;
    std::unique_ptr<TagRas> ras;
    int disconnected = 0;
};

TEST_F(RasDial, ListsEveryEntryOfThePhoneBookBeyondTheFirstBuffer) {
    for (int i = 1; i <= 30; ++i)
        service.AddEntry({.Name = "Entry " + std::to_string(i)});
    TagRas& r = Ras();
    ASSERT_EQ(r.Entries().Count(), 31);
    EXPECT_EQ(r.Entries()[0], "Provider");
    EXPECT_EQ(r.Entries()[30], "Entry 30");
    EXPECT_EQ(r.LastError(), 0u);
}

TEST_F(RasDial, ServiceTakesOnlyNamesOfThePhoneBookInTheirOwnSpellingAndOnlyWhileDown) {
    service.AddEntry({.Name = "Other"});
    TagRas& r = Ras("provider");
    EXPECT_EQ(r.Service(), "Provider");
    r.SetService("Nowhere");
    EXPECT_EQ(r.Service(), "");
    EXPECT_TRUE(boxes.empty());

    r.SetService("Provider");
    r.Dial();
    r.SetService("Other");
    EXPECT_EQ(boxes, std::vector<std::string>{SetBeforeConnecting});
    EXPECT_EQ(r.Service(), "Provider");
    r.HangUp();
    r.SetService("Other");
    EXPECT_EQ(r.Service(), "Other");
}

TEST_F(RasDial, AConnectionThatIsUpIsAdoptedAndLeftUpOfTheServiceOrWithoutForceServiceAny) {
    service.AddConnection("Office", "");
    const HRASCONN withAddress = service.AddConnection("Home", "10.2.2.2");
    TagRas& r = Ras();
    r.SetForceService(false);
    r.Dial();
    EXPECT_EQ(r.ConnHandle(), withAddress);  // the first one with an address
    r.HangUp();
    r.SetForceService(true);
    const HRASCONN existing = service.AddConnection("Provider", "10.1.1.1");
    r.Dial();
    EXPECT_TRUE(r.Connected());
    EXPECT_FALSE(r.DialledByMe());
    EXPECT_EQ(r.ConnHandle(), existing);
    r.HangUp();
    EXPECT_TRUE(service.Dials().empty());
    EXPECT_TRUE(service.HangUps().empty());
    EXPECT_EQ(disconnected, 0);
    EXPECT_EQ(r.ConnHandle(), TagRas::NoConnection);
}

TEST_F(RasDial, ADialReportsEveryStateInOrderAndConnects) {
    struct Case {
        const char* Name;
        std::map<uint32_t, std::string> StringTable;
        std::vector<std::string> Texts;
    };
    const std::vector<Case> cases = {
        {"fixed texts",
         {},
         {"Initializing...", "", "Dialing...", "Dialing...", "Dialing...",
          "Verifying user name and password", "User name and password verified",
          "Successfully connected"}},
        {"the service's own texts",
         {{120, "Opening the port"}, {129, "Connected, at last"}},
         {"Opening the port", "", "Dialing...", "Dialing...", "Dialing...",
          "Verifying user name and password", "User name and password verified",
          "Connected, at last"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        service.StringTable = c.StringTable;
        TagRas& r = Ras();
        std::vector<std::string> texts;
        r.OnStatusChange = [&](TObject*, const std::string& Text) { texts.push_back(Text); };
        const int64_t start = clock.TickMilliseconds();
        r.Dial();
        EXPECT_EQ(texts, c.Texts);
        EXPECT_EQ(clock.TickMilliseconds() - start, 8000);
        EXPECT_TRUE(r.DialledByMe());
        EXPECT_EQ(r.ConnHandle(), service.Dials().back().Handle);

        disconnected = 0;
        r.HangUp();
        EXPECT_EQ(disconnected, 1);
        EXPECT_EQ(service.HangUps().back(), service.Dials().back().Handle);
        EXPECT_FALSE(r.Connected());
        EXPECT_EQ(r.ConnHandle(), TagRas::NoConnection);
        r.HangUp();
        EXPECT_EQ(disconnected, 1);
    }
}

TEST_F(RasDial, AFailedDialIsHungUpAndRaisesTheServicesTextOrItsNumberThenDialsAfresh) {
    service.AddEntry(
        {.Name = "Busy",
         .Script = {{100, RASCS_OpenPort, 0}, {100, RASCS_ConnectDevice, ERROR_LINE_BUSY}}});
    service.ErrorTexts[ERROR_LINE_BUSY] = "The line is busy.";
    TagRas& r = Ras("Busy");
    EXPECT_EQ(DialFailure(r), std::make_pair(std::string("The line is busy."), ERROR_LINE_BUSY));
    EXPECT_EQ(r.LastError(), ERROR_LINE_BUSY);
    ASSERT_EQ(service.Dials().size(), 1u);
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{service.Dials()[0].Handle});
    EXPECT_EQ(disconnected, 1);
    EXPECT_FALSE(r.DialledByMe());

    r.SetService("Provider");
    service.SetFunctionError("RasDialA", ERROR_NO_DIALTONE);
    EXPECT_EQ(DialFailure(r), std::make_pair(std::string("RAS error no 680"), ERROR_NO_DIALTONE));
    EXPECT_EQ(disconnected, 2) << "a refused dial is hung up as well";

    service.SetFunctionError("RasDialA", 0);
    r.Dial();
    EXPECT_TRUE(r.Connected()) << "the earlier failures do not end the next dial";
    EXPECT_EQ(r.LastError(), 0u);
    r.HangUp();

    service.SetFunctionError("RasEnumConnectionsA", ERROR_RASMAN_CANNOT_INITIALIZE);
    EXPECT_THROW(r.Dial(), ERASError);
    EXPECT_EQ(service.Dials().size(), 2u);
}

TEST_F(RasDial, ADialThatNeverConnectsTimesOutAfterTimeOutSecondsAndIsHungUp) {
    service.AddEntry({.Name = "Silent", .Script = {{50, RASCS_OpenPort, 0}}});
    TagRas& r = Ras("Silent");
    r.SetTimeOut(30);
    const int64_t start = clock.TickMilliseconds();
    EXPECT_THROW(r.Dial(), ETimedOutError);
    EXPECT_EQ(clock.TickMilliseconds() - start, 30000);
    ASSERT_EQ(service.Dials().size(), 1u);
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{service.Dials()[0].Handle});
    EXPECT_FALSE(r.Connected());
}

TEST_F(RasDial, HangUpAndCancelOrAQuitFromATimerHangsUpAndEndsTheDialWithCanceled) {
    for (const bool quit : {false, true}) {
        SCOPED_TRACE(quit ? "quit" : "cancel");
        TagRas& r = Ras();
        disconnected = 0;
        const size_t dials = service.Dials().size();
        TTimer timer(nullptr);
        timer.SetInterval(2500);
        timer.OnTimer = [&](TObject*) {
            timer.SetEnabled(false);
            if (quit)
                PostQuitMessage(0);
            else
                r.HangUpAndCancel();
        };
        EXPECT_THROW(r.Dial(), ECanceledError);
        EXPECT_TRUE(quit || r.Canceled());
        EXPECT_FALSE(r.Connected());
        EXPECT_FALSE(r.DialledByMe());
        EXPECT_EQ(disconnected, 1);
        ASSERT_EQ(service.Dials().size(), dials + 1);
        EXPECT_EQ(service.HangUps().back(), service.Dials().back().Handle);
        // The quit is left for the loop.
        MSG message{};
        EXPECT_EQ(PeekMessage(message, 0, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, quit);
    }
}

TEST_F(RasDial, AnEmptyPasswordDialsTheStoredOneAndASetOneIsStoredOrRemovedAsAsked) {
    TagRas& r = Ras();
    r.Dial();
    EXPECT_EQ(service.Dials().back().Params.Password, "stored");
    EXPECT_EQ(CallsOf(service, "RasSetEntryDialParamsA"), 0u);
    r.HangUp();

    r.SetRemovePassword(false);
    r.SetPassword("new");
    r.Dial();
    EXPECT_EQ(service.Entry("Provider").Password, "new");
    r.HangUp();

    r.SetRemovePassword(true);
    r.SetPassword("newer");
    r.Dial();
    EXPECT_EQ(service.Dials().back().Params.Password, "newer");
    EXPECT_FALSE(service.Entry("Provider").PasswordStored);
    EXPECT_EQ(service.Entry("Provider").Password, "");
    r.HangUp();

    r.SetPassword(std::string(PWLEN + 1, 'x'));
    EXPECT_THROW(r.Dial(), EInvalidOperation);
    EXPECT_EQ(service.Dials().size(), 3u);
}

TEST_F(RasDial, AnErrorWhileConnectedIsRaisedByTheNextDialNotByTheHandler) {
    service.ErrorTexts[RemoteDisconnection] = "The remote computer hung up.";
    TagRas& r = Ras();
    std::vector<std::string> texts;
    r.OnStatusChange = [&](TObject*, const std::string& Text) { texts.push_back(Text); };
    r.Dial();
    const HRASCONN dialled = r.ConnHandle();
    texts.clear();

    ASSERT_TRUE(PostMessage(r.WindowHandle(), r.DialEventMsg(), RASCS_Disconnected,
                            static_cast<LPARAM>(RemoteDisconnection)));
    EXPECT_NO_THROW(PumpUntil([&] { return !texts.empty(); }));
    EXPECT_EQ(texts, std::vector<std::string>{""});
    EXPECT_EQ(r.LastError(), RemoteDisconnection);

    EXPECT_EQ(DialFailure(r),
              std::make_pair(std::string("The remote computer hung up."), RemoteDisconnection));
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{dialled});
    EXPECT_FALSE(r.Connected());

    r.Dial();
    EXPECT_TRUE(r.Connected());
    EXPECT_EQ(service.Dials().size(), 2u);
}

}  // namespace
}  // namespace vex

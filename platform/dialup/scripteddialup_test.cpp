#include "platform/dialup/scripteddialup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/messageloop.h"
#include "platform/win/modules.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using test::PumpUntil;

struct TDialEvent {
    WPARAM State;
    LPARAM Error;
    int64_t Tick;
    bool operator==(const TDialEvent&) const = default;
};

// A window that takes the dial notifications, stamped with the clock's time.
class NotifiedWindow {
public:
    NotifiedWindow()
        : FMessage(RegisterWindowMessage("RASDIALEVENT")), FWnd(AllocateHWnd([this](TMessage& M) {
              if (M.Msg == FMessage)
                  Events.push_back({M.WParam, M.LParam, Clock().TickMilliseconds()});
          })) {}
    ~NotifiedWindow() { DeallocateHWnd(FWnd); }
    HWND Handle() const { return FWnd; }

    std::vector<TDialEvent> Events;

private:
    UINT FMessage;
    HWND FWnd;
};

// Lets Milliseconds of the virtual clock pass with everything dispatched on the way.
void PumpFor(int64_t Milliseconds) {
    ProcessMessagesUntil([] { return false; }, Clock().TickMilliseconds() + Milliseconds);
}

DWORD Dial(HWND Notifier, HRASCONN& Connection, const char* Entry = "Provider") {
    RASDIALPARAMSA params{};
    params.dwSize = sizeof(params);
    std::strcpy(params.szEntryName, Entry);
    std::strcpy(params.szPassword, "typed");
    return RasDialA(nullptr, nullptr, &params, RASDIAL_WINDOW_NOTIFIER,
                    reinterpret_cast<void*>(Notifier), &Connection);
}

class ScriptedDial : public ::testing::Test {
protected:
    DWORD Dial(HRASCONN& Connection, const char* Entry) {
        return vex::Dial(window.Handle(), Connection, Entry);
    }
    RASCONNSTATUSA Status(HRASCONN Connection) {
        RASCONNSTATUSA status{};
        status.dwSize = sizeof(status);
        EXPECT_EQ(RasGetConnectStatusA(Connection, &status), 0u);
        return status;
    }
    DWORD Projection(HRASCONN Connection, RASPPPIPA& Ip) {
        Ip = RASPPPIPA{};
        Ip.dwSize = sizeof(Ip);
        DWORD size = sizeof(Ip);
        return RasGetProjectionInfoA(Connection, RASP_PppIp, &Ip, &size);
    }

    TVirtualClock clock;
    TClockOverride useClock{clock};
    TScriptedDialup service;
    NotifiedWindow window;
};

TEST_F(ScriptedDial, ReachesConnectedOnTheVirtualClockReportingEachStateInOrder) {
    service.AddEntry({.Name = "Fast",
                      .IpAddress = "10.9.8.7",
                      .Script = {{0, RASCS_OpenPort, 0},
                                 {0, RASCS_PortOpened, 0},
                                 {2000, RASCS_ConnectDevice, 0},
                                 {30000, RASCS_Authenticate, 0},
                                 {500, RASCS_Connected, 0}}});
    const int64_t start = clock.TickMilliseconds();
    HRASCONN connection = 0;
    ASSERT_EQ(Dial(connection, "fast"), 0u);
    EXPECT_NE(connection, 0u);
    EXPECT_TRUE(window.Events.empty())
        << "progress arrives through the loop, never inside the call";
    ASSERT_EQ(service.Dials().size(), 1u);
    EXPECT_EQ(service.Dials()[0].Params.Password, "typed");
    EXPECT_EQ(service.Dials()[0].Notifier, window.Handle());
    EXPECT_EQ(service.Dials()[0].Handle, connection);

    ASSERT_TRUE(PumpUntil([&] { return window.Events.size() == 5; }));
    const std::vector<TDialEvent> expected = {{RASCS_OpenPort, 0, start},
                                              {RASCS_PortOpened, 0, start},
                                              {RASCS_ConnectDevice, 0, start + 2000},
                                              {RASCS_Authenticate, 0, start + 32000},
                                              {RASCS_Connected, 0, start + 32500}};
    EXPECT_EQ(window.Events, expected);
    EXPECT_EQ(Status(connection).rasconnstate, RASCS_Connected);
    RASPPPIPA ip;
    ASSERT_EQ(Projection(connection, ip), 0u);
    EXPECT_STREQ(ip.szIpAddress, "10.9.8.7");
}

TEST_F(ScriptedDial, AFailingStepReportsItsErrorAndEndsTheScript) {
    service.AddEntry({.Name = "Busy",
                      .Script = {{100, RASCS_OpenPort, 0},
                                 {100, RASCS_ConnectDevice, ERROR_LINE_BUSY},
                                 {100, RASCS_Connected, 0}}});
    HRASCONN connection = 0;
    ASSERT_EQ(Dial(connection, "Busy"), 0u);
    ASSERT_TRUE(PumpUntil([&] { return window.Events.size() == 2; }));
    PumpFor(10000);
    ASSERT_EQ(window.Events.size(), 2u);
    EXPECT_EQ(window.Events[1].Error, static_cast<LPARAM>(ERROR_LINE_BUSY));
    const RASCONNSTATUSA status = Status(connection);
    EXPECT_EQ(status.rasconnstate, RASCS_ConnectDevice);
    EXPECT_EQ(status.dwError, ERROR_LINE_BUSY);
}

TEST_F(ScriptedDial, HangingUpDuringTheDialStopsTheRestOfTheScript) {
    service.AddEntry({.Name = "Slow", .Script = ConnectingScript(1000)});
    HRASCONN connection = 0;
    ASSERT_EQ(Dial(connection, "Slow"), 0u);
    ASSERT_TRUE(PumpUntil([&] { return window.Events.size() == 2; }));
    EXPECT_EQ(RasHangUpA(connection), 0u);
    PumpFor(60000);
    EXPECT_EQ(window.Events.size(), 2u);
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{connection});
    RASCONNSTATUSA status{};
    status.dwSize = sizeof(status);
    EXPECT_EQ(RasGetConnectStatusA(connection, &status), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RasHangUpA(connection), ERROR_INVALID_HANDLE);
}

TEST_F(ScriptedDial, AScriptThatNeverConnectsIsListedWithoutAProjection) {
    service.AddEntry({.Name = "Silent", .Script = {{50, RASCS_OpenPort, 0}}});
    HRASCONN connection = 0;
    ASSERT_EQ(Dial(connection, "Silent"), 0u);
    PumpFor(120000);
    EXPECT_EQ(window.Events.size(), 1u);
    RASPPPIPA ip;
    EXPECT_EQ(Projection(connection, ip), ERROR_PROJECTION_NOT_COMPLETE);
    RASCONNA connections[2] = {{sizeof(RASCONNA), 0, {}, {}, {}}};
    DWORD size = sizeof(connections), count = 0;
    ASSERT_EQ(RasEnumConnectionsA(connections, &size, &count), 0u);
    EXPECT_EQ(count, 1u) << "a dial in progress is listed";
    EXPECT_EQ(RasHangUpA(connection), 0u);
}

TEST_F(ScriptedDial, AFunctionErrorRefusesTheDialWithoutStartingIt) {
    service.AddEntry({.Name = "Provider"});
    service.SetFunctionError("RasDialA", ERROR_NO_DIALTONE);
    HRASCONN connection = 0;
    EXPECT_EQ(Dial(connection, "Provider"), ERROR_NO_DIALTONE);
    EXPECT_EQ(connection, 0u);
    EXPECT_TRUE(service.Dials().empty());
}

TEST(ScriptedDialupLifetime, DestroyingTheServiceStopsItsDials) {
    TVirtualClock clock;
    TClockOverride useClock(clock);
    NotifiedWindow window;
    auto service = std::make_unique<TScriptedDialup>();
    service->AddEntry({.Name = "Provider", .Script = ConnectingScript(100)});
    HRASCONN connection = 0;
    ASSERT_EQ(Dial(window.Handle(), connection), 0u);
    ASSERT_TRUE(PumpUntil([&] { return window.Events.size() == 1; }));
    service.reset();
    PumpFor(5000);
    EXPECT_EQ(window.Events.size(), 1u);
    EXPECT_EQ(RasHangUpA(connection), ERROR_RASMAN_CANNOT_INITIALIZE);
    TScriptedDialup next;
    RASCONNA connections[1] = {{sizeof(RASCONNA), 0, {}, {}, {}}};
    DWORD size = sizeof(connections), count = 0;
    ASSERT_EQ(RasEnumConnectionsA(connections, &size, &count), 0u);
    EXPECT_EQ(count, 0u);
}

TEST(ScriptedDialupModule, HoldsTheStateTextsInItsStringTable) {
    TScriptedDialup service;
    service.StringTable[129] = "Connected, at last";
    const HMODULE module = LoadLibrary(RASAPI32_DLL);
    char text[64];
    EXPECT_EQ(LoadString(module, 129, text, sizeof(text)), 18);
    EXPECT_STREQ(text, "Connected, at last");
    EXPECT_EQ(LoadString(module, 120, text, sizeof(text)), 0);
    FreeLibrary(module);
}

}  // namespace
}  // namespace vex

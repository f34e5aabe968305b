#include "platform/dialup/ras.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/exceptions.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/messageloop.h"
#include "platform/win/modules.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using TDialEvent = std::tuple<WPARAM, LPARAM, int64_t>;  // state, error, tick

// A window that takes the dial notifications, stamped with the clock's time.
struct NotifiedWindow {
    ~NotifiedWindow() { DeallocateHWnd(Handle); }

    UINT Message = RegisterWindowMessage("RASDIALEVENT");
    std::vector<TDialEvent> Events;
    HWND Handle = AllocateHWnd([this](TMessage& M) {
        if (M.Msg == Message) Events.emplace_back(M.WParam, M.LParam, Clock().TickMilliseconds());
    });
};

// Lets Milliseconds of the virtual clock pass with everything dispatched on the way.
void PumpFor(int64_t Milliseconds) {
    ProcessMessagesUntil([] { return false; }, Clock().TickMilliseconds() + Milliseconds);
}

RASDIALPARAMSA ParamsFor(const char* Entry) {
    RASDIALPARAMSA params{sizeof(RASDIALPARAMSA), {}, {}, {}, {}, {}, {}};
    std::strcpy(params.szEntryName, Entry);
    return params;
}

TEST(RasService, IsThereOnlyWhileABackendLivesAndWithTheFunctionsItHas) {
    HMODULE module;
    {
        TScriptedDialup service({"RasSetEntryDialParamsA"});
        EXPECT_THROW(TScriptedDialup second, EInvalidOperation);
        EXPECT_THROW(service.SetFunctionError("RasDial", 1), EInvalidOperation);
        // The phone book refuses what the records could not hold.
        service.AddEntry({.Name = std::string(256, 'n')});
        EXPECT_THROW(service.AddEntry({.Name = std::string(256, 'N')}), EInvalidOperation);
        EXPECT_THROW(service.AddEntry({.Name = std::string(257, 'm')}), EInvalidOperation);
        module = LoadLibrary("RASAPI32.DLL");
        ASSERT_GE(module, 32u);
        EXPECT_NE(GetProcAddress(module, "RasGetEntryDialParamsA"), nullptr);
        EXPECT_EQ(GetProcAddress(module, "RasSetEntryDialParamsA"), nullptr);
        service.StringTable[129] = "Connected, at last";
        char text[64];
        EXPECT_EQ(LoadString(module, 129, text, sizeof(text)), 18);
        EXPECT_EQ(LoadString(module, 120, text, sizeof(text)), 0);
    }
    EXPECT_EQ(LoadLibrary(RASAPI32_DLL), 2u);
    // A module held past its backend answers that the service is gone.
    auto enumEntries = ProcAs<TRasEnumEntriesA>(GetProcAddress(module, "RasEnumEntriesA"));
    ASSERT_NE(enumEntries, nullptr);
    DWORD size = 0, count = 0;
    EXPECT_EQ(enumEntries(nullptr, nullptr, nullptr, &size, &count),
              ERROR_RASMAN_CANNOT_INITIALIZE);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_THROW(TScriptedDialup({"RasNoSuchFunction"}), EInvalidOperation);
}

// A phone book of two entries, dials reported to a window on a virtual clock.
class Dialup : public ::testing::Test {
protected:
    Dialup() {
        service->AddEntry({.Name = "Office", .PhoneNumber = "555-0100"});
        service->AddEntry({.Name = "Home", .Password = "secret", .PasswordStored = true});
    }

    DWORD Dial(HRASCONN& Connection, const char* Entry) {
        RASDIALPARAMSA params = ParamsFor(Entry);
        std::strcpy(params.szPassword, "typed");
        return RasDialA(nullptr, nullptr, &params, RASDIAL_WINDOW_NOTIFIER,
                        reinterpret_cast<void*>(window.Handle), &Connection);
    }
    DWORD ConnectionCount() {
        RASCONNA connections[4] = {{sizeof(RASCONNA), 0, {}, {}, {}}};
        DWORD size = sizeof(connections), count = 0;
        EXPECT_EQ(RasEnumConnectionsA(connections, &size, &count), 0u);
        return count;
    }

    TVirtualClock clock;
    TClockOverride useClock{clock};
    std::unique_ptr<TScriptedDialup> service = std::make_unique<TScriptedDialup>();
    NotifiedWindow window;
};

TEST_F(Dialup, RecordsAreFilledFromThePhoneBookAndTheConnections) {
    RASENTRYNAMEA entries[25] = {{sizeof(RASENTRYNAMEA), {}}};
    DWORD size = sizeof(RASENTRYNAMEA), count = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, entries, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));
    EXPECT_EQ(count, 2u);
    EXPECT_STREQ(entries[0].szEntryName, "") << "nothing is written into a short buffer";
    size = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, nullptr, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA)) << "the size asked for with no buffer";
    size = sizeof(entries);
    ASSERT_EQ(RasEnumEntriesA(nullptr, nullptr, entries, &size, &count), 0u);
    EXPECT_STREQ(entries[1].szEntryName, "Home");

    const HRASCONN withIp = service->AddConnection("Office", "192.168.1.20");
    const HRASCONN withoutIp = service->AddConnection("Elsewhere", "");
    RASCONNA connections[10] = {{sizeof(RASCONNA), 0, {}, {}, {}}};
    size = sizeof(connections);
    ASSERT_EQ(RasEnumConnectionsA(connections, &size, &count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(connections[0].hrasconn, withIp);
    EXPECT_STREQ(connections[0].szEntryName, "Office");
    EXPECT_EQ(connections[1].hrasconn, withoutIp);

    RASPPPIPA ip{sizeof(RASPPPIPA), {}, 0};
    std::memset(ip.szIpAddress, 'x', sizeof(ip.szIpAddress));
    size = 20;
    EXPECT_EQ(RasGetProjectionInfoA(withoutIp, RASP_PppIp, &ip, &size), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, sizeof(RASPPPIPA));
    ASSERT_EQ(RasGetProjectionInfoA(withoutIp, RASP_PppIp, &ip, &size), 0u);
    EXPECT_EQ(ip.dwError, ERROR_PROTOCOL_NOT_CONFIGURED);
    EXPECT_STREQ(ip.szIpAddress, "") << "no stale bytes are left";

    char text[18];
    service->ErrorTexts[ERROR_LINE_BUSY] = "The line is busy.";
    EXPECT_EQ(RasGetErrorStringA(ERROR_LINE_BUSY, text, 17), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_EQ(RasGetErrorStringA(ERROR_LINE_BUSY, text, 18), 0u);
    EXPECT_STREQ(text, "The line is busy.");

    // Dial parameters come from the entry and keep or drop the password.
    RASDIALPARAMSA params = ParamsFor("home");
    BOOL stored = 0;
    ASSERT_EQ(RasGetEntryDialParamsA(nullptr, &params, &stored), 0u);
    EXPECT_EQ(stored, 1);
    EXPECT_STREQ(params.szEntryName, "Home");
    EXPECT_STREQ(params.szPassword, "secret");

    params = ParamsFor("Office");
    std::strcpy(params.szPassword, "hunter2");
    std::strcpy(params.szPhoneNumber, "999");
    ASSERT_EQ(RasSetEntryDialParamsA(nullptr, &params, 0), 0u);
    EXPECT_EQ(service->Entry("Office").Password, "hunter2");
    EXPECT_TRUE(service->Entry("Office").PasswordStored);
    EXPECT_EQ(service->Entry("Office").PhoneNumber, "555-0100") << "the number is not changed";
    ASSERT_EQ(RasSetEntryDialParamsA(nullptr, &params, 1), 0u);
    ASSERT_EQ(RasGetEntryDialParamsA(nullptr, &params, &stored), 0u);
    EXPECT_EQ(stored, 0);
    EXPECT_STREQ(params.szPassword, "");
}

// Records of a foreign size, missing arguments, unknown entries and handles: each call is
// refused with its error.
TEST_F(Dialup, BadArgumentsAreRefused) {
    const HRASCONN connection = service->AddConnection("Office", "10.0.0.7");
    RASENTRYNAMEA entries[2] = {{260, {}}};
    RASCONNA connections[2] = {{sizeof(RASCONNA) + 4, 0, {}, {}, {}}};
    RASPPPIPA ip{20, {}, 0};
    RASCONNSTATUSA status{};
    RASDIALPARAMSA params = ParamsFor("Office"), nowhere = ParamsFor("Nowhere"),
                   wrongSize = ParamsFor("Office"), unterminated = ParamsFor("");
    wrongSize.dwSize = 1048;
    // A name filling its field without a terminator is read up to the field's end only.
    std::memset(unterminated.szEntryName, 'O', sizeof(unterminated.szEntryName));
    RASDIALEXTENSIONS extensions{12, 0, 0, 0};
    // A real notifier, so only the argument at fault is wrong.
    void* notifier = reinterpret_cast<void*>(window.Handle);
    DWORD size = sizeof(entries), count = 0;
    BOOL stored = 0;
    HRASCONN dialled = 0;
    char text[64];
    const std::pair<DWORD, DWORD> cases[] = {
        {RasEnumEntriesA(nullptr, nullptr, entries, &size, &count), ERROR_INVALID_SIZE},
        {RasEnumEntriesA(nullptr, nullptr, entries, nullptr, &count), ERROR_INVALID_PARAMETER},
        {RasEnumEntriesA("x", nullptr, entries, &size, &count), ERROR_INVALID_PARAMETER},
        {RasEnumEntriesA(nullptr, nullptr, nullptr, &size, &count), ERROR_BUFFER_INVALID},
        {RasEnumConnectionsA(connections, &size, &count), ERROR_INVALID_SIZE},
        {RasGetProjectionInfoA(0x7777, RASP_PppIp, &ip, &size), ERROR_INVALID_HANDLE},
        {RasGetProjectionInfoA(connection, RASP_PppIp, &ip, &size), ERROR_INVALID_SIZE},
        {RasGetConnectStatusA(connection, &status), ERROR_INVALID_SIZE},
        {RasGetEntryDialParamsA(nullptr, &wrongSize, &stored), ERROR_INVALID_SIZE},
        {RasSetEntryDialParamsA(nullptr, &wrongSize, 1), ERROR_INVALID_SIZE},
        {RasGetEntryDialParamsA(nullptr, nullptr, &stored), ERROR_INVALID_PARAMETER},
        {RasGetEntryDialParamsA(nullptr, &nowhere, &stored), ERROR_CANNOT_FIND_PHONEBOOK_ENTRY},
        {RasSetEntryDialParamsA(nullptr, &nowhere, 1), ERROR_CANNOT_FIND_PHONEBOOK_ENTRY},
        {RasGetEntryDialParamsA(nullptr, &unterminated, &stored),
         ERROR_CANNOT_FIND_PHONEBOOK_ENTRY},
        {RasDialA(nullptr, nullptr, &params, 1, notifier, &dialled), ERROR_INVALID_PARAMETER},
        {RasDialA(nullptr, nullptr, &params, RASDIAL_WINDOW_NOTIFIER, nullptr, &dialled),
         ERROR_INVALID_PARAMETER},
        {RasDialA(&extensions, nullptr, &params, RASDIAL_WINDOW_NOTIFIER, notifier, &dialled),
         ERROR_INVALID_SIZE},
        {RasDialA(nullptr, nullptr, &wrongSize, RASDIAL_WINDOW_NOTIFIER, notifier, &dialled),
         ERROR_INVALID_SIZE},
        {RasDialA(nullptr, nullptr, &nowhere, RASDIAL_WINDOW_NOTIFIER, notifier, &dialled),
         ERROR_CANNOT_FIND_PHONEBOOK_ENTRY},
        {RasGetErrorStringA(ERROR_NO_ANSWER, text, sizeof(text)), ERROR_INVALID_PARAMETER},
        {RasGetErrorStringA(ERROR_LINE_BUSY, nullptr, 0), ERROR_INVALID_PARAMETER},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].first, cases[i].second);
    }
    EXPECT_EQ(dialled, 0u);
    EXPECT_TRUE(service->Dials().empty());
}

// A script ends connected, at a failing step or at its last step; every dial is listed.
TEST_F(Dialup, DialsReportEachStateInOrderOnTheVirtualClock) {
    service->AddEntry({.Name = "Fast",
                       .IpAddress = "10.9.8.7",
                       .Script = {{0, RASCS_OpenPort, 0},
                                  {0, RASCS_PortOpened, 0},
                                  {2000, RASCS_ConnectDevice, 0},
                                  {30000, RASCS_Authenticate, 0},
                                  {500, RASCS_Connected, 0}}});
    service->AddEntry({.Name = "Busy",
                       .Script = {{100, RASCS_OpenPort, 0},
                                  {100, RASCS_ConnectDevice, ERROR_LINE_BUSY},
                                  {100, RASCS_Connected, 0}}});
    service->AddEntry({.Name = "Silent", .Script = {{50, RASCS_OpenPort, 0}}});
    const int64_t start = clock.TickMilliseconds();
    HRASCONN fast = 0, busy = 0, silent = 0;
    service->SetFunctionError("RasDialA", ERROR_NO_DIALTONE);
    EXPECT_EQ(Dial(fast, "fast"), ERROR_NO_DIALTONE);
    EXPECT_EQ(fast, 0u);
    service->SetFunctionError("RasDialA", 0);
    ASSERT_EQ(Dial(fast, "fast"), 0u);
    ASSERT_EQ(Dial(busy, "Busy"), 0u);
    ASSERT_EQ(Dial(silent, "Silent"), 0u);
    EXPECT_TRUE(window.Events.empty()) << "progress comes through the loop, not the call";
    ASSERT_EQ(service->Dials().size(), 3u);
    EXPECT_EQ(service->Dials()[0].Params.Password, "typed") << "the password typed is dialled";

    PumpFor(120000);
    const std::vector<TDialEvent> expected = {{RASCS_OpenPort, 0, start},
                                              {RASCS_PortOpened, 0, start},
                                              {RASCS_OpenPort, 0, start + 50},
                                              {RASCS_OpenPort, 0, start + 100},
                                              {RASCS_ConnectDevice, ERROR_LINE_BUSY, start + 200},
                                              {RASCS_ConnectDevice, 0, start + 2000},
                                              {RASCS_Authenticate, 0, start + 32000},
                                              {RASCS_Connected, 0, start + 32500}};
    EXPECT_EQ(window.Events, expected);
    RASCONNSTATUSA status{sizeof(RASCONNSTATUSA), {}, 0, {}, {}};
    ASSERT_EQ(RasGetConnectStatusA(fast, &status), 0u);
    EXPECT_EQ(status.rasconnstate, RASCS_Connected);
    ASSERT_EQ(RasGetConnectStatusA(busy, &status), 0u);
    EXPECT_EQ(status.rasconnstate, RASCS_ConnectDevice);
    EXPECT_EQ(status.dwError, ERROR_LINE_BUSY);
    EXPECT_EQ(RasGetConnectStatusA(0x7777, &status), ERROR_INVALID_HANDLE);
    RASPPPIPA ip{sizeof(RASPPPIPA), {}, 0};
    DWORD size = sizeof(ip);
    ASSERT_EQ(RasGetProjectionInfoA(fast, RASP_PppIp, &ip, &size), 0u);
    EXPECT_STREQ(ip.szIpAddress, "10.9.8.7");
    EXPECT_EQ(RasGetProjectionInfoA(silent, RASP_PppIp, &ip, &size), ERROR_PROJECTION_NOT_COMPLETE);
    EXPECT_EQ(ConnectionCount(), 3u);
}

TEST_F(Dialup, HangingUpOrEndingTheServiceStopsTheRestOfTheScript) {
    service->AddEntry({.Name = "Slow", .Script = ConnectingScript(1000)});
    HRASCONN connection = 0;
    ASSERT_EQ(Dial(connection, "Slow"), 0u);
    ASSERT_TRUE(test::PumpUntil([&] { return window.Events.size() == 2; }));
    EXPECT_EQ(RasHangUpA(connection), 0u);
    PumpFor(60000);
    EXPECT_EQ(window.Events.size(), 2u);
    EXPECT_EQ(service->HangUps(), std::vector<HRASCONN>{connection});
    EXPECT_EQ(RasHangUpA(connection), ERROR_INVALID_HANDLE) << "the handle is gone";

    ASSERT_EQ(Dial(connection, "Slow"), 0u);
    ASSERT_TRUE(test::PumpUntil([&] { return window.Events.size() == 3; }));
    service.reset();
    PumpFor(60000);
    EXPECT_EQ(window.Events.size(), 3u);
    EXPECT_EQ(RasHangUpA(connection), ERROR_RASMAN_CANNOT_INITIALIZE);
    service = std::make_unique<TScriptedDialup>();
    EXPECT_EQ(ConnectionCount(), 0u) << "the next service starts without the old dials";
}

}  // namespace
}  // namespace vex

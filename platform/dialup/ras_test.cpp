#include "platform/dialup/ras.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/modules.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

TEST(RasService, IsThereOnlyWhileABackendLivesAndWithTheFunctionsItHas) {
    EXPECT_EQ(LoadLibrary(RASAPI32_DLL), 2u);
    DWORD size = 0, count = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, nullptr, &size, &count),
              ERROR_RASMAN_CANNOT_INITIALIZE);
    HMODULE module;
    {
        TScriptedDialup service({"RasSetEntryDialParamsA"});
        EXPECT_THROW(TScriptedDialup second, EInvalidOperation);
        module = LoadLibrary("RASAPI32.DLL");
        ASSERT_GE(module, 32u);
        EXPECT_NE(GetProcAddress(module, "RasGetEntryDialParamsA"), nullptr);
        EXPECT_EQ(GetProcAddress(module, "RasSetEntryDialParamsA"), nullptr);
    }
    EXPECT_EQ(LoadLibrary(RASAPI32_DLL), 2u);
    // A module held past its backend answers that the service is gone.
    auto enumEntries = ProcAs<TRasEnumEntriesA>(GetProcAddress(module, "RasEnumEntriesA"));
    ASSERT_NE(enumEntries, nullptr);
    EXPECT_EQ(enumEntries(nullptr, nullptr, nullptr, &size, &count),
              ERROR_RASMAN_CANNOT_INITIALIZE);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_THROW(TScriptedDialup({"RasNoSuchFunction"}), EInvalidOperation);
}

class RasFunctions : public ::testing::Test {
protected:
    RasFunctions() {
        service.AddEntry({.Name = "Office", .PhoneNumber = "555-0100", .UserName = "ann"});
        service.AddEntry({.Name = "Home",
                          .PhoneNumber = "555-0199",
                          .UserName = "bob",
                          .Domain = "WORK",
                          .Password = "secret",
                          .PasswordStored = true});
    }

    static RASDIALPARAMSA ParamsFor(const char* Entry) {
        RASDIALPARAMSA params{};
        params.dwSize = sizeof(params);
        std::strcpy(params.szEntryName, Entry);
        return params;
    }

    TScriptedDialup service;
};

TEST_F(RasFunctions, RecordsAreFilledFromThePhoneBookAndTheConnections) {
    RASENTRYNAMEA entries[25] = {};
    entries[0].dwSize = sizeof(RASENTRYNAMEA);
    DWORD size = sizeof(entries), count = 0;
    ASSERT_EQ(RasEnumEntriesA(nullptr, nullptr, entries, &size, &count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));
    EXPECT_STREQ(entries[1].szEntryName, "Home");
    EXPECT_EQ(entries[1].dwSize, sizeof(RASENTRYNAMEA));

    const HRASCONN withIp = service.AddConnection("Office", "192.168.1.20");
    const HRASCONN withoutIp = service.AddConnection("Elsewhere", "");
    RASCONNA connections[10] = {};
    connections[0].dwSize = sizeof(RASCONNA);
    size = sizeof(connections);
    ASSERT_EQ(RasEnumConnectionsA(connections, &size, &count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(connections[0].hrasconn, withIp);
    EXPECT_STREQ(connections[0].szEntryName, "Office");
    EXPECT_EQ(connections[1].hrasconn, withoutIp);
    EXPECT_STREQ(connections[1].szDeviceType, "modem");

    RASPPPIPA ip{};
    ip.dwSize = sizeof(ip);
    size = sizeof(ip);
    ASSERT_EQ(RasGetProjectionInfoA(withIp, RASP_PppIp, &ip, &size), 0u);
    EXPECT_EQ(ip.dwError, 0u);
    EXPECT_STREQ(ip.szIpAddress, "192.168.1.20");
    std::memset(ip.szIpAddress, 'x', sizeof(ip.szIpAddress));
    ASSERT_EQ(RasGetProjectionInfoA(withoutIp, RASP_PppIp, &ip, &size), 0u);
    EXPECT_EQ(ip.dwError, ERROR_PROTOCOL_NOT_CONFIGURED);
    EXPECT_STREQ(ip.szIpAddress, "") << "no stale bytes are left";
}

TEST_F(RasFunctions, DialParametersComeFromTheEntryAndKeepOrDropThePassword) {
    RASDIALPARAMSA params = ParamsFor("home");
    BOOL stored = 0;
    ASSERT_EQ(RasGetEntryDialParamsA(nullptr, &params, &stored), 0u);
    EXPECT_EQ(stored, 1);
    EXPECT_STREQ(params.szEntryName, "Home");
    EXPECT_STREQ(params.szPhoneNumber, "555-0199");
    EXPECT_STREQ(params.szUserName, "bob");
    EXPECT_STREQ(params.szPassword, "secret");
    EXPECT_STREQ(params.szDomain, "WORK");

    params = ParamsFor("Office");
    std::strcpy(params.szUserName, "carol");
    std::strcpy(params.szPassword, "hunter2");
    std::strcpy(params.szPhoneNumber, "999");
    ASSERT_EQ(RasSetEntryDialParamsA(nullptr, &params, 0), 0u);
    EXPECT_EQ(service.Entry("Office").UserName, "carol");
    EXPECT_EQ(service.Entry("Office").Password, "hunter2");
    EXPECT_TRUE(service.Entry("Office").PasswordStored);
    EXPECT_EQ(service.Entry("Office").PhoneNumber, "555-0100") << "the number is not changed";
    ASSERT_EQ(RasSetEntryDialParamsA(nullptr, &params, 1), 0u);
    EXPECT_FALSE(service.Entry("Office").PasswordStored);
    ASSERT_EQ(RasGetEntryDialParamsA(nullptr, &params, &stored), 0u);
    EXPECT_EQ(stored, 0);
    EXPECT_STREQ(params.szPassword, "");
}

TEST_F(RasFunctions, ShortBuffersGetTheSizeNeededAndNothingWritten) {
    RASENTRYNAMEA entries[2] = {};
    entries[0].dwSize = sizeof(RASENTRYNAMEA);
    DWORD size = sizeof(RASENTRYNAMEA), count = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, entries, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));
    EXPECT_EQ(count, 2u);
    EXPECT_STREQ(entries[0].szEntryName, "");
    size = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, nullptr, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));

    RASPPPIPA ip{};
    ip.dwSize = sizeof(ip);
    size = 20;
    const HRASCONN connection = service.AddConnection("Office", "10.0.0.7");
    EXPECT_EQ(RasGetProjectionInfoA(connection, RASP_PppIp, &ip, &size), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, sizeof(RASPPPIPA));

    char text[256];
    service.ErrorTexts[ERROR_LINE_BUSY] = "The line is busy.";
    EXPECT_EQ(RasGetErrorStringA(ERROR_LINE_BUSY, text, 17), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_EQ(RasGetErrorStringA(ERROR_LINE_BUSY, text, 18), 0u);
    EXPECT_STREQ(text, "The line is busy.");
}

// Records of a foreign size, missing arguments, unknown entries and handles: each call is
// refused with its error.
TEST_F(RasFunctions, BadArgumentsAreRefused) {
    const HRASCONN connection = service.AddConnection("Office", "10.0.0.7");
    RASENTRYNAMEA entries[2] = {{260, {}}};
    RASCONNA connections[2] = {{sizeof(RASCONNA) + 4, 0, {}, {}, {}}};
    RASPPPIPA ip{20, {}, 0};
    RASCONNSTATUSA status{};
    RASDIALPARAMSA params = ParamsFor("Office"), nowhere = ParamsFor("Nowhere"),
                   wrongSize = ParamsFor("Office"), unterminated = ParamsFor("");
    wrongSize.dwSize = 1048;
    // A name filling its field without a terminator is read up to the field's end only.
    std::memset(unterminated.szEntryName, 'O', sizeof(unterminated.szEntryName));
    RASDIALEXTENSIONS extensions{};
    extensions.dwSize = 12;
    test::RecordingWindow window;  // a real notifier, so only the argument at fault is wrong
    void* notifier = reinterpret_cast<void*>(window.Handle());
    DWORD size = sizeof(entries), count = 0;
    BOOL stored = 0;
    HRASCONN dialled = 0;
    char text[64];
    const struct {
        DWORD Result;
        DWORD Expected;
    } cases[] = {
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
        EXPECT_EQ(cases[i].Result, cases[i].Expected);
    }
    EXPECT_EQ(dialled, 0u);
    EXPECT_TRUE(service.Dials().empty());
}

TEST_F(RasFunctions, AChosenFunctionFailsWithItsErrorUntilCleared) {
    RASCONNA connections[1] = {{sizeof(RASCONNA), 0, {}, {}, {}}};
    DWORD size = sizeof(connections), count = 0;
    service.SetFunctionError("RasEnumConnectionsA", ERROR_NO_ANSWER);
    EXPECT_EQ(RasEnumConnectionsA(connections, &size, &count), ERROR_NO_ANSWER);
    service.SetFunctionError("RasEnumConnectionsA", 0);
    EXPECT_EQ(RasEnumConnectionsA(connections, &size, &count), 0u);
    EXPECT_EQ(service.Calls(),
              (std::vector<std::string>{"RasEnumConnectionsA", "RasEnumConnectionsA"}));
    EXPECT_THROW(service.SetFunctionError("RasDial", 1), EInvalidOperation);
}

TEST_F(RasFunctions, ThePhoneBookRefusesDuplicatesAndFieldsThatDoNotFit) {
    EXPECT_THROW(service.AddEntry({.Name = "OFFICE"}), EInvalidOperation);
    EXPECT_THROW(service.AddEntry({.Name = std::string(257, 'n')}), EInvalidOperation);
    EXPECT_THROW(service.AddEntry({.Name = "x", .IpAddress = "1234.1234.1234.1"}),
                 EInvalidOperation);
    EXPECT_NO_THROW(service.AddEntry({.Name = std::string(256, 'n')}));
}

}  // namespace
}  // namespace vex

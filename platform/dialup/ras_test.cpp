#include "platform/dialup/ras.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/modules.h"

namespace vex {
namespace {

// Calls the service the way the components do: through the loaded module and its exports.
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
    ~RasFunctions() override { FreeLibrary(module); }

    template <class F>
    F Proc(const char* Name) {
        FARPROC proc = GetProcAddress(module, Name);
        EXPECT_NE(proc, nullptr) << Name;
        return ProcAs<F>(proc);
    }

    RASDIALPARAMSA ParamsFor(const char* Entry) {
        RASDIALPARAMSA params{};
        params.dwSize = sizeof(params);
        std::strcpy(params.szEntryName, Entry);
        return params;
    }

    TScriptedDialup service;
    HMODULE module = LoadLibrary(RASAPI32_DLL);
};

TEST(RasService, IsAbsentWithoutABackendAndPresentWhileOneLives) {
    EXPECT_EQ(LoadLibrary(RASAPI32_DLL), 2u);
    DWORD size = 0, count = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, nullptr, &size, &count),
              ERROR_RASMAN_CANNOT_INITIALIZE);
    {
        TScriptedDialup service;
        EXPECT_THROW(TScriptedDialup second, EInvalidOperation);
        const HMODULE module = LoadLibrary("RASAPI32.DLL");
        EXPECT_GE(module, 32u);
        EXPECT_NE(GetProcAddress(module, "RasDialA"), nullptr);
        EXPECT_TRUE(FreeLibrary(module));
    }
    EXPECT_EQ(LoadLibrary(RASAPI32_DLL), 2u);
}

TEST(RasService, AModuleHeldPastItsBackendAnswersThatTheServiceIsGone) {
    HMODULE module;
    {
        TScriptedDialup service;
        service.AddEntry({.Name = "Office"});
        module = LoadLibrary(RASAPI32_DLL);
    }
    auto enumEntries = ProcAs<TRasEnumEntriesA>(GetProcAddress(module, "RasEnumEntriesA"));
    ASSERT_NE(enumEntries, nullptr);
    RASENTRYNAMEA entries[1] = {{sizeof(RASENTRYNAMEA), {}}};
    DWORD size = sizeof(entries), count = 0;
    EXPECT_EQ(enumEntries(nullptr, nullptr, entries, &size, &count),
              ERROR_RASMAN_CANNOT_INITIALIZE);
    FreeLibrary(module);
}

TEST(RasService, LeavesOutTheFunctionsItIsToldToLack) {
    TScriptedDialup service({"RasSetEntryDialParamsA"});
    const HMODULE module = LoadLibrary(RASAPI32_DLL);
    EXPECT_EQ(GetProcAddress(module, "RasSetEntryDialParamsA"), nullptr);
    EXPECT_NE(GetProcAddress(module, "RasGetEntryDialParamsA"), nullptr);
    FreeLibrary(module);
    EXPECT_THROW(TScriptedDialup({"RasNoSuchFunction"}), EInvalidOperation);
}

TEST_F(RasFunctions, EnumerateEntriesIntoABufferOfTheRightRecords) {
    RASENTRYNAMEA entries[25] = {};
    entries[0].dwSize = sizeof(RASENTRYNAMEA);
    DWORD size = sizeof(entries), count = 0;
    ASSERT_EQ(Proc<TRasEnumEntriesA>("RasEnumEntriesA")(nullptr, nullptr, entries, &size, &count),
              0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));
    EXPECT_STREQ(entries[0].szEntryName, "Office");
    EXPECT_STREQ(entries[1].szEntryName, "Home");
    EXPECT_EQ(entries[1].dwSize, sizeof(RASENTRYNAMEA));
}

TEST_F(RasFunctions, EnumerateEntriesRefusesWrongSizesAndReportsTheSizeNeeded) {
    auto enumEntries = Proc<TRasEnumEntriesA>("RasEnumEntriesA");
    RASENTRYNAMEA entries[2] = {};
    DWORD size = sizeof(entries), count = 0;

    entries[0].dwSize = 260;
    EXPECT_EQ(enumEntries(nullptr, nullptr, entries, &size, &count), ERROR_INVALID_SIZE);

    entries[0].dwSize = sizeof(RASENTRYNAMEA);
    size = sizeof(RASENTRYNAMEA);
    EXPECT_EQ(enumEntries(nullptr, nullptr, entries, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));
    EXPECT_EQ(count, 2u);
    EXPECT_STREQ(entries[0].szEntryName, "") << "nothing written into a short buffer";

    size = 0;
    EXPECT_EQ(enumEntries(nullptr, nullptr, nullptr, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASENTRYNAMEA));
    size = 100;
    EXPECT_EQ(enumEntries(nullptr, nullptr, nullptr, &size, &count), ERROR_BUFFER_INVALID);
    EXPECT_EQ(enumEntries(nullptr, nullptr, entries, nullptr, &count), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(enumEntries("x", nullptr, entries, &size, &count), ERROR_INVALID_PARAMETER);
}

TEST_F(RasFunctions, EnumerateConnectionsWithTheirHandlesAndRefuseWrongSizes) {
    const HRASCONN office = service.AddConnection("Office", "10.0.0.7");
    const HRASCONN other = service.AddConnection("Elsewhere", "");
    auto enumConnections = Proc<TRasEnumConnectionsA>("RasEnumConnectionsA");

    RASCONNA connections[10] = {};
    connections[0].dwSize = sizeof(RASCONNA);
    DWORD size = sizeof(connections), count = 0;
    ASSERT_EQ(enumConnections(connections, &size, &count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(connections[0].hrasconn, office);
    EXPECT_STREQ(connections[0].szEntryName, "Office");
    EXPECT_EQ(connections[1].hrasconn, other);
    EXPECT_STREQ(connections[1].szDeviceType, "modem");

    connections[0].dwSize = sizeof(RASCONNA) + 4;
    EXPECT_EQ(enumConnections(connections, &size, &count), ERROR_INVALID_SIZE);
    connections[0].dwSize = sizeof(RASCONNA);
    size = sizeof(RASCONNA);
    EXPECT_EQ(enumConnections(connections, &size, &count), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 2 * sizeof(RASCONNA));
}

TEST_F(RasFunctions, ProjectionGivesTheAddressOrSaysThereIsNone) {
    const HRASCONN withIp = service.AddConnection("Office", "192.168.1.20");
    const HRASCONN withoutIp = service.AddConnection("Home", "");
    auto projection = Proc<TRasGetProjectionInfoA>("RasGetProjectionInfoA");

    RASPPPIPA ip{};
    ip.dwSize = sizeof(ip);
    DWORD size = sizeof(ip);
    ASSERT_EQ(projection(withIp, RASP_PppIp, &ip, &size), 0u);
    EXPECT_EQ(ip.dwError, 0u);
    EXPECT_STREQ(ip.szIpAddress, "192.168.1.20");

    std::memset(ip.szIpAddress, 'x', sizeof(ip.szIpAddress));
    ASSERT_EQ(projection(withoutIp, RASP_PppIp, &ip, &size), 0u);
    EXPECT_EQ(ip.dwError, ERROR_PROTOCOL_NOT_CONFIGURED);
    EXPECT_STREQ(ip.szIpAddress, "");

    EXPECT_EQ(projection(0x7777, RASP_PppIp, &ip, &size), ERROR_INVALID_HANDLE);
    size = 20;
    EXPECT_EQ(projection(withIp, RASP_PppIp, &ip, &size), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, sizeof(RASPPPIPA));
    ip.dwSize = 20;
    EXPECT_EQ(projection(withIp, RASP_PppIp, &ip, &size), ERROR_INVALID_SIZE);
}

TEST_F(RasFunctions, DialParametersComeFromTheEntryWithTheStoredPassword) {
    auto getParams = Proc<TRasGetEntryDialParamsA>("RasGetEntryDialParamsA");
    RASDIALPARAMSA params = ParamsFor("home");
    BOOL stored = 0;
    ASSERT_EQ(getParams(nullptr, &params, &stored), 0u);
    EXPECT_EQ(stored, 1);
    EXPECT_STREQ(params.szEntryName, "Home");
    EXPECT_STREQ(params.szPhoneNumber, "555-0199");
    EXPECT_STREQ(params.szUserName, "bob");
    EXPECT_STREQ(params.szPassword, "secret");
    EXPECT_STREQ(params.szDomain, "WORK");

    params = ParamsFor("Office");
    std::memset(params.szPassword, 'x', sizeof(params.szPassword));
    ASSERT_EQ(getParams(nullptr, &params, &stored), 0u);
    EXPECT_EQ(stored, 0);
    EXPECT_STREQ(params.szPassword, "");
}

TEST_F(RasFunctions, SettingDialParametersKeepsOrRemovesThePasswordByTheFlag) {
    auto setParams = Proc<TRasSetEntryDialParamsA>("RasSetEntryDialParamsA");
    RASDIALPARAMSA params = ParamsFor("Office");
    std::strcpy(params.szUserName, "carol");
    std::strcpy(params.szPassword, "hunter2");
    std::strcpy(params.szPhoneNumber, "999");

    ASSERT_EQ(setParams(nullptr, &params, 0), 0u);
    EXPECT_EQ(service.Entry("Office").UserName, "carol");
    EXPECT_EQ(service.Entry("Office").Password, "hunter2");
    EXPECT_TRUE(service.Entry("Office").PasswordStored);
    EXPECT_EQ(service.Entry("Office").PhoneNumber, "555-0100");

    ASSERT_EQ(setParams(nullptr, &params, 1), 0u);
    EXPECT_EQ(service.Entry("Office").Password, "");
    EXPECT_FALSE(service.Entry("Office").PasswordStored);
}

TEST_F(RasFunctions, DialParametersRefuseWrongSizesUnknownEntriesAndUnterminatedNames) {
    auto getParams = Proc<TRasGetEntryDialParamsA>("RasGetEntryDialParamsA");
    auto setParams = Proc<TRasSetEntryDialParamsA>("RasSetEntryDialParamsA");
    RASDIALPARAMSA params = ParamsFor("Office");
    BOOL stored = 0;
    params.dwSize = 1048;
    EXPECT_EQ(getParams(nullptr, &params, &stored), ERROR_INVALID_SIZE);
    EXPECT_EQ(setParams(nullptr, &params, 1), ERROR_INVALID_SIZE);
    EXPECT_EQ(getParams(nullptr, nullptr, &stored), ERROR_INVALID_PARAMETER);

    params = ParamsFor("Nowhere");
    EXPECT_EQ(getParams(nullptr, &params, &stored), ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);
    EXPECT_EQ(setParams(nullptr, &params, 1), ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);

    // A name filling its field without a terminator is read up to the field's end only.
    std::memset(params.szEntryName, 'O', sizeof(params.szEntryName));
    EXPECT_EQ(getParams(nullptr, &params, &stored), ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);
}

TEST_F(RasFunctions, ErrorTextsFitTheBufferOrAreRefused) {
    service.ErrorTexts[ERROR_LINE_BUSY] = "The line is busy.";
    auto errorString = Proc<TRasGetErrorStringA>("RasGetErrorStringA");
    char text[256];
    ASSERT_EQ(errorString(ERROR_LINE_BUSY, text, sizeof(text)), 0u);
    EXPECT_STREQ(text, "The line is busy.");
    EXPECT_EQ(errorString(ERROR_LINE_BUSY, text, 17), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(errorString(ERROR_LINE_BUSY, text, 18), 0u);
    EXPECT_EQ(errorString(ERROR_NO_ANSWER, text, sizeof(text)), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(errorString(ERROR_LINE_BUSY, nullptr, 0), ERROR_INVALID_PARAMETER);
}

TEST_F(RasFunctions, AChosenFunctionFailsWithItsErrorUntilCleared) {
    auto enumConnections = Proc<TRasEnumConnectionsA>("RasEnumConnectionsA");
    RASCONNA connections[1] = {{sizeof(RASCONNA), 0, {}, {}, {}}};
    DWORD size = sizeof(connections), count = 0;
    service.SetFunctionError("RasEnumConnectionsA", ERROR_NO_ANSWER);
    EXPECT_EQ(enumConnections(connections, &size, &count), ERROR_NO_ANSWER);
    service.SetFunctionError("RasEnumConnectionsA", 0);
    EXPECT_EQ(enumConnections(connections, &size, &count), 0u);
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

#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/dialup/dialupbackend.h"
#include "platform/dialup/ras.h"
#include "platform/win/messages.h"

namespace vex {

// A dial-up service that tests script. While one lives, the module "rasapi32.dll" can be
// loaded and exports the functions of ras.h; without one it cannot, as on a machine without the
// service. Dials run on window timers of the message loop, so the clock in force (a virtual one
// in tests) decides when each state is reported. Only one may live at a time; main thread only.

// After AfterMilliseconds of the loop's clock, counted from the previous step (from the dial for
// the first), the dial reports State with Error. A non-zero error, RASCS_Connected or
// RASCS_Disconnected ends the script; a script that ends otherwise never connects.
struct TDialStep {
    uint32_t AfterMilliseconds = 0;
    RASCONNSTATE State = RASCS_OpenPort;
    DWORD Error = 0;
};
using TDialScript = std::vector<TDialStep>;

// The states of an ordinary dial, StepMilliseconds apart, ending connected.
TDialScript ConnectingScript(uint32_t StepMilliseconds);

struct TPhoneBookEntry {
    std::string Name{};
    std::string PhoneNumber{};
    std::string CallbackNumber{};
    std::string UserName{};
    std::string Domain{};
    std::string Password{};
    bool PasswordStored = false;
    std::string IpAddress{};  // the address a dial of this entry connects with; "" none
    TDialScript Script{};     // empty: the dial reports nothing and never connects
};

// One RasDialA call that reached the phone book.
struct TDialRecord {
    TDialParams Params;  // as the caller passed them, password included
    HWND Notifier = 0;
    HRASCONN Handle = 0;
};

class TScriptedDialup : public TDialupBackend {
public:
    // MissingFunctions are left out of the module, as an older service lacked some.
    explicit TScriptedDialup(const std::vector<std::string>& MissingFunctions = {});
    ~TScriptedDialup() override;
    TScriptedDialup(const TScriptedDialup&) = delete;
    TScriptedDialup& operator=(const TScriptedDialup&) = delete;

    // Entries are listed in the order they were added; names are compared without regard to
    // case. A duplicate name or a field longer than its record holds is refused.
    void AddEntry(TPhoneBookEntry Entry);
    const TPhoneBookEntry& Entry(const std::string& Name) const;

    // A connection that was up before anything dialled, in state RASCS_Connected.
    HRASCONN AddConnection(const std::string& EntryName, const std::string& IpAddress);

    // Makes the exported function return Error without doing anything; 0 lets it work again.
    void SetFunctionError(const std::string& Function, DWORD Error);

    // Texts for RasGetErrorStringA; a code missing here has none.
    std::map<DWORD, std::string> ErrorTexts;
    // The module's string table, read with LoadString.
    std::map<uint32_t, std::string> StringTable;

    // Every exported function called, in order.
    const std::vector<std::string>& Calls() const { return FCalls; }
    const std::vector<TDialRecord>& Dials() const { return FDials; }
    // The handle of every hang-up that got past its function error, known or not.
    const std::vector<HRASCONN>& HangUps() const { return FHangUps; }

    DWORD Enter(const char* Function) override;
    std::vector<std::string> EntryNames() const override;
    std::vector<TDialupConnection> Connections() const override;
    DWORD GetDialParams(const std::string& EntryName, TDialParams& Params,
                        bool& PasswordStored) const override;
    DWORD SetDialParams(const TDialParams& Params, bool RemovePassword) override;
    DWORD Dial(const TDialParams& Params, HWND Notifier, HRASCONN& Connection) override;
    DWORD HangUp(HRASCONN Connection) override;
    std::optional<std::string> ErrorText(DWORD Code) const override;

private:
    struct TLiveConnection {
        TDialupConnection Info;
        HWND Notifier = 0;
        std::string IpOnConnect;
        TDialScript Script;
        size_t NextStep = 0;
    };

    TPhoneBookEntry* FindEntry(const std::string& Name);
    const TPhoneBookEntry* FindEntry(const std::string& Name) const;
    TLiveConnection* FindConnection(HRASCONN Handle);
    HRASCONN NewConnection(TLiveConnection Connection);
    void WndProc(TMessage& Message);
    // Reports the steps that are due and sets the timer for the next one. FirstDue: the timer
    // of the next step has fired.
    void Advance(TLiveConnection& Connection, bool FirstDue);
    void Report(TLiveConnection& Connection, const TDialStep& Step);

    HWND FWindow = 0;
    UINT FDialEventMessage = 0;
    HRASCONN FNextHandle = 0x10000;
    std::vector<TPhoneBookEntry> FEntries;
    std::vector<TLiveConnection> FConnections;
    std::map<std::string, DWORD> FFunctionErrors;
    std::vector<std::string> FCalls;
    std::vector<TDialRecord> FDials;
    std::vector<HRASCONN> FHangUps;
};

}  // namespace vex

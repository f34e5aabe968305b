#include "platform/dialup/scripteddialup.h"

#include <algorithm>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/win/modules.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The module's table must outlive the backend when a caller still holds the module loaded, so
// its string table reaches the backend through this pointer and comes back empty after it.
TScriptedDialup* LiveBackend = nullptr;

const std::map<std::string, FARPROC>& ExportedFunctions() {
    static const std::map<std::string, FARPROC> functions = {
        {"RasEnumEntriesA", reinterpret_cast<FARPROC>(&RasEnumEntriesA)},
        {"RasEnumConnectionsA", reinterpret_cast<FARPROC>(&RasEnumConnectionsA)},
        {"RasGetProjectionInfoA", reinterpret_cast<FARPROC>(&RasGetProjectionInfoA)},
        {"RasGetConnectStatusA", reinterpret_cast<FARPROC>(&RasGetConnectStatusA)},
        {"RasGetEntryDialParamsA", reinterpret_cast<FARPROC>(&RasGetEntryDialParamsA)},
        {"RasSetEntryDialParamsA", reinterpret_cast<FARPROC>(&RasSetEntryDialParamsA)},
        {"RasDialA", reinterpret_cast<FARPROC>(&RasDialA)},
        {"RasHangUpA", reinterpret_cast<FARPROC>(&RasHangUpA)},
        {"RasGetErrorStringA", reinterpret_cast<FARPROC>(&RasGetErrorStringA)},
    };
    return functions;
}

void RequireFits(const std::string& Value, int MaxLength, const char* What) {
    if (Value.size() > static_cast<size_t>(MaxLength))
        throw EInvalidOperation(std::string(What) + " is longer than " + IntToStr(MaxLength) +
                                " characters: " + Value);
}

void RequireExported(const std::string& Function) {
    if (ExportedFunctions().count(Function) == 0)
        throw EInvalidOperation("The dial-up service has no function " + Function);
}

bool EndsScript(const TDialStep& Step) {
    return Step.Error != 0 || Step.State == RASCS_Connected || Step.State == RASCS_Disconnected;
}

}  // namespace

TDialScript ConnectingScript(uint32_t StepMilliseconds) {
    TDialScript script;
    for (RASCONNSTATE state :
         {RASCS_OpenPort, RASCS_PortOpened, RASCS_ConnectDevice, RASCS_DeviceConnected,
          RASCS_AllDevicesConnected, RASCS_Authenticate, RASCS_Authenticated, RASCS_Connected})
        script.push_back({StepMilliseconds, state, 0});
    return script;
}

TScriptedDialup::TScriptedDialup(const std::vector<std::string>& MissingFunctions) {
    if (LiveBackend != nullptr || DialupBackend() != nullptr)
        throw EInvalidOperation("A dial-up service is already present");
    TModuleDefinition module;
    module.Name = RASAPI32_DLL;
    module.Functions = ExportedFunctions();
    for (const std::string& name : MissingFunctions) {
        RequireExported(name);
        module.Functions.erase(name);
    }
    module.Strings = [](uint32_t Id) -> std::string {
        if (LiveBackend == nullptr) return "";
        auto it = LiveBackend->StringTable.find(Id);
        return it == LiveBackend->StringTable.end() ? "" : it->second;
    };
    FDialEventMessage = RegisterWindowMessage(RASDIALEVENT);
    FWindow = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    LiveBackend = this;
    SetDialupBackend(this);
    RegisterModule(std::move(module));
}

TScriptedDialup::~TScriptedDialup() {
    UnregisterModule(RASAPI32_DLL);
    SetDialupBackend(nullptr);
    LiveBackend = nullptr;
    for (const TLiveConnection& c : FConnections)
        KillTimer(FWindow, c.Info.Handle);
    DeallocateHWnd(FWindow);
}

void TScriptedDialup::AddEntry(TPhoneBookEntry Entry) {
    if (Entry.Name.empty()) throw EInvalidOperation("A phone-book entry needs a name");
    if (FindEntry(Entry.Name) != nullptr)
        throw EInvalidOperation("The phone book already holds " + Entry.Name);
    RequireFits(Entry.Name, RAS_MaxEntryName, "The entry name");
    RequireFits(Entry.PhoneNumber, RAS_MaxPhoneNumber, "The phone number");
    RequireFits(Entry.CallbackNumber, RAS_MaxCallbackNumber, "The callback number");
    RequireFits(Entry.UserName, UNLEN, "The user name");
    RequireFits(Entry.Domain, DNLEN, "The domain");
    RequireFits(Entry.Password, PWLEN, "The password");
    RequireFits(Entry.IpAddress, RAS_MaxIpAddress, "The IP address");
    FEntries.push_back(std::move(Entry));
}

const TPhoneBookEntry& TScriptedDialup::Entry(const std::string& Name) const {
    const TPhoneBookEntry* entry = FindEntry(Name);
    if (entry == nullptr) throw EInvalidOperation("The phone book holds no entry " + Name);
    return *entry;
}

HRASCONN TScriptedDialup::AddConnection(const std::string& EntryName,
                                        const std::string& IpAddress) {
    RequireFits(EntryName, RAS_MaxEntryName, "The entry name");
    RequireFits(IpAddress, RAS_MaxIpAddress, "The IP address");
    TLiveConnection connection;
    connection.Info.EntryName = EntryName;
    connection.Info.State = RASCS_Connected;
    connection.Info.IpAddress = IpAddress;
    return NewConnection(std::move(connection));
}

void TScriptedDialup::SetFunctionError(const std::string& Function, DWORD Error) {
    RequireExported(Function);
    if (Error == 0)
        FFunctionErrors.erase(Function);
    else
        FFunctionErrors[Function] = Error;
}

DWORD TScriptedDialup::Enter(const char* Function) {
    FCalls.emplace_back(Function);
    auto it = FFunctionErrors.find(Function);
    return it == FFunctionErrors.end() ? 0 : it->second;
}

std::vector<std::string> TScriptedDialup::EntryNames() const {
    std::vector<std::string> names;
    for (const TPhoneBookEntry& e : FEntries)
        names.push_back(e.Name);
    return names;
}

std::vector<TDialupConnection> TScriptedDialup::Connections() const {
    std::vector<TDialupConnection> connections;
    for (const TLiveConnection& c : FConnections)
        connections.push_back(c.Info);
    return connections;
}

DWORD TScriptedDialup::GetDialParams(const std::string& EntryName, TDialParams& Params,
                                     bool& PasswordStored) const {
    const TPhoneBookEntry* entry = FindEntry(EntryName);
    if (entry == nullptr) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    Params.EntryName = entry->Name;
    Params.PhoneNumber = entry->PhoneNumber;
    Params.CallbackNumber = entry->CallbackNumber;
    Params.UserName = entry->UserName;
    Params.Domain = entry->Domain;
    Params.Password = entry->PasswordStored ? entry->Password : "";
    PasswordStored = entry->PasswordStored;
    return 0;
}

DWORD TScriptedDialup::SetDialParams(const TDialParams& Params, bool RemovePassword) {
    TPhoneBookEntry* entry = FindEntry(Params.EntryName);
    if (entry == nullptr) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    entry->CallbackNumber = Params.CallbackNumber;
    entry->UserName = Params.UserName;
    entry->Domain = Params.Domain;
    entry->Password = RemovePassword ? "" : Params.Password;
    entry->PasswordStored = !RemovePassword;
    return 0;
}

DWORD TScriptedDialup::Dial(const TDialParams& Params, HWND Notifier, HRASCONN& Connection) {
    const TPhoneBookEntry* entry = FindEntry(Params.EntryName);
    if (entry == nullptr) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    TLiveConnection connection;
    connection.Info.EntryName = entry->Name;
    connection.Notifier = Notifier;
    connection.IpOnConnect = entry->IpAddress;
    connection.Script = entry->Script;
    Connection = NewConnection(std::move(connection));
    FDials.push_back({Params, Notifier, Connection});
    Advance(*FindConnection(Connection), false);
    return 0;
}

DWORD TScriptedDialup::HangUp(HRASCONN Connection) {
    FHangUps.push_back(Connection);
    auto it = std::find_if(FConnections.begin(), FConnections.end(),
                           [&](const TLiveConnection& c) { return c.Info.Handle == Connection; });
    if (it == FConnections.end()) return ERROR_INVALID_HANDLE;
    KillTimer(FWindow, Connection);
    FConnections.erase(it);
    return 0;
}

std::optional<std::string> TScriptedDialup::ErrorText(DWORD Code) const {
    auto it = ErrorTexts.find(Code);
    if (it == ErrorTexts.end()) return std::nullopt;
    return it->second;
}

TPhoneBookEntry* TScriptedDialup::FindEntry(const std::string& Name) {
    return const_cast<TPhoneBookEntry*>(std::as_const(*this).FindEntry(Name));
}

const TPhoneBookEntry* TScriptedDialup::FindEntry(const std::string& Name) const {
    for (const TPhoneBookEntry& e : FEntries)
        if (AnsiSameText(e.Name, Name)) return &e;
    return nullptr;
}

TScriptedDialup::TLiveConnection* TScriptedDialup::FindConnection(HRASCONN Handle) {
    for (TLiveConnection& c : FConnections)
        if (c.Info.Handle == Handle) return &c;
    return nullptr;
}

HRASCONN TScriptedDialup::NewConnection(TLiveConnection Connection) {
    Connection.Info.Handle = FNextHandle++;
    Connection.Info.DeviceType = "modem";
    Connection.Info.DeviceName = "Scripted modem";
    FConnections.push_back(std::move(Connection));
    return FConnections.back().Info.Handle;
}

void TScriptedDialup::WndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    const auto handle = static_cast<HRASCONN>(Message.WParam);
    KillTimer(FWindow, handle);
    if (TLiveConnection* connection = FindConnection(handle)) Advance(*connection, true);
}

void TScriptedDialup::Advance(TLiveConnection& Connection, bool FirstDue) {
    bool due = FirstDue;
    while (Connection.NextStep < Connection.Script.size()) {
        const TDialStep step = Connection.Script[Connection.NextStep];
        if (!due && step.AfterMilliseconds > 0) {
            SetTimer(FWindow, Connection.Info.Handle, step.AfterMilliseconds);
            return;
        }
        due = false;
        ++Connection.NextStep;
        Report(Connection, step);
    }
}

void TScriptedDialup::Report(TLiveConnection& Connection, const TDialStep& Step) {
    Connection.Info.State = Step.State;
    Connection.Info.Error = Step.Error;
    if (Step.State == RASCS_Connected && Step.Error == 0)
        Connection.Info.IpAddress = Connection.IpOnConnect;
    if (EndsScript(Step)) Connection.NextStep = Connection.Script.size();
    PostMessage(Connection.Notifier, FDialEventMessage, Step.State,
                static_cast<LPARAM>(Step.Error));
}

}  // namespace vex

#include "net/agRasCmp.h"

#include <cstring>
#include <vector>

#include "net/componentexceptions.h"
#include "net/timecounter.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"

namespace vex {

namespace {

constexpr const char* sRasNotDetected =
    "TagRas component was unable to detect\r\nRAS on your system.";
constexpr const char* sSetBeforeConnecting =
    "This property can be set only before\r\nestablishing the connection";

// What the service lists is read into a buffer of this many records first; a longer list is
// read again into a buffer of the size the service asks for.
constexpr size_t InitialEntryRecords = 25;
constexpr size_t InitialConnectionRecords = 10;
// The list may grow between the call that sized the buffer and the next one, but not forever.
constexpr int EnumerationAttempts = 3;

// LoadLibrary's answers below this are error codes, not modules.
constexpr HMODULE FirstModuleHandle = 32;

struct TStateText {
    RASCONNSTATE State;
    uint32_t Id;  // in the service library's string table
    const char* Text;
};

constexpr TStateText StateTexts[] = {
    {RASCS_OpenPort, 120, "Initializing..."},
    {RASCS_ConnectDevice, 122, "Dialing..."},
    {RASCS_DeviceConnected, 122, "Dialing..."},
    {RASCS_AllDevicesConnected, 122, "Dialing..."},
    {RASCS_Authenticate, 124, "Verifying user name and password"},
    {RASCS_Authenticated, 131, "User name and password verified"},
    {RASCS_StartAuthentication, 124, "Verifying user name and password"},
    {RASCS_LogonNetwork, 128, "Logging on to Network"},
    {RASCS_Connected, 129, "Successfully connected"},
};

template <size_t N>
std::string FieldText(const char (&Field)[N]) {
    return std::string(Field, strnlen(Field, N));
}

template <size_t N>
void SetField(char (&Field)[N], const std::string& Value, const char* What) {
    if (Value.size() >= N)
        throw EInvalidOperation(std::string(What) + " is longer than " + IntToStr(N - 1) +
                                " characters");
    std::memset(Field, 0, N);
    std::memcpy(Field, Value.data(), Value.size());
}

// Calls an enumeration function of the service, Call(buffer, &bytes, &count), and returns the
// records it filled, or none with the failure in Result.
template <class Record, class EnumerateFunction>
std::vector<Record> Enumerate(size_t InitialRecords, EnumerateFunction Call, DWORD& Result) {
    std::vector<Record> records(InitialRecords, Record{});
    for (int attempt = 1;; ++attempt) {
        records[0].dwSize = sizeof(Record);
        DWORD bytes = static_cast<DWORD>(records.size() * sizeof(Record));
        DWORD count = 0;
        Result = Call(records.data(), &bytes, &count);
        if (Result == 0) {
            records.resize(std::min<size_t>(count, records.size()));
            return records;
        }
        const size_t needed = (bytes + sizeof(Record) - 1) / sizeof(Record);
        if (Result != ERROR_BUFFER_TOO_SMALL || needed <= records.size() ||
            attempt == EnumerationAttempts)
            return {};
        records.assign(needed, Record{});
    }
}

std::string RasErrorText(DWORD Code) {
    std::string text;
    const HMODULE module = LoadLibrary(RASAPI32_DLL);
    if (module >= FirstModuleHandle) {
        if (FARPROC proc = GetProcAddress(module, "RasGetErrorStringA")) {
            char buffer[256] = {};
            if (ProcAs<TRasGetErrorStringA>(proc)(Code, buffer, sizeof(buffer)) == 0)
                text = FieldText(buffer);
        }
        FreeLibrary(module);
    }
    return text.empty() ? "RAS error no " + IntToStr(Code) : text;
}

// Stops the counter however the wait ends, a handler's exception included.
class TCountingWait {
public:
    explicit TCountingWait(TTimeCounter& Counter) : FCounter(Counter) { FCounter.Start(); }
    ~TCountingWait() { FCounter.Stop(); }
    TCountingWait(const TCountingWait&) = delete;
    TCountingWait& operator=(const TCountingWait&) = delete;

private:
    TTimeCounter& FCounter;
};

}  // namespace

ERASError::ERASError(DWORD Code) : Exception(RasErrorText(Code)), LastError(Code) {}

TagRas::TagRas(TComponent* AOwner)
    : TComponent(AOwner),
      FEntries(std::make_unique<TStringList>()),
      FTimeCounter(std::make_unique<TTimeCounter>()) {
    FTimeCounter->SetTimeOut(120);
    FDialEventMsg = RegisterWindowMessage(RASDIALEVENT);
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    const HMODULE module = LoadLibrary(RASAPI32_DLL);
    if (module >= FirstModuleHandle) FRasModule = module;
    GetEntryList();
}

TagRas::~TagRas() {
    DeallocateHWnd(FWindowHandle);
    if (FRasModule != 0) FreeLibrary(FRasModule);
}

int32_t TagRas::TimeOut() const {
    return FTimeCounter->TimeOut();
}

void TagRas::SetTimeOut(int32_t Seconds) {
    FTimeCounter->SetTimeOut(Seconds);
}

FARPROC TagRas::RasFunction(const char* Name) const {
    return FRasModule == 0 ? nullptr : GetProcAddress(FRasModule, Name);
}

void TagRas::Check(DWORD Result) {
    FLastError = Result;
    if (Result != 0) throw ERASError(Result);
}

const TStrings& TagRas::GetEntryList() {
    FEntries->Clear();
    const FARPROC proc = RasFunction("RasEnumEntriesA");
    if (proc == nullptr) return *FEntries;
    const auto enumEntries = ProcAs<TRasEnumEntriesA>(proc);
    DWORD result = 0;
    const std::vector<RASENTRYNAMEA> entries = Enumerate<RASENTRYNAMEA>(
        InitialEntryRecords,
        [&](RASENTRYNAMEA* Buffer, DWORD* Bytes, DWORD* Count) {
            return enumEntries(nullptr, nullptr, Buffer, Bytes, Count);
        },
        result);
    FLastError = result;
    for (const RASENTRYNAMEA& entry : entries)
        FEntries->Add(FieldText(entry.szEntryName));
    return *FEntries;
}

void TagRas::SetService(const std::string& Value) {
    if (Value.empty()) {
        FService.clear();
        return;
    }
    if (FEntries->Count() == 0) {
        MessageBox(0, sRasNotDetected, Application().Title(), MB_OK);
        return;
    }
    if (FConnected) {
        MessageBox(0, sSetBeforeConnecting, Application().Title(), MB_OK);
        return;
    }
    GetEntryList();
    // The phone book's own spelling, so the name compares equal with its connections'.
    const int32_t index = FEntries->IndexOf(Value);
    FService = index >= 0 ? FEntries->Strings(index) : std::string();
}

bool TagRas::FindExistingConnection() {
    const FARPROC enumProc = RasFunction("RasEnumConnectionsA");
    if (enumProc == nullptr) return false;
    const auto enumConnections = ProcAs<TRasEnumConnectionsA>(enumProc);
    DWORD result = 0;
    const std::vector<RASCONNA> connections =
        Enumerate<RASCONNA>(InitialConnectionRecords, enumConnections, result);
    Check(result);

    // The connection this component holds already is not taken up again as someone else's.
    for (const RASCONNA& connection : connections) {
        if (connection.hrasconn == FConnHandle) continue;
        if (FieldText(connection.szEntryName) == FService) {
            FConnHandle = connection.hrasconn;
            return true;
        }
    }
    if (FForceService) return false;

    const FARPROC projectionProc = RasFunction("RasGetProjectionInfoA");
    if (projectionProc == nullptr) return false;
    const auto getProjection = ProcAs<TRasGetProjectionInfoA>(projectionProc);
    for (const RASCONNA& connection : connections) {
        if (connection.hrasconn == FConnHandle) continue;
        RASPPPIPA ip{};
        ip.dwSize = sizeof(ip);
        DWORD bytes = sizeof(ip);
        Check(getProjection(connection.hrasconn, RASP_PppIp, &ip, &bytes));
        if (!FieldText(ip.szIpAddress).empty()) {
            FConnHandle = connection.hrasconn;
            return true;
        }
    }
    return false;
}

void TagRas::Dial() {
    if (FPendingError != 0) {
        const DWORD code = FPendingError;
        FPendingError = 0;
        HangUp();
        FLastError = code;
        throw ERASError(code);
    }
    if (FindExistingConnection() || FService.empty()) {
        FConnected = true;
        FDialledByMe = false;
        return;
    }
    DialService();
}

void TagRas::DialService() {
    const FARPROC getParamsProc = RasFunction("RasGetEntryDialParamsA");
    const FARPROC setParamsProc = RasFunction("RasSetEntryDialParamsA");
    const FARPROC dialProc = RasFunction("RasDialA");
    if (getParamsProc == nullptr || setParamsProc == nullptr || dialProc == nullptr) return;

    RASDIALPARAMSA params{};
    params.dwSize = sizeof(params);
    SetField(params.szEntryName, FService, "Service");
    if (FPassword.size() > PWLEN)
        throw EInvalidOperation("Password is longer than " + IntToStr(PWLEN) + " characters");

    FDialledByMe = true;
    FConnHandle = NoConnection;
    FConnected = false;
    FCanceled = false;
    FTimeCounter->SetExpired(false);
    // A failure of an earlier dial would otherwise end this one's wait at once.
    FLastError = 0;

    BOOL passwordStored = 0;
    Check(ProcAs<TRasGetEntryDialParamsA>(getParamsProc)(nullptr, &params, &passwordStored));
    // With no password given, the entry's stored one is dialled as it is: saving the parameters
    // would overwrite it with an empty one.
    if (!FPassword.empty()) {
        SetField(params.szPassword, FPassword, "Password");
        Check(ProcAs<TRasSetEntryDialParamsA>(setParamsProc)(nullptr, &params,
                                                             FRemovePassword ? 1 : 0));
    }
    const DWORD result =
        ProcAs<TRasDialA>(dialProc)(nullptr, nullptr, &params, RASDIAL_WINDOW_NOTIFIER,
                                    reinterpret_cast<void*>(FWindowHandle), &FConnHandle);
    if (result != 0) {
        FLastError = result;
        HangUp();
        throw ERASError(result);
    }
    WaitForConnection();
}

void TagRas::WaitForConnection() {
    TWaitResult ended;
    {
        TCountingWait wait(*FTimeCounter);
        ended = ProcessMessagesUntil([this] {
            return FConnected || FLastError != 0 || FCanceled || FTimeCounter->Expired();
        });
    }
    if (FLastError != 0) {
        const DWORD code = FLastError;
        // Raised here; the next Dial must not raise it again.
        FPendingError = 0;
        HangUp();
        throw ERASError(code);
    }
    if (FCanceled) throw ECanceledError();
    // A dial given up on is hung up, or it could connect later with nobody to end it.
    if (FTimeCounter->Expired()) {
        HangUp();
        throw ETimedOutError();
    }
    if (ended == TWaitResult::Quit) {
        HangUp();
        throw ECanceledError();
    }
}

void TagRas::HangUp() {
    const FARPROC proc = RasFunction("RasHangUpA");
    if (proc == nullptr) return;
    const bool hangingUp = FEntries->Count() > 0 && FDialledByMe;
    const HRASCONN connection = FConnHandle;
    FDialledByMe = false;
    FConnHandle = NoConnection;
    FConnected = false;
    if (!hangingUp) return;
    ProcAs<TRasHangUpA>(proc)(connection);
    if (OnDisconnected) OnDisconnected(this);
}

void TagRas::HangUpAndCancel() {
    HangUp();
    FCanceled = true;
}

void TagRas::WndProc(TMessage& Message) {
    if (FDialEventMsg == 0 || Message.Msg != FDialEventMsg) {
        Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    // The state is taken before the event fires, so a handler that raises loses none of it.
    if (!FConnected) FConnected = Message.WParam == RASCS_Connected;
    const auto error = static_cast<DWORD>(Message.LParam);
    if (error != 0) {
        FLastError = error;
        if (FConnected) FPendingError = error;
    }
    if (OnStatusChange) OnStatusChange(this, StateText(Message.WParam));
    Message.Result = 0;
}

std::string TagRas::StateText(WPARAM State) const {
    for (const TStateText& entry : StateTexts) {
        if (entry.State != State) continue;
        if (FRasModule != 0) {
            char buffer[256] = {};
            if (LoadString(FRasModule, entry.Id, buffer, sizeof(buffer)) > 0)
                return FieldText(buffer);
        }
        return entry.Text;
    }
    return "";
}

}  // namespace vex

#include "platform/dialup/ras.h"

#include <cstring>
#include <optional>

#include "platform/dialup/dialupbackend.h"

namespace vex {

namespace {

// Caller's text fields need not be terminated; nothing past the field is read.
template <size_t N>
std::string ReadField(const char (&Field)[N]) {
    return std::string(Field, strnlen(Field, N));
}

// Cuts what does not fit and zeroes the rest, so no stale bytes of the caller's buffer remain.
template <size_t N>
void WriteField(char (&Field)[N], const std::string& Value) {
    std::memset(Field, 0, N);
    std::memcpy(Field, Value.data(), std::min(Value.size(), N - 1));
}

TDialParams FromRecord(const RASDIALPARAMSA& Record) {
    TDialParams params;
    params.EntryName = ReadField(Record.szEntryName);
    params.PhoneNumber = ReadField(Record.szPhoneNumber);
    params.CallbackNumber = ReadField(Record.szCallbackNumber);
    params.UserName = ReadField(Record.szUserName);
    params.Password = ReadField(Record.szPassword);
    params.Domain = ReadField(Record.szDomain);
    return params;
}

void ToRecord(const TDialParams& Params, RASDIALPARAMSA& Record) {
    WriteField(Record.szEntryName, Params.EntryName);
    WriteField(Record.szPhoneNumber, Params.PhoneNumber);
    WriteField(Record.szCallbackNumber, Params.CallbackNumber);
    WriteField(Record.szUserName, Params.UserName);
    WriteField(Record.szPassword, Params.Password);
    WriteField(Record.szDomain, Params.Domain);
}

// The service is there and lets the call through: 0, with the backend in Backend.
DWORD Enter(const char* Function, TDialupBackend*& Backend) {
    Backend = DialupBackend();
    if (Backend == nullptr) return ERROR_RASMAN_CANNOT_INITIALIZE;
    return Backend->Enter(Function);
}

std::optional<TDialupConnection> FindConnection(const TDialupBackend& Backend, HRASCONN Handle) {
    for (const TDialupConnection& c : Backend.Connections())
        if (c.Handle == Handle) return c;
    return std::nullopt;
}

// Fills an array of Count records in a caller's buffer of *lpcb bytes, Fill(record, index)
// writing each one after its size field is set.
template <class Record, class FillRecord>
DWORD FillArray(Record* Buffer, DWORD* lpcb, DWORD* lpcCount, size_t Count, FillRecord Fill) {
    if (lpcb == nullptr || lpcCount == nullptr) return ERROR_INVALID_PARAMETER;
    if (Buffer == nullptr && *lpcb != 0) return ERROR_BUFFER_INVALID;
    if (Buffer != nullptr && *lpcb >= sizeof(DWORD) && Buffer->dwSize != sizeof(Record))
        return ERROR_INVALID_SIZE;
    const uint64_t needed = static_cast<uint64_t>(Count) * sizeof(Record);
    if (*lpcb < needed) {
        *lpcb = static_cast<DWORD>(needed);
        *lpcCount = static_cast<DWORD>(Count);
        return ERROR_BUFFER_TOO_SMALL;
    }
    for (size_t i = 0; i < Count; ++i) {
        Record record{};
        record.dwSize = sizeof(Record);
        Fill(record, i);
        Buffer[i] = record;
    }
    *lpcb = static_cast<DWORD>(needed);
    *lpcCount = static_cast<DWORD>(Count);
    return 0;
}

}  // namespace

DWORD RasEnumEntriesA(const char* Reserved, const char* /*Phonebook*/, RASENTRYNAMEA* Entries,
                      DWORD* lpcb, DWORD* lpcEntries) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasEnumEntriesA", backend)) return error;
    if (Reserved != nullptr) return ERROR_INVALID_PARAMETER;
    const std::vector<std::string> names = backend->EntryNames();
    return FillArray(Entries, lpcb, lpcEntries, names.size(),
                     [&](RASENTRYNAMEA& r, size_t i) { WriteField(r.szEntryName, names[i]); });
}

DWORD RasEnumConnectionsA(RASCONNA* Connections, DWORD* lpcb, DWORD* lpcConnections) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasEnumConnectionsA", backend)) return error;
    const std::vector<TDialupConnection> connections = backend->Connections();
    return FillArray(Connections, lpcb, lpcConnections, connections.size(),
                     [&](RASCONNA& r, size_t i) {
                         r.hrasconn = connections[i].Handle;
                         WriteField(r.szEntryName, connections[i].EntryName);
                         WriteField(r.szDeviceType, connections[i].DeviceType);
                         WriteField(r.szDeviceName, connections[i].DeviceName);
                     });
}

DWORD RasGetProjectionInfoA(HRASCONN Connection, RASPROJECTION Projection, void* Projected,
                            DWORD* lpcb) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasGetProjectionInfoA", backend)) return error;
    if (Projected == nullptr || lpcb == nullptr) return ERROR_INVALID_PARAMETER;
    const std::optional<TDialupConnection> connection = FindConnection(*backend, Connection);
    if (!connection) return ERROR_INVALID_HANDLE;
    if (Projection != RASP_PppIp) return ERROR_PROTOCOL_NOT_CONFIGURED;
    if (connection->State != RASCS_Connected) return ERROR_PROJECTION_NOT_COMPLETE;
    if (*lpcb < sizeof(RASPPPIPA)) {
        *lpcb = sizeof(RASPPPIPA);
        return ERROR_BUFFER_TOO_SMALL;
    }
    // The caller's buffer is untyped and may be unaligned.
    RASPPPIPA ip;
    std::memcpy(&ip, Projected, sizeof(ip));
    if (ip.dwSize != sizeof(RASPPPIPA)) return ERROR_INVALID_SIZE;
    ip.dwError = connection->IpAddress.empty() ? ERROR_PROTOCOL_NOT_CONFIGURED : 0;
    WriteField(ip.szIpAddress, connection->IpAddress);
    std::memcpy(Projected, &ip, sizeof(ip));
    *lpcb = sizeof(RASPPPIPA);
    return 0;
}

DWORD RasGetConnectStatusA(HRASCONN Connection, RASCONNSTATUSA* Status) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasGetConnectStatusA", backend)) return error;
    if (Status == nullptr) return ERROR_INVALID_PARAMETER;
    if (Status->dwSize != sizeof(RASCONNSTATUSA)) return ERROR_INVALID_SIZE;
    const std::optional<TDialupConnection> connection = FindConnection(*backend, Connection);
    if (!connection) return ERROR_INVALID_HANDLE;
    Status->rasconnstate = connection->State;
    Status->dwError = connection->Error;
    WriteField(Status->szDeviceType, connection->DeviceType);
    WriteField(Status->szDeviceName, connection->DeviceName);
    return 0;
}

DWORD RasGetEntryDialParamsA(const char* /*Phonebook*/, RASDIALPARAMSA* Params,
                             BOOL* PasswordStored) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasGetEntryDialParamsA", backend)) return error;
    if (Params == nullptr || PasswordStored == nullptr) return ERROR_INVALID_PARAMETER;
    if (Params->dwSize != sizeof(RASDIALPARAMSA)) return ERROR_INVALID_SIZE;
    TDialParams params;
    bool stored = false;
    if (DWORD error = backend->GetDialParams(ReadField(Params->szEntryName), params, stored))
        return error;
    ToRecord(params, *Params);
    *PasswordStored = stored ? 1 : 0;
    return 0;
}

DWORD RasSetEntryDialParamsA(const char* /*Phonebook*/, const RASDIALPARAMSA* Params,
                             BOOL RemovePassword) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasSetEntryDialParamsA", backend)) return error;
    if (Params == nullptr) return ERROR_INVALID_PARAMETER;
    if (Params->dwSize != sizeof(RASDIALPARAMSA)) return ERROR_INVALID_SIZE;
    return backend->SetDialParams(FromRecord(*Params), RemovePassword != 0);
}

DWORD RasDialA(const RASDIALEXTENSIONS* Extensions, const char* /*Phonebook*/,
               const RASDIALPARAMSA* Params, DWORD NotifierType, void* Notifier,
               HRASCONN* Connection) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasDialA", backend)) return error;
    if (Params == nullptr || Connection == nullptr) return ERROR_INVALID_PARAMETER;
    if (Params->dwSize != sizeof(RASDIALPARAMSA)) return ERROR_INVALID_SIZE;
    if (Extensions != nullptr && Extensions->dwSize != sizeof(RASDIALEXTENSIONS))
        return ERROR_INVALID_SIZE;
    // A dial that reports to nobody, or to a callback, would have to block or call into code
    // this service cannot reach; only the window notifier is served.
    const HWND window = reinterpret_cast<HWND>(Notifier);
    if (NotifierType != RASDIAL_WINDOW_NOTIFIER || !IsWindow(window))
        return ERROR_INVALID_PARAMETER;
    HRASCONN handle = 0;
    if (DWORD error = backend->Dial(FromRecord(*Params), window, handle)) return error;
    *Connection = handle;
    return 0;
}

DWORD RasHangUpA(HRASCONN Connection) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasHangUpA", backend)) return error;
    return backend->HangUp(Connection);
}

DWORD RasGetErrorStringA(UINT ErrorValue, char* Buffer, DWORD BufferSize) {
    TDialupBackend* backend;
    if (DWORD error = Enter("RasGetErrorStringA", backend)) return error;
    if (Buffer == nullptr) return ERROR_INVALID_PARAMETER;
    const std::optional<std::string> text = backend->ErrorText(ErrorValue);
    if (!text) return ERROR_INVALID_PARAMETER;
    if (text->size() + 1 > BufferSize) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(Buffer, text->c_str(), text->size() + 1);
    return 0;
}

}  // namespace vex

#pragma once

#include <cstdint>

#include "platform/dialup/raserror.h"
#include "platform/win/messages.h"

namespace vex {

// The dial-up service as the components call it: the records in the original's 32-bit layouts,
// since callers size their buffers in multiples of them, and the ANSI functions under their
// exported names. Callers reach the functions through the module "rasapi32.dll" (see
// scripteddialup.h); with no service present that module does not exist, and a function called
// directly answers ERROR_RASMAN_CANNOT_INITIALIZE. Main thread only.

using HRASCONN = uint32_t;  // a connection; 0 is none
using BOOL = int32_t;

inline constexpr int RAS_MaxEntryName = 256;
inline constexpr int RAS_MaxDeviceType = 16;
inline constexpr int RAS_MaxDeviceName = 128;
inline constexpr int RAS_MaxPhoneNumber = 128;
inline constexpr int RAS_MaxCallbackNumber = RAS_MaxPhoneNumber;
inline constexpr int UNLEN = 256;
inline constexpr int PWLEN = 256;
inline constexpr int DNLEN = 15;
inline constexpr int RAS_MaxIpAddress = 15;

enum RASCONNSTATE : uint32_t {
    RASCS_OpenPort = 0,
    RASCS_PortOpened = 1,
    RASCS_ConnectDevice = 2,
    RASCS_DeviceConnected = 3,
    RASCS_AllDevicesConnected = 4,
    RASCS_Authenticate = 5,
    RASCS_AuthNotify = 6,
    RASCS_AuthRetry = 7,
    RASCS_AuthCallback = 8,
    RASCS_AuthChangePassword = 9,
    RASCS_AuthProject = 10,
    RASCS_AuthLinkSpeed = 11,
    RASCS_AuthAck = 12,
    RASCS_ReAuthenticate = 13,
    RASCS_Authenticated = 14,
    RASCS_PrepareForCallback = 15,
    RASCS_WaitForModemReset = 16,
    RASCS_WaitForCallback = 17,
    RASCS_Projected = 18,
    RASCS_StartAuthentication = 19,
    RASCS_CallbackComplete = 20,
    RASCS_LogonNetwork = 21,
    RASCS_SubEntryConnected = 22,
    RASCS_SubEntryDisconnected = 23,
    RASCS_Interactive = 0x1000,
    RASCS_RetryAuthentication = 0x1001,
    RASCS_CallbackSetByCaller = 0x1002,
    RASCS_PasswordExpired = 0x1003,
    RASCS_Connected = 0x2000,
    RASCS_Disconnected = 0x2001,
};

// Which protocol's negotiation RasGetProjectionInfoA reports.
using RASPROJECTION = uint32_t;
inline constexpr RASPROJECTION RASP_PppIp = 0x8021;

// RasDialA's notifier is a window handle: progress arrives there as the message registered under
// RASDIALEVENT, wParam the state and lParam the error.
inline constexpr DWORD RASDIAL_WINDOW_NOTIFIER = 0xFFFFFFFF;
inline constexpr const char* RASDIALEVENT = "RASDIALEVENT";

// The module under which a present service exports the functions.
inline constexpr const char* RASAPI32_DLL = "rasapi32.dll";

struct RASENTRYNAMEA {
    DWORD dwSize;
    char szEntryName[RAS_MaxEntryName + 1];
};

struct RASCONNA {
    DWORD dwSize;
    HRASCONN hrasconn;
    char szEntryName[RAS_MaxEntryName + 1];
    char szDeviceType[RAS_MaxDeviceType + 1];
    char szDeviceName[RAS_MaxDeviceName + 1];
};

struct RASCONNSTATUSA {
    DWORD dwSize;
    RASCONNSTATE rasconnstate;
    DWORD dwError;
    char szDeviceType[RAS_MaxDeviceType + 1];
    char szDeviceName[RAS_MaxDeviceName + 1];
};

struct RASPPPIPA {
    DWORD dwSize;
    DWORD dwError;
    char szIpAddress[RAS_MaxIpAddress + 1];
};

struct RASDIALPARAMSA {
    DWORD dwSize;
    char szEntryName[RAS_MaxEntryName + 1];
    char szPhoneNumber[RAS_MaxPhoneNumber + 1];
    char szCallbackNumber[RAS_MaxCallbackNumber + 1];
    char szUserName[UNLEN + 1];
    char szPassword[PWLEN + 1];
    char szDomain[DNLEN + 1];
};

struct RASDIALEXTENSIONS {
    DWORD dwSize;
    DWORD dwfOptions;
    uint32_t hwndParent;
    uint32_t reserved;
};

static_assert(sizeof(RASENTRYNAMEA) == 264);
static_assert(sizeof(RASCONNA) == 412);
static_assert(sizeof(RASCONNSTATUSA) == 160);
static_assert(sizeof(RASPPPIPA) == 24);
static_assert(sizeof(RASDIALPARAMSA) == 1052);
static_assert(sizeof(RASDIALEXTENSIONS) == 16);

// Every record's dwSize must hold its size. A buffer of *lpcb bytes that is too small answers
// ERROR_BUFFER_TOO_SMALL with the size needed in *lpcb (and the count in the count argument).

// Phonebook is ignored: there is one phone book. Reserved must be null.
DWORD RasEnumEntriesA(const char* Reserved, const char* Phonebook, RASENTRYNAMEA* Entries,
                      DWORD* lpcb, DWORD* lpcEntries);
DWORD RasEnumConnectionsA(RASCONNA* Connections, DWORD* lpcb, DWORD* lpcConnections);
// Before a dial is connected: ERROR_PROJECTION_NOT_COMPLETE. A connection that has no IP address
// succeeds with dwError ERROR_PROTOCOL_NOT_CONFIGURED and an empty address.
DWORD RasGetProjectionInfoA(HRASCONN Connection, RASPROJECTION Projection, void* Projected,
                            DWORD* lpcb);
DWORD RasGetConnectStatusA(HRASCONN Connection, RASCONNSTATUSA* Status);
// The entry is named by szEntryName; the stored password is handed out when there is one, and
// *PasswordStored tells whether there was.
DWORD RasGetEntryDialParamsA(const char* Phonebook, RASDIALPARAMSA* Params, BOOL* PasswordStored);
// Stores the user name, domain and callback number, and the password unless RemovePassword is
// set, in which case the stored password is removed. The phone number is the entry's own and is
// not changed.
DWORD RasSetEntryDialParamsA(const char* Phonebook, const RASDIALPARAMSA* Params,
                             BOOL RemovePassword);
// Starts an asynchronous dial and returns at once with the new connection in *Connection. Only
// the window notifier is served (NotifierType RASDIAL_WINDOW_NOTIFIER, Notifier the HWND cast
// to a pointer); the dial options of Extensions have no effect here.
DWORD RasDialA(const RASDIALEXTENSIONS* Extensions, const char* Phonebook,
               const RASDIALPARAMSA* Params, DWORD NotifierType, void* Notifier,
               HRASCONN* Connection);
// Ends a connection, or a dial in progress, which then reports nothing more.
DWORD RasHangUpA(HRASCONN Connection);
// ERROR_INVALID_PARAMETER for a code without a text; ERROR_INSUFFICIENT_BUFFER when the text and
// its terminating zero do not fit.
DWORD RasGetErrorStringA(UINT ErrorValue, char* Buffer, DWORD BufferSize);

// The functions' types, for callers that find them with GetProcAddress and call them through
// ProcAs<T>.
using TRasEnumEntriesA = decltype(&RasEnumEntriesA);
using TRasEnumConnectionsA = decltype(&RasEnumConnectionsA);
using TRasGetProjectionInfoA = decltype(&RasGetProjectionInfoA);
using TRasGetConnectStatusA = decltype(&RasGetConnectStatusA);
using TRasGetEntryDialParamsA = decltype(&RasGetEntryDialParamsA);
using TRasSetEntryDialParamsA = decltype(&RasSetEntryDialParamsA);
using TRasDialA = decltype(&RasDialA);
using TRasHangUpA = decltype(&RasHangUpA);
using TRasGetErrorStringA = decltype(&RasGetErrorStringA);

}  // namespace vex

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/dialup/ras.h"
#include "platform/win/window.h"

namespace vex {

// What serves the dial-up functions once they have checked their records: ras.cpp validates the
// callers' sizes and buffers and converts to and from these plain values, a backend keeps the
// phone book and the connections. No backend is installed unless one is alive.

struct TDialParams {
    std::string EntryName;
    std::string PhoneNumber;
    std::string CallbackNumber;
    std::string UserName;
    std::string Password;
    std::string Domain;
};

struct TDialupConnection {
    HRASCONN Handle = 0;
    std::string EntryName;
    std::string DeviceType;
    std::string DeviceName;
    RASCONNSTATE State = RASCS_OpenPort;
    DWORD Error = 0;
    std::string IpAddress;  // "" when the connection has none
};

class TDialupBackend {
public:
    virtual ~TDialupBackend() = default;

    // Called first by every function with its exported name; a result other than 0 is returned
    // to the caller instead of doing the call.
    virtual DWORD Enter(const char* Function) = 0;

    virtual std::vector<std::string> EntryNames() const = 0;
    // Every connection from its dial until its hang-up.
    virtual std::vector<TDialupConnection> Connections() const = 0;
    virtual DWORD GetDialParams(const std::string& EntryName, TDialParams& Params,
                                bool& PasswordStored) const = 0;
    virtual DWORD SetDialParams(const TDialParams& Params, bool RemovePassword) = 0;
    virtual DWORD Dial(const TDialParams& Params, HWND Notifier, HRASCONN& Connection) = 0;
    virtual DWORD HangUp(HRASCONN Connection) = 0;
    virtual std::optional<std::string> ErrorText(DWORD Code) const = 0;
};

// The backend in force, or nullptr.
TDialupBackend* DialupBackend();
// Installs Backend (nullptr: none); the caller keeps it alive while it is installed.
void SetDialupBackend(TDialupBackend* Backend);

}  // namespace vex

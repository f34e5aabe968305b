#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringlist.h"
#include "platform/dialup/ras.h"
#include "platform/win/modules.h"
#include "platform/win/window.h"

namespace vex {

class TTimeCounter;

// A failure reported by the dial-up service. The text is the service's own for the code, or
// "RAS error no " and the code when the service has none.
class ERASError : public Exception {
public:
    explicit ERASError(DWORD Code);
    const char* ClassName() const override { return "ERASError"; }

    DWORD LastError;
};

using TRASNotifyEvent = std::function<void(TObject* Sender, const std::string& RASStatusStr)>;

// Dials a phone-book entry of the dial-up service before a socket component connects and hangs
// it up when that component disconnects, unless the connection was already up. The service's
// library is loaded by name; without it (or without one of its functions) the operations do
// nothing. Dial pumps the message loop while it waits, so a cancel from a timer or a button is
// seen at once. Main thread only; not re-entrant.
class TagRas : public TComponent {
    VEX_CLASS(TagRas, TComponent)

public:
    static constexpr HRASCONN NoConnection = static_cast<HRASCONN>(-1);

    explicit TagRas(TComponent* AOwner);
    ~TagRas() override;

    // The phone book's entry names, as GetEntryList read them last.
    const TStringList& Entries() const { return *FEntries; }
    const TStrings& GetEntryList();

    // Only a name of the phone book can be set, and only while not connected; anything else
    // shows a message and leaves the entry as it was, or clears it for an unknown name.
    const std::string& Service() const { return FService; }
    void SetService(const std::string& Value);

    // The password dialled with; when empty, the entry's stored password is dialled and kept.
    const std::string& Password() const { return FPassword; }
    void SetPassword(const std::string& Value) { FPassword = Value; }
    // Whether setting Password removes the stored one instead of storing the new one.
    bool RemovePassword() const { return FRemovePassword; }
    void SetRemovePassword(bool Value) { FRemovePassword = Value; }
    // False: with no connection of Service up, any connection that has an IP address will do.
    bool ForceService() const { return FForceService; }
    void SetForceService(bool Value) { FForceService = Value; }
    // Kept for stored forms; there is no dial-up dialog here to minimise, so it has no effect.
    bool MinimizeAtConnect() const { return FMinimizeAtConnect; }
    void SetMinimizeAtConnect(bool Value) { FMinimizeAtConnect = Value; }
    // Seconds a dial may take to connect.
    int32_t TimeOut() const;
    void SetTimeOut(int32_t Seconds);

    HRASCONN ConnHandle() const { return FConnHandle; }
    UINT DialEventMsg() const { return FDialEventMsg; }
    HWND WindowHandle() const { return FWindowHandle; }
    HMODULE RasModule() const { return FRasModule; }
    bool DialledByMe() const { return FDialledByMe; }
    bool Connected() const { return FConnected; }
    bool Canceled() const { return FCanceled; }
    DWORD LastError() const { return FLastError; }

    // Adopts a connection that is already up, or dials Service and waits until it connects.
    // An error the service reported while connected since the last Dial is raised first.
    virtual void Dial();
    // Hangs up the connection if this component dialled it.
    virtual void HangUp();
    // HangUp, and a dial in progress ends with ECanceledError.
    virtual void HangUpAndCancel();

    TRASNotifyEvent OnStatusChange;
    TNotifyEvent OnDisconnected;

private:
    FARPROC RasFunction(const char* Name) const;
    // Takes up a connection that is already there; false when there is none to take.
    bool FindExistingConnection();
    void DialService();
    void WaitForConnection();
    void WndProc(TMessage& Message);
    std::string StateText(WPARAM State) const;
    // LastError := Result; a failure raises ERASError.
    void Check(DWORD Result);

    std::unique_ptr<TStringList> FEntries;
    std::string FService;
    HRASCONN FConnHandle = NoConnection;
    UINT FDialEventMsg = 0;
    HWND FWindowHandle = 0;
    bool FMinimizeAtConnect = false;
    bool FDialledByMe = false;
    std::string FPassword;
    bool FRemovePassword = true;
    HMODULE FRasModule = 0;
    bool FForceService = true;
    DWORD FLastError = 0;
    std::unique_ptr<TTimeCounter> FTimeCounter;
    bool FCanceled = false;
    bool FConnected = false;
    // An error reported while connected, raised by the next Dial rather than from the window
    // method, where it would surface in whatever code happened to be pumping messages.
    DWORD FPendingError = 0;
};

}  // namespace vex

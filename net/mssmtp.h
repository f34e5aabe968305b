#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "net/mspop3.h"
#include "platform/core/events.h"

namespace vex {

class TmsMessage;

using TmsAddressRejectedEvent = std::function<void(TObject* Sender, const std::string& TheAddress,
                                                   const std::string& ServerReply, bool& Proceed)>;

// The frame of an SMTP client: Open connects, reads the greeting and says HELO; Close says QUIT.
// No operation sends a message, so the sending events are carried for the window that assigns
// them and never fire. A negative reply leaves as EServerError carrying the reply line, without
// OnError.
class TmsSMTP : public TmsMailBase {
    VEX_CLASS(TmsSMTP, TmsMailBase)

public:
    explicit TmsSMTP(TComponent* AOwner);

    // The message component the window links; cleared when that component is freed.
    TmsMessage* MailMessage() const { return FMailMessage; }
    void SetMailMessage(TmsMessage* Value);

    // Raises the socket error "Server property is required" when Server is empty.
    void Connect() override;
    // HELO with the local host name, then a bare HELO when that is refused. Any failure closes
    // the connection, so the next Open starts afresh.
    void Login() override;
    void Logout() override;

    TNotifyEvent OnPrepare;
    TNotifyEvent OnSending;
    TNotifyEvent OnMailSent;
    TmsAddressRejectedEvent OnAddressRejected;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void LoginDialogue();
    // A reply whose code is not of class 2 leaves as EServerError.
    void ExpectCompletion(int32_t Code);

    TmsMessage* FMailMessage = nullptr;
};

}  // namespace vex

#include "net/mssmtp.h"

#include "net/componentexceptions.h"
#include "net/msmsgcls.h"
#include "platform/win/application.h"

namespace vex {

namespace {

bool PositiveCompletion(int32_t Code) {
    return Code / 100 == 2;
}

}  // namespace

TmsSMTP::TmsSMTP(TComponent* AOwner) : TmsMailBase(AOwner) {
    SetDefaultPort(25);
    SetServiceName("smtp");
}

void TmsSMTP::SetMailMessage(TmsMessage* Value) {
    if (Value == FMailMessage) return;
    if (FMailMessage) FMailMessage->RemoveFreeNotification(this);
    FMailMessage = Value;
    if (FMailMessage) FMailMessage->FreeNotification(this);
}

void TmsSMTP::Notification(TComponent* AComponent, TOperation Operation) {
    TmsMailBase::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMailMessage) FMailMessage = nullptr;
}

void TmsSMTP::Connect() {
    if (Server().empty()) RaiseSocketError(sServerRequired);
    ResetState();
    TmsMailBase::Connect();
}

void TmsSMTP::Login() {
    try {
        LoginDialogue();
    } catch (...) {
        // A half-made login must not pass for an open session: Open would skip it next time.
        if (Connected()) Disconnect();
        throw;
    }
}

void TmsSMTP::LoginDialogue() {
    ConnectSocket();
    ExpectCompletion(ReceiveReply());

    SendLine("HELO " + LocalHost);
    if (PositiveCompletion(ReceiveReply())) return;
    SendLine("HELO");
    ExpectCompletion(ReceiveReply());
}

void TmsSMTP::Logout() {
    Application().ProcessMessages();
    SendLine("QUIT");
    ExpectCompletion(ReceiveReply());
}

void TmsSMTP::ExpectCompletion(int32_t Code) {
    if (PositiveCompletion(Code)) return;
    if (LastReply.empty() && PeerClosed) throw EServerError("Connection closed by the server");
    throw EServerError(LastReply);
}

}  // namespace vex

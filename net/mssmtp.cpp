#include "net/mssmtp.h"

#include "net/componentexceptions.h"
#include "net/msmsgcls.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"

namespace vex {

namespace {

constexpr int32_t CodeLength = 3;

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
    ExpectCompletion(ReceiveSMTPReply());

    SendLine("HELO " + LocalHost);
    if (PositiveCompletion(ReceiveSMTPReply())) return;
    SendLine("HELO");
    ExpectCompletion(ReceiveSMTPReply());
}

void TmsSMTP::Logout() {
    Application().ProcessMessages();
    SendLine("QUIT");
    ExpectCompletion(ReceiveSMTPReply());
}

int32_t TmsSMTP::ReceiveSMTPReply() {
    const int32_t code = ReceiveLine(LastReply);
    if (code < 0 || LastReply.size() <= CodeLength || LastReply[CodeLength] != '-') return code;
    for (int32_t lines = 1;; ++lines) {
        if (lines == MaxSMTPReplyLines) RaiseReplyTooLong();
        ReceiveLine(LastReply);
        if (PeerClosed) return code;
        // The last line repeats the code with a space, or with nothing after it.
        if (GetReplyCode(LastReply) == code &&
            (LastReply.size() == CodeLength || LastReply[CodeLength] == ' '))
            return code;
    }
}

void TmsSMTP::ExpectCompletion(int32_t Code) {
    if (PositiveCompletion(Code)) return;
    if (LastReply.empty() && PeerClosed) throw EServerError("Connection closed by the server");
    throw EServerError(LastReply);
}

void TmsSMTP::RaiseReplyTooLong() {
    // The rest of the reply is still coming, so the connection can't carry another command.
    Disconnect();
    std::string text = "Reply longer than " + IntToStr(MaxSMTPReplyLines) + " lines";
    if (OnError) OnError(this, text);
    throw ESocketError(text);
}

}  // namespace vex

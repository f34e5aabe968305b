#include "net/mspop3.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "net/headerwords.h"
#include "net/md5.h"
#include "net/msheaders.h"
#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::string_view MessageEnd = ".\r\n";
constexpr std::string_view TerminatedBody = "\r\n.\r\n";
// What a transcript shows for a password: nothing about it, not even its length.
constexpr const char* MaskedPassword = "********";

constexpr int64_t LargestInteger = std::numeric_limits<int32_t>::max();

// A whole non-negative decimal number, held at one past the largest Integer; -1 for other text.
int64_t ParseDigits(const std::string& Text) {
    if (Text.empty()) return -1;
    int64_t result = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') return -1;
        result = std::min(result * 10 + (c - '0'), LargestInteger + 1);
    }
    return result;
}

// A count must fit an Integer.
bool ParseCount(const std::string& Text, int32_t& Value) {
    const int64_t number = ParseDigits(Text);
    if (number < 0 || number > LargestInteger) return false;
    Value = static_cast<int32_t>(number);
    return true;
}

// A size past the largest Integer reads as the largest: a mailbox or a message of more than
// 2 GB is still one to list.
bool ParseSize(const std::string& Text, int32_t& Value) {
    const int64_t number = ParseDigits(Text);
    if (number < 0) return false;
    Value = static_cast<int32_t>(std::min(number, LargestInteger));
    return true;
}

}  // namespace

std::string UnstuffMessage(const std::string& Data) {
    std::string result;
    result.reserve(Data.size());
    size_t start = 0;
    while (start < Data.size()) {
        const size_t lineFeed = Data.find('\n', start);
        const size_t end = lineFeed == std::string::npos ? Data.size() : lineFeed + 1;
        std::string_view line(Data.data() + start, end - start);
        const size_t textLength = std::min(line.find_first_of("\r\n"), line.size());
        // A lone "." is the end mark; any other line beginning with one was stuffed.
        if (!line.empty() && line[0] == '.' && textLength > 1) line.remove_prefix(1);
        result += line;
        start = end;
    }
    return result;
}

// TmsMailBase

void TmsMailBase::Open() {
    const std::string identity = SessionIdentity();
    if (Connected()) {
        // A server often ends a session idle for as long as the checks are apart.
        const bool usable = IdleConnectionUsable();
        if (usable && identity == FOpenIdentity) return;
        LeaveSession(usable);
    }
    Connect();
    Login();
    FOpenIdentity = identity;
}

void TmsMailBase::CloseAfterFailure() {
    try {
        Close();
    } catch (...) {
        // Close has dropped the socket whatever happened; the first failure is the one to see.
    }
}

void TmsMailBase::LeaveSession(bool Usable) {
    if (Usable) {
        const TQuietErrors quiet(*this);
        try {
            Close();
        } catch (const Exception&) {
            // Close has dropped the socket whatever the server said.
        }
    } else {
        // Nobody may be there to hear a QUIT, or its reply would be misread; a session abandoned
        // without one commits nothing on the server.
        Disconnect();
    }
    // A cancel meanwhile was the caller's, and the Connect that follows would forget it.
    if (Canceled) RaiseCanceled();
}

void TmsMailBase::Close() {
    if (!Connected()) return;
    try {
        Logout();
    } catch (...) {
        // Whatever QUIT answered, this session is over; keeping its socket would make the next
        // Open skip the login.
        if (Connected()) Disconnect();
        throw;
    }
    Disconnect();
}

// TmsCustomPOP

TmsCustomPOP::TmsCustomPOP(TComponent* AOwner) : TmsMailBase(AOwner) {
    SetDefaultPort(110);
    SetServiceName("pop3");
}

int32_t TmsCustomPOP::GetReplyCode(const std::string& Reply) {
    if (Reply.empty()) return 0;
    if (Reply[0] == '+') return 1;
    if (Reply[0] == '-') return -1;
    return 0;
}

void TmsCustomPOP::CheckProperties() {
    if (FUserName.empty()) RaiseSocketError(sUserNameRequired);
    if (FPassword.empty()) RaiseSocketError(sPasswordRequired);
}

void TmsCustomPOP::Connect() {
    CheckProperties();
    ResetState();
    TmsMailBase::Connect();
}

void TmsCustomPOP::Command(const std::string& Line) {
    SendLine(Line);
    ExpectPositiveReply();
}

void TmsCustomPOP::ExpectPositiveReply() {
    if (ReceiveLine(LastReply) == 1) return;
    if (LastReply.empty() && PeerClosed) throw EServerError("Connection closed by the server");
    throw EServerError(LastReply);
}

std::string TmsCustomPOP::ReceiveOwedText(int32_t Size) {
    TStringStream received("");
    ++RepliesOwed;
    ReceiveMessage(Size, received);
    --RepliesOwed;
    return UnstuffMessage(received.DataString());
}

void TmsCustomPOP::RaiseMalformed(const std::string& CommandName) {
    throw EServerError("Malformed reply to " + CommandName + ": " + LastReply);
}

void TmsCustomPOP::Login() {
    try {
        LoginDialogue();
    } catch (...) {
        // A half-made login must not pass for an open session.
        if (Connected()) Disconnect();
        throw;
    }
}

void TmsCustomPOP::LoginDialogue() {
    FPipelining = TPipelining::Unknown;
    ResetState();
    ConnectSocket();
    ExpectPositiveReply();

    bool loggedIn = false;
    const std::string stamp = APOPTimeStamp(LastReply);
    if (!stamp.empty()) {
        SendLine("APOP " + FUserName + " " + APOPDigest(stamp, FPassword));
        loggedIn = ReceiveLine(LastReply) == 1;
    }
    if (!loggedIn) {
        Command("USER " + FUserName);
        SendPassword();
        ExpectPositiveReply();
    }
    GetStat();
}

void TmsCustomPOP::SendPassword() {
    SendLine("PASS " + FPassword, std::string("PASS ") + MaskedPassword);
}

void TmsCustomPOP::Logout() {
    if (!Connected()) return;
    // A reply still owed, to a command sent ahead or one whose reply was left half read, would
    // pass for the QUIT's: the session is dropped instead, and commits nothing on the server.
    if (RepliesOwed > 0) {
        Disconnect();
        return;
    }
    Command("QUIT");
}

void TmsCustomPOP::GetStat() {
    Command("STAT");
    std::string count;
    std::string size;
    GetWord(LastReply, 1, true, count);
    GetWord(LastReply, 2, true, size);
    int32_t messages = 0;
    int32_t octets = 0;
    if (!ParseCount(count, messages) || !ParseSize(size, octets)) RaiseMalformed("STAT");
    FMessageCount = messages;
    FMailboxSize = octets;
}

int32_t TmsCustomPOP::ListSize(int32_t Number) {
    Command("LIST " + IntToStr(Number));
    return ListedSize(Number);
}

int32_t TmsCustomPOP::ListedSize(int32_t Number) {
    std::string number;
    std::string size;
    GetWord(LastReply, 1, true, number);
    GetWord(LastReply, 2, true, size);
    int32_t listed = 0;
    int32_t octets = 0;
    if (!ParseCount(number, listed) || listed != Number || !ParseSize(size, octets))
        RaiseMalformed("LIST");
    return octets;
}

bool TmsCustomPOP::ServerPipelines() {
    if (FPipelining == TPipelining::Unknown)
        FPipelining = CapabilitiesNamePipelining() ? TPipelining::Yes : TPipelining::No;
    return FPipelining == TPipelining::Yes;
}

bool TmsCustomPOP::CapabilitiesNamePipelining() {
    SendLine("CAPA");
    // A server older than the command refuses it, and is served as ever.
    if (ReceiveLine(LastReply) != 1) return false;
    TStringList capabilities;
    capabilities.SetText(ReceiveOwedText(-1));
    bool pipelining = false;
    for (int32_t i = 0; i < capabilities.Count(); ++i) {
        std::string name;
        GetWord(capabilities[i], 0, true, name);
        pipelining = pipelining || SameText(name, "PIPELINING");
    }
    return pipelining;
}

void TmsCustomPOP::Retrieve(int32_t Index) {
    const int32_t number = Index + 1;
    const int32_t size = ListSize(number);
    if (OnRetrieving) OnRetrieving(this, Index);
    Command("RETR " + IntToStr(number));
    const std::string message = ReceiveOwedText(size);
    TMemoryStream stream;
    stream.WriteBuffer(message.data(), static_cast<int64_t>(message.size()));
    SaveMessage(Index, stream);
    if (OnRetrieved) OnRetrieved(this, Index);
}

void TmsCustomPOP::Delete(int32_t Index) {
    if (OnDeleting) OnDeleting(this, Index);
    Command("DELE " + IntToStr(Index + 1));
}

// TmsRemotePOP

TmsRemotePOP::TmsRemotePOP(TComponent* AOwner)
    : TmsCustomPOP(AOwner), FRemoteInfo(std::make_unique<TmsRemoteInfo>()) {}

TmsRemotePOP::~TmsRemotePOP() = default;

void TmsRemotePOP::SetMessageDirectory(const std::string& Value) {
    FMessageDirectory = Value;
    if (!FMessageDirectory.empty() && FMessageDirectory.back() != '/') FMessageDirectory += '/';
}

void TmsRemotePOP::GetInfo(int32_t Index, TmsRemoteInfoItem& Item, bool GetUIDL, bool GetHeaders,
                           bool& OK) {
    OK = true;
    const int32_t number = Index + 1;
    if (GetUIDL) {
        Item.UIDL.clear();
        SendLine("UIDL " + IntToStr(number));
        if (ReceiveLine(LastReply) == 1)
            GetWord(LastReply, 2, true, Item.UIDL);
        else
            OK = false;
    }
    if (GetHeaders) {
        Item.Size = ListSize(number);
        Command("TOP " + IntToStr(number) + " 1");
        ReceiveHeaders(Item);
    }
}

void TmsRemotePOP::ReceiveHeaders(TmsRemoteInfoItem& Item) {
    std::string text = ReceiveOwedText(-1);
    // Without the end mark, so that a message of headers alone keeps no "." line.
    if (text == MessageEnd)
        text.clear();
    else if (text.ends_with(TerminatedBody))
        text.resize(text.size() - MessageEnd.size());
    Item.Headers.SetText(text);
    CutBody(Item.Headers);
}

void TmsRemotePOP::UpdateInfo() {
    Open();
    try {
        ListMessages();
    } catch (...) {
        CloseAfterFailure();
        throw;
    }
    if (!KeepConnected) Close();
    if (OnInfoUpdated) OnInfoUpdated(this);
}

void TmsRemotePOP::ListMessages() {
    if (OnUpdatingInfo) OnUpdatingInfo(this);
    FRemoteInfo->Clear();
    // A single message gains nothing from commands sent ahead.
    if (MessageCount() > 1 && ServerPipelines())
        ListAhead();
    else
        ListOneByOne();
}

void TmsRemotePOP::ListOneByOne() {
    for (int32_t i = 0; i < MessageCount(); ++i) {
        auto item = std::make_unique<TmsRemoteInfoItem>();
        bool ok = true;
        GetInfo(i, *item, false, true, ok);
        AddListed(std::move(item));
    }
}

void TmsRemotePOP::ListAhead() {
    const int32_t count = MessageCount();
    int32_t asked = 0;  // messages whose commands have gone out
    for (int32_t i = 0; i < count; ++i) {
        // A handler left the session meanwhile: the rest of the commands are not for the one it
        // has now.
        if (asked > i && RepliesOwed == 0) RaiseSocketError(sNotConnected);
        if (asked < count && asked - i <= PipelineDepth - PipelineBatch) {
            std::vector<std::string> commands;
            for (const int32_t last = std::min(count, i + PipelineDepth); asked < last; ++asked) {
                commands.push_back("LIST " + IntToStr(asked + 1));
                commands.push_back("TOP " + IntToStr(asked + 1) + " 1");
            }
            // Counted first: a send cut short may have put some of them on the wire.
            RepliesOwed += static_cast<int32_t>(commands.size());
            SendLines(commands);
        }
        auto item = std::make_unique<TmsRemoteInfoItem>();
        ExpectOwedReply();
        item->Size = ListedSize(i + 1);
        ExpectOwedReply();
        ReceiveHeaders(*item);
        AddListed(std::move(item));
    }
}

void TmsRemotePOP::ExpectOwedReply() {
    // A handler left the session meanwhile, and whatever comes now answers another command.
    if (RepliesOwed == 0) RaiseSocketError(sNotConnected);
    --RepliesOwed;
    ExpectPositiveReply();
}

void TmsRemotePOP::AddListed(std::unique_ptr<TmsRemoteInfoItem> Item) {
    FRemoteInfo->Add(std::move(Item));
    if (OnNextInfoUpdated) OnNextInfoUpdated(this, FRemoteInfo->Count() - 1);
}

void TmsRemotePOP::MarkForDelete(int32_t Index) {
    FRemoteInfo->Items(Index)->SetToDelete(true);
}

void TmsRemotePOP::MarkForRetrieve(int32_t Index) {
    FRemoteInfo->Items(Index)->SetToRetrieve(true);
}

void TmsRemotePOP::Unmark(int32_t Index) {
    TmsRemoteInfoItem* item = FRemoteInfo->Items(Index);
    item->SetToRetrieve(false);
    item->SetToDelete(false);
}

bool TmsRemotePOP::Verify(int32_t Index) {
    TmsRemoteInfoItem current;
    bool ok = true;
    try {
        GetInfo(Index, current, true, true, ok);
    } catch (const EServerError&) {
        // Another client deleted it meanwhile ("-ERR no such message"). A reply that is not a
        // refusal, or none at all, leaves nothing to go on with.
        if (GetReplyCode(LastReply) != -1) throw;
        return false;
    }
    TmsRemoteInfoItem& listed = *FRemoteInfo->Items(Index);
    const bool same =
        current.Size == listed.Size && current.Headers.Text() == listed.Headers.Text();
    // The id of another message would mislabel this one.
    if (same && ok) listed.UIDL = current.UIDL;
    return same;
}

void TmsRemotePOP::ProcessMarked() {
    if (FRemoteInfo->Count() == 0) return;
    Open();
    std::vector<int32_t> changed;
    try {
        changed = ProcessMarkedMessages();
    } catch (...) {
        CloseAfterFailure();
        throw;
    }
    Close();
    if (changed.empty()) return;
    std::string numbers;
    for (int32_t number : changed)
        numbers += (numbers.empty() ? "" : ", ") + IntToStr(number);
    throw EServerError("Messages changed on the server and were left alone: " + numbers);
}

std::vector<int32_t> TmsRemotePOP::ProcessMarkedMessages() {
    if (OnTransferringData) OnTransferringData(this);
    std::vector<int32_t> changed;
    for (int32_t i = 0; i < FRemoteInfo->Count(); ++i) {
        const TmsRemoteInfoItem& item = *FRemoteInfo->Items(i);
        bool leftAlone = false;
        if (item.ToRetrieve()) {
            if (Verify(i))
                Retrieve(i);
            else
                leftAlone = true;
        }
        if (item.ToDelete() && !leftAlone) {
            if (Verify(i))
                Delete(i);
            else
                leftAlone = true;
        }
        if (leftAlone) changed.push_back(i + 1);
    }
    if (OnDataTransfered) OnDataTransfered(this);
    return changed;
}

void TmsRemotePOP::SaveMessage(int32_t Num, TMemoryStream& Contents) {
    Contents.SetPosition(0);
    if (OnUserMessageSave)
        OnUserMessageSave(this, Num, Contents);
    else
        Contents.SaveToFile(FMessageDirectory + "msg_" + IntToStr(Num) + ".eml");
}

}  // namespace vex

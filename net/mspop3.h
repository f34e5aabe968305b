#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/agsocket.h"
#include "net/msinfo.h"
#include "platform/core/events.h"
#include "platform/core/stream.h"

namespace vex {

// Num is the 0-based index of the message in the listing: POP3 message Num + 1.
using TmsNumNotifyEvent = std::function<void(TObject* Sender, int32_t Num)>;
using TmsUserMsgSaveEvent =
    std::function<void(TObject* Sender, int32_t Num, TMemoryStream& Contents)>;

inline constexpr int32_t sUserNameRequired = 57103;
inline constexpr int32_t sPasswordRequired = 57104;

// The connection frame of the mail clients: Open connects and logs in, Close logs out and
// disconnects, and both do nothing when already there.
class TmsMailBase : public TagSocket {
    VEX_CLASS(TmsMailBase, TagSocket)

public:
    using TagSocket::TagSocket;

    // Keeps an open session only while it was opened for the same SessionIdentity and its
    // server has not closed, reset or spoken into it while it was idle; any other session is
    // left first, so it can't answer for the new one, and nothing of it fails the new one. A
    // cancel still ends the Open.
    void Open();
    // A failed Logout still closes the socket before its exception leaves.
    void Close();

    virtual void Login() = 0;
    virtual void Logout() = 0;

protected:
    // What a session is opened for: the server, and the user where there is one.
    virtual std::string SessionIdentity() const { return Server(); }
    // Closes a session that an operation left half-done, keeping the operation's exception:
    // what the server says to the QUIT can't be worth more than the failure itself.
    void CloseAfterFailure();

private:
    // Ends a session that is no longer wanted or no longer Usable: a usable one with QUIT,
    // whatever its server answers, the other by closing the socket. Neither reaches OnError or
    // the caller. The QUIT is given the whole TimeOut, since it may commit that session's
    // deletions; a cancel ends the wait at once.
    void LeaveSession(bool Usable);

    std::string FOpenIdentity;
};

// The POP3 dialogue. Every command but those of a pipelined listing waits for its reply before
// the next goes out; a negative reply leaves as EServerError carrying the reply line, a reply
// whose numbers can't be read as one naming the command and the line, both without OnError.
class TmsCustomPOP : public TmsMailBase {
    VEX_CLASS(TmsCustomPOP, TmsMailBase)

public:
    explicit TmsCustomPOP(TComponent* AOwner);

    const std::string& UserName() const { return FUserName; }
    void SetUserName(const std::string& Value) { FUserName = Value; }
    const std::string& Password() const { return FPassword; }
    void SetPassword(const std::string& Value) { FPassword = Value; }
    // From the last STAT; -1 until a login has read one. A size past the largest Integer reads
    // as the largest.
    int32_t MessageCount() const { return FMessageCount; }
    int32_t MailboxSize() const { return FMailboxSize; }

    // 1 for "+OK", -1 for "-ERR", 0 for anything else.
    int32_t GetReplyCode(const std::string& Reply) override;
    void Connect() override;
    // APOP when the greeting carries a time stamp, USER and PASS when it doesn't or APOP is
    // refused, then STAT. Any failure closes the connection, so the next Open starts afresh.
    void Login() override;
    // QUIT, or where a reply is still owed (to a command sent ahead, or half read), a drop of
    // the connection.
    void Logout() override;

    void GetStat();
    void Retrieve(int32_t Index);
    // Raises EServerError when the server refuses: the message was not deleted.
    void Delete(int32_t Index);

    virtual void SaveMessage(int32_t Num, TMemoryStream& Contents) = 0;
    // Raises, through OnError, when UserName or Password is empty.
    virtual void CheckProperties();

    TmsNumNotifyEvent OnRetrieving;
    TmsNumNotifyEvent OnRetrieved;
    TmsNumNotifyEvent OnDeleting;

protected:
    // Sends Command and reads its reply into LastReply; a reply that isn't positive raises.
    void Command(const std::string& Line);
    void ExpectPositiveReply();
    // Reads the rest of a multi-line reply, unstuffed. It stays owed until its last line is
    // read, so that a handler of OnProgress that fails or closes drops the session rather than
    // have a QUIT read a line of it.
    std::string ReceiveOwedText(int32_t Size);
    // LIST n: the message's size in bytes, the largest Integer for any larger one.
    int32_t ListSize(int32_t Number);
    // The size that LastReply, a positive reply to LIST n, gives.
    int32_t ListedSize(int32_t Number);
    // Whether the server of this session takes commands ahead of their replies; asks CAPA once
    // per login. A server that refuses CAPA or doesn't name PIPELINING is asked one command at
    // a time.
    bool ServerPipelines();
    [[noreturn]] void RaiseMalformed(const std::string& CommandName);
    std::string SessionIdentity() const override { return Server() + '\n' + FUserName; }

private:
    // PASS with its argument kept out of the transcript and OnLineSent.
    void SendPassword();
    void LoginDialogue();
    bool CapabilitiesNamePipelining();

    enum class TPipelining { Unknown, No, Yes };

    std::string FUserName;
    std::string FPassword;
    int32_t FMessageCount = -1;
    int32_t FMailboxSize = -1;
    TPipelining FPipelining = TPipelining::Unknown;
};

// The POP3 client the application uses: lists a mailbox from headers alone, then retrieves or
// deletes the messages marked in that listing. A message that changed on the server since it was
// listed is left alone.
class TmsRemotePOP : public TmsCustomPOP {
    VEX_CLASS(TmsRemotePOP, TmsCustomPOP)

public:
    explicit TmsRemotePOP(TComponent* AOwner);
    ~TmsRemotePOP() override;

    // Where retrieved messages go as msg_N.eml when OnUserMessageSave is unassigned; the setter
    // adds a trailing "/".
    const std::string& MessageDirectory() const { return FMessageDirectory; }
    void SetMessageDirectory(const std::string& Value);
    // The last listing: item i is message i + 1. Marks and ProcessMarked refer to it.
    TmsRemoteInfo& RemoteInfo() { return *FRemoteInfo; }
    // Leaves the listing's connection open for what follows.
    bool KeepConnected = false;

    // A listing that fails closes the session; what was read before stays in RemoteInfo. A
    // server that offers pipelining is sent the commands of the following messages ahead, a
    // bounded number at a time, with the same events as one command at a time.
    void UpdateInfo();
    void MarkForDelete(int32_t Index);
    void MarkForRetrieve(int32_t Index);
    void Unmark(int32_t Index);
    // Retrieves and deletes the marked messages, each after checking that it is still the one
    // listed. Messages found changed or gone are skipped and named by an EServerError once the
    // pass has ended and the connection is closed. Any other failure ends the pass and closes
    // the session.
    void ProcessMarked();
    // Fills Item from the server: its UIDL (a refusal only clears OK) and its size and headers.
    void GetInfo(int32_t Index, TmsRemoteInfoItem& Item, bool GetUIDL, bool GetHeaders, bool& OK);
    void SaveMessage(int32_t Num, TMemoryStream& Contents) override;

    TNotifyEvent OnUpdatingInfo;
    TNotifyEvent OnInfoUpdated;
    TNotifyEvent OnTransferringData;
    TNotifyEvent OnDataTransfered;
    TmsNumNotifyEvent OnNextInfoUpdated;
    TmsUserMsgSaveEvent OnUserMessageSave;

    // The messages whose commands may be outstanding at once, and how many go out together.
    // Their commands stay well below the smallest socket buffer, so sending them never waits for
    // a server that is itself waiting for its replies to be read.
    static constexpr int32_t PipelineDepth = 64;
    static constexpr int32_t PipelineBatch = 16;

private:
    void ListMessages();
    void ListOneByOne();
    // Replies still owed when the listing fails are left to Close, which drops the session.
    void ListAhead();
    // Reads the next positive reply owed to a command sent ahead.
    void ExpectOwedReply();
    // Reads the rest of a positive reply to TOP n 1 into Item's headers.
    void ReceiveHeaders(TmsRemoteInfoItem& Item);
    void AddListed(std::unique_ptr<TmsRemoteInfoItem> Item);
    // Returns the numbers of the messages found changed.
    std::vector<int32_t> ProcessMarkedMessages();
    // Reads the message again; false when its size or headers differ from the listing or the
    // server no longer has it.
    bool Verify(int32_t Index);

    std::string FMessageDirectory;
    std::unique_ptr<TmsRemoteInfo> FRemoteInfo;
};

// The message as a POP3 server sends it, with the byte-stuffing of its lines undone; the closing
// "." line stays.
std::string UnstuffMessage(const std::string& Data);

}  // namespace vex

#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// A real POP3 server for integration tests: Dovecot started on a free loopback port with its
// configuration, mailboxes and logs in a fresh temporary folder, and stopped with the object.
// It offers APOP (unless told not to) and plain USER/PASS, with plaintext passwords. A server that
// cannot start throws std::runtime_error with the tail of its log, so a test that needs it fails
// instead of passing without it.
class DovecotServer {
public:
    struct Mailbox {
        std::string User;
        std::string Password;
        std::vector<std::string> Messages;  // whole messages, CR LF line ends, in delivery order
    };

    // Without Apop the server offers only USER/PASS and its greeting carries no time stamp.
    explicit DovecotServer(const std::vector<Mailbox>& Mailboxes, bool Apop = true);
    DovecotServer(const DovecotServer&) = delete;
    DovecotServer& operator=(const DovecotServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;  // "127.0.0.1:port"
    // The messages now in a user's mailbox (new and seen), as files; deletion shows here.
    int MessageCount(const std::string& User) const;
    // Ends the user's sessions as the server ends one idle for too long, with a last "-ERR" line
    // and the close; returns once their processes have closed their connections.
    void Kick(const std::string& User);

private:
    void WriteConfiguration(const std::vector<Mailbox>& Mailboxes, bool Apop);
    void WaitUntilListening();
    std::string LogTail() const;

    TempDir FRoot;
    uint16_t FPort = 0;
    uid_t FMailUid = 0;
    gid_t FMailGid = 0;
    ChildProcess FMaster;
};

}  // namespace vex::test

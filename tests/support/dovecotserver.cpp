#include "tests/support/dovecotserver.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/childprocess.h"
#include "tests/support/waituntil.h"

namespace vex::test {

namespace {

namespace fs = std::filesystem;

const char* const kDovecot = "/usr/sbin/dovecot";

void WriteFile(const fs::path& Path, const std::string& Contents) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out << Contents;
    if (!out) throw std::runtime_error("cannot write " + Path.string());
}

// The user Dovecot runs its unprivileged parts and mail access as: its own service users when
// started by root, else the user running the tests.
std::string UserName(uid_t Uid) {
    const passwd* entry = getpwuid(Uid);
    if (entry == nullptr) throw std::runtime_error("no name for uid " + std::to_string(Uid));
    return entry->pw_name;
}

void ChownTree(const fs::path& Root, uid_t Uid, gid_t Gid) {
    if (::chown(Root.c_str(), Uid, Gid) != 0) throw std::runtime_error("chown " + Root.string());
    for (const auto& entry : fs::recursive_directory_iterator(Root))
        if (::chown(entry.path().c_str(), Uid, Gid) != 0)
            throw std::runtime_error("chown " + entry.path().string());
}

// Whether Parent has a child called Name that still runs; a zombie has closed its files.
bool HasRunningChild(pid_t Parent, const std::string& Name) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream in(entry.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat)) continue;  // not a process, or one that just ended
        // "pid (name) state ppid ...", where the name may hold blanks and parentheses.
        const size_t open = stat.find('(');
        const size_t close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) continue;
        std::istringstream rest(stat.substr(close + 1));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        if (parent == Parent && state != 'Z' && stat.substr(open + 1, close - open - 1) == Name)
            return true;
    }
    return false;
}

}  // namespace

DovecotServer::DovecotServer(const std::vector<Mailbox>& Mailboxes, bool Apop) {
    if (::access(kDovecot, X_OK) != 0)
        throw std::runtime_error("Dovecot is not installed (" + std::string(kDovecot) + ")");
    FPort = FreeLoopbackPort();

    if (::geteuid() == 0) {
        const passwd* dovecot = getpwnam("dovecot");
        if (dovecot == nullptr) throw std::runtime_error("the dovecot user does not exist");
        FMailUid = dovecot->pw_uid;
        FMailGid = dovecot->pw_gid;
    } else {
        FMailUid = ::geteuid();
        FMailGid = ::getegid();
    }
    WriteConfiguration(Mailboxes, Apop);

    FMaster.Start({kDovecot, "-F", "-c", FRoot.File("dovecot.conf")}, FRoot.File("dovecot.out"));
    WaitUntilListening();
}

std::string DovecotServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

void DovecotServer::WriteConfiguration(const std::vector<Mailbox>& Mailboxes, bool Apop) {
    const fs::path root = FRoot.Path();
    // mkdtemp makes the folder private; Dovecot's own users must pass through it.
    fs::permissions(root, fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::add);
    fs::create_directories(root / "run");
    fs::create_directories(root / "state");
    const std::string mailUser = UserName(FMailUid);
    const bool asRoot = ::geteuid() == 0;
    const std::string loginUser = asRoot ? "dovenull" : mailUser;
    const std::string internalUser = asRoot ? "dovecot" : mailUser;

    std::string users;
    for (const Mailbox& box : Mailboxes) {
        const fs::path home = root / "mail" / box.User;
        for (const char* sub : {"cur", "new", "tmp"})
            fs::create_directories(home / "Maildir" / sub);
        int n = 0;
        for (const std::string& message : box.Messages) {
            // Maildir names order delivery; the time part keeps Dovecot's order stable.
            ++n;
            WriteFile(home / "Maildir" / "new" /
                          (std::to_string(1700000000 + n) + ".M" + std::to_string(n) + "P1.test"),
                      message);
        }
        users += box.User + ":{PLAIN}" + box.Password + ":" + std::to_string(FMailUid) + ":" +
                 std::to_string(FMailGid) + "::" + home.string() + "::\n";
    }
    WriteFile(root / "users", users);
    if (fs::exists(root / "mail")) ChownTree(root / "mail", FMailUid, FMailGid);

    std::string config;
    config += "protocols = pop3\n";
    config += "listen = 127.0.0.1\n";
    config += "base_dir = " + (root / "run").string() + "\n";
    config += "state_dir = " + (root / "state").string() + "\n";
    config += "instance_name = vex-" + std::to_string(FPort) + "\n";
    config += "log_path = " + (root / "dovecot.log").string() + "\n";
    config += "ssl = no\n";
    config += "disable_plaintext_auth = no\n";
    config += std::string("auth_mechanisms = plain") + (Apop ? " apop" : "") + "\n";
    config += "default_internal_user = " + internalUser + "\n";
    config += "default_login_user = " + loginUser + "\n";
    config += "first_valid_uid = 1\n";
    config += "mail_location = maildir:~/Maildir\n";
    config += "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u " +
              (root / "users").string() + "\n}\n";
    config += "userdb {\n  driver = passwd-file\n  args = username_format=%u " +
              (root / "users").string() + "\n}\n";
    config +=
        "service pop3-login {\n  chroot =\n  inet_listener pop3 {\n    address = 127.0.0.1\n"
        "    port = " +
        std::to_string(FPort) + "\n  }\n}\n";
    config += "service anvil {\n  chroot =\n}\n";
    WriteFile(root / "dovecot.conf", config);
}

void DovecotServer::WaitUntilListening() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (FMaster.Exited()) throw std::runtime_error("Dovecot exited at start:\n" + LogTail());
        if (AcceptsConnections(FPort)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("Dovecot did not start listening:\n" + LogTail());
}

std::string DovecotServer::LogTail() const {
    std::ifstream in(FRoot.File("dovecot.log"));
    std::string line, tail;
    std::vector<std::string> lines;
    while (std::getline(in, line))
        lines.push_back(line);
    for (size_t i = lines.size() > 20 ? lines.size() - 20 : 0; i < lines.size(); ++i)
        tail += lines[i] + "\n";
    return tail;
}

int DovecotServer::MessageCount(const std::string& User) const {
    int count = 0;
    for (const char* sub : {"cur", "new"}) {
        const fs::path folder = fs::path(FRoot.Path()) / "mail" / User / "Maildir" / sub;
        if (!fs::exists(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) ++count;
    }
    return count;
}

void DovecotServer::Kick(const std::string& User) {
    ChildProcess doveadm;
    doveadm.Start({"doveadm", "-c", FRoot.File("dovecot.conf"), "kick", User},
                  FRoot.File("doveadm.out"));
    if (!WaitUntil([&] { return doveadm.Exited(); }))
        throw std::runtime_error("doveadm kick did not end");
    if (!WaitUntil([&] { return !HasRunningChild(FMaster.Pid(), "pop3"); }))
        throw std::runtime_error("the kicked sessions did not end:\n" + LogTail());
}

}  // namespace vex::test

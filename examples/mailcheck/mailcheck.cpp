// mailcheck HOST[:PORT] USER
//
// Lists the messages waiting in one POP3 mailbox from their headers alone, one tab-separated row
// per message in server order: number, size in bytes, date (YYYY-MM-DD HH:MM:SS, empty when the
// message has none), sender address, subject. The password comes from MAILCHECK_PASSWORD or is
// asked for on the terminal, never from the command line. Text is written as UTF-8.

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "net/mailaddress.h"
#include "net/maildate.h"
#include "net/mspop3.h"
#include "platform/core/codepage.h"
#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/winsock/winsock.h"

namespace {

// Reads the password from the terminal without echoing it.
std::string AskPassword(const std::string& User) {
    FILE* tty = std::fopen("/dev/tty", "r+");
    if (tty == nullptr) throw vex::Exception("No MAILCHECK_PASSWORD and no terminal to ask on");
    std::fprintf(tty, "Password for %s: ", User.c_str());
    std::fflush(tty);
    termios saved{};
    const bool isTerminal = tcgetattr(fileno(tty), &saved) == 0;
    if (isTerminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(fileno(tty), TCSAFLUSH, &quiet);
    }
    std::string password;
    for (int c; (c = std::fgetc(tty)) != EOF && c != '\n';)
        password += static_cast<char>(c);
    if (isTerminal) tcsetattr(fileno(tty), TCSAFLUSH, &saved);
    std::fprintf(tty, "\n");
    std::fclose(tty);
    if (!password.empty() && password.back() == '\r') password.pop_back();
    return password;
}

bool IsUtf8(std::string_view Text) {
    for (size_t i = 0; i < Text.size();) {
        const auto lead = static_cast<unsigned char>(Text[i]);
        const size_t length = lead < 0x80         ? 1
                              : (lead >> 5) == 6  ? 2
                              : (lead >> 4) == 14 ? 3
                              : (lead >> 3) == 30 ? 4
                                                  : 0;
        if (length == 0 || i + length > Text.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(Text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// The components hand text over as the message's own bytes, without converting character sets.
// For the terminal, text that is not UTF-8 is read as Windows-1252, the components' own set.
std::string ForTerminal(const std::string& Text) {
    if (IsUtf8(Text)) return Text;
    std::string out;
    for (char c : Text) {
        const char32_t code = vex::Win1252ToUnicode(static_cast<unsigned char>(c));
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// A header value made safe for one field of a tab-separated row.
std::string Field(std::string Value) {
    for (char& c : Value)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return ForTerminal(Value);
}

std::string DateField(const vex::TmsHeaders& Headers) {
    std::string text, zone;
    Headers.GetFieldValue("Date", text);
    vex::TDateTime date = 0;
    vex::ParseMailDate(text, date, zone);
    return date == 0 ? std::string() : vex::FormatDateTime("yyyy-mm-dd hh:nn:ss", date);
}

std::string SenderField(const vex::TmsHeaders& Headers) {
    std::string from, address, name;
    Headers.GetFieldValue("From", from);
    try {
        vex::ParseMailAddress(from, address, name);
    } catch (const vex::Exception&) {
        address = from;  // an address the parser refuses is shown as it stands
    }
    return Field(address);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s HOST[:PORT] USER\n", argv[0]);
        return 2;
    }
    try {
        // With the optional error-text library a refused connection reads "Connection refused"
        // rather than "Error #10061".
        vex::RegisterWinsockErrorTextModule();
        const char* fromEnvironment = std::getenv("MAILCHECK_PASSWORD");
        const std::string password =
            fromEnvironment != nullptr ? fromEnvironment : AskPassword(argv[2]);

        vex::TmsRemotePOP pop(nullptr);
        pop.SetWinsockLoaded(true);
        pop.SetServer(argv[1]);
        pop.SetUserName(argv[2]);
        pop.SetPassword(password);
        pop.UpdateInfo();

        const vex::TmsRemoteInfo& info = pop.RemoteInfo();
        for (int32_t i = 0; i < info.Count(); ++i) {
            const vex::TmsRemoteInfoItem& item = *info.Items(i);
            std::string subject;
            item.Headers.GetFieldValue("Subject", subject);
            std::cout << i + 1 << '\t' << item.Size << '\t' << DateField(item.Headers) << '\t'
                      << SenderField(item.Headers) << '\t' << Field(subject) << '\n';
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

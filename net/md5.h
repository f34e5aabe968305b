#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// The MD5 message digest of RFC 1321, for the APOP login of the POP3 client.
struct TMD5Context {
    uint32_t State[4];
    uint32_t Count[2];  // bits hashed, low word first
    uint8_t Buffer[64];
};

void MD5Init(TMD5Context& Context);
void MD5Update(TMD5Context& Context, const void* Data, uint32_t Length);
// The 16-byte digest as a string of 16 characters; the context is wiped.
std::string MD5Final(TMD5Context& Context);

std::string MD5String(std::string_view S);
// Two lower-case hexadecimal digits per byte.
std::string DigestToHex(std::string_view Digest);

// The text before (after) the first Delimiter, trimmed; all of S, trimmed, when it is absent.
std::string TextBefore(const std::string& S, const std::string& Delimiter);
std::string TextAfter(const std::string& S, const std::string& Delimiter);

// The "<...>" time stamp of a POP3 greeting; empty when there is none.
std::string APOPTimeStamp(const std::string& Greeting);
// The argument of the APOP command: the hexadecimal digest of the stamp and the password.
std::string APOPDigest(const std::string& TimeStamp, const std::string& Password);

}  // namespace vex

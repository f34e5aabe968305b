#include "net/md5.h"

#include <cstring>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

uint32_t RotateLeft(uint32_t X, int N) {
    return (X << N) | (X >> (32 - N));
}

uint32_t F(uint32_t X, uint32_t Y, uint32_t Z) {
    return (X & Y) | (~X & Z);
}
uint32_t G(uint32_t X, uint32_t Y, uint32_t Z) {
    return (X & Z) | (Y & ~Z);
}
uint32_t H(uint32_t X, uint32_t Y, uint32_t Z) {
    return X ^ Y ^ Z;
}
uint32_t I(uint32_t X, uint32_t Y, uint32_t Z) {
    return Y ^ (X | ~Z);
}

// The four round steps: a := b + ((a + f(b, c, d) + x + t) <<< s).
void FF(uint32_t& A, uint32_t B, uint32_t C, uint32_t D, uint32_t X, int S, uint32_t T) {
    A = B + RotateLeft(A + F(B, C, D) + X + T, S);
}
void GG(uint32_t& A, uint32_t B, uint32_t C, uint32_t D, uint32_t X, int S, uint32_t T) {
    A = B + RotateLeft(A + G(B, C, D) + X + T, S);
}
void HH(uint32_t& A, uint32_t B, uint32_t C, uint32_t D, uint32_t X, int S, uint32_t T) {
    A = B + RotateLeft(A + H(B, C, D) + X + T, S);
}
void II(uint32_t& A, uint32_t B, uint32_t C, uint32_t D, uint32_t X, int S, uint32_t T) {
    A = B + RotateLeft(A + I(B, C, D) + X + T, S);
}

void Transform(uint32_t State[4], const uint8_t Block[64]) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = static_cast<uint32_t>(Block[4 * i]) |
               (static_cast<uint32_t>(Block[4 * i + 1]) << 8) |
               (static_cast<uint32_t>(Block[4 * i + 2]) << 16) |
               (static_cast<uint32_t>(Block[4 * i + 3]) << 24);
    uint32_t a = State[0], b = State[1], c = State[2], d = State[3];

    FF(a, b, c, d, x[0], 7, 0xd76aa478);
    FF(d, a, b, c, x[1], 12, 0xe8c7b756);
    FF(c, d, a, b, x[2], 17, 0x242070db);
    FF(b, c, d, a, x[3], 22, 0xc1bdceee);
    FF(a, b, c, d, x[4], 7, 0xf57c0faf);
    FF(d, a, b, c, x[5], 12, 0x4787c62a);
    FF(c, d, a, b, x[6], 17, 0xa8304613);
    FF(b, c, d, a, x[7], 22, 0xfd469501);
    FF(a, b, c, d, x[8], 7, 0x698098d8);
    FF(d, a, b, c, x[9], 12, 0x8b44f7af);
    FF(c, d, a, b, x[10], 17, 0xffff5bb1);
    FF(b, c, d, a, x[11], 22, 0x895cd7be);
    FF(a, b, c, d, x[12], 7, 0x6b901122);
    FF(d, a, b, c, x[13], 12, 0xfd987193);
    FF(c, d, a, b, x[14], 17, 0xa679438e);
    FF(b, c, d, a, x[15], 22, 0x49b40821);

    GG(a, b, c, d, x[1], 5, 0xf61e2562);
    GG(d, a, b, c, x[6], 9, 0xc040b340);
    GG(c, d, a, b, x[11], 14, 0x265e5a51);
    GG(b, c, d, a, x[0], 20, 0xe9b6c7aa);
    GG(a, b, c, d, x[5], 5, 0xd62f105d);
    GG(d, a, b, c, x[10], 9, 0x02441453);
    GG(c, d, a, b, x[15], 14, 0xd8a1e681);
    GG(b, c, d, a, x[4], 20, 0xe7d3fbc8);
    GG(a, b, c, d, x[9], 5, 0x21e1cde6);
    GG(d, a, b, c, x[14], 9, 0xc33707d6);
    GG(c, d, a, b, x[3], 14, 0xf4d50d87);
    GG(b, c, d, a, x[8], 20, 0x455a14ed);
    GG(a, b, c, d, x[13], 5, 0xa9e3e905);
    GG(d, a, b, c, x[2], 9, 0xfcefa3f8);
    GG(c, d, a, b, x[7], 14, 0x676f02d9);
    GG(b, c, d, a, x[12], 20, 0x8d2a4c8a);

    HH(a, b, c, d, x[5], 4, 0xfffa3942);
    HH(d, a, b, c, x[8], 11, 0x8771f681);
    HH(c, d, a, b, x[11], 16, 0x6d9d6122);
    HH(b, c, d, a, x[14], 23, 0xfde5380c);
    HH(a, b, c, d, x[1], 4, 0xa4beea44);
    HH(d, a, b, c, x[4], 11, 0x4bdecfa9);
    HH(c, d, a, b, x[7], 16, 0xf6bb4b60);
    HH(b, c, d, a, x[10], 23, 0xbebfbc70);
    HH(a, b, c, d, x[13], 4, 0x289b7ec6);
    HH(d, a, b, c, x[0], 11, 0xeaa127fa);
    HH(c, d, a, b, x[3], 16, 0xd4ef3085);
    HH(b, c, d, a, x[6], 23, 0x04881d05);
    HH(a, b, c, d, x[9], 4, 0xd9d4d039);
    HH(d, a, b, c, x[12], 11, 0xe6db99e5);
    HH(c, d, a, b, x[15], 16, 0x1fa27cf8);
    HH(b, c, d, a, x[2], 23, 0xc4ac5665);

    II(a, b, c, d, x[0], 6, 0xf4292244);
    II(d, a, b, c, x[7], 10, 0x432aff97);
    II(c, d, a, b, x[14], 15, 0xab9423a7);
    II(b, c, d, a, x[5], 21, 0xfc93a039);
    II(a, b, c, d, x[12], 6, 0x655b59c3);
    II(d, a, b, c, x[3], 10, 0x8f0ccc92);
    II(c, d, a, b, x[10], 15, 0xffeff47d);
    II(b, c, d, a, x[1], 21, 0x85845dd1);
    II(a, b, c, d, x[8], 6, 0x6fa87e4f);
    II(d, a, b, c, x[15], 10, 0xfe2ce6e0);
    II(c, d, a, b, x[6], 15, 0xa3014314);
    II(b, c, d, a, x[13], 21, 0x4e0811a1);
    II(a, b, c, d, x[4], 6, 0xf7537e82);
    II(d, a, b, c, x[11], 10, 0xbd3af235);
    II(c, d, a, b, x[2], 15, 0x2ad7d2bb);
    II(b, c, d, a, x[9], 21, 0xeb86d391);

    State[0] += a;
    State[1] += b;
    State[2] += c;
    State[3] += d;
}

}  // namespace

void MD5Init(TMD5Context& Context) {
    std::memset(&Context, 0, sizeof Context);
    Context.State[0] = 0x67452301;
    Context.State[1] = 0xefcdab89;
    Context.State[2] = 0x98badcfe;
    Context.State[3] = 0x10325476;
}

void MD5Update(TMD5Context& Context, const void* Data, uint32_t Length) {
    const auto* input = static_cast<const uint8_t*>(Data);
    uint32_t index = (Context.Count[0] >> 3) & 0x3F;
    const uint32_t bits = Length << 3;
    Context.Count[0] += bits;
    if (Context.Count[0] < bits) ++Context.Count[1];
    Context.Count[1] += Length >> 29;

    uint32_t done = 0;
    const uint32_t room = 64 - index;
    if (Length >= room) {
        std::memcpy(&Context.Buffer[index], input, room);
        Transform(Context.State, Context.Buffer);
        for (done = room; done + 63 < Length; done += 64)
            Transform(Context.State, input + done);
        index = 0;
    }
    std::memcpy(&Context.Buffer[index], input + done, Length - done);
}

std::string MD5Final(TMD5Context& Context) {
    uint8_t length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<uint8_t>(Context.Count[i / 4] >> (8 * (i % 4)));
    // A single 1 bit, zeros up to 56 bytes into the block, then the length in bits.
    static const uint8_t padding[64] = {0x80};
    const uint32_t index = (Context.Count[0] >> 3) & 0x3F;
    MD5Update(Context, padding, index < 56 ? 56 - index : 120 - index);
    MD5Update(Context, length, 8);
    std::string digest(16, '\0');
    for (int i = 0; i < 16; ++i)
        digest[static_cast<size_t>(i)] = static_cast<char>(Context.State[i / 4] >> (8 * (i % 4)));
    std::memset(&Context, 0, sizeof Context);
    return digest;
}

std::string MD5String(std::string_view S) {
    TMD5Context context;
    MD5Init(context);
    MD5Update(context, S.data(), static_cast<uint32_t>(S.size()));
    return MD5Final(context);
}

std::string DigestToHex(std::string_view Digest) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(Digest.size() * 2);
    for (char c : Digest) {
        const auto b = static_cast<uint8_t>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::string TextBefore(const std::string& S, const std::string& Delimiter) {
    const int32_t at = Pos(Delimiter, S);
    return Trim(at == 0 ? S : S.substr(0, static_cast<size_t>(at - 1)));
}

std::string TextAfter(const std::string& S, const std::string& Delimiter) {
    const int32_t at = Pos(Delimiter, S);
    return Trim(at == 0 ? S : S.substr(static_cast<size_t>(at - 1) + Delimiter.size()));
}

std::string APOPTimeStamp(const std::string& Greeting) {
    // Asking where the delimiters stand, not whether trimming changed the text: a greeting with
    // trailing blanks and a ">" but no "<" must not yield a stamp.
    const size_t open = Greeting.find('<');
    if (open == std::string::npos) return std::string();
    const size_t close = Greeting.find('>', open + 1);
    if (close == std::string::npos) return std::string();
    std::string stamp(1, '<');
    stamp += Trim(std::string_view(Greeting).substr(open + 1, close - open - 1));
    stamp += '>';
    return stamp;
}

std::string APOPDigest(const std::string& TimeStamp, const std::string& Password) {
    return DigestToHex(MD5String(TimeStamp + Password));
}

}  // namespace vex

#include "components/misc/Encryp.h"

#include <random>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

const std::string DefaultKey = "Wyn Ost";

// Gives the key's bytes in turn, starting again after the last.
class TKeyCycle {
public:
    explicit TKeyCycle(const std::string& Key) : FKey(Key.empty() ? DefaultKey : Key) {}
    uint8_t Next() {
        uint8_t c = static_cast<uint8_t>(FKey[FIndex]);
        FIndex = (FIndex + 1) % FKey.size();
        return c;
    }

private:
    const std::string& FKey;
    std::size_t FIndex = 0;
};

// The mod-255 step of the scheme gives 0 and 255 the same code, so one of them cannot be told
// apart: after a start value of 255 it is 255, after any other it is 0. For that byte alone the
// scrambler writes the one code the scheme never produces, 255 before the key is applied; texts
// without those bytes, and every text of earlier versions, read exactly as before.
constexpr uint8_t Marker = 255;

uint8_t LostByte(uint8_t Previous) {
    return Previous == 255 ? 255 : 0;
}

std::string HexPair(uint8_t Value) {
    static const char Digits[] = "0123456789ABCDEF";
    return {Digits[Value >> 4], Digits[Value & 15]};
}

}  // namespace

TVoskEncryption::TVoskEncryption(TComponent* AOwner) : TComponent(AOwner) {}

void TVoskEncryption::SetInput(const std::string& Value) {
    if (Value != FInput) FInput = Value;
}

void TVoskEncryption::SetOutput(const std::string& Value) {
    if (Value != FOutput) FOutput = Value;
}

void TVoskEncryption::SetKey(const std::string& Value) {
    if (Value != FKey) FKey = Value;
}

uint8_t TVoskEncryption::RandomStartValue() {
    // Fresh randomness for every text: a generator seeded from the clock repeats itself when
    // two texts are scrambled within one tick.
    std::random_device device;
    return static_cast<uint8_t>(device() & 0xFF);
}

void TVoskEncryption::Execute() {
    if (FInput.empty()) {
        FOutput.clear();
        return;
    }
    FOutput = FAction == atEncryption ? Scramble(FInput) : Unscramble(FInput);
}

std::string TVoskEncryption::Scramble(const std::string& Text) {
    TKeyCycle key(FKey);
    uint8_t r = RandomStartValue();
    std::string result = HexPair(r);
    result.reserve(2 * (Text.size() + 1));
    for (char ch : Text) {
        uint8_t c = static_cast<uint8_t>(ch);
        uint8_t v = c == LostByte(r) ? Marker : static_cast<uint8_t>((c + r) % 255);
        r = v ^ key.Next();
        result += HexPair(r);
    }
    return result;
}

std::string TVoskEncryption::Unscramble(const std::string& Text) const {
    if (Text.size() < 4 || Text.size() % 2 != 0)
        throw EConvertError("'" + Text + "' is not a valid scrambled text");
    std::string plain;
    plain.reserve(Text.size() / 2 - 1);
    TKeyCycle key(FKey);
    int p = -1;
    for (std::size_t i = 0; i < Text.size(); i += 2) {
        int high = HexDigit(Text[i]), low = HexDigit(Text[i + 1]);
        if (high < 0 || low < 0)
            throw EConvertError("'$" + Text.substr(i, 2) + "' is not a valid integer value");
        int x = high * 16 + low;
        if (p >= 0) {
            int v = key.Next() ^ x;
            int c = v == Marker ? LostByte(static_cast<uint8_t>(p)) : p < v ? v - p : v + 255 - p;
            plain += static_cast<char>(c);
        }
        p = x;
    }
    return plain;
}

}  // namespace vex

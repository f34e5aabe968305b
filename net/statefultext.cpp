#include "net/statefultext.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "net/base64.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr char kEscape = 27;
constexpr char kShiftOut = 14;
constexpr char kShiftIn = 15;
constexpr std::string_view kAsciiToG0 = "\x1b(B";
constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max();
// Eight base64 characters of UTF-7 hold 48 bits: three UTF-16 code units exactly.
constexpr size_t kWholeUnitsChars = 8;
constexpr size_t kWholeUnitsCount = 3;
// ISO 2022 escapes have at most three intermediate bytes before their final one.
constexpr size_t kMaxIntermediates = 3;

bool IsIntermediate(char C) {
    return C >= 0x20 && C <= 0x2F;
}

bool IsFinal(char C) {
    return C >= 0x30 && C <= 0x7E;
}

bool IsGraphic(char C) {
    return C >= 0x21 && C <= 0x7E;
}

// The buffer (G0 to G3) an escape's intermediates designate; -1 when it designates none.
int32_t DesignatedBuffer(std::string_view Intermediates) {
    if (Intermediates.starts_with('$')) {
        Intermediates.remove_prefix(1);
        if (Intermediates.empty()) return 0;  // "ESC $ @", "ESC $ A", "ESC $ B"
    }
    if (Intermediates.size() != 1) return -1;
    switch (Intermediates.front()) {
        case '(':
            return 0;
        case ')':
        case '-':
            return 1;
        case '*':
        case '.':
            return 2;
        case '+':
        case '/':
            return 3;
        default:
            return -1;
    }
}

// The bookkeeping the readers below share: each says how far its next unit reaches.
class TUnitReader : public TStatefulText {
public:
    explicit TUnitReader(std::string_view Text) : FText(Text) {}

    bool Next(std::string_view& Unit, bool& Character) final {
        if (FPos >= FText.size()) return false;
        const size_t start = FPos;
        Character = ReadUnit();
        Unit = FText.substr(start, FPos - start);
        return true;
    }

protected:
    // Moves FPos past the unit at it (there is one); true when the unit is a character.
    virtual bool ReadUnit() = 0;

    std::string_view FText;
    size_t FPos = 0;
};

class TIso2022Text : public TUnitReader {
public:
    using TUnitReader::TUnitReader;

    std::string Opening() const override {
        std::string bytes;
        for (const std::string& designation : FDesignations)
            bytes += designation;
        if (FShiftedOut) bytes += kShiftOut;
        return bytes;
    }

    std::string Closing() const override {
        std::string bytes;
        if (FShiftedOut) bytes += kShiftIn;
        if (!FDesignations[0].empty()) bytes += kAsciiToG0;
        return bytes;
    }

protected:
    bool ReadUnit() override {
        if (FText[FPos] == kEscape) return ReadEscape();
        if (FText[FPos] == kShiftOut || FText[FPos] == kShiftIn) {
            FShiftedOut = FText[FPos++] == kShiftOut;
            return false;
        }
        FPos += CharacterLength(FShiftedOut ? 1 : 0);
        return true;
    }

private:
    // Reads the escape at FPos; true when it is a single shift whose character came with it.
    bool ReadEscape() {
        size_t end = FPos + 1;
        while (end < FText.size() && end - FPos <= kMaxIntermediates && IsIntermediate(FText[end]))
            ++end;
        if (end >= FText.size() || !IsFinal(FText[end])) {
            ++FPos;  // a lone escape, which changes nothing
            return false;
        }
        const std::string_view escape = FText.substr(FPos, end + 1 - FPos);
        const std::string_view intermediates = escape.substr(1, escape.size() - 2);
        FPos = end + 1;
        // A single shift takes the one character after it from G2 or G3.
        if (intermediates.empty() && (escape.back() == 'N' || escape.back() == 'O')) {
            const size_t length = CharacterLength(escape.back() == 'N' ? 2 : 3);
            FPos += length;
            return length > 0;
        }
        if (const int32_t buffer = DesignatedBuffer(intermediates); buffer >= 0) {
            std::string& designation = FDesignations[static_cast<size_t>(buffer)];
            designation = buffer == 0 && escape == kAsciiToG0 ? "" : std::string(escape);
        }
        return false;
    }

    // The length of the character at FPos when it comes from the set in Buffer: two bytes for a
    // set of two-byte characters (designated with "$"), one for any other.
    size_t CharacterLength(size_t Buffer) const {
        if (FPos >= FText.size()) return 0;
        const bool wide = FDesignations[Buffer].find('$') != std::string::npos;
        if (wide && FPos + 1 < FText.size() && IsGraphic(FText[FPos]) && IsGraphic(FText[FPos + 1]))
            return 2;
        return 1;
    }

    // The escape that designated each buffer's set; an empty G0 holds ASCII.
    std::array<std::string, 4> FDesignations;
    bool FShiftedOut = false;
};

class THzText : public TUnitReader {
public:
    using TUnitReader::TUnitReader;

    std::string Opening() const override { return FGb ? "~{" : ""; }
    std::string Closing() const override { return FGb ? "~}" : ""; }

protected:
    bool ReadUnit() override {
        const char after = FPos + 1 < FText.size() ? FText[FPos + 1] : '\0';
        const bool tilde = FText[FPos] == '~';
        if (tilde && after == (FGb ? '}' : '{')) {
            FGb = !FGb;
            FPos += 2;
            return false;
        }
        FPos += FGb || (tilde && after == '~') ? std::min<size_t>(2, FText.size() - FPos) : 1;
        return true;
    }

private:
    bool FGb = false;
};

bool IsBase64Char(char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '+' ||
           C == '/';
}

// A run of base64 is one unit: its bits fall on no character bound but where the run began, and
// no state outlasts it.
class TUtf7Text : public TUnitReader {
public:
    using TUnitReader::TUnitReader;

    std::string Opening() const override { return ""; }
    std::string Closing() const override { return ""; }

protected:
    bool ReadUnit() override {
        if (FText[FPos++] == '+') {
            while (FPos < FText.size() && IsBase64Char(FText[FPos]))
                ++FPos;
            if (FPos < FText.size() && FText[FPos] == '-') ++FPos;
        }
        return true;
    }
};

// UTF-16 code units as the base64 of a UTF-7 run, which has no padding.
std::string Utf7Base64(std::string_view Utf16) {
    std::string encoded;
    Base64Encode(Utf16, encoded, kUnlimited);
    encoded.erase(encoded.find_last_not_of('=') + 1);
    return encoded;
}

// The last unit of UTF-7 Text; empty when it has none.
std::string_view LastUtf7Unit(std::string_view Text) {
    TUtf7Text text(Text);
    std::string_view unit;
    std::string_view last;
    for (bool character = false; text.Next(unit, character);)
        last = unit;
    return last;
}

}  // namespace

std::vector<std::string> CutUtf7Run(std::string_view Run, size_t Room) {
    const bool closed = Run.size() > 1 && Run.back() == '-';
    const std::string_view chars = Run.substr(1, Run.size() - 1 - (closed ? 1 : 0));
    std::string utf16;
    Base64Decode(chars, utf16, kUnlimited);
    const size_t units = utf16.size() / 2;
    const size_t head = Room > 2 ? Room - 2 : 0;  // base64 characters between "+" and "-"
    size_t unit = 0;                              // the first unit of the rest of the run
    size_t at = 0;        // its first character, while it is written as it came
    bool afresh = false;  // the rest is written afresh from its units
    auto unitsText = [&](size_t First, size_t End) {
        return Utf7Base64(std::string_view(utf16).substr(2 * First, 2 * (End - First)));
    };
    auto restSize = [&] { return afresh ? ((units - unit) * 16 + 5) / 6 : chars.size() - at; };
    // Ending before unit End, a piece would leave a high surrogate without its pair.
    auto splitsPair = [&](size_t End) {
        if (End >= units) return false;
        const auto high = static_cast<uint8_t>(utf16[2 * End - 2]);
        return high >= 0xD8 && high <= 0xDB;
    };
    std::vector<std::string> pieces;
    while (1 + restSize() + (closed ? 1 : 0) > Room) {
        size_t take = 0;  // characters, a whole number of eight
        for (size_t k = std::max(kWholeUnitsChars, head / kWholeUnitsChars * kWholeUnitsChars);
             k >= kWholeUnitsChars && take == 0; k -= kWholeUnitsChars)
            if (k < restSize() && !splitsPair(unit + k / kWholeUnitsChars * kWholeUnitsCount))
                take = k;
        if (take > 0) {
            const size_t end = unit + take / kWholeUnitsChars * kWholeUnitsCount;
            pieces.push_back(
                "+" + (afresh ? unitsText(unit, end) : std::string(chars.substr(at, take))) + "-");
            unit = end;
            at += take;
            continue;
        }
        if (head < kWholeUnitsChars || units - unit < 2) break;
        // As many units as "head" characters carry (16 bits in 6-bit characters), one fewer or
        // more to keep a pair whole.
        size_t end = unit + std::clamp<size_t>(head * 6 / 16, 1, units - unit - 1);
        if (splitsPair(end)) end = end > unit + 1 ? end - 1 : end + 1;
        if (end >= units) break;
        pieces.push_back("+" + unitsText(unit, end) + "-");
        unit = end;
        afresh = true;
    }
    const std::string rest = afresh ? unitsText(unit, units) : std::string(chars.substr(at));
    pieces.push_back("+" + rest + (closed ? "-" : ""));
    return pieces;
}

bool Utf7RunsJoin(std::string_view Previous, std::string_view Next) {
    if (Next.size() < 2 || Next[0] != '+' || !IsBase64Char(Next[1])) return false;
    const std::string_view last = LastUtf7Unit(Previous);
    const size_t chars = last.size() < 2 ? 0 : last.size() - 2;
    return last.starts_with('+') && last.ends_with('-') && chars > 0 &&
           chars % kWholeUnitsChars == 0;
}

TStatefulKind StatefulKindOf(std::string_view CharSet) {
    const std::string name = LowerCase(CharSet);
    if (name.starts_with("iso-2022-") || name.starts_with("csiso2022"))
        return TStatefulKind::Iso2022;
    if (name.starts_with("hz")) return TStatefulKind::Hz;
    if (name.find("utf-7") != std::string::npos || name.find("utf7") != std::string::npos)
        return TStatefulKind::Utf7;
    return TStatefulKind::None;
}

std::unique_ptr<TStatefulText> ReadStateful(TStatefulKind Kind, std::string_view Text) {
    switch (Kind) {
        case TStatefulKind::Iso2022:
            return std::make_unique<TIso2022Text>(Text);
        case TStatefulKind::Hz:
            return std::make_unique<THzText>(Text);
        case TStatefulKind::Utf7:
            return std::make_unique<TUtf7Text>(Text);
        case TStatefulKind::None:
            break;
    }
    return nullptr;
}

}  // namespace vex

#include "net/uuencode.h"

#include <algorithm>

#include "net/componentexceptions.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"

namespace vex {

namespace {

constexpr size_t kMaxLineBytes = 63;

char UUEncodeChar(uint32_t Value) {
    return Value == 0 ? '`' : static_cast<char>(Value + 32);
}

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

void CutTo(std::string& S, int32_t MaxLen) {
    const size_t limit = MaxLen > 0 ? static_cast<size_t>(MaxLen) : 0;
    if (S.size() > limit) S.resize(limit);
}

}  // namespace

bool IsUUBegin(std::string_view Line) {
    constexpr size_t ModeStart = 6;  // past "begin "
    if (!Line.starts_with("begin ")) return false;
    const size_t modeEnd = std::min(Line.find_first_not_of("01234567", ModeStart), Line.size());
    const size_t modeLength = modeEnd - ModeStart;
    return (modeLength == 3 || modeLength == 4) && modeEnd + 1 < Line.size() &&
           Line[modeEnd] == ' ' && Line[modeEnd + 1] != ' ';
}

void UUFileName(std::string_view Line, std::string& Name) {
    // "begin", the mode and the blanks around it, however wide the mode is.
    size_t i = std::min<size_t>(5, Line.size());
    while (i < Line.size() && IsBlank(Line[i]))
        ++i;
    while (i < Line.size() && !IsBlank(Line[i]))
        ++i;
    while (i < Line.size() && IsBlank(Line[i]))
        ++i;
    std::string_view rest = Line.substr(i);
    if (!rest.empty() && rest.front() == '"') {
        const size_t close = rest.find('"', 1);
        Name = close == std::string_view::npos ? std::string()
                                               : std::string(rest.substr(1, close - 1));
    } else {
        Name.assign(rest.substr(0, std::min(rest.find(' '), rest.size())));
    }
}

std::string UUBeginLineName(std::string_view Name) {
    if (Name.find_first_of(" \t") == std::string_view::npos && !Name.starts_with('"'))
        return std::string(Name);
    std::string quoted = "\"";
    for (const char c : Name)
        if (c != '"') quoted += c;
    return quoted + '"';
}

uint8_t UUDecodeChar(char C) {
    if (C == '`' || C == ' ') return 0;
    if (C >= '!' && C <= '_') return static_cast<uint8_t>(C - 32);
    throw EMessageParserError("Invalid Character");
}

void UUDecodeLine(std::string_view Line, std::string& Dest, int32_t MaxLen) {
    Application().ProcessMessages();
    Dest.clear();
    if (Line.empty()) return;
    const size_t announced = UUDecodeChar(Line[0]);
    const std::string_view data = Line.substr(1);
    for (size_t g = 0; g < data.size(); g += 4) {
        const size_t chars = std::min<size_t>(4, data.size() - g);
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i)
            v = (v << 6) | (i < chars ? UUDecodeChar(data[g + i]) : 0);
        for (size_t i = 0; i < (chars * 6) / 8; ++i)
            Dest += static_cast<char>((v >> (16 - 8 * i)) & 0xFF);
    }
    if (Dest.size() > announced) Dest.resize(announced);
    CutTo(Dest, MaxLen);
}

void UUEncodeLine(std::string_view Source, std::string& Dest, int32_t MaxLen) {
    Application().ProcessMessages();
    if (Source.size() > kMaxLineBytes)
        throw ERangeError("A uuencoded line holds at most 63 bytes, not " +
                          std::to_string(Source.size()));
    std::string out(1, UUEncodeChar(static_cast<uint32_t>(Source.size())));
    for (size_t g = 0; g < Source.size(); g += 3) {
        const size_t n = std::min<size_t>(3, Source.size() - g);
        uint32_t v = 0;
        for (size_t i = 0; i < 3; ++i)
            v = (v << 8) | (i < n ? static_cast<uint8_t>(Source[g + i]) : 0);
        for (size_t i = 0; i <= n; ++i)
            out += UUEncodeChar((v >> (18 - 6 * i)) & 63);
    }
    CutTo(out, MaxLen);
    Dest = std::move(out);
}

}  // namespace vex

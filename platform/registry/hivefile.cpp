#include "platform/registry/hivefile.h"

#include <set>
#include <unordered_set>
#include <vector>

#include "platform/core/stringutils.h"
#include "platform/registry/regtypes.h"

namespace vex {

namespace {

constexpr std::string_view HeaderLine = "VexbaneRegistry 1";
constexpr std::string_view EndLine = "End";
constexpr std::string_view StringPrefix = "sz:";
constexpr std::string_view NumberPrefix = "dword:";

bool MustEscape(unsigned char C, bool InKeyName) {
    return C < 0x20 || C == 0x7F || C == '%' || C == '=' || C == '[' || C == ']' ||
           (InKeyName && C == '\\');
}

std::string Escape(std::string_view Text, bool InKeyName = false) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        const auto b = static_cast<unsigned char>(c);
        if (MustEscape(b, InKeyName)) {
            out += '%';
            out += Hex[b >> 4];
            out += Hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

void FormatKey(const TRegKeyNode& Key, const std::string& Path, std::string& Out) {
    if (!Path.empty()) Out.append("[").append(Path).append("]\n");
    for (const auto& [name, value] : Key.Values()) {
        Out += Escape(name);
        if (value.DataType == REG_DWORD)
            Out.append("=").append(NumberPrefix).append(IntToStr(value.Number));
        else
            Out.append("=").append(StringPrefix).append(Escape(value.Text));
        Out += '\n';
    }
    for (const TRegKeyNode* sub : Key.Keys()) {
        const std::string name = Escape(sub->Name(), true);
        FormatKey(*sub, Path.empty() ? name : Path + "\\" + name, Out);
    }
}

class THiveParser {
public:
    THiveParser(std::string_view Text, const std::string& RootName, const std::string& FileName)
        : FText(Text), FFileName(FileName), FRoot(std::make_unique<TRegKeyNode>(RootName)) {}

    std::unique_ptr<TRegKeyNode> Parse() {
        if (!NextLine()) CutOff();
        if (FLine != HeaderLine) Fail("it is not a registry file");
        FKey = FRoot.get();
        while (NextLine()) {
            if (FLine == EndLine) {
                if (FPos != FText.size()) Fail("text follows the End line");
                return std::move(FRoot);
            }
            if (!FLine.empty() && FLine.front() == '[')
                ParseKeyLine();
            else
                ParseValueLine();
        }
        CutOff();
    }

private:
    // Takes the next complete line; a last line without its line feed counts as cut off.
    bool NextLine() {
        const size_t end = FText.find('\n', FPos);
        if (end == std::string_view::npos) return false;
        FLine = FText.substr(FPos, end - FPos);
        FPos = end + 1;
        ++FLineNumber;
        return true;
    }

    [[noreturn]] void CutOff() const {
        throw ERegistryException("Registry file " + FFileName + " is cut off (no End line)");
    }

    [[noreturn]] void Fail(const std::string& Reason) const {
        throw ERegistryException("Registry file " + FFileName + " is damaged at line " +
                                 IntToStr(FLineNumber) + ": " + Reason);
    }

    std::string Unescape(std::string_view Text) const {
        std::string out;
        out.reserve(Text.size());
        for (size_t i = 0; i < Text.size(); ++i) {
            if (Text[i] != '%') {
                out += Text[i];
                continue;
            }
            const bool complete = i + 2 < Text.size();
            const int hi = complete ? HexDigit(Text[i + 1]) : -1;
            const int lo = complete ? HexDigit(Text[i + 2]) : -1;
            if (hi < 0 || lo < 0) Fail("a % is not followed by two hexadecimal digits");
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        }
        return out;
    }

    void ParseKeyLine() {
        if (FLine.size() < 3 || FLine.back() != ']') Fail("a key line is not closed by ]");
        const std::string_view path = FLine.substr(1, FLine.size() - 2);
        TRegKeyNode* key = FRoot.get();
        size_t depth = 0;
        size_t start = 0;
        while (start <= path.size()) {
            size_t end = path.find('\\', start);
            if (end == std::string_view::npos) end = path.size();
            const std::string name = Unescape(path.substr(start, end - start));
            if (name.empty() || name.size() > MaxRegKeyNameLength)
                Fail("a key name is empty or longer than " + IntToStr(MaxRegKeyNameLength));
            if (++depth > MaxRegKeyDepth) Fail("keys are nested too deeply");
            key = &key->AddKey(name);
            start = end + 1;
        }
        if (!FListedKeys.insert(key).second) Fail("a key is listed twice");
        FKey = key;
        FValueNames.clear();
    }

    void ParseValueLine() {
        const size_t equals = FLine.find('=');
        if (equals == std::string_view::npos) Fail("a value line has no =");
        std::string name = Unescape(FLine.substr(0, equals));
        if (name.size() > MaxRegValueNameLength) Fail("a value name is too long");
        if (!FValueNames.insert(AnsiUpperCase(name)).second) Fail("a value is listed twice");
        const std::string_view data = FLine.substr(equals + 1);
        TRegValue value;
        if (data.starts_with(StringPrefix)) {
            value.DataType = REG_SZ;
            value.Text = Unescape(data.substr(StringPrefix.size()));
            if (value.Text.size() > MaxRegValueDataLength) Fail("a value is too long");
        } else if (data.starts_with(NumberPrefix)) {
            value.DataType = REG_DWORD;
            value.Number = ParseNumber(data.substr(NumberPrefix.size()));
        } else {
            Fail("a value has no known type");
        }
        FKey->AddNewValue(std::move(name), std::move(value));
    }

    uint32_t ParseNumber(std::string_view Digits) const {
        if (Digits.empty() || Digits.size() > 10) Fail("a number value is malformed");
        uint64_t n = 0;
        for (const char c : Digits) {
            if (c < '0' || c > '9') Fail("a number value is malformed");
            n = n * 10 + static_cast<uint64_t>(c - '0');
        }
        if (n > UINT32_MAX) Fail("a number value is out of range");
        return static_cast<uint32_t>(n);
    }

    std::string_view FText;
    const std::string& FFileName;
    std::unique_ptr<TRegKeyNode> FRoot;
    TRegKeyNode* FKey = nullptr;
    std::set<const TRegKeyNode*> FListedKeys;
    // The upper-cased value names of FKey so far: a key is listed once, its values after it.
    std::unordered_set<std::string> FValueNames;
    std::string_view FLine;
    size_t FPos = 0;
    int64_t FLineNumber = 0;
};

}  // namespace

std::string FormatHive(const TRegKeyNode& Root) {
    std::string out(HeaderLine);
    out += '\n';
    FormatKey(Root, "", out);
    out.append(EndLine).append("\n");
    return out;
}

std::unique_ptr<TRegKeyNode> ParseHive(std::string_view Text, const std::string& RootName,
                                       const std::string& FileName) {
    return THiveParser(Text, RootName, FileName).Parse();
}

}  // namespace vex

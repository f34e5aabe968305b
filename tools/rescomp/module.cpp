#include "tools/rescomp/module.h"

#include <algorithm>

#include "tools/rescomp/resourceerror.h"

namespace vex::rescomp {

namespace {

// String offsets and lengths are 32-bit in the generated table.
constexpr uint64_t kStringBytesLimit = UINT32_MAX;

bool IsIdentifier(const std::string& S) {
    const auto letter = [](char C) {
        return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_';
    };
    if (S.empty() || !letter(S[0])) return false;
    return std::all_of(S.begin(), S.end(),
                       [&](char C) { return letter(C) || (C >= '0' && C <= '9'); });
}

bool IsResourceName(const std::string& S) {
    return !S.empty() && std::all_of(S.begin(), S.end(), [](char C) { return C > ' ' && C < 127; });
}

std::string AsciiUpper(std::string S) {
    for (char& c : S) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return S;
}

}  // namespace

Module::Module(std::string Name) : FName(std::move(Name)) {
    if (!IsIdentifier(FName)) {
        throw ResourceError("rescomp", 0, "module name '" + FName + "' is not an identifier");
    }
}

void Module::AddString(uint16_t Id, std::string Text, const std::string& File, int Line) {
    const std::string origin = File + ":" + std::to_string(Line);
    if (const auto found = FStrings.find(Id); found != FStrings.end()) {
        throw ResourceError(
            File, Line,
            "string " + std::to_string(Id) + " is already defined at " + found->second.Origin);
    }
    FStringBytes += Text.size();
    if (FStringBytes > kStringBytesLimit) {
        throw ResourceError(File, Line, "the strings of the module exceed 4 GiB");
    }
    FStrings.emplace(Id, StringResource{std::move(Text), origin});
}

void Module::AddFile(std::string Type, std::string Name, std::string Data,
                     const std::string& File) {
    if (!IsResourceName(Type) || !IsResourceName(Name)) {
        throw ResourceError(File, 0,
                            "resource type and name must be printable ASCII without blanks, not '" +
                                Type + "' '" + Name + "'");
    }
    auto key = std::make_pair(AsciiUpper(Type), AsciiUpper(Name));
    if (const auto found = FFiles.find(key); found != FFiles.end()) {
        throw ResourceError(
            File, 0,
            "resource " + Type + "/" + Name + " is already defined by " + found->second.Origin);
    }
    FFiles.emplace(std::move(key),
                   FileResource{std::move(Type), std::move(Name), std::move(Data), File});
}

}  // namespace vex::rescomp

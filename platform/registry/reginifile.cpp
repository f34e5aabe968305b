#include "platform/registry/reginifile.h"

#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"

namespace vex {

TRegIniFile::TRegIniFile(const std::string& FileName) : FFileName(FileName) {
    // Without its file key every section would be taken from the root instead.
    if (!OpenKey(FileName, true)) throw ERegistryException("Failed to create key " + FileName);
}

template <class F>
bool TRegIniFile::InSection(const std::string& Section, bool CanCreate, F&& Action) {
    const TOpenKey fileKey = OpenKeyState();
    if (!OpenKey(Section, CanCreate)) return false;
    try {
        Action();
    } catch (...) {
        RestoreOpenKeyState(fileKey);
        throw;
    }
    RestoreOpenKeyState(fileKey);
    return true;
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) {
    std::string result = Default;
    InSection(Section, false, [&] {
        if (TRegistry::ValueExists(Ident)) result = TRegistry::ReadString(Ident);
    });
    return result;
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident,
                              const std::string& Value) {
    if (!InSection(Section, true, [&] { TRegistry::WriteString(Ident, Value); }))
        throw ERegistryException("Failed to set data for '" + Ident + "'");
}

int32_t TRegIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                 int32_t Default) {
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TRegIniFile::WriteInteger(const std::string& Section, const std::string& Ident,
                               int32_t Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

bool TRegIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TRegIniFile::EraseSection(const std::string& Section) {
    if (!Section.empty()) DeleteKey(Section);
}

void TRegIniFile::ReadSection(const std::string& Section, TStrings& Strings) {
    Strings.Clear();
    InSection(Section, false, [&] { GetValueNames(Strings); });
}

bool TRegIniFile::SectionExists(const std::string& Section) {
    return !Section.empty() && KeyExists(Section);
}

bool TRegIniFile::ValueExists(const std::string& Section, const std::string& Ident) {
    bool exists = false;
    InSection(Section, false, [&] { exists = TRegistry::ValueExists(Ident); });
    return exists;
}

}  // namespace vex

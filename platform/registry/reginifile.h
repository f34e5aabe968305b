#pragma once

#include <cstdint>
#include <string>

#include "platform/registry/registry.h"

namespace vex {

// The registry seen as an ini file: the key given at construction (below HKEY_CURRENT_USER,
// created when missing) is the file, its subkeys the sections, their values the idents. Every
// value is written as text, numbers and Booleans ("1", "0") included.
class TRegIniFile : public TRegistry {
    VEX_CLASS(TRegIniFile, TRegistry)

public:
    // A name that is no valid key path raises ERegistryException.
    explicit TRegIniFile(const std::string& FileName);

    const std::string& FileName() const { return FFileName; }

    // An empty Section stands for the file key itself. Reads give Default when the section or
    // ident is missing; a text that is not a whole number reads as Default for ReadInteger and
    // ReadBool. An ident of another type than text raises ERegistryException.
    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default);
    void WriteString(const std::string& Section, const std::string& Ident,
                     const std::string& Value);
    int32_t ReadInteger(const std::string& Section, const std::string& Ident, int32_t Default);
    void WriteInteger(const std::string& Section, const std::string& Ident, int32_t Value);
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

    // Deletes the section with everything in it.
    void EraseSection(const std::string& Section);
    // Replaces Strings' contents with the idents of the section (none when it is missing).
    void ReadSection(const std::string& Section, TStrings& Strings);
    bool SectionExists(const std::string& Section);
    bool ValueExists(const std::string& Section, const std::string& Ident);

    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::ValueExists;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

private:
    // Runs Action with the section open as the current key and puts the file key back after;
    // false (Action not run) when the section cannot be opened.
    template <class F>
    bool InSection(const std::string& Section, bool CanCreate, F&& Action);

    std::string FFileName;
};

}  // namespace vex

#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace vex::rescomp {

struct StringResource {
    std::string Text;    // Windows-1252 bytes
    std::string Origin;  // "file:line", for the error a duplicate gets
};

struct FileResource {
    std::string Type;  // as written; lookups ignore case
    std::string Name;
    std::string Data;
    std::string Origin;
};

// Everything one module compiles in, gathered from all its inputs so that a number or a
// type/name pair given twice is caught wherever the two come from. Each input kind has its own
// reader that adds to this; the emitter reads it back in the order lookups need.
class Module {
public:
    // The name becomes part of a C symbol, so it must be an identifier.
    explicit Module(std::string Name);

    void AddString(uint16_t Id, std::string Text, const std::string& File, int Line);

    // Type and name: printable ASCII without blanks, compared without regard to case.
    void AddFile(std::string Type, std::string Name, std::string Data, const std::string& File);

    const std::string& Name() const { return FName; }

    // Ordered by number.
    const std::map<uint16_t, StringResource>& Strings() const { return FStrings; }

    // Ordered by upper-case type, then upper-case name: the order the run time searches in.
    const std::map<std::pair<std::string, std::string>, FileResource>& Files() const {
        return FFiles;
    }

private:
    std::string FName;
    std::map<uint16_t, StringResource> FStrings;
    uint64_t FStringBytes = 0;
    std::map<std::pair<std::string, std::string>, FileResource> FFiles;
};

}  // namespace vex::rescomp

#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace vex {

// MIME types by file extension, standing in for the type registrations a desktop system keeps.
// The table comes from a mime.types file (a type, then its extensions; "#" starts a comment)
// or, when that cannot be read, from a built-in list of the common types.
class TMimeTypeTable {
public:
    // Reads FileName; a missing, unreadable or oversized file gives the built-in table.
    explicit TMimeTypeTable(const std::string& FileName);

    // The type of an extension given with its dot (".txt"), in any case; "" when unknown.
    std::string Lookup(std::string_view Extension) const;
    // False when the built-in table is in use.
    bool FromFile() const { return FFromFile; }

private:
    bool LoadFile(const std::string& FileName);
    void LoadBuiltIn();
    void Register(std::string_view Type, std::string_view Extension);

    std::unordered_map<std::string, std::string> FTypes;  // lower-case extension without dot
    bool FFromFile = false;
};

// The system's table, read from /etc/mime.types once, on first use.
const TMimeTypeTable& SystemMimeTypes();

}  // namespace vex

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// Numbered strings and named binary resources compiled into the program by vex_resources()
// (cmake/VexResources.cmake). Every module registers itself while static objects are
// constructed, in an order nobody controls, so lookups during static initialisation are not
// supported: they may miss modules not yet registered.

// The string with this number in the first registered module that has it, as Windows-1252
// bytes; "" when no module has it.
std::string LoadStr(int32_t Ident);

// The bytes of the resource of this type and name, both compared without regard to ASCII case;
// nullopt when no module has it. The bytes live as long as the program.
std::optional<std::span<const uint8_t>> FindResource(std::string_view Type, std::string_view Name);

// One line per string number or type/name pair that more than one registered module defines
// (only the first is ever found), so a test program can assert there are none.
std::vector<std::string> ResourceConflicts();

// The tables the generated sources hand over. Strings are sorted by Id and Files by
// upper-case Type then upper-case Name; lookups rely on it.
struct TResourceString {
    uint16_t Id;
    uint32_t Offset;  // into TResourceModule::StringData
    uint32_t Length;
};

struct TResourceFile {
    std::string_view Type;
    std::string_view Name;
    std::span<const uint8_t> Data;
};

struct TResourceModule {
    std::string_view Name;
    std::span<const TResourceString> Strings;
    std::span<const uint8_t> StringData;
    std::span<const TResourceFile> Files;
};

// Registers a module for as long as it lives, which is the program's lifetime for a generated
// one, or until a shared library holding one is unloaded.
class TResourceRegistrar {
public:
    explicit TResourceRegistrar(const TResourceModule& Module);
    ~TResourceRegistrar();
    TResourceRegistrar(const TResourceRegistrar&) = delete;
    TResourceRegistrar& operator=(const TResourceRegistrar&) = delete;

private:
    const TResourceModule& FModule;
};

}  // namespace vex

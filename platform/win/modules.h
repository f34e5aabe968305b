#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace vex {

// Libraries found by name, as the components load "wsock32.dll" and "rasapi32.dll" at run time.
// Here a module is a table of functions and strings that a platform library registers under the
// original's file name; loading a name nobody registered fails as a missing file did.

using HMODULE = uintptr_t;  // 0 is no module
using FARPROC = void (*)();

struct TModuleDefinition {
    std::string Name;                          // "wsock32.dll"; compared without regard to case
    std::map<std::string, FARPROC> Functions;  // exported names, compared exactly
    // The module's string table; "" for an id it does not hold.
    std::function<std::string(uint32_t Id)> Strings;
};

// Makes a module loadable until UnregisterModule; a later registration under the same name
// replaces the earlier one for loads that come after it.
void RegisterModule(TModuleDefinition Definition);
void UnregisterModule(const std::string& Name);

// A handle of 32 or more on success; 2 (file not found) when no module has that name. Every
// successful load must be matched by a FreeLibrary; the module stays usable until the last one.
HMODULE LoadLibrary(const std::string& Name);
bool FreeLibrary(HMODULE Module);
// nullptr for an unknown handle or name.
FARPROC GetProcAddress(HMODULE Module, const std::string& ProcName);
// Copies the string (at most BufferMax - 1 bytes and a terminating zero) and returns its length;
// 0 when the module has no such string.
int LoadString(HMODULE Module, uint32_t Id, char* Buffer, int BufferMax);

// The error-box mode of the original, kept for callers that switch it around a load; it has no
// effect here, where a missing module never shows a box.
inline constexpr uint32_t SEM_NOOPENFILEERRORBOX = 0x8000;
uint32_t SetErrorMode(uint32_t Mode);

// Calls a function found with GetProcAddress with its real type.
template <class F>
F ProcAs(FARPROC Proc) {
    return reinterpret_cast<F>(Proc);
}

}  // namespace vex

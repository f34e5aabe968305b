#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/registry/registrystore.h"
#include "platform/registry/regtypes.h"

namespace vex {

class TStrings;

// The current user's registry, reached as the original's framework reached it: one open key at
// a time below RootKey, values read and written by name. Key names are matched without regard
// to case. A key path with a leading "\" starts at the root; any other path starts at the open
// key, or at the root when none is open. Every change is committed to the store at once, so a
// failed write is raised by the call that made it. The store is the one installed when the
// object is made (see registrystore.h).
class TRegistry : public TObject {
    VEX_CLASS(TRegistry, TObject)

public:
    TRegistry();
    ~TRegistry() override = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key. A value that is no predefined root raises ERegistryException.
    void SetRootKey(HKEY Value);

    // The path of the open key below the root, without a leading "\"; empty when none is open.
    const std::string& CurrentPath() const { return FKey.CurrentPath; }
    bool HasOpenKey() const { return FKey.Open; }

    // False when the key is missing (and CanCreate is false) or the path is not a valid key
    // path (an empty name, a name over 255 characters, nesting over 512 levels). On failure the
    // key that was open stays open.
    bool OpenKey(const std::string& Key, bool CanCreate);
    // Opens an existing key so that values can be read but not written.
    bool OpenKeyReadOnly(const std::string& Key);
    void CloseKey();

    bool KeyExists(const std::string& Key);
    // Deletes the key with every subkey and value below it. A key that is open stays open but
    // can no longer be read or written.
    bool DeleteKey(const std::string& Key);

    // Values of the open key. Without an open key nothing exists and writes raise.
    bool ValueExists(const std::string& Name);
    bool DeleteValue(const std::string& Name);
    TRegDataType GetDataType(const std::string& ValueName);
    // Replace Strings' contents with the names of the open key's subkeys or values.
    void GetKeyNames(TStrings& Strings);
    void GetValueNames(TStrings& Strings);

    // Reads raise ERegistryException: "Failed to get data for 'Name'" for a missing value,
    // "Invalid data type for 'Name'" for a value of another type. Writes raise "Failed to set
    // data for 'Name'" when no writable key is open or the name or text is beyond the bounds
    // in regtypes.h. A Boolean is a REG_DWORD of 1 or 0; any value but 0 reads as True.
    std::string ReadString(const std::string& Name);
    void WriteString(const std::string& Name, const std::string& Value);
    int32_t ReadInteger(const std::string& Name);
    void WriteInteger(const std::string& Name, int32_t Value);
    bool ReadBool(const std::string& Name);
    void WriteBool(const std::string& Name, bool Value);

protected:
    struct TOpenKey {
        bool Open = false;
        bool ReadOnly = false;
        std::vector<std::string> Path;
        std::string CurrentPath;
    };

    // What TRegIniFile saves and restores around working in a section.
    const TOpenKey& OpenKeyState() const { return FKey; }
    void RestoreOpenKeyState(TOpenKey State) { FKey = std::move(State); }

private:
    // False for an invalid path; Absolute paths and paths given with no open key start at the
    // root.
    bool ResolvePath(const std::string& Key, std::vector<std::string>& Path) const;
    TRegKeyNode* FindNode(const std::vector<std::string>& Path);
    TRegKeyNode* CurrentNode();
    const TRegValue& GetValue(const std::string& Name);
    void PutValue(const std::string& Name, const TRegValue& Value);
    bool OpenResolved(const std::string& Key, bool CanCreate, bool ReadOnly);

    std::shared_ptr<TRegistryStore> FStore;
    HKEY FRootKey = HKEY_CURRENT_USER;
    TOpenKey FKey;
};

}  // namespace vex

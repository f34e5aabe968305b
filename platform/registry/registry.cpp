#include "platform/registry/registry.h"

#include "platform/core/stringlist.h"

namespace vex {

namespace {

[[noreturn]] void GetDataFailed(const std::string& Name) {
    throw ERegistryException("Failed to get data for '" + Name + "'");
}
[[noreturn]] void InvalidType(const std::string& Name) {
    throw ERegistryException("Invalid data type for '" + Name + "'");
}
[[noreturn]] void SetDataFailed(const std::string& Name) {
    throw ERegistryException("Failed to set data for '" + Name + "'");
}

std::string JoinPath(const std::vector<std::string>& Names) {
    std::string path;
    for (const std::string& name : Names) {
        if (!path.empty()) path += '\\';
        path += name;
    }
    return path;
}

}  // namespace

TRegistry::TRegistry() : FStore(RegistryStore()) {}

void TRegistry::SetRootKey(HKEY Value) {
    if (RootKeyName(Value) == nullptr) throw ERegistryException("Unknown registry root key");
    CloseKey();
    FRootKey = Value;
}

bool TRegistry::ResolvePath(const std::string& Key, std::vector<std::string>& Path) const {
    std::string_view rest = Key;
    const bool absolute = rest.starts_with('\\');
    if (absolute) rest.remove_prefix(1);
    if (rest.ends_with('\\')) rest.remove_suffix(1);
    Path = absolute || !FKey.Open ? std::vector<std::string>{} : FKey.Path;
    if (rest.empty()) return true;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string_view::npos) end = rest.size();
        const std::string_view name = rest.substr(start, end - start);
        if (name.empty() || name.size() > MaxRegKeyNameLength) return false;
        if (Path.size() >= MaxRegKeyDepth) return false;
        Path.emplace_back(name);
        start = end + 1;
    }
    return true;
}

TRegKeyNode* TRegistry::FindNode(const std::vector<std::string>& Path) {
    TRegKeyNode* node = &FStore->Hive(FRootKey);
    for (const std::string& name : Path) {
        node = node->FindKey(name);
        if (node == nullptr) return nullptr;
    }
    return node;
}

TRegKeyNode* TRegistry::CurrentNode() {
    return FKey.Open ? FindNode(FKey.Path) : nullptr;
}

bool TRegistry::OpenResolved(const std::string& Key, bool CanCreate, bool ReadOnly) {
    std::vector<std::string> path;
    if (!ResolvePath(Key, path)) return false;
    if (FindNode(path) == nullptr) {
        if (!CanCreate) return false;
        TRegKeyNode* node = &FStore->Hive(FRootKey);
        for (const std::string& name : path)
            node = &node->AddKey(name);
        FStore->Commit(FRootKey);
    }
    FKey.Open = true;
    FKey.ReadOnly = ReadOnly;
    FKey.CurrentPath = JoinPath(path);
    FKey.Path = std::move(path);
    return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
    return OpenResolved(Key, CanCreate, false);
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
    return OpenResolved(Key, false, true);
}

void TRegistry::CloseKey() {
    FKey = TOpenKey{};
}

bool TRegistry::KeyExists(const std::string& Key) {
    std::vector<std::string> path;
    return ResolvePath(Key, path) && FindNode(path) != nullptr;
}

bool TRegistry::DeleteKey(const std::string& Key) {
    std::vector<std::string> path;
    if (!ResolvePath(Key, path) || path.empty()) return false;
    const bool relative = !Key.starts_with('\\') && FKey.Open;
    if (relative && FKey.ReadOnly) return false;
    const std::string name = path.back();
    path.pop_back();
    TRegKeyNode* parent = FindNode(path);
    if (parent == nullptr || !parent->RemoveKey(name)) return false;
    FStore->Commit(FRootKey);
    return true;
}

bool TRegistry::ValueExists(const std::string& Name) {
    TRegKeyNode* node = CurrentNode();
    return node != nullptr && node->FindValue(Name) != nullptr;
}

bool TRegistry::DeleteValue(const std::string& Name) {
    TRegKeyNode* node = CurrentNode();
    if (node == nullptr || FKey.ReadOnly || !node->RemoveValue(Name)) return false;
    FStore->Commit(FRootKey);
    return true;
}

TRegDataType TRegistry::GetDataType(const std::string& ValueName) {
    TRegKeyNode* node = CurrentNode();
    const TRegValue* value = node != nullptr ? node->FindValue(ValueName) : nullptr;
    if (value == nullptr) return rdUnknown;
    return value->DataType == REG_DWORD ? rdInteger : rdString;
}

void TRegistry::GetKeyNames(TStrings& Strings) {
    Strings.Clear();
    if (TRegKeyNode* node = CurrentNode())
        for (const TRegKeyNode* sub : node->Keys())
            Strings.Add(sub->Name());
}

void TRegistry::GetValueNames(TStrings& Strings) {
    Strings.Clear();
    if (TRegKeyNode* node = CurrentNode())
        for (const auto& [name, value] : node->Values())
            Strings.Add(name);
}

const TRegValue& TRegistry::GetValue(const std::string& Name) {
    TRegKeyNode* node = CurrentNode();
    const TRegValue* value = node != nullptr ? node->FindValue(Name) : nullptr;
    if (value == nullptr) GetDataFailed(Name);
    return *value;
}

void TRegistry::PutValue(const std::string& Name, const TRegValue& Value) {
    TRegKeyNode* node = CurrentNode();
    if (node == nullptr || FKey.ReadOnly || Name.size() > MaxRegValueNameLength ||
        Value.Text.size() > MaxRegValueDataLength)
        SetDataFailed(Name);
    if (node->SetValue(Name, Value)) FStore->Commit(FRootKey);
}

std::string TRegistry::ReadString(const std::string& Name) {
    const TRegValue& value = GetValue(Name);
    if (value.DataType != REG_SZ) InvalidType(Name);
    return value.Text;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    PutValue(Name, TRegValue{REG_SZ, Value, 0});
}

int32_t TRegistry::ReadInteger(const std::string& Name) {
    const TRegValue& value = GetValue(Name);
    if (value.DataType != REG_DWORD) InvalidType(Name);
    return static_cast<int32_t>(value.Number);
}

void TRegistry::WriteInteger(const std::string& Name, int32_t Value) {
    PutValue(Name, TRegValue{REG_DWORD, "", static_cast<uint32_t>(Value)});
}

bool TRegistry::ReadBool(const std::string& Name) {
    return ReadInteger(Name) != 0;
}

void TRegistry::WriteBool(const std::string& Name, bool Value) {
    WriteInteger(Name, Value ? 1 : 0);
}

}  // namespace vex

#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vex {

struct TRegValue {
    uint32_t DataType = 0;  // REG_SZ or REG_DWORD
    std::string Text;       // the data of a REG_SZ value
    uint32_t Number = 0;    // the data of a REG_DWORD value

    bool operator==(const TRegValue&) const = default;
};

// One key of a hive held in memory. Names of subkeys and values are matched without regard to
// case (Windows-1252 letters) and keep the spelling they were created with. Subkeys list in
// name order, values in the order they were first written, as the original enumerated them.
class TRegKeyNode {
public:
    explicit TRegKeyNode(std::string Name) : FName(std::move(Name)) {}
    TRegKeyNode(const TRegKeyNode&) = delete;
    TRegKeyNode& operator=(const TRegKeyNode&) = delete;

    const std::string& Name() const { return FName; }

    TRegKeyNode* FindKey(std::string_view Name) const;
    // The existing subkey of that name, or a new one.
    TRegKeyNode& AddKey(const std::string& Name);
    bool RemoveKey(std::string_view Name);
    std::vector<const TRegKeyNode*> Keys() const;

    const TRegValue* FindValue(std::string_view Name) const;
    // False when the value was already there with the same data.
    bool SetValue(const std::string& Name, const TRegValue& Value);
    // Appends a value the key is known not to hold, without looking for it; what reads a whole
    // hive checks each name against the others once, in constant time.
    void AddNewValue(std::string Name, TRegValue Value);
    bool RemoveValue(std::string_view Name);
    const std::vector<std::pair<std::string, TRegValue>>& Values() const { return FValues; }

private:
    std::string FName;
    std::map<std::string, std::unique_ptr<TRegKeyNode>> FKeys;  // by upper-cased name
    std::vector<std::pair<std::string, TRegValue>> FValues;
};

}  // namespace vex

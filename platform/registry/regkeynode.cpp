#include "platform/registry/regkeynode.h"

#include <algorithm>

#include "platform/core/stringutils.h"

namespace vex {

TRegKeyNode* TRegKeyNode::FindKey(std::string_view Name) const {
    const auto it = FKeys.find(AnsiUpperCase(Name));
    return it == FKeys.end() ? nullptr : it->second.get();
}

TRegKeyNode& TRegKeyNode::AddKey(const std::string& Name) {
    auto& slot = FKeys[AnsiUpperCase(Name)];
    if (!slot) slot = std::make_unique<TRegKeyNode>(Name);
    return *slot;
}

bool TRegKeyNode::RemoveKey(std::string_view Name) {
    return FKeys.erase(AnsiUpperCase(Name)) > 0;
}

std::vector<const TRegKeyNode*> TRegKeyNode::Keys() const {
    std::vector<const TRegKeyNode*> keys;
    keys.reserve(FKeys.size());
    for (const auto& [folded, node] : FKeys)
        keys.push_back(node.get());
    return keys;
}

const TRegValue* TRegKeyNode::FindValue(std::string_view Name) const {
    const auto it = std::find_if(FValues.begin(), FValues.end(),
                                 [&](const auto& v) { return AnsiSameText(v.first, Name); });
    return it == FValues.end() ? nullptr : &it->second;
}

bool TRegKeyNode::SetValue(const std::string& Name, const TRegValue& Value) {
    for (auto& [name, value] : FValues) {
        if (!AnsiSameText(name, Name)) continue;
        if (value == Value) return false;
        value = Value;
        return true;
    }
    FValues.emplace_back(Name, Value);
    return true;
}

void TRegKeyNode::AddNewValue(std::string Name, TRegValue Value) {
    FValues.emplace_back(std::move(Name), std::move(Value));
}

bool TRegKeyNode::RemoveValue(std::string_view Name) {
    const auto it = std::find_if(FValues.begin(), FValues.end(),
                                 [&](const auto& v) { return AnsiSameText(v.first, Name); });
    if (it == FValues.end()) return false;
    FValues.erase(it);
    return true;
}

}  // namespace vex

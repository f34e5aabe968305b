#include "platform/core/typinfo.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

// Entries are never removed or moved, so the pointers GetPropInfo hands out stay valid.
struct TPropertyTable {
    std::mutex Lock;
    std::map<const TClassInfo*, std::vector<std::unique_ptr<TPropInfo>>> Classes;
};

TPropertyTable& Table() {
    static TPropertyTable table;
    return table;
}

const TPropInfo* FindOwn(const std::vector<std::unique_ptr<TPropInfo>>& Properties,
                         std::string_view Name) {
    for (const auto& info : Properties)
        if (SameText(info->Name, Name)) return info.get();
    return nullptr;
}

[[noreturn]] void WrongKind(const TPropInfo& PropInfo, const char* Wanted) {
    throw EPropertyError("Property " + PropInfo.Name + " is not " + Wanted);
}

[[noreturn]] void ReadOnly(const TPropInfo& PropInfo) {
    throw EPropertyError("Property " + PropInfo.Name + " is read-only");
}

}  // namespace

void RegisterProperties(const TClassInfo& Class, std::vector<TPropInfo> Properties) {
    TPropertyTable& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    auto& own = table.Classes[&Class];
    for (TPropInfo& info : Properties) {
        if (FindOwn(own, info.Name) != nullptr)
            throw EPropertyError("Property " + info.Name + " is already published by " +
                                 Class.Name);
        own.push_back(std::make_unique<TPropInfo>(std::move(info)));
    }
}

const TPropInfo* GetPropInfo(const TClassInfo& Class, std::string_view PropName) {
    TPropertyTable& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    for (const TClassInfo* c = &Class; c != nullptr; c = c->Parent) {
        const auto it = table.Classes.find(c);
        if (it == table.Classes.end()) continue;
        if (const TPropInfo* info = FindOwn(it->second, PropName)) return info;
    }
    return nullptr;
}

const TPropInfo* GetPropInfo(const TObject& Instance, std::string_view PropName) {
    return GetPropInfo(Instance.ClassInfo(), PropName);
}

int64_t GetOrdProp(const TObject& Instance, const TPropInfo& PropInfo) {
    if (!PropInfo.GetOrd) WrongKind(PropInfo, "ordinal");
    return PropInfo.GetOrd(Instance);
}

void SetOrdProp(TObject& Instance, const TPropInfo& PropInfo, int64_t Value) {
    if (!PropInfo.GetOrd) WrongKind(PropInfo, "ordinal");
    if (!PropInfo.SetOrd) ReadOnly(PropInfo);
    PropInfo.SetOrd(Instance, Value);
}

std::string GetStrProp(const TObject& Instance, const TPropInfo& PropInfo) {
    if (!PropInfo.GetStr) WrongKind(PropInfo, "a string");
    return PropInfo.GetStr(Instance);
}

void SetStrProp(TObject& Instance, const TPropInfo& PropInfo, const std::string& Value) {
    if (!PropInfo.GetStr) WrongKind(PropInfo, "a string");
    if (!PropInfo.SetStr) ReadOnly(PropInfo);
    PropInfo.SetStr(Instance, Value);
}

double GetFloatProp(const TObject& Instance, const TPropInfo& PropInfo) {
    if (!PropInfo.GetFloat) WrongKind(PropInfo, "a floating-point number");
    return PropInfo.GetFloat(Instance);
}

void SetFloatProp(TObject& Instance, const TPropInfo& PropInfo, double Value) {
    if (!PropInfo.GetFloat) WrongKind(PropInfo, "a floating-point number");
    if (!PropInfo.SetFloat) ReadOnly(PropInfo);
    PropInfo.SetFloat(Instance, Value);
}

TObject* GetObjectProp(const TObject& Instance, const TPropInfo& PropInfo) {
    if (!PropInfo.GetObject) WrongKind(PropInfo, "an object");
    return PropInfo.GetObject(Instance);
}

}  // namespace vex

#include "components/entry/OBJMGR2.h"

#include <functional>

#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"
#include "platform/core/typinfo.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/cursors.h"
#include "platform/registry/registry.h"

namespace vex {

namespace {

constexpr char Separator = ';';

enum TEntryField { efObject, efProperty, efKey, efValueName, efDefault };

// Field Index counted from 0; a missing field is empty.
std::string GetItemField(const std::string& Entry, int Index, char Sep) {
    size_t start = 0;
    for (int i = 0; i < Index; ++i) {
        const size_t next = Entry.find(Sep, start);
        if (next == std::string::npos) return "";
        start = next + 1;
    }
    const size_t end = Entry.find(Sep, start);
    return Trim(
        std::string_view(Entry).substr(start, end == std::string::npos ? end : end - start));
}

bool IsEntryUsed(const std::string& Entry) {
    for (int i = efObject; i <= efValueName; ++i)
        if (!GetItemField(Entry, i, Separator).empty()) return true;
    return false;
}

bool IsIntegerKind(const TPropInfo& PropInfo) {
    return PropInfo.Kind == tkInteger;
}

bool IsStringKind(const TPropInfo& PropInfo) {
    return PropInfo.Kind == tkString || PropInfo.Kind == tkLString;
}

std::string PropertyToText(const TObject& Instance, const TPropInfo& PropInfo) {
    if (IsIntegerKind(PropInfo)) {
        const auto value = static_cast<int32_t>(GetOrdProp(Instance, PropInfo));
        std::string ident;
        if (PropInfo.TypeName == "TColor" && ColorToIdent(value, ident)) return ident;
        if (PropInfo.TypeName == "TCursor" && CursorToIdent(value, ident)) return ident;
        return IntToStr(value);
    }
    if (PropInfo.Kind == tkChar)
        return std::string(1, static_cast<char>(GetOrdProp(Instance, PropInfo)));
    if (IsStringKind(PropInfo)) return GetStrProp(Instance, PropInfo);
    return "";
}

// A text that does not convert, or a value the property does not take, leaves it unchanged.
void TextToProperty(TObject& Instance, const TPropInfo& PropInfo, const std::string& Text) {
    try {
        if (IsIntegerKind(PropInfo)) {
            if (Text.empty()) return;
            int32_t value = 0;
            const bool named = (PropInfo.TypeName == "TColor" && IdentToColor(Text, value)) ||
                               (PropInfo.TypeName == "TCursor" && IdentToCursor(Text, value));
            SetOrdProp(Instance, PropInfo, named ? value : StrToInt(Text));
        } else if (PropInfo.Kind == tkChar) {
            if (!Text.empty()) SetOrdProp(Instance, PropInfo, static_cast<unsigned char>(Text[0]));
        } else if (IsStringKind(PropInfo)) {
            SetStrProp(Instance, PropInfo, Text);
        }
    } catch (const Exception&) {
    }
}

// The object and property an entry names, or false when either is missing.
bool FindTarget(TComponent* Owner, const std::string& Entry, TComponent*& Target,
                const TPropInfo*& PropInfo) {
    if (Owner == nullptr) return false;
    const std::string objectName = GetItemField(Entry, efObject, Separator);
    Target = objectName == Owner->Name() ? Owner : Owner->FindComponent(objectName);
    if (Target == nullptr) return false;
    PropInfo = GetPropInfo(*Target, GetItemField(Entry, efProperty, Separator));
    return PropInfo != nullptr;
}

}  // namespace

TObjMgr::TObjMgr(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TStringList>()) {}

TObjMgr::~TObjMgr() = default;

TStrings* TObjMgr::Items() const {
    return FItems.get();
}

void TObjMgr::SetItems(const TStrings* Value) {
    FItems->Assign(Value);
}

void TObjMgr::ForEachEntry(const std::function<void(TRegistry&, const std::string&, TComponent&,
                                                    const TPropInfo&)>& Apply) const {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    for (int32_t i = 0; i < FItems->Count(); ++i) {
        const std::string entry = FItems->Strings(i);
        if (!IsEntryUsed(entry)) continue;
        TComponent* target = nullptr;
        const TPropInfo* propInfo = nullptr;
        if (!FindTarget(Owner(), entry, target, propInfo)) continue;
        try {
            reg.CloseKey();
            Apply(reg, entry, *target, *propInfo);
        } catch (const Exception&) {
            // A damaged registry, a value that is no text, or a key that cannot be made or
            // written affects this entry only; the others are still processed.
        }
    }
}

void TObjMgr::Load() {
    ForEachEntry([](TRegistry& Reg, const std::string& Entry, TComponent& Target,
                    const TPropInfo& PropInfo) {
        const std::string valueName = GetItemField(Entry, efValueName, Separator);
        if (!Reg.OpenKey(GetItemField(Entry, efKey, Separator), false) ||
            !Reg.ValueExists(valueName))
            TextToProperty(Target, PropInfo, GetItemField(Entry, efDefault, Separator));
        else
            TextToProperty(Target, PropInfo, Reg.ReadString(valueName));
    });
}

void TObjMgr::Save() {
    ForEachEntry([](TRegistry& Reg, const std::string& Entry, TComponent& Target,
                    const TPropInfo& PropInfo) {
        if (Reg.OpenKey(GetItemField(Entry, efKey, Separator), true))
            Reg.WriteString(GetItemField(Entry, efValueName, Separator),
                            PropertyToText(Target, PropInfo));
    });
}

}  // namespace vex

#pragma once

#include <functional>
#include <memory>

#include "platform/core/component.h"

namespace vex {

class TStrings;
class TStringList;
class TRegistry;
struct TPropInfo;

// Keeps chosen published properties of its owner, or of components on the owner, in the
// current user's registry. Each line of Items names one property:
//
//   object; property; registry key; value name; default text; (unused)
//
// The object is the owner when its name equals the owner's Name exactly, else the owner's
// component of that name. Load applies the stored text, or the default when the key or the
// value is missing; Save stores every property as a REG_SZ value. Failures are absorbed entry
// by entry: an entry whose object, property, key or text does not fit changes nothing and the
// next entry is processed. Nothing happens automatically; the owner calls Load and Save.
class TObjMgr : public TComponent {
    VEX_CLASS(TObjMgr, TComponent)

public:
    explicit TObjMgr(TComponent* AOwner);
    ~TObjMgr() override;

    TStrings* Items() const;
    // Copies Value's lines into Items.
    void SetItems(const TStrings* Value);

    void Load();
    void Save();

private:
    // Calls Apply for every used entry whose target and property exist, with the registry's key
    // closed; what Apply raises is absorbed for that entry.
    void ForEachEntry(const std::function<void(TRegistry&, const std::string&, TComponent&,
                                               const TPropInfo&)>& Apply) const;

    std::unique_ptr<TStringList> FItems;
};

}  // namespace vex

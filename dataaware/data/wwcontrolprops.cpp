#include "dataaware/data/wwcontrolprops.h"

#include "dataaware/data/Wwcommon.h"
#include "dataaware/data/wwdataaware.h"
#include "platform/data/dbtables.h"
#include "platform/ui/form.h"
#include "platform/ui/wincontrol.h"

namespace vex {

namespace {
IDataAwareControl* DataAwareWindow(TObject* Object) {
    return dynamic_cast<TWinControl*>(Object) != nullptr ? dynamic_cast<IDataAwareControl*>(Object)
                                                         : nullptr;
}
}  // namespace

TDataSource* wwGetDataSource(TObject* Object) {
    if (auto* control = dynamic_cast<IDataAwareControl*>(Object)) return control->DataSource();
    return nullptr;
}

TDataSource* wwGetMasterSource(TObject* Object) {
    auto* table = dynamic_cast<TTable*>(Object);
    return table != nullptr ? table->MasterSource() : nullptr;
}

std::string wwGetDataField(TObject* Object) {
    IDataAwareControl* control = DataAwareWindow(Object);
    return control != nullptr ? control->DataField() : "";
}

bool wwSetDataSource(TObject* Object, TDataSource* Value) {
    IDataAwareControl* control = DataAwareWindow(Object);
    if (control == nullptr) return false;
    control->SetDataSource(Value);
    return true;
}

bool wwSetDataField(TObject* Object, const std::string& Value) {
    IDataAwareControl* control = DataAwareWindow(Object);
    if (control == nullptr) return false;
    control->SetDataField(Value);
    return true;
}

uint8_t wwGetFilterOptions(TObject* Object) {
    auto* holder = dynamic_cast<TwwFilterOptionsHolder*>(Object);
    return holder != nullptr ? static_cast<uint8_t>(holder->OnFilterOptions().Ord()) : 0;
}

void wwSetFilterOptionsFirst(TObject* Object, bool Value) {
    auto* holder = dynamic_cast<TwwFilterOptionsHolder*>(Object);
    if (holder == nullptr) return;
    TwwOnFilterOptions options = holder->OnFilterOptions();
    if (Value)
        options.Include(ofoEnabled);
    else
        options.Exclude(ofoEnabled);
    holder->SetOnFilterOptions(options);
}

TComponent* wwGetParentForm(TComponent* Component) {
    TComponent* last = Component;
    for (TComponent* c = Component; c != nullptr; c = c->Owner()) {
        if (dynamic_cast<TCustomForm*>(c) != nullptr) return c;
        last = c;
    }
    return last;
}

}  // namespace vex

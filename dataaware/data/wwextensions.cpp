#include "dataaware/data/wwextensions.h"

#include "dataaware/data/Wwtable.h"
#include "platform/data/dbtables.h"

namespace vex {

namespace {
TwwExtensionProperties* Extensions(TObject* Object) {
    return dynamic_cast<TwwExtensionProperties*>(Object);
}
TStrings* List(TObject* Object, TStrings& (TwwExtensionProperties::*Property)()) {
    auto* e = Extensions(Object);
    return e ? &(e->*Property)() : nullptr;
}
}  // namespace

TwwExtensionProperties::TwwExtensionProperties() = default;
// Here, where a lookup table is a complete type.
TwwExtensionProperties::~TwwExtensionProperties() = default;

TStrings* wwGetControlType(TObject* Object) {
    return List(Object, &TwwExtensionProperties::ControlType);
}
TStrings* wwGetLookupFields(TObject* Object) {
    return List(Object, &TwwExtensionProperties::LookupFields);
}
TStrings* wwGetLookupLinks(TObject* Object) {
    return List(Object, &TwwExtensionProperties::LookupLinks);
}
TStrings* wwGetPictureMasks(TObject* Object) {
    return List(Object, &TwwExtensionProperties::PictureMasks);
}

bool wwGetValidateWithMask(TObject* Object) {
    auto* e = Extensions(Object);
    return e && e->ValidateWithMask;
}

TwwInvalidValueEvent wwGetOnInvalidValue(TObject* Object) {
    auto* e = Extensions(Object);
    return e ? e->OnInvalidValue : nullptr;
}

std::string wwGetDatabaseName(TObject* Object) {
    auto* d = dynamic_cast<TDBDataSet*>(Object);
    return d ? d->DatabaseName() : "";
}

bool wwIsLibraryDataSet(TObject* Object) {
    // The client dataset lives in a library this one does not link with.
    return Extensions(Object) != nullptr ||
           (Object != nullptr && Object->InheritsFrom("TwwClientDataSet"));
}

std::vector<std::unique_ptr<TwwTable>>* wwGetLookupTables(TObject* Object) {
    auto* e = Extensions(Object);
    return e ? &e->LookupTables : nullptr;
}

}  // namespace vex

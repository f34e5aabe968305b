#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/stringlist.h"

namespace vex {

class TDataSet;
class TField;
class TObject;
class TwwTable;

using TwwInvalidValueEvent = std::function<void(TDataSet* DataSet, TField* Field)>;

// The per-field property lines and the record validation that the library's datasets carry,
// apart from the framework class each derives from, so that edits, the grid and the shared
// routines can reach them on any object.
class TwwExtensionProperties {
public:
    TwwExtensionProperties();
    virtual ~TwwExtensionProperties();

    TStrings& ControlType() { return FControlType; }
    void SetControlType(const TStrings& Value) { FControlType.Assign(&Value); }
    TStrings& LookupFields() { return FLookupFields; }
    void SetLookupFields(const TStrings& Value) { FLookupFields.Assign(&Value); }
    TStrings& LookupLinks() { return FLookupLinks; }
    void SetLookupLinks(const TStrings& Value) { FLookupLinks.Assign(&Value); }
    TStrings& PictureMasks() { return FPictureMasks; }
    void SetPictureMasks(const TStrings& Value) { FPictureMasks.Assign(&Value); }
    bool ValidateWithMask = true;
    TwwInvalidValueEvent OnInvalidValue;
    // The tables the lookup refresh opens for this dataset, one per lookup definition; freed
    // with it.
    std::vector<std::unique_ptr<TwwTable>> LookupTables;

private:
    TStringList FControlType, FLookupFields, FLookupLinks, FPictureMasks;
};

// Readers of the extension properties on any object: nil, empty or false where the object does
// not carry them.
TStrings* wwGetControlType(TObject* Object);
TStrings* wwGetLookupFields(TObject* Object);
TStrings* wwGetLookupLinks(TObject* Object);
TStrings* wwGetPictureMasks(TObject* Object);
bool wwGetValidateWithMask(TObject* Object);
TwwInvalidValueEvent wwGetOnInvalidValue(TObject* Object);
// The DatabaseName of a dataset of one database; empty for anything else.
std::string wwGetDatabaseName(TObject* Object);

// Whether the object is one of the library's datasets (it carries the extension properties).
bool wwIsLibraryDataSet(TObject* Object);
std::vector<std::unique_ptr<TwwTable>>* wwGetLookupTables(TObject* Object);

}  // namespace vex

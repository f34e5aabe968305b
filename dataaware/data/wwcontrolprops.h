#pragma once

#include <cstdint>
#include <string>

namespace vex {

class TComponent;
class TDataSource;
class TObject;

// The binding of a data-aware control and the filter options of a library dataset, read and
// written on any object: nil, empty, 0 or false where the object has none.

// The data source of a data-aware control, or the one a dataset reads its parameters from.
TDataSource* wwGetDataSource(TObject* Object);
// The data source a table follows as a detail.
TDataSource* wwGetMasterSource(TObject* Object);
// The field of a data-aware window control.
std::string wwGetDataField(TObject* Object);
// Binds a data-aware window control; false for anything else.
bool wwSetDataSource(TObject* Object, TDataSource* Value);
bool wwSetDataField(TObject* Object, const std::string& Value);

// The OnFilterOptions of a library dataset as the original stored the set (bit N for option N).
uint8_t wwGetFilterOptions(TObject* Object);
// Switches the dataset's filtering (the first option) on or off, keeping the other options.
void wwSetFilterOptionsFirst(TObject* Object, bool Value);

// The first form up the owner chain; the last owner when none is a form.
TComponent* wwGetParentForm(TComponent* Component);

}  // namespace vex

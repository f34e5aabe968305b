#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TDataSet;
class TField;
class TStrings;

// The pieces of a property line between separators; an empty line gives one empty piece.
std::vector<std::string> wwLineParts(std::string_view Line, char Separator);

// Whether DataSet has a field of that name (A to Z compared without regard to case).
bool wwIsField(TDataSet* DataSet, const std::string& FieldName);

// Shows only the fields that Selected lists (name TAB display width TAB display label), in its
// order and with its widths and labels; every other field is hidden.
void wwSetSelectedFields(TDataSet& DataSet, const TStrings& Selected);
// The visible fields in field order, as lines of that format.
void wwGetSelectedFields(TDataSet& DataSet, TStrings& Selected);
// The first line of a selected-fields list whose name is FieldName (case ignored).
bool wwFindFieldLine(const TStrings& Lines, const std::string& FieldName, int32_t& Index);

// The control kind and parameters of the field's ControlType line; both empty when none.
void wwGetControlInfo(TDataSet* DataSet, const std::string& FieldName, std::string& Kind,
                      std::string& Parameters);
// "CustomEdit", "LookupCombo" or "Combo", in any case.
bool wwIsControlKind(std::string_view Kind);

// Removes the LookupFields lines (with their LookupLinks lines) and the ControlType lines that
// name no field of DataSet.
void wwRemoveStaleDefinitions(TDataSet& DataSet, TStrings& LookupFields, TStrings& LookupLinks,
                              TStrings& ControlType);

bool wwIsCalcOrLookup(const TField& Field);
// Calculated and lookup fields, and fields of a dataset the engine does not read for.
bool wwIsNotEngineField(const TField& Field);
// A blob field that ControlType shows as rich text or, with CheckContent, whose value is RTF.
bool wwIsRichEditField(const TField& Field, bool CheckContent);

}  // namespace vex

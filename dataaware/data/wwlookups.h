#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vex {

class TDataSet;
class TField;
class TStrings;
class TwwTable;

// The lookup definition of a library dataset's field: the LookupFields line that names it (at
// least five ";"-separated parts) and the LookupLinks line of the same number. Without one,
// Database is the dataset's DatabaseName and the rest is empty.
void wwGetLookupDefinition(TField& Field, std::string& Database, std::string& Table,
                           std::string& Links, std::string& ResultField);

// Positions the lookup table already open for the field's definition on the record its master
// field points to; false when there is no such table or record. ResultField becomes the lookup
// table's result field (the field itself when there is none), Value the master field's text.
bool wwFindLookupValue(TField& Field, std::string& Value, TField*& ResultField);

// Sets every lookup field of DataSet from its lookup table, opening the tables it needs into
// Tables. A definition whose table cannot be opened is noted in Unopenable and skipped from then
// on, until its lines change or the caller clears the notes (the dataset reopens); a link naming
// a field the dataset lacks hides the lookup field and ends the pass.
void wwRefreshLookups(TDataSet& DataSet, const TStrings& LookupFields, const TStrings& LookupLinks,
                      std::vector<std::unique_ptr<TwwTable>>& Tables,
                      std::vector<std::string>& Unopenable);

}  // namespace vex

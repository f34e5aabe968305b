#pragma once

#include <string>

#include "dataaware/data/Wwpict.h"
#include "dataaware/data/wwextensions.h"

namespace vex {

class TDataSet;

// What a record that fails a field's picture is told, before the field's display name. It
// belongs with the library's other user messages, which this library does not have yet.
inline constexpr const char* wwPictureValidateError = "Invalid characters. Field : ";

// The field's PictureMasks entry (name TAB mask TAB auto-fill TAB flag2, "T" or "F"; the name
// compared without regard to case): an empty mask and both flags on when there is none. With
// UseTableMask a table's own validity picture for the field wins, and is written into the
// entry when there is one.
void wwGetPictureInfo(TDataSet* DataSet, const std::string& FieldName, bool UseTableMask,
                      bool& Flag2, bool& AutoFill, std::string& Mask);
// Changes the parts of the field's entry whose change flags are set; an empty mask removes the
// entry, a new field gets one. A table's own picture stands in for Mask.
void wwSetPictureInfo(TDataSet* DataSet, const std::string& FieldName, const std::string& Mask,
                      bool ChangeMask, bool ChangeAutoFill, bool ChangeFlag2, bool Flag2,
                      bool AutoFill);
// The picture of the field's validity check in a library table; empty for anything else.
std::string wwGetTablePicture(TDataSet* DataSet, const std::string& FieldName);

// Checks every field with a picture before a record is posted. The first writable field whose
// text fails gets the focus, then OnInvalidValue, then EDatabaseError.
void wwValidatePictures(TDataSet& DataSet, const TwwInvalidValueEvent& OnInvalidValue);

}  // namespace vex

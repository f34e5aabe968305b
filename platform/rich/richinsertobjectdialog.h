#pragma once

#include "platform/rich/richinsertobject.h"

namespace vex {

// Runs the insert-object dialog modally over Kinds ("Insert Object": "Create New" with the
// kinds by user type, or "Create from File" with a file name, and "Display As Icon"). On OK it
// fills Choice and answers true; otherwise Choice stays as it was. OK is only offered once a
// kind is chosen or a file named. The controls are named "CreateNew", "CreateFromFile",
// "ObjectType", "FileName", "DisplayAsIcon", "OK" and "Cancel".
bool RichInsertObjectDialog(const TRichObjectKinds& Kinds, TRichInsertObjectChoice& Choice);

}  // namespace vex

#pragma once

#include <memory>
#include <string>

#include "platform/rich/richobjectkinds.h"

namespace vex {

// What a person chose in the insert-object dialog: a new object of a kind, or one made from a
// file, shown as its content or as an icon.
struct TRichInsertObjectChoice {
    bool FromFile = false;
    std::string ClassName;  // the kind of a new object
    std::string FileName;   // the file an object is made from
    bool AsIcon = false;
};

// The object Choice asks for: made by its kind, or by the kind that opens files named so,
// loaded with the file's bytes. Raises ERichObjectError when no kind makes it or the file is
// too large, EFOpenError when the file cannot be read or is no plain file (a pipe, a device).
std::shared_ptr<IRichObject> CreateInsertedObject(const TRichObjectKinds& Kinds,
                                                  const TRichInsertObjectChoice& Choice);

}  // namespace vex

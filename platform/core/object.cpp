#include "platform/core/object.h"

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

bool TClassInfo::InheritsFrom(const std::string& ClassName) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        if (SameText(c->Name, ClassName)) return true;
    return false;
}

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo Info{"TObject", nullptr};
    return Info;
}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const {
    const std::string sourceName = Source != nullptr ? Source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

}  // namespace vex

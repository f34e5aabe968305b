#include "platform/rich/richobjectkinds.h"

#include <algorithm>

#include "platform/core/files.h"
#include "platform/core/stringutils.h"

namespace vex {

void TRichObjectKinds::Register(TRichObjectKind Kind) {
    if (Kind.ClassName.empty() || !Kind.Create)
        throw ERichObjectError("An object kind needs a class name and a way to make its objects");
    if (Find(Kind.ClassName) != nullptr)
        throw ERichObjectError("The object class " + Kind.ClassName + " is registered already");
    FKinds.push_back(std::move(Kind));
}

const TRichObjectKind* TRichObjectKinds::Find(std::string_view ClassName) const {
    const auto kind = std::find_if(FKinds.begin(), FKinds.end(),
                                   [ClassName](const auto& K) { return K.ClassName == ClassName; });
    return kind == FKinds.end() ? nullptr : &*kind;
}

const TRichObjectKind* TRichObjectKinds::ForFile(const std::string& FileName) const {
    const std::string extension = ExtractFileExt(FileName);
    if (extension.empty()) return nullptr;
    for (const TRichObjectKind& kind : FKinds)
        for (const std::string& opened : kind.FileExtensions)
            if (SameText(opened, extension)) return &kind;
    return nullptr;
}

std::shared_ptr<IRichObject> TRichObjectKinds::Create(std::string_view ClassName) const {
    const TRichObjectKind* kind = Find(ClassName);
    if (kind == nullptr)
        throw ERichObjectError("No kind of object is registered for the class " +
                               std::string(ClassName));
    std::shared_ptr<IRichObject> object = kind->Create();
    // What the class says an object is must be what comes: data read from outside is trusted
    // to the kind its class names, and to no other.
    if (object == nullptr || object->ClassName() != kind->ClassName)
        throw ERichObjectError("The object kind " + kind->ClassName +
                               " made no object of its class");
    return object;
}

}  // namespace vex

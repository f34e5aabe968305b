#include "platform/rich/richdataobjectembedded.h"

#include "platform/rich/richobjectdescriptor.h"
#include "platform/rich/richobjectpersist.h"
#include "platform/win/clipboard.h"

namespace vex {

UINT EmbeddedObjectFormat() {
    static const UINT format = RegisterClipboardFormat("Embedded Object");
    return format;
}

UINT ObjectDescriptorFormat() {
    static const UINT format = RegisterClipboardFormat("Object Descriptor");
    return format;
}

TRichObjectDataObject::TRichObjectDataObject(std::shared_ptr<IRichObject> Object)
    : FObject(std::move(Object)) {
    if (FObject == nullptr) throw ERichObjectError("A data object needs an object");
}

std::vector<UINT> TRichObjectDataObject::Formats() const {
    return {EmbeddedObjectFormat(), ObjectDescriptorFormat()};
}

std::optional<std::string> TRichObjectDataObject::GetData(UINT Format) const {
    if (Format == 0) return std::nullopt;  // what a registration that failed gave
    if (Format == EmbeddedObjectFormat()) return SaveObjectToStorage(*FObject).Bytes();
    if (Format == ObjectDescriptorFormat()) return ObjectDescriptor(*FObject);
    return std::nullopt;
}

}  // namespace vex

#pragma once

#include <memory>

#include "platform/rich/richdataobject.h"
#include "platform/rich/richobject.h"

namespace vex {

// The clipboard formats an embedded object travels in, registered by name on first use.
UINT EmbeddedObjectFormat();
UINT ObjectDescriptorFormat();

// One object on its way to the clipboard or a drop: "Embedded Object" is the storage of the
// object (SaveObjectToStorage), "Object Descriptor" what a receiver shows of it before taking it.
class TRichObjectDataObject : public IRichDataObject {
public:
    explicit TRichObjectDataObject(std::shared_ptr<IRichObject> Object);

    std::vector<UINT> Formats() const override;
    std::optional<std::string> GetData(UINT Format) const override;

private:
    std::shared_ptr<IRichObject> FObject;
};

}  // namespace vex
